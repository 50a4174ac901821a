#pragma once

#include <string>

namespace tessaplot {

// The user's decimal separator, for numbers shown (tables always use '.').
std::string LocaleDecimalSeparator();

} // namespace tessaplot
