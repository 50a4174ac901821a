// The bounded read window against the whole text: for any bytes and any window, a
// load through the window gives the records of the whole text, or none with a reason
// that the text bears out (a line longer than the window).
#include "FuzzInput.h"
#include "dataset/FieldLoader.h"
#include "dataset/LineWindow.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const std::string& scratchPath() {
    static const std::string path =
        "/tmp/tessaplot_fuzz_line_window_" + std::to_string(::getpid()) + ".dat";
    return path;
}

std::size_t longestLine(std::string_view text) {
    std::size_t longest = 0, start = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            longest = std::max(longest, i - start + 1);
            start = i + 1;
        }
    return std::max(longest, text.size() - start);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::size_t windowBytes = static_cast<std::size_t>(input.pick(2, 300));
    tessaplot::FieldLoadRequest request;
    request.rules = static_cast<tessaplot::ReadingRules>(input.pick(0, 2));
    request.dataColumn = input.pick(0, 12);
    request.layerIndex = input.pick(-1, 4);
    request.layerCount = input.pick(1, 4);
    request.layerLines = input.pick(1, 8);
    const std::string_view text = input.rest();

    std::FILE* file = std::fopen(scratchPath().c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);

    std::vector<tessaplot::FieldPoint> expected, points;
    const tessaplot::FieldLoad whole = tessaplot::LoadFieldFromText(text, request, expected);
    tessaplot::LineWindow window(windowBytes);
    const tessaplot::FieldLoad load = tessaplot::LoadField(scratchPath(), request, points, window);
    if (load.problem.failed()) {
        const bool longLine = load.problem.kind == tessaplot::ReadProblem::Kind::LongLine ||
                              load.problem.kind == tessaplot::ReadProblem::Kind::NoLineEnd;
        if (!longLine || !points.empty() || longestLine(text) <= windowBytes)
            std::abort();
        return 0;
    }
    if (points.size() != expected.size() || load.PositionsPerStep != whole.PositionsPerStep)
        std::abort();
    for (std::size_t i = 0; i < points.size(); ++i)
        if (std::memcmp(&points[i], &expected[i], sizeof points[i]) != 0)
            std::abort();
    return 0;
}
