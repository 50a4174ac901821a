#pragma once

#include <span>
#include <string_view>

namespace tessaplot {

// BodyProperty.dat holds the time and then one column per body quantity.
inline constexpr int BodyQuantityCount = 17;

// The quantities as the BodyProperty page's radio items name them, in their order:
// item i is read from column i + 1.
std::span<const std::string_view> BodyQuantityNames();

} // namespace tessaplot
