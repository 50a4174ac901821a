#include "text/DecimalConversion.h"

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
        // from_chars leaves the value untouched here; tell overflow from underflow
        // by the exponent's sign as strtod would (HUGE_VAL or 0).
        std::string_view rest(p, static_cast<size_t>(end - p));
        const auto e = rest.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < rest.size() && rest[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (ec != std::errc()) {
        return 0.0;
    }
    (void)ptr;
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
