#include "dataset/WildcardMatch.h"

#include <algorithm>

namespace tessaplot {

namespace {

// Deliberately not std::tolower: names are bytes (UTF-8), and the locale must not matter.
char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
    if (name.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (pattern[i] != '?' && lowerAscii(pattern[i]) != lowerAscii(name[i]))
            return false;
    }
    return true;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(lowerAscii(x)) <
               static_cast<unsigned char>(lowerAscii(y));
    });
}

} // namespace tessaplot
