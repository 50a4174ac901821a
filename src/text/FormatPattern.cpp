#include "text/FormatPattern.h"

#include "text/DecimalDigits.h"
#include "text/GeneralForm.h"

#include <cmath>
#include <cstdlib>

namespace tessaplot {

namespace {

char digitAt(const DecimalDigits& number, int index) {
    return index >= 0 && index < number.count ? number.digits[index] : '0';
}

void appendFraction(std::string& out, const DecimalDigits& number, int first,
                    const NumberPattern& pattern, std::string_view separator) {
    int shown = pattern.maxFractionDigits;
    while (shown > pattern.minFractionDigits && digitAt(number, first + shown - 1) == '0')
        --shown;
    if (shown == 0)
        return;
    out += separator;
    for (int i = 0; i < shown; ++i)
        out += digitAt(number, first + i);
}

std::string fixedText(DecimalDigits number, const NumberPattern& pattern,
                      std::string_view separator) {
    RoundDecimalDigits(number, number.pointPosition + pattern.maxFractionDigits);
    std::string out;
    if (number.negative && number.count > 0)
        out += '-';
    const int integerDigits = number.pointPosition > 0 ? number.pointPosition : 0;
    for (int i = integerDigits; i < pattern.minIntegerDigits; ++i)
        out += '0';
    for (int i = 0; i < integerDigits; ++i)
        out += digitAt(number, i);
    appendFraction(out, number, number.pointPosition, pattern, separator);
    if (out.empty() || out == "-")
        out.assign(1, '0'); // not = "0": GCC 12 warns falsely (-Wrestrict) there
    return out;
}

std::string scientificText(DecimalDigits number, const NumberPattern& pattern,
                           std::string_view separator) {
    RoundDecimalDigits(number, 1 + pattern.maxFractionDigits);
    std::string out;
    if (number.negative && number.count > 0)
        out += '-';
    out += digitAt(number, 0);
    appendFraction(out, number, 1, pattern, separator);
    const int exponent = number.count > 0 ? number.pointPosition - 1 : 0;
    out += 'E';
    if (exponent < 0)
        out += '-';
    else if (pattern.exponentPlusSign)
        out += '+';
    const std::string digits = std::to_string(std::abs(exponent));
    for (int i = static_cast<int>(digits.size()); i < pattern.minExponentDigits; ++i)
        out += '0';
    out += digits;
    return out;
}

} // namespace

std::optional<NumberPattern> ParseNumberPattern(std::string_view pattern) {
    NumberPattern result;
    result.minIntegerDigits = 0;
    size_t i = 0;
    int integerPlaces = 0;
    for (; i < pattern.size() && (pattern[i] == '#' || pattern[i] == '0'); ++i) {
        ++integerPlaces;
        if (pattern[i] == '0')
            ++result.minIntegerDigits;
    }
    if (i < pattern.size() && pattern[i] == '.') {
        ++i;
        for (; i < pattern.size() && (pattern[i] == '#' || pattern[i] == '0'); ++i) {
            ++result.maxFractionDigits;
            // A '0' after a '#' still forces every digit up to it.
            if (pattern[i] == '0')
                result.minFractionDigits = result.maxFractionDigits;
        }
    }
    if (i < pattern.size() && (pattern[i] == 'E' || pattern[i] == 'e')) {
        if (i + 1 >= pattern.size() || (pattern[i + 1] != '-' && pattern[i + 1] != '+'))
            return std::nullopt;
        result.scientific = true;
        result.exponentPlusSign = pattern[i + 1] == '+';
        i += 2;
        result.minExponentDigits = 0;
        for (; i < pattern.size() && pattern[i] == '0'; ++i)
            ++result.minExponentDigits;
        if (result.minExponentDigits == 0 || integerPlaces == 0)
            return std::nullopt;
    }
    if (i != pattern.size() || (integerPlaces == 0 && result.maxFractionDigits == 0))
        return std::nullopt;
    return result;
}

std::string FormatWithPattern(double value, const NumberPattern& pattern,
                              std::string_view separator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    const DecimalDigits number = DecimalDigitsOf(value, 0);
    return pattern.scientific ? scientificText(number, pattern, separator)
                              : fixedText(number, pattern, separator);
}

std::string FormatWithPattern(double value, std::string_view pattern, std::string_view separator) {
    const auto parsed = ParseNumberPattern(pattern);
    return parsed ? FormatWithPattern(value, *parsed, separator)
                  : GeneralDecimalForm(value, separator);
}

} // namespace tessaplot
