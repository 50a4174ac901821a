#include "export/CsvTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tessaplot {

std::string FloatText(float value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string CsvField(std::string_view text) {
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted)
        return std::string(text);
    std::string field = "\"";
    for (char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    field += '"';
    return field;
}

std::string CsvRow(const std::vector<std::string>& fields) {
    std::string row;
    for (std::size_t c = 0; c < fields.size(); ++c) {
        if (c > 0)
            row += ',';
        row += CsvField(fields[c]);
    }
    row += "\r\n";
    return row;
}

std::string CsvText(const std::vector<std::vector<std::string>>& rows) {
    std::string table;
    for (const auto& row : rows)
        table += CsvRow(row);
    return table;
}

std::string CsvTable(const std::vector<std::string>& header,
                     const std::vector<std::vector<float>>& columns,
                     const std::vector<std::string>& leadingText) {
    std::string table = CsvRow(header);
    std::size_t rows = columns.empty() ? 0 : columns.front().size();
    for (const auto& column : columns)
        rows = std::min(rows, column.size());
    const bool text = !leadingText.empty();
    if (text)
        rows = std::min(rows, leadingText.size());
    for (std::size_t r = 0; r < rows; ++r) {
        if (text)
            table += CsvField(leadingText[r]);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (c > 0 || text)
                table += ',';
            table += FloatText(columns[c][r]);
        }
        table += "\r\n";
    }
    return table;
}

std::string FileNamePart(std::string_view text) {
    const std::size_t unit = text.find('(');
    if (unit != std::string_view::npos && unit > 0)
        text = text.substr(0, unit);
    std::string part;
    bool space = false;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            space = true;
            continue;
        }
        if (space && !part.empty())
            part += '-';
        space = false;
        const bool unsafe =
            std::string_view("/\\:*?\"<>|()%&^,;").find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 0x20;
        part += unsafe ? '_' : c;
    }
    return part;
}

std::string SuggestedExportName(const std::vector<std::string>& parts, std::string_view extension) {
    std::string name;
    for (const std::string& part : parts) {
        const std::string safe = FileNamePart(part);
        if (safe.empty())
            continue;
        if (!name.empty())
            name += '_';
        name += safe;
    }
    if (name.empty())
        name = "picture";
    name += '.';
    name += extension;
    return name;
}

} // namespace tessaplot
