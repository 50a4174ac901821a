#pragma once

#include <optional>
#include <string_view>

namespace tessaplot {

// `text` without the spaces and TABs around it.
std::string_view TrimmedText(std::string_view text);

// A number typed by a person or a spreadsheet: '.' as the decimal point whatever the
// locale, an optional sign ('+' too) and exponent, nothing before or after it (spaces
// around it aside). "nan" and "inf" are not numbers here. None for anything else.
std::optional<double> WholeNumber(std::string_view text);

// The same number at the start of `text` (spaces before it skipped); on success `text`
// is moved past it.
std::optional<double> LeadingNumber(std::string_view& text);

} // namespace tessaplot
