#pragma once

#include <filesystem>

namespace tessaplot::bench {

// Four runs of 150,000-point curves overlaid against the opened run alone: the draw of
// BodyProperty and of the comfort chart, and a follow tick with every run unchanged.
// Writes its runs under `root` once. The main window must be shown.
void CompareSection(const std::filesystem::path& root);

} // namespace tessaplot::bench
