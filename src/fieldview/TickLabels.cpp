#include "fieldview/TickLabels.h"

#include "text/FormatPattern.h"

namespace tessaplot {

double TickValue(float min, float max, int i) {
    const double low = min;
    const double range = static_cast<double>(max) - low;
    return low + (i * range) * 0.2;
}

TickLabelTable MakeTickLabels(float min, float max, std::string_view pattern,
                              std::string_view separator) {
    TickLabelTable labels;
    for (int i = 0; i < kTickLabelCount; ++i)
        labels[static_cast<std::size_t>(i)] =
            FormatWithPattern(TickValue(min, max, i), pattern, separator);
    return labels;
}

std::string_view ValueTickPattern(int fabricItem, int bodyItem) {
    // Fabric: "Relative Humidity(%)", "Temperature(degree of C)". Body: skin, core and
    // body temperature, relative humidity of skin.
    const bool fabricFixed = fabricItem == 3 || fabricItem == 5;
    const bool bodyFixed = bodyItem == 0 || bodyItem == 1 || bodyItem == 4 || bodyItem == 15;
    return fabricFixed || bodyFixed ? kFixedValueTickPattern : kScientificValueTickPattern;
}

} // namespace tessaplot
