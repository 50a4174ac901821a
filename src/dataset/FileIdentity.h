#pragma once

#include "platform/FileSystem.h"

namespace tessaplot {

// Whether a file that had identity `before` (taken right before its bytes were read)
// still holds exactly those bytes, judged from `now` alone. True only when nothing
// about it changed and the change time was already safely in the past when it was
// read, so that any later write would have moved it; and only on local file systems,
// whose attributes are never stale. Anything else counts as possibly changed.
bool FileSurelyUnchanged(const FileIdentity& before, const FileIdentity& now);

} // namespace tessaplot
