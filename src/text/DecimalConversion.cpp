#include "text/DecimalConversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tessaplot {

namespace {

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The power of ten of a decimal number's leading digit plus one (123.4 gives 3, 0.05
// gives -1), from its digits and exponent; saturates instead of overflowing.
long long decimalMagnitude(std::string_view number) {
    size_t i = 0;
    long long magnitude = 0;
    bool seenNonZero = false;
    for (; i < number.size() && isDigit(number[i]); ++i) {
        seenNonZero = seenNonZero || number[i] != '0';
        magnitude += seenNonZero ? 1 : 0;
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && isDigit(number[i]); ++i) {
            if (!seenNonZero && number[i] == '0')
                --magnitude;
            seenNonZero = seenNonZero || number[i] != '0';
        }
    }
    long long exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+'))
            ++i;
        for (; i < number.size() && isDigit(number[i]); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1000000000LL);
        exponent = negative ? -exponent : exponent;
    }
    return magnitude + exponent;
}

} // namespace

double ParseDecimalDouble(std::string_view text) noexcept {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end && isCSpace(*p))
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // from_chars would also take "inf", "nan" and a second sign; the tables' grammar
    // has only digits and '.', so anything else is "not a number" and reads 0.
    if (p == end || !(isDigit(*p) || (*p == '.' && p + 1 != end && isDigit(p[1]))))
        return 0.0;
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(p, end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value untouched here; like strtod, give HUGE_VAL for
        // an overflow and 0 for an underflow, told apart by the number's own magnitude.
        value = decimalMagnitude(std::string_view(p, static_cast<size_t>(ptr - p))) > 0
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    } else if (ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

float ParseDecimal(std::string_view text) noexcept {
    const double value = ParseDecimalDouble(text);
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest)
        return std::numeric_limits<float>::max();
    if (value < -largest)
        return -std::numeric_limits<float>::max();
    return static_cast<float>(value);
}

} // namespace tessaplot
