#include "evidence/MeasuredTable.h"

#include "evidence/NumberText.h"
#include "evidence/QuantityMatch.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

namespace tessaplot {

namespace {

constexpr double missing = std::numeric_limits<double>::quiet_NaN();

std::string_view trimmedCell(std::string_view cell) {
    cell = TrimmedText(cell);
    if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"')
        cell = cell.substr(1, cell.size() - 2);
    return cell;
}

std::vector<std::string_view> splitCells(std::string_view line, char separator) {
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        cells.push_back(trimmedCell(line.substr(start, end - start)));
        if (end == std::string_view::npos)
            return cells;
        start = end + 1;
    }
}

MeasuredTable refused(int line, int column, std::string message) {
    MeasuredTable table;
    table.problem = {line, column, std::move(message)};
    return table;
}

std::string notANumber(std::string_view what, std::string_view cell) {
    std::string message(what);
    message += " \"";
    message += cell;
    message += "\" is not a number";
    if (cell.find(',') != std::string_view::npos)
        message += " (the decimal point must be '.')";
    return message;
}

// The first byte that no text table holds: NUL and the other control codes but TAB,
// line feed and carriage return (and form feed, which some exporters end pages with).
std::size_t firstBinaryByte(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f')
            return i;
    }
    return std::string_view::npos;
}

} // namespace

MeasuredTable ParseMeasuredTable(std::string_view text) {
    if (text.size() > MeasuredFileLimit)
        return refused(0, 0, "the file is larger than a measured table can be (16 MB)");
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    if (const std::size_t at = firstBinaryByte(text); at != std::string_view::npos) {
        const std::string_view before = text.substr(0, at);
        const auto line = static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1;
        return refused(line, 0, "the file is not text (it holds control bytes)");
    }

    MeasuredTable table;
    char separator = ',';
    std::vector<int> valueColumnOf; // per table column: the series it feeds, or -1
    std::vector<int> deviationOf;   // per table column: the series it is the SD of, or -1
    std::size_t columns = 0;
    int lineNumber = 0;
    bool header = true;
    double lastTime = 0.0;
    int lastTimeLine = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        while (!line.empty() && (line.back() == '\r' || line.back() == '\f'))
            line.remove_suffix(1);
        if (trimmedCell(line).empty())
            continue;

        if (header) {
            header = false;
            separator = line.find('\t') != std::string_view::npos  ? '\t'
                        : line.find(';') != std::string_view::npos ? ';'
                                                                   : ',';
            const std::vector<std::string_view> names = splitCells(line, separator);
            columns = names.size();
            // A table without its header starts with a time.
            if (WholeNumber(names[0]))
                return refused(lineNumber, 1,
                               "the first line must name the columns, but starts with the "
                               "number \"" +
                                   std::string(names[0]) + "\"");
            for (std::size_t c = 0; c < columns; ++c) {
                if (names[c].empty())
                    return refused(lineNumber, static_cast<int>(c) + 1, "the column has no name");
            }
            if (columns < 2)
                return refused(lineNumber, 0,
                               "the header names no measured series after the time column");
            table.timeHeader = names[0];
            valueColumnOf.assign(columns, -1);
            deviationOf.assign(columns, -1);
            // Series first, so that an SD column may stand before or after its series.
            for (std::size_t c = 1; c < columns; ++c) {
                for (std::size_t d = 1; d < c; ++d) {
                    if (NormalisedQuantityName(names[d]) == NormalisedQuantityName(names[c]))
                        return refused(lineNumber, static_cast<int>(c) + 1,
                                       "the column repeats the name of column " +
                                           std::to_string(d + 1));
                }
            }
            for (std::size_t c = 1; c < columns; ++c) {
                const auto of = StandardDeviationOf(names[c]);
                bool paired = false;
                if (of) {
                    const std::string wanted = NormalisedQuantityName(*of);
                    for (std::size_t s = 1; s < columns && !paired; ++s) {
                        if (s != c && !StandardDeviationOf(names[s]) &&
                            NormalisedQuantityName(names[s]) == wanted) {
                            deviationOf[c] = static_cast<int>(s); // a column for now
                            paired = true;
                        }
                    }
                }
                if (!paired) {
                    valueColumnOf[c] = static_cast<int>(table.series.size());
                    MeasuredSeries series;
                    series.name = names[c];
                    series.column = static_cast<int>(c) + 1;
                    table.series.push_back(std::move(series));
                }
            }
            for (std::size_t c = 1; c < columns; ++c) {
                if (deviationOf[c] >= 0) {
                    const int series = valueColumnOf[static_cast<std::size_t>(deviationOf[c])];
                    deviationOf[c] = series;
                    table.series[static_cast<std::size_t>(series)].deviationColumn =
                        static_cast<int>(c) + 1;
                }
            }
            continue;
        }

        const std::vector<std::string_view> cells = splitCells(line, separator);
        if (cells.size() != columns)
            return refused(lineNumber, static_cast<int>(std::min(cells.size(), columns)) + 1,
                           "the line has " + std::to_string(cells.size()) +
                               " columns where the header has " + std::to_string(columns));
        if (cells[0].empty())
            return refused(lineNumber, 1, "the line has no time");
        const std::optional<double> time = WholeNumber(cells[0]);
        if (!time)
            return refused(lineNumber, 1, notANumber("the time", cells[0]));
        if (lastTimeLine > 0 && *time < lastTime)
            return refused(lineNumber, 1,
                           "the time goes back from line " + std::to_string(lastTimeLine));
        lastTime = *time;
        lastTimeLine = lineNumber;

        std::vector<double> numbers(columns, missing);
        for (std::size_t c = 1; c < columns; ++c) {
            if (cells[c].empty())
                continue;
            const std::optional<double> value = WholeNumber(cells[c]);
            if (!value)
                return refused(lineNumber, static_cast<int>(c) + 1,
                               notANumber("the value", cells[c]));
            if (deviationOf[c] >= 0 && *value < 0.0)
                return refused(lineNumber, static_cast<int>(c) + 1,
                               "a standard deviation cannot be negative");
            numbers[c] = *value;
        }
        for (std::size_t c = 1; c < columns; ++c) {
            if (valueColumnOf[c] < 0 || cells[c].empty())
                continue;
            MeasuredSeries& series = table.series[static_cast<std::size_t>(valueColumnOf[c])];
            series.times.push_back(*time);
            series.values.push_back(numbers[c]);
            if (series.deviationColumn > 0)
                series.deviations.push_back(
                    numbers[static_cast<std::size_t>(series.deviationColumn - 1)]);
        }
    }
    if (header)
        return refused(1, 0, "the file is empty: it has no header line");
    return table;
}

MeasuredTable ReadMeasuredFile(const std::string& path) {
    OpenFailure failure;
    std::uint64_t size = 0;
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file(OpenRegularFile(path, &size, &failure));
    if (!file) {
        switch (failure.kind) {
        case OpenFailure::Kind::Absent:
            return refused(0, 0, "there is no such file");
        case OpenFailure::Kind::NotRegular:
            return refused(0, 0, "it is not a regular file");
        default:
            return refused(0, 0, SystemErrorText(failure.code));
        }
    }
    // One byte beyond the limit tells a file that is too large, whatever its size said.
    std::string text(static_cast<std::size_t>(std::min(size, MeasuredFileLimit) + 1), '\0');
    std::size_t filled = 0;
    int error = 0;
    for (;;) {
        if (filled == text.size())
            text.resize(std::min<std::size_t>(text.size() * 2, MeasuredFileLimit + 1));
        if (filled == text.size())
            break;
        const std::size_t got =
            ReadFileBytes(file.get(), text.data() + filled, text.size() - filled, error);
        if (got == 0)
            break;
        filled += got;
    }
    if (error != 0)
        return refused(0, 0, SystemErrorText(error));
    text.resize(filled);
    return ParseMeasuredTable(text);
}

std::string MeasuredProblemText(const MeasuredProblem& problem) {
    std::string text;
    if (problem.line > 0) {
        text = "line " + std::to_string(problem.line);
        if (problem.column > 0)
            text += ", column " + std::to_string(problem.column);
        text += ": ";
    }
    return text + problem.message;
}

} // namespace tessaplot
