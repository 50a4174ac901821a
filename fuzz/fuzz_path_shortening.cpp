#include "FuzzInput.h"
#include "dataset/PathShortening.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const int maxWidth = input.pick(0, 60) * 7;
    const char separator = input.pick(0, 1) == 0 ? '/' : '\\';
    const std::string path(input.rest());
    const auto width = [](const std::string& text) { return static_cast<int>(text.size()) * 7; };
    const std::string shortened = tessaplot::ShortenDirectoryPath(path, maxWidth, width, separator);
    if (shortened.size() > path.size() + 4)
        std::abort();
    return 0;
}
