#pragma once

namespace tessaplot {

// The significant decimal digits of a finite double, as std::to_chars produces them,
// split into sign, digit string and decimal point position: the value is
// 0.d1d2d3... x 10^pointPosition. Trailing zeros are dropped; zero has no digits.
struct DecimalDigits {
    bool negative = false;
    int count = 0;
    int pointPosition = 0;
    char digits[24] = {};
};

// precision > 0: the value correctly rounded to that many significant digits.
// precision <= 0: the shortest digits that read back as the same double.
// Only for finite values.
DecimalDigits DecimalDigitsOf(double value, int precision);

// The shortest digits that read back as the same 32-bit value (at most nine), the
// digits a table's "3.270823E+01" was read from. Only for finite values.
DecimalDigits ShortestDecimalDigitsOf(float value);

// Rounds to the first `keep` digits (keep may be <= 0 or beyond count), half away from
// zero on the digits as they stand. A carry out of the first digit moves the point.
void RoundDecimalDigits(DecimalDigits& number, int keep);

} // namespace tessaplot
