#include "compare/RunComparisonTable.h"

#include "comfort/BandStatistics.h"
#include "comfort/Conclusions.h"
#include "comfort/SensationBands.h"
#include "compare/RunFigures.h"
#include "text/FormatPattern.h"
#include "text/GeneralForm.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace tessaplot {

namespace {

std::string signedText(bool negative, const std::string& magnitude, std::string_view unit) {
    if (magnitude == "0")
        return "0" + std::string(unit);
    return (negative ? "-" : "+") + magnitude + std::string(unit);
}

std::string withDifference(const std::string& value, const std::string& difference) {
    return value + "  (" + difference + ")";
}

// The sensation's part of one run: the statistics when it could be read and holds
// records, otherwise what its column says instead.
struct SensationColumn {
    std::optional<BandStatistics> stats;
    ConclusionCaptions captions;
    std::string instead;
};

SensationColumn sensationColumn(const RunTableInput& run, ComfortQuantity quantity,
                                std::string_view separator) {
    SensationColumn column;
    if (!run.comfortProblem.empty()) {
        column.instead = run.comfortProblem;
    } else if (run.comfort.empty()) {
        column.instead = "No records.";
    } else {
        column.stats = ComputeBandStatistics(run.comfort, quantity);
        column.captions = ConclusionTexts(*column.stats, quantity, separator);
    }
    return column;
}

void addSensationRows(TextTable& table, std::span<const RunTableInput> runs,
                      const RunTableChoice& choice) {
    const auto quantity = static_cast<ComfortQuantity>(choice.sensationItem);
    const std::string& separator = choice.decimalSeparator;
    std::vector<SensationColumn> columns;
    for (const RunTableInput& run : runs)
        columns.push_back(sensationColumn(run, quantity, separator));

    const auto bands = SensationBandsOf(quantity);
    const int bandCount = static_cast<int>(bands.size());
    const std::size_t firstRow = table.size();
    table.push_back({"Whole time"});
    table.push_back({"Time of the highest value"});
    table.push_back({"Time of the lowest value"});
    for (int row = 0; row < bandCount; ++row)
        table.push_back({std::string(bands[bandCount - 1 - row].name)});

    const SensationColumn& opened = columns.front();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const SensationColumn& column = columns[c];
        if (!column.stats) {
            table[firstRow].push_back(column.instead);
            for (std::size_t r = firstRow + 1; r < table.size(); ++r)
                table[r].push_back({});
            continue;
        }
        const bool differs = c > 0 && opened.stats.has_value();
        const BandStatistics& stats = *column.stats;
        const auto timeCell = [&](int label, float time, float openedTime) {
            const std::string& text = column.captions[ConclusionIndex(label)];
            return differs ? withDifference(text, TimeDifferenceText(time, openedTime, separator))
                           : text;
        };
        table[firstRow].push_back(
            timeCell(15, stats.wholeTime, differs ? opened.stats->wholeTime : 0));
        table[firstRow + 1].push_back(
            timeCell(16, stats.highestTime, differs ? opened.stats->highestTime : 0));
        table[firstRow + 2].push_back(
            timeCell(17, stats.lowestTime, differs ? opened.stats->lowestTime : 0));
        for (int row = 0; row < bandCount; ++row) {
            const int band = bandCount - 1 - row;
            // The caption is "<band>    <share>%": the share as the page writes it.
            const std::string& caption = column.captions[ConclusionIndex(18) + row];
            const std::string share =
                caption.substr(std::min(caption.size(), bands[band].name.size() + 4));
            table[firstRow + 3 + static_cast<std::size_t>(row)].push_back(
                differs ? withDifference(
                              share, ShareDifferenceText(stats.roundedPercentages[band],
                                                         opened.stats->roundedPercentages[band]))
                        : share);
        }
    }
}

void addBodyRows(TextTable& table, std::span<const RunTableInput> runs,
                 const RunTableChoice& choice) {
    const std::size_t firstRow = table.size();
    table.push_back({"Lowest"});
    table.push_back({"Highest"});
    table.push_back({"Mean over the records"});
    table.push_back({"Final value"});
    const std::string& separator = choice.decimalSeparator;
    for (const RunTableInput& run : runs) {
        const RunFigures figures = ComputeRunFigures(run.body);
        std::vector<std::string> cells(4);
        if (!run.bodyProblem.empty())
            cells[0] = run.bodyProblem;
        else if (figures.recordCount == 0)
            cells[0] = "No records.";
        else
            // A record's value with the digits the file held; the mean, like every
            // derived figure, narrowed to the 32 bits the files hold and written alike.
            cells = {ShortestDecimalForm(figures.lowest, separator),
                     ShortestDecimalForm(figures.highest, separator),
                     ShortestDecimalForm(static_cast<float>(figures.mean), separator),
                     ShortestDecimalForm(figures.final, separator)};
        for (std::size_t r = 0; r < cells.size(); ++r)
            table[firstRow + r].push_back(cells[r]);
    }
}

} // namespace

std::string ShareDifferenceText(int share, int openedShare) {
    const int difference = share - openedShare;
    return signedText(difference < 0, std::to_string(std::abs(difference)), " %");
}

std::string TimeDifferenceText(float time, float openedTime, std::string_view separator) {
    // Both widened first: the difference of the stored values, not of their roundings.
    const double difference = static_cast<double>(time) - static_cast<double>(openedTime);
    return signedText(difference < 0, FormatWithPattern(std::fabs(difference), "#0.##", separator),
                      " min.");
}

TextTable RunComparisonTable(std::span<const RunTableInput> runs, const RunTableChoice& choice) {
    TextTable table;
    table.push_back({""});
    for (const RunTableInput& run : runs)
        table.front().push_back(run.name);
    const std::size_t width = table.front().size();
    const auto heading = [&](std::string text) {
        std::vector<std::string> row(width);
        row[0] = std::move(text);
        table.push_back(std::move(row));
    };

    if (!IsComfortQuantity(choice.sensationItem)) {
        heading("BodyComfort: no sensation is chosen on its page");
    } else {
        heading("BodyComfort: " + choice.sensationName);
        if (!runs.empty())
            addSensationRows(table, runs, choice);
    }
    if (choice.bodyItem < 0) {
        heading("BodyProperty: no quantity is chosen on its page");
    } else {
        heading("BodyProperty: " + choice.bodyName);
        if (!runs.empty())
            addBodyRows(table, runs, choice);
    }
    return table;
}

} // namespace tessaplot
