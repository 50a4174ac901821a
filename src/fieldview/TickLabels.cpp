#include "fieldview/TickLabels.h"

#include "text/FormatPattern.h"

namespace tessaplot {

TickLabelTable MakeTickLabels(float min, float max, std::string_view pattern,
                              std::string_view separator) {
    const double low = min;
    const double range = static_cast<double>(max) - low;
    TickLabelTable labels;
    for (int i = 0; i < kTickLabelCount; ++i)
        labels[static_cast<std::size_t>(i)] =
            FormatWithPattern(low + (i * range) * 0.2, pattern, separator);
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
