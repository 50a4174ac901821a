#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// The shortest decimal text that reads back as exactly this 32-bit value ('.' as the
// decimal point, whatever the locale): "0.05", "1.25e-07", "inf", "nan".
std::string FloatText(float value);

// One field of a comma-separated table (RFC 4180): quoted when it holds a comma, a
// double quote, a line break or leading or trailing spaces, its quotes doubled.
std::string CsvField(std::string_view text);

// One line of a comma-separated table: its fields as CsvField gives them, ended with CR LF.
std::string CsvRow(const std::vector<std::string>& fields);

// A table of numbers under a header: each row as many columns as the header, lines
// ended with CR LF. Rows are column-major sources: `columns[c][r]`. With `leadingText`
// (a text per row, as for the run each row belongs to) that is the first column, the
// numbers follow it.
std::string CsvTable(const std::vector<std::string>& header,
                     const std::vector<std::vector<float>>& columns,
                     const std::vector<std::string>& leadingText = {});

// A table of texts, each row as it is given, lines ended with CR LF.
std::string CsvText(const std::vector<std::vector<std::string>>& rows);

// The file name proposed for a picture or table: the data set's directory name, the
// page, the layer or fibre file and the variable's name without its unit, joined by
// '_', each made safe for a file name ("jacket-run_Fabric_layer1_Temperature.pdf").
// Empty parts are left out.
std::string SuggestedExportName(const std::vector<std::string>& parts, std::string_view extension);

// A part of such a name: the text before its unit in parentheses, runs of spaces as one
// '-', characters unsafe in file names as '_' ("Relative Humidity(%)" -> "Relative-Humidity").
std::string FileNamePart(std::string_view text);

} // namespace tessaplot
