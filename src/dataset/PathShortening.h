#pragma once

#include <functional>
#include <string>

namespace tessaplot {

using TextWidthFunction = std::function<int(const std::string&)>;

// Shortens a directory path until textWidth(result) <= maxWidth: the root ("/", "C:\")
// and the last directory name stay, and the names between go one at a time from the
// left, replaced by "..." and the separator (/.../runs/a, C:\...\runs\a). If that is
// still too wide the root goes next, then the ellipsis, leaving the last name alone,
// which is returned even when it does not fit.
std::string ShortenDirectoryPath(const std::string& path, int maxWidth,
                                 const TextWidthFunction& textWidth, char separator);

} // namespace tessaplot
