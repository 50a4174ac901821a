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

// One line of a pointer readout: "name: value unit". Every number read off a picture is
// a 32-bit value (a record's, or a difference taken in 32 bits) and is written with the
// shortest digits that read back as it: those the file held, none it did not.
std::string ReadoutLine(std::string_view title, float value, std::string_view separator);
// The same with the name and unit given apart (a name may end in brackets of its own).
std::string ReadoutLine(const TitleParts& title, float value, std::string_view separator);

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
std::string ComparedRunReadoutLine(std::string_view runName, float value,
                                   std::string_view valueNote, float runTime, float time,
                                   std::string_view separator);

} // namespace tessaplot
