#pragma once

#include <string>
#include <vector>

namespace tessaplot::bench {

// The plain way a reader of such tables is often written: fgets one line, strtod
// every column, keep the layer's lines. The yardstick our reader is measured against.
int FgetsStrtodFabricLayer(const std::string& path, int layerIndex, int layerCount, int column,
                           std::vector<float>& values);
int FgetsStrtodComfort(const std::string& path, std::vector<float>& values);

// The floor: read the file afresh into a new buffer and count its lines with memchr,
// converting nothing.
long long NewlineScan(const std::string& path);

} // namespace tessaplot::bench
