#include "dataset/LayerCount.h"

#include "dataset/LineWindow.h"
#include "dataset/TableLines.h"
#include "text/DecimalConversion.h"

#include <cstring>

namespace tessaplot {

namespace {

class LayerCounter {
public:
    // Takes one line; false once the line just taken began the second time step.
    bool take(std::string_view line) {
        const bool firstLine = lines == -1;
        const char* p = line.data();
        const char* const end = p + line.size();
        // The text after the last TAB is never converted here, so a key must be
        // followed by a TAB to count; a field left out keeps the previous line's value.
        for (int field = 0; field <= 2; ++field) {
            const auto* tab = static_cast<const char*>(std::memchr(p, '\t', end - p));
            if (!tab)
                break;
            const std::string_view token(p, static_cast<std::size_t>(tab - p));
            if (field == 0) {
                time = ParseDecimal(token);
                if (firstLine)
                    firstTime = time;
            } else if (field == 2) {
                key = ParseDecimal(token);
                if (firstLine) {
                    firstKey = key;
                    firstKeyKnown = true;
                }
            }
            p = tab + 1;
        }
        if (firstKeyKnown && key == firstKey)
            ++matches;
        ++lines;
        stepEnded = time != firstTime;
        return !stepEnded;
    }

    LayerStructure result() const {
        // Both counters start at -1 to leave out the first line of the next step; a file
        // that ends within its first step has no such line.
        const long long counted = stepEnded ? lines : lines + 1;
        const long long keyed = stepEnded ? matches : matches + 1;
        if (!firstKeyKnown || keyed <= 0 || counted <= 0)
            return {};
        return {static_cast<int>(counted / keyed), static_cast<int>(keyed)};
    }

    bool finished() const { return stepEnded; }

private:
    float firstTime = 0.0f;
    float time = 0.0f;
    float firstKey = 0.0f;
    float key = 0.0f;
    bool firstKeyKnown = false;
    bool stepEnded = false;
    long long lines = -1;
    long long matches = -1;
};

void countLines(std::string_view text, LayerCounter& counter) {
    TableLines lines(text);
    std::string_view line;
    while (lines.next(line) && counter.take(line)) {
    }
}

} // namespace

LayerStructure CountLayers(std::string_view text) {
    LayerCounter counter;
    countLines(text, counter);
    return counter.result();
}

LayerStructure CountLayersInFile(const std::string& path, ReadProblem* problem,
                                 const ReadProgress& progress) {
    // The first time step is a tiny part of a large file: read only until it ends, in
    // a small window, and no further than the limit.
    LineWindow window(kLayerCountWindowBytes);
    window.setProgress(progress);
    LayerCounter counter;
    std::string_view text;
    bool opened = window.open(path);
    while (opened && !counter.finished() && window.bytesRead() < kFirstStepLimitBytes &&
           window.next(text))
        countLines(text, counter);
    if (problem != nullptr)
        *problem = window.problem();
    if (window.problem().failed() ||
        (!counter.finished() && window.bytesRead() >= kFirstStepLimitBytes))
        return {};
    return counter.result();
}

} // namespace tessaplot
