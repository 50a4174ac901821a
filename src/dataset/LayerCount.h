#pragma once

#include "dataset/LineWindow.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaplot {

// The layer structure of Fabrics.dat as learned from its first time step.
// {0, 0} means it could not be learned: an empty or unreadable file, a first line
// without a layer key (fewer than three TAB-separated fields before the last), or no
// further line of the first layer.
struct LayerStructure {
    int layerCount = 0;
    int layerLines = 0;

    bool isKnown() const { return layerCount > 0 && layerLines > 0; }
};

// Reads lines until the time (column 0) changes, counting the lines and those that
// carry the first line's layer key (column 2); the first line of the second time step
// is read but not counted. When the file ends within the first time step, that step is
// counted whole, so a single-step file still gives its true structure. Lines are taken
// as the loader takes them: complete lines holding a TAB, however long.
LayerStructure CountLayers(std::string_view text);

// A first time step longer than this is beyond the table format: structure unknown.
inline constexpr std::uint64_t kFirstStepLimitBytes = 64u << 20;
inline constexpr std::size_t kLayerCountWindowBytes = 1u << 20;

// The same for a file; reads only as much of it as the first time step and the first
// line of the next need, and at most kFirstStepLimitBytes (plus a window). `problem`,
// when given, says why a file could not be read.
LayerStructure CountLayersInFile(const std::string& path, ReadProblem* problem = nullptr,
                                 const ReadProgress& progress = {});

} // namespace tessaplot
