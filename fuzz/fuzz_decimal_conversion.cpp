// Compares the table number conversion with the C library's on every input that uses
// only the tables' grammar (no hexadecimal, no "inf"/"nan", which the tables never hold).
#include "text/DecimalConversion.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const float value = tessaplot::ParseDecimal(text);
    if (std::isnan(value) || std::isinf(value))
        std::abort();
    if (text.find_first_of("xXiInNpP") != std::string::npos || std::strlen(text.c_str()) != size)
        return 0;
    errno = 0;
    const double reference = std::strtod(text.c_str(), nullptr);
    const double ours = tessaplot::ParseDecimalDouble(text);
    if (std::isinf(reference)) {
        if (!(std::abs(ours) == std::numeric_limits<double>::infinity() &&
              std::signbit(ours) == std::signbit(reference)))
            std::abort();
        return 0;
    }
    if (ours != reference && !(ours == 0 && reference == 0))
        std::abort();
    return 0;
}
