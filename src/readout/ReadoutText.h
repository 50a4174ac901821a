#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
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
// The same with the name and unit given apart (a name may end in brackets of its own).
std::string ReadoutLine(const TitleParts& title, double value, std::string_view pattern,
                        std::string_view separator);

// The record whose time lies nearest `t`, the earlier of two as near; none for no
// records. Records are in time order, as every table writes them.
template <typename Record, typename TimeOf>
std::optional<std::size_t> NearestInTime(std::span<const Record> records, float t, TimeOf timeOf) {
    if (records.empty())
        return std::nullopt;
    const auto after = std::partition_point(records.begin(), records.end(),
                                            [&](const Record& r) { return timeOf(r) < t; });
    std::size_t at = static_cast<std::size_t>(after - records.begin());
    if (at == records.size() || (at > 0 && t - timeOf(records[at - 1]) <= timeOf(records[at]) - t))
        --at;
    return at;
}

// A compared run's line under the opened run's: "name: value", what the value says
// (a band), and the run's own time when its nearest record is not at `time`
// ("name: 55 (Acceptable) at 45 min.").
std::string ComparedRunReadoutLine(std::string_view runName, double value,
                                   std::string_view valueNote, float runTime, float time,
                                   std::string_view pattern, std::string_view timePattern,
                                   std::string_view separator);

} // namespace tessaplot
