#pragma once

#include <string_view>

namespace tessaplot {

// Reads one table column the way the simulation writes numbers: optional leading
// white space, optional sign, digits with an optional '.' and fraction, optional
// exponent. The number ends at the first character that cannot continue it; a
// column that is empty or does not start with a number reads 0. Always '.', never
// the locale's separator. Converted in double precision, returned as the 32-bit
// value the stores keep; magnitudes beyond float range saturate at the largest
// finite float so that a stray huge number cannot poison extents with infinity.
float ParseDecimal(std::string_view text) noexcept;

// The same conversion in double precision (before narrowing to float).
double ParseDecimalDouble(std::string_view text) noexcept;

} // namespace tessaplot
