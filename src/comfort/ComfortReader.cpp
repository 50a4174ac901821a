#include "comfort/ComfortReader.h"

#include "dataset/TableLines.h"
#include "text/DecimalConversion.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <new>

namespace tessaplot {

namespace {

constexpr int valueTabCount = 9;

// The worker a large text is converted on, from which size, and the room for its records.
struct ConversionThreads {
    WorkerThread* worker;
    std::size_t from;
    std::vector<ComfortRecord>& side;
};

// Parses the complete lines of `text` and hands their records to `take`; returns the
// number of bytes taken, which ends right after the last line feed.
template <typename Take> std::size_t scanComfortLines(std::string_view text, Take&& take) {
    if (text.empty())
        return 0;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const bool mayHoldNul = std::memchr(begin, '\0', text.size()) != nullptr;
    const char* p = begin;
    while (p != end) {
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
        if (!lf)
            break;
        const char* lineEnd = lf;
        if (mayHoldNul) {
            if (const auto* nul = static_cast<const char*>(std::memchr(p, '\0', lf - p)))
                lineEnd = nul;
        }
        ComfortRecord record{};
        const auto line = ParseComfortLine(std::string_view(p, lineEnd - p), record);
        if (line.tabCount >= valueTabCount)
            take(record);
        p = lf + 1;
    }
    return static_cast<std::size_t>(p - begin);
}

// Parses the complete lines of `text` and appends their records; returns the number of
// bytes taken, which ends right after the last line feed.
std::size_t appendComfortLinesInTurn(std::string_view text, std::vector<ComfortRecord>& store) {
    return scanComfortLines(text,
                            [&store](const ComfortRecord& record) { store.push_back(record); });
}

// The same, a large text on two threads: every line stands for itself, so the lines
// after a line feed near the middle are converted on the worker into `side` and then
// appended; `alongside`, when given, is run over the lines before the split on the
// calling thread too (the hash of the bytes taken), which is why the split lies a
// little before the middle. The records are those of one pass, in the same order.
std::size_t appendComfortLines(std::string_view text, std::vector<ComfortRecord>& store,
                               const ConversionThreads& threads,
                               const std::function<void(std::string_view)>& alongside = {}) {
    const std::size_t lastFeed = text.rfind('\n');
    const std::size_t taken = lastFeed == std::string_view::npos ? 0 : lastFeed + 1;
    const std::size_t middle = text.size() * 7 / 16;
    const std::size_t split = text.size() >= threads.from && threads.worker != nullptr
                                  ? text.find('\n', middle)
                                  : std::string_view::npos;
    if (split == std::string_view::npos || split + 1 >= taken) {
        if (alongside)
            alongside(text.substr(0, taken));
        return appendComfortLinesInTurn(text, store);
    }
    std::vector<ComfortRecord>& side = threads.side;
    side.clear();
    const std::string_view first = text.substr(0, split + 1);
    const std::string_view second = text.substr(split + 1);
    threads.worker->runBoth(
        [&] {
            if (alongside)
                alongside(text.substr(0, taken));
            appendComfortLinesInTurn(first, store);
        },
        [&] { appendComfortLinesInTurn(second, side); });
    store.insert(store.end(), side.begin(), side.end());
    return taken;
}

ComfortReadResult resultOf(const std::vector<ComfortRecord>& store) {
    ComfortReadResult result;
    result.fileOpened = true;
    result.count = static_cast<int>(store.size());
    result.endTime = store.empty() ? 0.0f : store.back().Time;
    return result;
}

void reserveStore(std::vector<ComfortRecord>& store) {
    if (store.capacity() < static_cast<std::size_t>(ComfortStoreCapacity))
        store.reserve(ComfortStoreCapacity);
}

} // namespace

ComfortLineFields ParseComfortLine(std::string_view line, ComfortRecord& record) {
    if (const auto nul = line.find('\0'); nul != std::string_view::npos)
        line = line.substr(0, nul);
    ComfortLineFields result;
    const char* p = line.data();
    const char* const end = p + line.size();
    while (const char* tab = FindByte(p, end, '\t')) {
        const std::string_view token(p, tab - p);
        switch (result.tabCount) {
        case 0:
            record.Time = ParseDecimal(token);
            result.fields |= ComfortFieldTime;
            break;
        case 7:
            record.ThermalSensation = ParseDecimal(token);
            result.fields |= ComfortFieldThermalSensation;
            break;
        case 8:
            record.DampnessSensation = ParseDecimal(token);
            result.fields |= ComfortFieldDampnessSensation;
            break;
        case 9: // column 9 closed by a TAB of its own: its value is there all the same
            record.ComfortValue = ParseDecimal(token);
            result.fields |= ComfortFieldComfortValue;
            break;
        default:
            break;
        }
        ++result.tabCount;
        p = tab + 1;
    }
    if (result.tabCount == valueTabCount) {
        record.ComfortValue = ParseDecimal(std::string_view(p, end - p));
        result.fields |= ComfortFieldComfortValue;
    }
    return result;
}

ComfortReadResult ReadComfortText(std::string_view text, std::vector<ComfortRecord>& store,
                                  std::size_t parallelFrom) {
    reserveStore(store);
    store.clear();
    WorkerThread worker;
    std::vector<ComfortRecord> side;
    appendComfortLines(text, store, {&worker, parallelFrom, side});
    return resultOf(store);
}

ComfortReadResult ReadComfortFile(const std::string& path, std::vector<ComfortRecord>& store,
                                  LineWindow& window) {
    store.clear();
    if (!window.open(path))
        return {};
    try {
        reserveStore(store);
        WorkerThread worker;
        std::vector<ComfortRecord> side;
        std::string_view run;
        while (window.next(run))
            appendComfortLines(run, store, {&worker, kParallelRunBytes, side});
    } catch (const std::bad_alloc&) {
        window.close();
        store.clear();
        return {};
    }
    if (window.problem().failed()) {
        store.clear();
        return {};
    }
    return resultOf(store);
}

bool ReadComfortFileRecords(const std::string& path, LineWindow& window,
                            const std::function<void(const ComfortRecord&)>& take) {
    if (!window.open(path))
        return false;
    std::string_view run;
    while (window.next(run))
        scanComfortLines(run, take);
    return !window.problem().failed();
}

ComfortFileReader::ComfortFileReader(std::size_t windowBytes, std::size_t parallelFrom)
    : window_(windowBytes), parallelFrom_(parallelFrom) {}

void ComfortFileReader::forget() {
    parsedBytes_ = 0;
    prefixHash_ = {};
    checkpoints_.clear();
    storeData_ = nullptr;
    storeSize_ = 0;
}

namespace {

constexpr std::uint64_t kCheckpointBytes = 1u << 20;
// A read of this many records or more hands its buffer to the store instead of copying.
constexpr std::size_t kSwappedPassRecords = 4096;
// Room for records kept from one read to the next, so that a file rewritten at every
// tick does not fault in fresh memory each time; a larger buffer is given back.
constexpr std::size_t kKeptPassRecords = ComfortStoreCapacity;

} // namespace

// While the store holds what the last read left, the file is read from its start and
// the bytes already converted are only hashed, and compared at every checkpoint; when
// they all come back unchanged, just what follows them is converted. At the first
// checkpoint that differs, the records after the one before it are dropped and the file
// is converted from there.
bool ComfortFileReader::beginPass(const std::string& path, const std::vector<ComfortRecord>& store,
                                  bool storeAsLeft) {
    pass_.active = true;
    pass_.storeData = store.data();
    pass_.storeSize = store.size();
    pass_.verifying = storeAsLeft;
    pass_.fromStore = storeAsLeft;
    pass_.unsure = false;
    pass_.atOnce = false;
    pass_.foundRewritten = false;
    pass_.liveFile = !FileSurelyUnchanged(identity_, identity_);
    pass_.hash = {};
    pass_.offset = 0;
    pass_.verified = 0;
    pass_.keep = storeAsLeft ? storeSize_ : 0;
    pass_.records.clear();
    if (!storeAsLeft) {
        reserveStore(pass_.records);
        parsedBytes_ = 0;
        prefixHash_ = {};
        checkpoints_.clear();
    }
    return window_.open(path);
}

void ComfortFileReader::convert(std::string_view text) {
    const std::size_t used =
        appendComfortLines(text, pass_.records, {&worker_, parallelFrom_, side_},
                           [this](std::string_view lines) { prefixHash_.add(lines); });
    parsedBytes_ += used;
    const std::uint64_t last = checkpoints_.empty() ? 0 : checkpoints_.back().bytes;
    if (parsedBytes_ - last >= kCheckpointBytes)
        checkpoints_.push_back({parsedBytes_, prefixHash_, pass_.keep + pass_.records.size()});
}

void ComfortFileReader::verify(std::string_view run) {
    const std::size_t inPrefix =
        static_cast<std::size_t>(std::min<std::uint64_t>(run.size(), parsedBytes_ - pass_.offset));
    std::size_t hashed = 0;
    bool same = true;
    while (same && pass_.verified < checkpoints_.size() &&
           checkpoints_[pass_.verified].bytes <= pass_.offset + inPrefix) {
        const auto upTo =
            static_cast<std::size_t>(checkpoints_[pass_.verified].bytes - pass_.offset);
        pass_.hash.add(run.substr(hashed, upTo - hashed));
        hashed = upTo;
        same = pass_.hash == checkpoints_[pass_.verified].hash;
        pass_.verified += same ? 1 : 0;
    }
    if (same) {
        pass_.hash.add(run.substr(hashed, inPrefix - hashed));
        if (pass_.offset + inPrefix < parsedBytes_) {
            pass_.offset += run.size();
            return;
        }
        if (pass_.hash == prefixHash_) {
            pass_.verifying = false;
            convert(run.substr(inPrefix));
            return;
        }
    }
    rollBack(run);
}

// Back to the last checkpoint that held, or to the start: within `run` (which starts
// at pass_.offset) when it is there, else the file is read again from it.
bool ComfortFileReader::rollBack(std::string_view run) {
    checkpoints_.resize(pass_.verified);
    const Checkpoint from =
        pass_.verified > 0 ? checkpoints_.back() : Checkpoint{0, StreamHash{}, 0};
    pass_.verifying = false;
    if (from.records <= pass_.keep) {
        pass_.keep = from.records;
        pass_.records.clear();
    } else {
        pass_.records.resize(from.records - pass_.keep);
    }
    // Rewritten under the read: it goes on from the last point that held, and may
    // pause again. A file found rewritten a second time is read on to its end at once.
    if (pass_.atOnce && !pass_.foundRewritten) {
        pass_.atOnce = false;
        pass_.foundRewritten = true;
    }
    parsedBytes_ = from.bytes;
    prefixHash_ = from.hash;
    if (from.bytes >= pass_.offset && from.bytes - pass_.offset <= run.size()) {
        convert(run.substr(static_cast<std::size_t>(from.bytes - pass_.offset)));
        return true;
    }
    return window_.open(identityPath_, from.bytes);
}

// The bytes the read relies on are hashed again from the file's start and compared at
// every checkpoint, as those of the last read are; a growing file passes, a rewritten one
// is converted again from the last checkpoint that held.
bool ComfortFileReader::checkAgain() {
    pass_.unsure = false;
    pass_.atOnce = true;
    pass_.verifying = true;
    pass_.hash = {};
    pass_.offset = 0;
    pass_.verified = 0;
    identity_ = callIdentity_;
    return window_.open(identityPath_, 0);
}

ComfortFileReader::Step ComfortFileReader::advance(Clock::time_point deadline) {
    std::string_view run;
    bool lookedForTheEnd = false;
    for (;;) {
        if (window_.next(run)) {
            if (pass_.verifying)
                verify(run);
            else
                convert(run);
        } else if (!window_.problem().failed() && pass_.verifying) {
            // The file ends within the lines converted before: it is shorter now.
            rollBack({});
        } else if (!window_.problem().failed() && pass_.unsure) {
            if (!checkAgain())
                return Step::Failed;
            continue;
        } else {
            return window_.problem().failed() ? Step::Failed : Step::Done;
        }
        if (window_.problem().failed())
            return Step::Failed;
        // A file changed within the last moments cannot vouch for a pause (its next
        // change may leave its times as they are): a check paused on it would only
        // start again, and goes on to its end.
        const bool mayPause = !pass_.atOnce && !(pass_.verifying && pass_.liveFile);
        if (mayPause && Clock::now() >= deadline) {
            // The run at hand may have been the file's last: one more look for its end,
            // or a file that grows by a line between two calls would be paused on just
            // short of it at every call.
            if (!lookedForTheEnd && window_.bytesRead() >= window_.sizeHint()) {
                lookedForTheEnd = true;
                continue;
            }
            // Runs end with whole lines: the next call reads on right after them.
            pass_.resumeAt = pass_.verifying ? pass_.offset : parsedBytes_;
            window_.close();
            return Step::Paused;
        }
    }
}

ComfortReadResult ComfortFileReader::commit(std::vector<ComfortRecord>& store) {
    recordsUnchanged_ = pass_.fromStore && pass_.keep == storeSize_ && pass_.records.empty();
    if (pass_.keep == 0 && pass_.records.size() >= kSwappedPassRecords) {
        store.clear();
        store.swap(pass_.records);
    } else {
        reserveStore(store);
        store.resize(std::min(store.size(), pass_.keep));
        store.insert(store.end(), pass_.records.begin(), pass_.records.end());
    }
    pass_.active = false;
    if (pass_.records.capacity() > kKeptPassRecords)
        std::vector<ComfortRecord>().swap(pass_.records);
    pass_.records.clear();
    problem_ = {};
    lastReadFailed_ = false;
    storeData_ = store.data();
    storeSize_ = store.size();
    return resultOf(store);
}

ComfortReadResult ComfortFileReader::fail(std::vector<ComfortRecord>& store) {
    window_.close();
    pass_.active = false;
    std::vector<ComfortRecord>().swap(pass_.records);
    recordsUnchanged_ = lastReadFailed_ && store.empty();
    lastReadFailed_ = true;
    store.clear();
    forget();
    return {};
}

ComfortReadResult ComfortFileReader::continuePass(std::vector<ComfortRecord>& store,
                                                  Clock::time_point deadline, bool resumed) {
    try {
        if (resumed) {
            // While the read was paused the file may have been written. Nothing was, when
            // the file system shows it surely unchanged since before the bytes the read
            // relies on were read; else they are checked again: lines still being
            // checked at once, lines converted once the end is reached (a file that grows
            // is checked once for all the calls of its read).
            bool opened = false;
            if (FileSurelyUnchanged(identity_, callIdentity_)) {
                opened = window_.open(identityPath_, pass_.resumeAt);
            } else if (pass_.verifying) {
                opened = checkAgain();
            } else {
                pass_.unsure = true;
                opened = window_.open(identityPath_, pass_.resumeAt);
            }
            if (!opened) {
                problem_ = window_.problem();
                return fail(store);
            }
        }
        switch (advance(deadline)) {
        case Step::Paused: {
            // The store is still what the last read that ended left there.
            ComfortReadResult result = lastReadFailed_ ? ComfortReadResult{} : resultOf(store);
            result.pending = true;
            return result;
        }
        case Step::Failed:
            problem_ = window_.problem();
            return fail(store);
        case Step::Done:
            return commit(store);
        }
    } catch (const std::bad_alloc&) {
        problem_ = {ReadProblem::Kind::OutOfMemory, 0, window_.bytesRead(), window_.sizeHint(), 0};
    }
    return fail(store);
}

ComfortReadResult ComfortFileReader::read(const std::string& path,
                                          std::vector<ComfortRecord>& store,
                                          Clock::time_point deadline) {
    const bool storeAsLeft = store.data() == storeData_ && store.size() == storeSize_;
    // Taken before the bytes are read: a write during the read moves it, and the next
    // read then looks at the bytes again.
    const FileIdentity identity = IdentifyFile(path);
    callIdentity_ = identity;
    if (pass_.active) {
        // A read that went on over several calls goes on in the same file while it is
        // no shorter than the point reached (and is checked, should it have been
        // written); anything else starts it again.
        const bool sameFile = identity.known && identity.device == identity_.device &&
                              identity.inode == identity_.inode && identity.size >= pass_.resumeAt;
        const bool sameStore = store.data() == pass_.storeData && store.size() == pass_.storeSize;
        if (sameStore && path == identityPath_ && sameFile)
            return continuePass(store, deadline, true);
        window_.close();
        // Past its first check the read has made the hashes its own: they no longer
        // describe the store's lines, which the next read then converts anew.
        if (!pass_.verifying)
            forget();
        pass_.active = false;
        identity_ = {};
    }
    if (storeAsLeft && !lastReadFailed_ && path == identityPath_ &&
        FileSurelyUnchanged(identity_, identity)) {
        recordsUnchanged_ = true;
        return resultOf(store);
    }
    // A file found to be no table is not read again, tick after tick, while it surely
    // stays as it was.
    const bool noTable = problem_.kind == ReadProblem::Kind::NoLineEnd ||
                         problem_.kind == ReadProblem::Kind::LongLine;
    if (lastReadFailed_ && noTable && store.empty() && path == identityPath_ &&
        FileSurelyUnchanged(identity_, identity)) {
        recordsUnchanged_ = true;
        return {};
    }
    identity_ = identity;
    try {
        identityPath_ = path;
        if (!beginPass(path, store, storeAsLeft)) {
            problem_ = window_.problem();
            return fail(store);
        }
    } catch (const std::bad_alloc&) {
        problem_ = {ReadProblem::Kind::OutOfMemory, 0, 0, window_.sizeHint(), 0};
        return fail(store);
    }
    return continuePass(store, deadline, false);
}

} // namespace tessaplot
