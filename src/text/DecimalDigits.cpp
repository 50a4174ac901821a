#include "text/DecimalDigits.h"

#include <charconv>
#include <cstdlib>

namespace tessaplot {

namespace {

void dropTrailingZeros(DecimalDigits& number) {
    while (number.count > 0 && number.digits[number.count - 1] == '0')
        --number.count;
    if (number.count == 0)
        number.pointPosition = 0;
}

// Scientific notation always has the shape [-]d[.ddd]e(+|-)xx, whatever the value.
DecimalDigits digitsOfScientific(const char* text, const char* const end) {
    DecimalDigits number;
    const char* p = text;
    if (p != end && *p == '-') {
        number.negative = true;
        ++p;
    }
    constexpr int capacity = static_cast<int>(sizeof number.digits);
    while (p != end && *p != 'e') {
        if (*p != '.' && number.count < capacity)
            number.digits[number.count++] = *p;
        ++p;
    }
    int exponent = 0;
    if (p != end) {
        ++p; // 'e'
        if (p != end && *p == '+')
            ++p;
        std::from_chars(p, end, exponent);
    }
    number.pointPosition = exponent + 1;
    dropTrailingZeros(number);
    return number;
}

} // namespace

DecimalDigits DecimalDigitsOf(double value, int precision) {
    char text[64];
    const auto result = precision > 0 ? std::to_chars(text, text + sizeof text, value,
                                                      std::chars_format::scientific, precision - 1)
                                      : std::to_chars(text, text + sizeof text, value,
                                                      std::chars_format::scientific);
    return digitsOfScientific(text, result.ptr);
}

DecimalDigits ShortestDecimalDigitsOf(float value) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    return digitsOfScientific(text, result.ptr);
}

void RoundDecimalDigits(DecimalDigits& number, int keep) {
    if (keep >= number.count)
        return;
    if (keep < 0) {
        number.count = 0;
        number.pointPosition = 0;
        return;
    }
    const bool up = number.digits[keep] >= '5';
    number.count = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && number.digits[i] == '9') {
            number.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++number.digits[i];
        } else {
            // All nines (or nothing kept): the value becomes the next power of ten.
            number.digits[0] = '1';
            number.count = 1;
            ++number.pointPosition;
        }
    }
    dropTrailingZeros(number);
}

} // namespace tessaplot
