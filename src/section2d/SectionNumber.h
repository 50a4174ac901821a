#pragma once

#include <optional>

class QString;

namespace tessaplot {

// A time or position typed or chosen for a section, as the user's locale writes
// numbers; '.' is taken as the decimal point too. Leading and trailing blanks are
// ignored, group separators are not accepted. Nothing when the text is not a number.
std::optional<double> ParseSectionNumber(const QString& text);

// "'<text>' is not a valid floating point value".
QString InvalidNumberMessage(const QString& text);

} // namespace tessaplot
