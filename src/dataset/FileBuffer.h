#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaplot {

// Holds the bytes of one file read in a single go. The tables are read again on
// every redraw, so the storage is kept between reads: once it has grown to the
// size of the largest table it is neither reallocated nor cleared again.
class FileBuffer {
public:
    // Replaces the contents with the whole file. False when the file cannot be
    // opened or read (missing, no permission, not a regular file: a directory or a
    // FIFO, which is refused rather than waited on); the contents are then empty.
    bool readWholeFile(const std::string& path);

    // Replaces the contents with at most maxBytes from the start of the file.
    bool readFileStart(const std::string& path, std::size_t maxBytes);

    std::string_view contents() const { return {storage.data(), length}; }
    void clear() { length = 0; }

private:
    bool read(const std::string& path, std::size_t maxBytes);

    // storage.size() is the usable capacity; only the first `length` bytes are data.
    std::string storage;
    std::size_t length = 0;
};

} // namespace tessaplot
