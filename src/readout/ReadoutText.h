#pragma once

#include <string>
#include <string_view>

namespace tessaplot {

// A picture's title split into the quantity's name and its unit: "Temperature (C)"
// gives "Temperature" and "C", "Time(s)" gives "Time" and "s"; a title without a
// closing bracketed tail is all name.
struct TitleParts {
    std::string name;
    std::string unit;
};
TitleParts SplitTitle(std::string_view title);

// One line of a pointer readout: "name: value unit", the value written with the
// pattern of the axis it is read against, so the label and the ticks agree digit for
// digit.
std::string ReadoutLine(std::string_view title, double value, std::string_view pattern,
                        std::string_view separator);

} // namespace tessaplot
