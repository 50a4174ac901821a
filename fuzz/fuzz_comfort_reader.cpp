#include "FuzzInput.h"
#include "comfort/ComfortChartGeometry.h"
#include "comfort/ComfortReader.h"
#include "comfort/Conclusions.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const auto quantity = static_cast<tessaplot::ComfortQuantity>(input.pick(0, 2));
    std::vector<tessaplot::ComfortRecord> store;
    const tessaplot::ComfortReadResult result = tessaplot::ReadComfortText(input.rest(), store);
    if (result.count < 0 || static_cast<size_t>(result.count) > store.size())
        std::abort();
    const std::span<const tessaplot::ComfortRecord> records(store.data(),
                                                            static_cast<size_t>(result.count));
    const tessaplot::ConclusionCaptions captions = tessaplot::ConclusionTexts(records, quantity);
    for (const std::string& caption : captions)
        if (caption.size() > 200)
            std::abort();
    std::vector<tessaplot::ChartPoint> curve;
    tessaplot::BuildComfortCurve(records, result.endTime, quantity, curve);
    return 0;
}
