#pragma once

#include <QString>

#include <string>

namespace tessaplot {

// A path the file calls take (bytes, see platform/PathText.h) as the windows keep it,
// and back. A name that is no UTF-8 survives the round trip, so a path kept in a label
// or a list item still opens.
QString PathFromBytes(const std::string& bytes);
std::string PathBytes(const QString& path);

// A kept path as the user sees it: a byte that is no character shows as U+FFFD.
QString ShownPath(const QString& path);

} // namespace tessaplot
