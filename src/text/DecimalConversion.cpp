#include "text/DecimalConversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// The tables' numbers ("3.270823E+01", "180", "0.05") have few digits and small
// exponents: the digits then make an integer and the power of ten a double, both
// exact, and one division or multiplication rounds once, correctly, to the value
// from_chars gives (its own first step for such numbers). False for anything else,
// which from_chars converts.
bool convertShortNumber(const char* p, const char* end, double& value) {
    static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int maxDigits = 15; // below 2^53: every such integer is a double
    std::uint64_t digits = 0;
    int count = 0;
    int scale = 0;
    for (; p != end && isDigit(*p); ++p, ++count)
        digits = digits * 10 + static_cast<unsigned>(*p - '0');
    if (p != end && *p == '.') {
        for (++p; p != end && isDigit(*p); ++p, ++count, --scale)
            digits = digits * 10 + static_cast<unsigned>(*p - '0');
    }
    if (count > maxDigits)
        return false;
    if (p != end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        const bool negative = q != end && *q == '-';
        if (q != end && (*q == '-' || *q == '+'))
            ++q;
        // An 'E' without digits after it is no exponent: the number ends before it.
        if (q != end && isDigit(*q)) {
            int exponent = 0;
            for (; q != end && isDigit(*q); ++q) {
                if (exponent > 1000)
                    return false;
                exponent = exponent * 10 + (*q - '0');
            }
            scale += negative ? -exponent : exponent;
        }
    }
    if (scale < -22 || scale > 22)
        return false;
    const double mantissa = static_cast<double>(digits);
    value = scale < 0 ? mantissa / powers[-scale] : mantissa * powers[scale];
    return true;
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
    if (convertShortNumber(p, end, value))
        return negative ? -value : value;
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
