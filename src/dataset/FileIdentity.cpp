#include "dataset/FileIdentity.h"

namespace tessaplot {

namespace {

// A write stamps the change time with the kernel's coarse clock, which may lag the
// real time by a tick; a change time this far before the read cannot be that of a
// write that came after it.
constexpr std::int64_t kSettledNs = 1'000'000'000;

} // namespace

bool FileSurelyUnchanged(const FileIdentity& before, const FileIdentity& now) {
    return before.known && now.known && before.localFileSystem && now.localFileSystem &&
           before.device == now.device && before.inode == now.inode && before.size == now.size &&
           before.modifiedNs == now.modifiedNs && before.changedNs == now.changedNs &&
           before.seenNs - before.changedNs >= kSettledNs && now.seenNs >= before.seenNs;
}

} // namespace tessaplot
