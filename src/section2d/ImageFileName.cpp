#include "section2d/ImageFileName.h"

#include <string_view>

namespace tessaplot {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool unsafeInFileName(unsigned char c) {
    return c < 0x20 || c == 0x7f ||
           std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string_view::npos;
}

} // namespace

std::string SuggestedImageFileName(std::string_view variable, SectionKind kind,
                                   std::string_view sectionText) {
    // "Temperature(degree of C)": the unit holds '/' and '^', and is not needed to
    // tell the pictures apart.
    std::string_view name = trimmed(variable.substr(0, variable.find('(')));
    if (name.empty())
        name = "section";
    std::string fileName(name);
    fileName += kind == SectionKind::Time ? "-TimePos-" : "-SpacePos-";
    fileName += trimmed(sectionText);
    for (char& c : fileName)
        if (unsafeInFileName(static_cast<unsigned char>(c)))
            c = '_';
    return fileName + ".png";
}

} // namespace tessaplot
