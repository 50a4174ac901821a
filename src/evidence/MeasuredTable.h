#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// Measured data beside a simulation: a thermal manikin's or a human trial's skin and core
// temperatures, sensation votes and the like, as a text table a spreadsheet writes.
//
// The table's form:
// - The first line is the header and names the columns. Its separator decides the
//   file's: a TAB when the header holds one, else a semicolon when it holds one, else a
//   comma. A line may end in CR LF; a UTF-8 byte-order mark before the header is skipped;
//   white space around a cell and double quotes around a whole cell are not part of it.
// - The first column is the time in minutes; every line needs one, and times never go
//   back (equal times are allowed: repeated measurements).
// - Every further column is a measured series, named by its header. A column headed
//   "<name> SD" is the standard deviation of the series headed "<name>" (names compared
//   as NormalisedQuantityName compares them); an SD column without its series is kept
//   as a series of its own, which then matches no quantity.
// - Numbers use '.' as the decimal point whatever the locale, with an optional sign and
//   exponent; "nan" and "inf" are not measurements.
// - An empty cell is a missing measurement: that series has no point at that time (a
//   vote taken every half hour beside a temperature logged every minute). An empty SD
//   cell beside a value gives that point no deviation. Blank lines are skipped.
// Anything else refuses the whole file, naming the first line and column (both from 1)
// at fault: nothing of a refused file is used.

struct MeasuredSeries {
    std::string name;           // the header as written (trimmed, unquoted)
    int column = 0;             // from 1, as the user counts in a spreadsheet
    int deviationColumn = 0;    // of its SD column; 0 when it has none
    std::vector<double> times;  // minutes, never decreasing
    std::vector<double> values; // one per time
    // One per time when the series has an SD column (NaN where that cell is empty),
    // otherwise empty.
    std::vector<double> deviations;
};

struct MeasuredProblem {
    int line = 0;   // from 1; 0 for a problem of the whole file (too large)
    int column = 0; // from 1; 0 for a problem of the whole line
    std::string message;
};

struct MeasuredTable {
    std::string timeHeader;
    std::vector<MeasuredSeries> series; // in column order
    bool ok() const { return problem.message.empty(); }
    MeasuredProblem problem; // set when refused; then `series` is empty
};

// Refused beyond this size: measured data are hundreds of lines, never gigabytes.
inline constexpr std::uint64_t MeasuredFileLimit = 16u * 1024u * 1024u;

MeasuredTable ParseMeasuredTable(std::string_view text);

// Reads the file at `path` (bounded by MeasuredFileLimit) and parses it. A file that
// cannot be opened or read is refused with the system's reason.
MeasuredTable ReadMeasuredFile(const std::string& path);

// "line 4, column 2: ..." for a refused table; the message alone for a whole-file problem.
std::string MeasuredProblemText(const MeasuredProblem& problem);

} // namespace tessaplot
