#pragma once

#include "dataset/LineWindow.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaplot {

// What the user is told when a table could not be read, naming `file`; empty when the
// user is told nothing: the read went well, or the file is absent or no regular file,
// which the pages handle as they always have.
std::string ReadProblemMessage(std::string_view file, const ReadProblem& problem);

// A byte count as a person reads it: "512 bytes", "48.2 MB", "10.7 GB" (powers of 1000).
std::string SizeText(std::uint64_t bytes);

} // namespace tessaplot
