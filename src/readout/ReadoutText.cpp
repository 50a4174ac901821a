#include "readout/ReadoutText.h"

#include "text/GeneralForm.h"

namespace tessaplot {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

TitleParts SplitTitle(std::string_view title) {
    const std::string_view whole = trimmed(title);
    const auto open = whole.rfind('(');
    if (whole.empty() || whole.back() != ')' || open == std::string_view::npos || open == 0)
        return {std::string(whole), {}};
    return {std::string(trimmed(whole.substr(0, open))),
            std::string(trimmed(whole.substr(open + 1, whole.size() - open - 2)))};
}

std::string ReadoutLine(std::string_view title, float value, std::string_view separator) {
    return ReadoutLine(SplitTitle(title), value, separator);
}

std::string ReadoutLine(const TitleParts& parts, float value, std::string_view separator) {
    std::string line = parts.name + ": " + ShortestDecimalForm(value, separator);
    if (!parts.unit.empty())
        line += " " + parts.unit;
    return line;
}

std::string ComparedRunReadoutLine(std::string_view runName, float value,
                                   std::string_view valueNote, float runTime, float time,
                                   std::string_view separator) {
    // A run's name is no title: "jacket-run (2)" has no unit to split off.
    std::string line = std::string(runName) + ": " + ShortestDecimalForm(value, separator) +
                       std::string(valueNote);
    if (runTime != time)
        line += " at " + ShortestDecimalForm(runTime, separator) + " min.";
    return line;
}

} // namespace tessaplot
