#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace tessaplot {

// Opens `path` for binary reading when it is a regular file, and gives the size it had
// when opened (a hint only: the simulation may be appending). Returns nullptr for
// anything else — missing, a directory, a FIFO, a device — without ever waiting: a FIFO
// put where a result table was expected would otherwise hold the window until some
// program wrote into it.
std::FILE* OpenRegularFile(const std::string& path, std::uint64_t* size = nullptr);

} // namespace tessaplot
