#include "dataset/FileBuffer.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>

namespace tessaplot {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

constexpr std::size_t minimumChunk = 64 * 1024;

} // namespace

bool FileBuffer::readWholeFile(const std::string& path) {
    return read(path, std::numeric_limits<std::size_t>::max());
}

bool FileBuffer::readFileStart(const std::string& path, std::size_t maxBytes) {
    return read(path, maxBytes);
}

bool FileBuffer::read(const std::string& path, std::size_t maxBytes) {
    length = 0;
    std::uint64_t sizeHint = 0;
    std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFile(path, &sizeHint));
    if (!file)
        return false;
    // Our own buffer already is the stdio buffer; a second copy would only cost time.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);

    std::size_t wanted = static_cast<std::size_t>(sizeHint) + 1;
    wanted = std::min(wanted, maxBytes);

    // The simulation may still be appending while we read, so read until the end
    // is met rather than trusting the size seen a moment ago.
    while (length < maxBytes) {
        if (length == storage.size() || storage.size() < wanted) {
            const std::size_t grown =
                std::max({wanted, storage.size() + storage.size() / 2, length + minimumChunk});
            storage.resize(std::min(grown, std::max(maxBytes, length + 1)));
        }
        const std::size_t room = std::min(storage.size(), maxBytes) - length;
        const std::size_t got = std::fread(storage.data() + length, 1, room, file.get());
        length += got;
        if (got < room)
            break;
    }
    if (std::ferror(file.get())) {
        length = 0;
        return false;
    }
    return true;
}

} // namespace tessaplot
