// Format patterns, the general form and the position text on any double: bounded,
// well-formed texts that read back as the value they stand for.
#include "FuzzInput.h"
#include "text/FormatPattern.h"
#include "text/GeneralForm.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {
constexpr const char* kPatterns[] = {"#0.###", "#0.000", "#0.00", "#0.##", "##0.###", "0.00E-0"};
// Half a unit of the last digit each pattern shows, with room for binary rounding.
constexpr double kHalfUnit[] = {0.0005, 0.0005, 0.005, 0.005, 0.0005, 0.005};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const int which = input.pick(0, 5);
    const char* pattern = kPatterns[which];
    const double value = input.number();
    const std::string text = tessaplot::FormatWithPattern(value, pattern);
    if (text.empty() || text.size() > 330)
        std::abort();
    // Subnormal values carry too few bits to read back within half a unit.
    if (std::isfinite(value) && std::abs(value) < 1e15 && std::abs(value) > 1e-300) {
        const double back = std::strtod(text.c_str(), nullptr);
        const double tolerance = which == 5 ? std::abs(value) * kHalfUnit[which] * 1.0001
                                            : kHalfUnit[which] * 1.0001 + std::abs(value) * 1e-15;
        if (std::abs(back - value) > tolerance)
            std::abort();
    }
    const std::string general = tessaplot::GeneralDecimalForm(value);
    // Fifteen digits of a value within 5e-15 of the largest double round past it.
    if (std::isfinite(value) && std::abs(value) < 1.7976931348623e308) {
        const double back = std::strtod(general.c_str(), nullptr);
        if (std::abs(back - value) > std::abs(value) * 1e-14)
            std::abort();
    }
    const std::string position = tessaplot::PositionText(static_cast<float>(value));
    if (position.size() > 6)
        std::abort();
    return 0;
}
