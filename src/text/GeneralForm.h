#pragma once

#include <string>
#include <string_view>

namespace tessaplot {

// The general decimal form in which shown numbers (times in the conclusions, position
// texts) are written: the value rounded to 15 significant digits, trailing zeros
// dropped, no decimal point when no fraction remains. Magnitudes from 0.0001 up to
// below 10^15 (judged after the rounding) are written in fixed notation, all others in
// scientific notation as mantissa, "E" and the exponent without leading zeros, with '-'
// for a negative exponent and no '+' for a positive one: 1E-5, 1.5E20, -2.5E-7.
//
// A 32-bit value is passed widened to double, which is exact, so a float read from
// "12.3" shows its own digits: 12.3000001907349. Negative zero is written "0"; NaN and
// infinities as "NAN", "INF" and "-INF". The separator replaces the '.' (it is the
// user's decimal separator and may be longer than one byte).
std::string GeneralDecimalForm(double value, std::string_view separator = ".");

// A 32-bit value laid out as the general form lays it out, with the shortest digits
// that read back as the same float: what a table's "3.270823E+01" was read from is
// shown "32.70823", never the digits its widening to double adds.
std::string ShortestDecimalForm(float value, std::string_view separator = ".");

// The key under which a position is listed and looked up again: the first six
// characters of its general form, cut, not rounded (0.0025f gives 0.0024). The
// separator counts as one character.
std::string PositionText(float position, std::string_view separator = ".");

} // namespace tessaplot
