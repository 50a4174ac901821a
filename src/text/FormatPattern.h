#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaplot {

// A number pattern of the tick labels, e.g. "#0.###", "#0.00", "0.00E-0":
//   '0'  a digit that is always written,
//   '#'  a digit written only when significant,
//   '.'  the decimal point, written as the caller's decimal separator,
//   "E-" an exponent, its sign written only when negative ("E+": always), with at
//        least as many digits as '0's follow it.
// Integer digits are always all written ('#' and '0' there only set the minimum);
// a scientific pattern has one mantissa digit before the point.
struct NumberPattern {
    int minIntegerDigits = 1;
    int minFractionDigits = 0;
    int maxFractionDigits = 0;
    bool scientific = false;
    bool exponentPlusSign = false;
    int minExponentDigits = 1;
};

// Nothing for a text outside this little language.
std::optional<NumberPattern> ParseNumberPattern(std::string_view pattern);

// The value rounded half away from zero to the last digit shown. The digits rounded are
// the shortest decimal digits that read back as the same double, so 2.675 with "#0.00"
// gives 2.68 although the double lies a little below 2.675. A leading '-' for a negative
// value, none for one that rounds to zero. Any finite value gives its full text (1e300
// with "#0.00" has 301 integer digits); NaN gives "NAN", infinities "INF" and "-INF".
std::string FormatWithPattern(double value, const NumberPattern& pattern,
                              std::string_view separator = ".");

// Convenience for a pattern given as text; a text that does not parse is written in the
// general decimal form.
std::string FormatWithPattern(double value, std::string_view pattern,
                              std::string_view separator = ".");

} // namespace tessaplot
