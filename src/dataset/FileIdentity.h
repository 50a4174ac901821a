#pragma once

#include <cstdint>
#include <string>

namespace tessaplot {

// What the file system says about a file without reading it: enough to know that a
// file read before cannot have changed since. Used to spare re-reading an unchanged
// table many times a second.
struct FileIdentity {
    bool known = false;
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modifiedNs = 0, changedNs = 0; // content and status change times
    std::int64_t seenNs = 0;                    // wall-clock time when this was taken
    bool localFileSystem = false;
};

// The identity of the regular file at `path` now; `known` is false when there is none
// or the platform cannot tell.
FileIdentity IdentifyFile(const std::string& path);

// Whether a file that had identity `before` (taken right before its bytes were read)
// still holds exactly those bytes, judged from `now` alone. True only when nothing
// about it changed and the change time was already safely in the past when it was
// read, so that any later write would have moved it; and only on local file systems,
// whose attributes are never stale. Anything else counts as possibly changed.
bool FileSurelyUnchanged(const FileIdentity& before, const FileIdentity& now);

} // namespace tessaplot
