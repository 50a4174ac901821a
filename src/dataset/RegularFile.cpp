#include "dataset/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaplot {

std::FILE* OpenRegularFile(const std::string& path, std::uint64_t* size) {
    // Opening a FIFO for reading waits for a writer unless asked not to. The type is
    // then judged on what was opened, not on what the name meant a moment before.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    // Reads of a regular file never wait anyway; the stream gets the usual blocking mode.
    if (const int flags = ::fcntl(fd, F_GETFL); flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
        return nullptr;
    }
    if (size != nullptr)
        *size = static_cast<std::uint64_t>(info.st_size);
    return file;
}

} // namespace tessaplot
