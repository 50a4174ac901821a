#include "dataset/KeptFieldTable.h"

#include "dataset/FileIdentity.h"

#include <utility>

namespace tessaplot {

namespace {

bool sameRequest(const FieldLoadRequest& a, const FieldLoadRequest& b) {
    return a.rules == b.rules && a.dataColumn == b.dataColumn && a.layerIndex == b.layerIndex &&
           a.layerCount == b.layerCount && a.layerLines == b.layerLines;
}

} // namespace

FileIdentity KeptFieldTable::IdentityBeforeRead(const std::string& path) {
    return IdentifyFile(path);
}

const FieldLoad* KeptFieldTable::reusable(const std::string& path,
                                          const FieldLoadRequest& request) const {
    if (!kept_ || path != path_ || !sameRequest(request, request_))
        return nullptr;
    return FileSurelyUnchanged(identity_, IdentifyFile(path)) ? &load_ : nullptr;
}

void KeptFieldTable::keep(const std::string& path, const FieldLoadRequest& request,
                          const FileIdentity& identityBeforeRead, FieldLoad load) {
    kept_ = true;
    path_ = path;
    request_ = request;
    identity_ = identityBeforeRead;
    load_ = std::move(load);
    ++generation_;
}

void KeptFieldTable::forget() {
    kept_ = false;
    ++generation_;
}

} // namespace tessaplot
