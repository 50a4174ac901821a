#pragma once

#include "dataset/FieldLoader.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessaplot {

// Remembers which table, read by which request, the field store was last filled from,
// so that a redraw of the same picture (a navigation step, a deferred redraw) need not
// read it again. The store is trusted only while the file is surely unchanged: same
// file, size and times, its change time already settled when it was read, and on a
// local file system. Anything else, or any other request, reads again.
class KeptFieldTable {
public:
    // The identity to pass to keep(): to be taken right before the table is read, so
    // that a write during the read counts as a change.
    static FileIdentity IdentityBeforeRead(const std::string& path);

    // The kept load when the store still holds exactly `path` as `request` reads it;
    // nullptr when it must be read again.
    const FieldLoad* reusable(const std::string& path, const FieldLoadRequest& request) const;

    // The store was just filled from `path` by `request`.
    void keep(const std::string& path, const FieldLoadRequest& request,
              const FileIdentity& identityBeforeRead, FieldLoad load);

    // Reading `path` by `request` failed; its file then had `identity`. Following waits
    // for the next change instead of trying again and again.
    void readFailed(const std::string& path, const FieldLoadRequest& request,
                    const FileIdentity& identity);

    // Whether the last read asked of the store was `path` by `request`, it failed, and
    // the file is as it was then (same file, size and times): reading it again would
    // only fail again.
    bool failedAsBefore(const std::string& path, const FieldLoadRequest& request) const;

    // The store no longer holds what was kept.
    void forget();

    // Whether the store was last filled from `path` by `request`, whatever the file
    // is now.
    bool holds(const std::string& path, const FieldLoadRequest& request) const;

    // For following a running simulation: whether the kept table's file changed since
    // it was read (one look at its identity, no read): another size, time or file. A
    // table that was absent and still is, or whose change was already tried and
    // failed, has not.
    bool changedOnDisk() const;

    // The load the store was last filled by, or nullptr when nothing is kept.
    const FieldLoad* keptLoad() const { return kept_ ? &load_ : nullptr; }

    const std::string& path() const { return path_; }
    const FieldLoadRequest& request() const { return request_; }

    // Counts the fillings of the store: anything drawn from it is stale once this moved.
    std::uint64_t generation() const { return generation_; }

private:
    bool kept_ = false;
    std::string path_;
    FieldLoadRequest request_;
    FileIdentity identity_;
    FileIdentity failedIdentity_;
    // The last read that failed, until the store is filled or forgotten.
    struct Failure {
        std::string path;
        FieldLoadRequest request;
        FileIdentity identity;
    };
    std::optional<Failure> lastFailure_;
    FieldLoad load_;
    std::uint64_t generation_ = 0;
};

} // namespace tessaplot
