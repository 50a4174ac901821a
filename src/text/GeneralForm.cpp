#include "text/GeneralForm.h"

#include "text/DecimalDigits.h"

#include <cmath>

namespace tessaplot {

namespace {

constexpr int significantDigits = 15;

void appendDigits(std::string& out, const DecimalDigits& number, int from, int to) {
    for (int i = from; i < to; ++i)
        out += i >= 0 && i < number.count ? number.digits[i] : '0';
}

// The digits laid out as the general form lays them out.
std::string generalLayout(const DecimalDigits& number, std::string_view separator) {
    if (number.count == 0)
        return "0";

    std::string out;
    if (number.negative)
        out += '-';
    // Decimal exponent of the leading digit: d.ddd x 10^exponent.
    const int exponent = number.pointPosition - 1;
    if (exponent >= -4 && exponent < significantDigits) {
        if (number.pointPosition <= 0) {
            out += '0';
            out += separator;
            appendDigits(out, number, number.pointPosition, number.count);
        } else {
            appendDigits(out, number, 0, number.pointPosition);
            if (number.count > number.pointPosition) {
                out += separator;
                appendDigits(out, number, number.pointPosition, number.count);
            }
        }
    } else {
        out += number.digits[0];
        if (number.count > 1) {
            out += separator;
            appendDigits(out, number, 1, number.count);
        }
        out += 'E';
        out += std::to_string(exponent);
    }
    return out;
}

std::string nonFiniteText(double value) {
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

} // namespace

std::string GeneralDecimalForm(double value, std::string_view separator) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    return generalLayout(DecimalDigitsOf(value, significantDigits), separator);
}

std::string ShortestDecimalForm(float value, std::string_view separator) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    return generalLayout(ShortestDecimalDigitsOf(value), separator);
}

std::string PositionText(float position, std::string_view separator) {
    std::string text = GeneralDecimalForm(position, ".");
    if (text.size() > 6)
        text.resize(6);
    const auto point = text.find('.');
    if (point != std::string::npos && separator != ".")
        text.replace(point, 1, separator);
    return text;
}

} // namespace tessaplot
