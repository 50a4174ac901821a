#pragma once

#include <string_view>

namespace tessaplot {

// True when `name` matches `pattern`, where '?' stands for exactly one character and
// every other character stands for itself without regard to ASCII letter case.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// ASCII case-insensitive equality and ordering, as file names of a data set are compared.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool LessIgnoringCase(std::string_view a, std::string_view b);

} // namespace tessaplot
