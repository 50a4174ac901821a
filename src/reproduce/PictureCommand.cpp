#include "reproduce/PictureCommand.h"

#include "reproduce/ShellWord.h"

#include <algorithm>
#include <functional>

namespace tessaplot {

namespace {

using Values = std::vector<std::string>;

// One option of the command: its name and the values it is written with for these
// choices, one `--name value` each (an empty value writes the name alone); none when
// the choice is the default. The table's order is the command's.
struct OptionEntry {
    const char* name;
    std::function<Values(const PictureChoices&)> values;
};

Values when(bool written, std::string value) {
    return written ? Values{std::move(value)} : Values{};
}

bool fieldPage(const PictureChoices& c) {
    return c.page == "Fabric" || c.page == "Fibers";
}

// The key, a fixed range and a difference colour the mesh; an exported section is
// the 2D picture alone.
bool meshPicture(const PictureChoices& c) {
    return fieldPage(c) && (c.exportFile.empty() || c.sectionKind.empty());
}

std::string joined(const Values& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ",") + part;
    return text;
}

const std::vector<OptionEntry>& optionEntries() {
    static const std::vector<OptionEntry> entries = {
        {"--export", [](const auto& c) { return when(!c.exportFile.empty(), c.exportFile); }},
        {"--scale",
         [](const auto& c) {
             return when(!c.exportFile.empty() && c.scale != 1, std::to_string(c.scale));
         }},
        {"--page", [](const auto& c) { return when(c.page != "Fabric", c.page); }},
        {"--layer",
         [](const auto& c) {
             return when(c.page == "Fabric" && c.layer != 1, std::to_string(c.layer));
         }},
        {"--fibre",
         [](const auto& c) { return when(c.page == "Fibers" && !c.fibre.empty(), c.fibre); }},
        {"--variable", [](const auto& c) { return when(!c.variable.empty(), c.variable); }},
        {"--section",
         [](const auto& c) {
             return when(!c.sectionKind.empty(), c.sectionKind + ":" + c.sectionValue);
         }},
        {"--colors",
         [](const auto& c) {
             return when(fieldPage(c) && (c.fromColor != "Blue" || c.toColor != "Red"),
                         c.fromColor + "," + c.toColor);
         }},
        {"--color-axis",
         [](const auto& c) { return when(fieldPage(c) && c.colorAxis != "Z", c.colorAxis); }},
        {"--view",
         [](const auto& c) {
             if (!fieldPage(c))
                 return Values{};
             if (c.viewMatrix)
                 return Values{ViewMatrixText(*c.viewMatrix)};
             return when(!StepsAfterLastReset(c.viewSteps).empty(),
                         joined(StepsAfterLastReset(c.viewSteps)));
         }},
        {"--compare", [](const auto& c) { return c.compare; }},
        {"--difference-from",
         [](const auto& c) {
             return when(meshPicture(c) && c.sectionKind.empty() && !c.compare.empty() &&
                             !c.differenceFrom.empty(),
                         c.differenceFrom);
         }},
        {"--color-key", [](const auto& c) { return when(meshPicture(c) && c.colourKey, ""); }},
        {"--range",
         [](const auto& c) {
             return when(meshPicture(c) && c.range.has_value(),
                         c.range ? ShortestFloatText(c.range->first) + "," +
                                       ShortestFloatText(c.range->second)
                                 : "");
         }},
        {"--mark-time",
         [](const auto& c) {
             return when(c.markedTime.has_value(),
                         c.markedTime ? ShortestFloatText(*c.markedTime) : "");
         }},
        {"--measured", [](const auto& c) { return c.measured; }},
        {"--phases", [](const auto& c) { return when(!c.phases.empty(), c.phases); }},
        {"--threshold", [](const auto& c) { return c.thresholds; }},
        {"--tolerance", [](const auto& c) { return c.tolerances; }},
    };
    return entries;
}

} // namespace

std::vector<std::string> StepsAfterLastReset(const std::vector<std::string>& steps) {
    const auto reset = std::find(steps.rbegin(), steps.rend(), "Reset");
    return std::vector<std::string>(reset.base(), steps.end());
}

std::string PictureCommandText(const PictureChoices& choices) {
    std::string command = "plotvane";
    for (const OptionEntry& entry : optionEntries())
        for (const std::string& value : entry.values(choices)) {
            command += ' ';
            command += entry.name;
            if (!value.empty())
                command += ' ' + ShellWord(value);
        }
    if (!choices.directory.empty())
        command += ' ' + ShellWord(choices.directory);
    return command;
}

} // namespace tessaplot
