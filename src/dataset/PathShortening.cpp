#include "dataset/PathShortening.h"

#include <vector>

namespace tessaplot {

namespace {

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The root that always stays: a drive ("C:" plus a separator when there is one) or the
// leading separators ("/", or "\\" before a network name).
std::size_t rootLength(const std::string& path, char separator) {
    std::size_t length = 0;
    if (path.size() >= 2 && isDriveLetter(path[0]) && path[1] == ':')
        length = 2;
    while (length < path.size() && path[length] == separator)
        ++length;
    return length;
}

} // namespace

std::string ShortenDirectoryPath(const std::string& path, int maxWidth,
                                 const TextWidthFunction& textWidth, char separator) {
    if (textWidth(path) <= maxWidth)
        return path;

    const std::size_t rootEnd = rootLength(path, separator);
    const std::string root = path.substr(0, rootEnd);
    std::vector<std::string> names;
    for (std::size_t start = rootEnd; start < path.size();) {
        std::size_t stop = path.find(separator, start);
        if (stop == std::string::npos)
            stop = path.size();
        if (stop > start)
            names.push_back(path.substr(start, stop - start));
        start = stop + 1;
    }
    if (names.empty())
        return path; // the root alone: nothing to take away

    const std::string& last = names.back();
    const std::string ellipsis = std::string("...") + separator;
    // Drop the names between root and last from the left, one at a time.
    for (std::size_t dropped = 1; dropped < names.size(); ++dropped) {
        std::string candidate = root + ellipsis;
        for (std::size_t i = dropped; i + 1 < names.size(); ++i)
            candidate += names[i] + separator;
        candidate += last;
        if (textWidth(candidate) <= maxWidth)
            return candidate;
    }
    if (names.size() > 1 && textWidth(ellipsis + last) <= maxWidth)
        return ellipsis + last;
    return last;
}

} // namespace tessaplot
