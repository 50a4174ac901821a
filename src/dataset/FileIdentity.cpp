#include "dataset/FileIdentity.h"

#if defined(__linux__)
#include <sys/stat.h>
#include <sys/vfs.h>
#include <time.h>
#endif

namespace tessaplot {

namespace {

// A write stamps the change time with the kernel's coarse clock, which may lag the
// real time by a tick; a change time this far before the read cannot be that of a
// write that came after it.
constexpr std::int64_t kSettledNs = 1'000'000'000;

#if defined(__linux__)
std::int64_t nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// File systems whose attributes always tell the truth at once. Network and FUSE file
// systems may cache them, so a change there could go unseen.
bool isLocalFileSystem(long type) {
    switch (static_cast<unsigned long>(type)) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x01021994: // tmpfs
    case 0x58465342: // xfs
    case 0x9123683E: // btrfs
    case 0xF2F52010: // f2fs
    case 0x794C7630: // overlayfs
        return true;
    default:
        return false;
    }
}
#endif

} // namespace

FileIdentity IdentifyFile(const std::string& path) {
    FileIdentity identity;
#if defined(__linux__)
    struct stat info {};
    struct statfs volume {};
    timespec now{};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        statfs(path.c_str(), &volume) != 0 || clock_gettime(CLOCK_REALTIME, &now) != 0)
        return identity;
    identity.known = true;
    identity.device = static_cast<std::uint64_t>(info.st_dev);
    identity.inode = static_cast<std::uint64_t>(info.st_ino);
    identity.size = static_cast<std::uint64_t>(info.st_size);
    identity.modifiedNs = nanoseconds(info.st_mtim);
    identity.changedNs = nanoseconds(info.st_ctim);
    identity.seenNs = nanoseconds(now);
    identity.localFileSystem = isLocalFileSystem(volume.f_type);
#else
    (void)path;
#endif
    return identity;
}

bool FileSurelyUnchanged(const FileIdentity& before, const FileIdentity& now) {
    return before.known && now.known && before.localFileSystem && now.localFileSystem &&
           before.device == now.device && before.inode == now.inode && before.size == now.size &&
           before.modifiedNs == now.modifiedNs && before.changedNs == now.changedNs &&
           before.seenNs - before.changedNs >= kSettledNs && now.seenNs >= before.seenNs;
}

} // namespace tessaplot
