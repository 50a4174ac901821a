#include "dataset/LayerCount.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tessaplot::LayerStructure layers = tessaplot::CountLayers(text);
    if (layers.layerCount < 0 || layers.layerLines < 0)
        std::abort();
    return 0;
}
