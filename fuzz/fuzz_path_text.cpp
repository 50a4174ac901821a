#include "platform/PathText.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

// Any bytes a directory may be named with come back byte for byte through the text the
// windows keep, and any text comes back through bytes as itself or as U+FFFD.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string text = tessaplot::PathTextFromBytes(bytes);
    if (tessaplot::PathBytesFromText(text) != bytes)
        std::abort();
    if (tessaplot::ShownPathText(text).size() != text.size())
        std::abort();
    // The same bytes taken as UTF-16 text: whatever it holds, the bytes made from it
    // read back as text that makes the same bytes again.
    const std::u16string wide(reinterpret_cast<const char16_t*>(data), size / 2);
    const std::string made = tessaplot::PathBytesFromText(wide);
    if (tessaplot::PathBytesFromText(tessaplot::PathTextFromBytes(made)) != made)
        std::abort();
    return 0;
}
