#include "dataset/KeptFieldTable.h"

#include "dataset/FileIdentity.h"

#include <utility>

namespace tessaplot {

namespace {

bool sameRequest(const FieldLoadRequest& a, const FieldLoadRequest& b) {
    return a.rules == b.rules && a.dataColumn == b.dataColumn && a.layerIndex == b.layerIndex &&
           a.layerCount == b.layerCount && a.layerLines == b.layerLines;
}

// The same file with the same size and times: nothing was written since.
bool sameState(const FileIdentity& a, const FileIdentity& b) {
    return a.known == b.known && a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.modifiedNs == b.modifiedNs && a.changedNs == b.changedNs;
}

} // namespace

FileIdentity KeptFieldTable::IdentityBeforeRead(const std::string& path) {
    return IdentifyFile(path);
}

bool KeptFieldTable::holds(const std::string& path, const FieldLoadRequest& request) const {
    return kept_ && path == path_ && sameRequest(request, request_);
}

const FieldLoad* KeptFieldTable::reusable(const std::string& path,
                                          const FieldLoadRequest& request) const {
    if (!holds(path, request))
        return nullptr;
    return FileSurelyUnchanged(identity_, IdentifyFile(path)) ? &load_ : nullptr;
}

void KeptFieldTable::keep(const std::string& path, const FieldLoadRequest& request,
                          const FileIdentity& identityBeforeRead, FieldLoad load) {
    kept_ = true;
    path_ = path;
    request_ = request;
    identity_ = identityBeforeRead;
    failedIdentity_ = FileIdentity{};
    lastFailure_.reset();
    load_ = std::move(load);
    ++generation_;
}

void KeptFieldTable::readFailed(const std::string& path, const FieldLoadRequest& request,
                                const FileIdentity& identity) {
    if (kept_ && path == path_)
        failedIdentity_ = identity;
    lastFailure_ = Failure{path, request, identity};
}

bool KeptFieldTable::failedAsBefore(const std::string& path,
                                    const FieldLoadRequest& request) const {
    return lastFailure_ && lastFailure_->path == path &&
           sameRequest(lastFailure_->request, request) && lastFailure_->identity.known &&
           sameState(lastFailure_->identity, IdentifyFile(path));
}

bool KeptFieldTable::changedOnDisk() const {
    if (!kept_)
        return false;
    const FileIdentity now = IdentifyFile(path_);
    if (failedIdentity_.known && sameState(now, failedIdentity_))
        return false;
    // A different size, time or file, not merely a change time too recent to vouch
    // for the bytes: an unchanged table is never read again while it is followed. What
    // this misses, a rewrite of the same size within the clock tick of the read, the
    // next write brings in.
    return !sameState(identity_, now);
}

void KeptFieldTable::forget() {
    kept_ = false;
    lastFailure_.reset();
    ++generation_;
}

} // namespace tessaplot
