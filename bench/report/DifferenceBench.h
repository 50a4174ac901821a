#pragma once

#include <filesystem>
#include <functional>

namespace tessaplot::bench {

// The difference mesh of a 150,000-record layer beside the single-run mesh of the same
// layer: Show Data (both tables read) and one view step (everything kept), against a
// compared run on the same grid and one whose times lie half-way between.
// `open` opens a directory as the chooser's Open does; the compared runs are written
// under `scratch` once.
void DifferenceSection(const std::filesystem::path& layer150000,
                       const std::filesystem::path& scratch,
                       const std::function<void(const std::filesystem::path&)>& open);

} // namespace tessaplot::bench
