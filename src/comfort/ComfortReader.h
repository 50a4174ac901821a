#pragma once

#include "comfort/ComfortRecord.h"
#include "comfort/StreamHash.h"
#include "dataset/FileIdentity.h"
#include "dataset/LineWindow.h"
#include "dataset/WorkerThread.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// Fields a line of Comfort.dat sets in its record; which ones depends on the number of
// TABs in the line: none for 0, Time for 1 to 7, ThermalSensation too for 8, all four
// for 9 or more (a TAB after the last column, or columns beyond it, do not lose the
// comfort value that column 9 holds).
enum ComfortField : unsigned {
    ComfortFieldTime = 1u << 0,
    ComfortFieldThermalSensation = 1u << 1,
    ComfortFieldDampnessSensation = 1u << 2,
    ComfortFieldComfortValue = 1u << 3,
    ComfortFieldsAll = 0xFu,
};

struct ComfortLineFields {
    int tabCount = 0;
    unsigned fields = 0;
};

// Converts the columns of one line (without its line feed) into `record`: column 0 into
// Time, 7 into ThermalSensation, 8 into DampnessSensation and 9 into ComfortValue, each
// from its own characters only. Fields not set keep their value. A NUL character ends
// the line.
ComfortLineFields ParseComfortLine(std::string_view line, ComfortRecord& record);

struct ComfortReadResult {
    // False when the file could not be opened or read (missing, empty path, not a
    // regular file); the caller tells the user "No files!". The read then yields no records.
    bool fileOpened = false;
    // ComfortCount: the records of this read, which are store[0 .. count).
    int count = 0;
    // ComfortEndTime: Time of the last record; 0 when there are none.
    float endTime = 0.0f;
    // The read ran out of its time and goes on at the next call; until then the store
    // and this result are those of the last read that ended.
    bool pending = false;
};

// Reads the complete lines of `text` into `store` (cleared first, grown as needed, its
// capacity kept for the next read). A line counts only when it ends with a line feed and
// holds at least nine TABs, so that every record has all four fields from its own line:
// a last line without its line feed (the simulation may still be writing it), empty
// lines and lines with fewer TABs are passed over. A text of `parallelFrom` bytes or more
// is converted on two threads, with the same records.
ComfortReadResult ReadComfortText(std::string_view text, std::vector<ComfortRecord>& store,
                                  std::size_t parallelFrom = kParallelRunBytes);

// The same for a file, read through `window` (whose storage is reused between calls),
// so that memory grows with the records, not with the file.
ComfortReadResult ReadComfortFile(const std::string& path, std::vector<ComfortRecord>& store,
                                  LineWindow& window);

// The same read with each record handed to `take` as its line passes and none kept, for
// figures that accumulate, in memory that does not grow with the file. False when the
// file could not be opened or read to its end (window.problem() says why); the records
// taken until then are not to be used.
bool ReadComfortFileRecords(const std::string& path, LineWindow& window,
                            const std::function<void(const ComfortRecord&)>& take);

// A reader for a file that is read again every few milliseconds while the simulation
// appends to it. Each read takes every byte of the file from disk (through a bounded
// window), but lines whose bytes are the same as at the previous read are not converted
// again: when the file still starts with every byte of the lines already converted
// (compared by a 64-bit StreamHash of them, so that they need not be kept), only what follows
// is parsed and appended to the store; anything else (truncated, rewritten) is parsed
// anew. The records are those a fresh ReadComfortFile would give.
//
// The store is the caller's (the main window's record store). Between two reads it must
// hold what the previous read left there; a store that was cleared, resized or moved
// is noticed and filled anew.
//
// A read may be given a deadline, so that a refresh tick never holds the window for
// long however large the file: a read that reaches it stops after the run at hand and
// goes on at the next call. The store changes only when a read ends, so that it always
// holds complete results, and those of one version of the file: a read that went on
// over several calls while the file may have been written (the file system cannot tell
// growth from a rewrite in place) hashes again, in one call, the bytes it relies on
// before it ends, and goes on from the last checkpoint that held.
class ComfortFileReader {
public:
    using Clock = std::chrono::steady_clock;

    // `windowBytes`: the most of the file held in memory at a time (a line must fit);
    // small values are for tests of the window's boundaries. Runs of `parallelFrom` bytes
    // or more are converted on two threads.
    explicit ComfortFileReader(std::size_t windowBytes = LineWindow::kDefaultWindowBytes,
                               std::size_t parallelFrom = kParallelRunBytes);

    ComfortReadResult read(const std::string& path, std::vector<ComfortRecord>& store,
                           Clock::time_point deadline = Clock::time_point::max());
    // A read stopped at its deadline and goes on at the next call.
    bool readPending() const { return pass_.active; }

    // Whether the last read left the store exactly as the read before it (same bytes of
    // every converted line, nothing appended; or the file missing both times), so that
    // anything computed from the records since then still holds.
    bool recordsUnchanged() const { return recordsUnchanged_; }
    // Why the last read gave no records (kind None when it did).
    const ReadProblem& problem() const { return problem_; }

private:
    enum class Step { Done, Failed, Paused };
    bool beginPass(const std::string& path, const std::vector<ComfortRecord>& store,
                   bool storeAsLeft);
    ComfortReadResult continuePass(std::vector<ComfortRecord>& store, Clock::time_point deadline,
                                   bool resumed);
    Step advance(Clock::time_point deadline);
    bool checkAgain();
    void verify(std::string_view run);
    void convert(std::string_view text);
    bool rollBack(std::string_view run);
    ComfortReadResult commit(std::vector<ComfortRecord>& store);
    ComfortReadResult fail(std::vector<ComfortRecord>& store);
    void forget();

    LineWindow window_;
    std::size_t parallelFrom_;
    WorkerThread worker_;
    std::vector<ComfortRecord> side_; // the worker's records of the run at hand
    // Bytes of complete lines already converted into the store, and their hash.
    std::uint64_t parsedBytes_ = 0;
    StreamHash prefixHash_;
    // Every megabyte or so of converted lines: how far, the hash that far and the
    // records that far. A file changed after its start is converted again only from
    // the last point before the change, and found changed without reading it twice.
    struct Checkpoint {
        std::uint64_t bytes;
        StreamHash hash;
        std::size_t records;
    };
    std::vector<Checkpoint> checkpoints_;
    // The read under way. While the lines converted before are being checked
    // (`verifying`), `hash` covers the file up to `offset`, where the run at hand
    // starts, and `verified` checkpoints were found to hold. Its records are the store's
    // up to `keep` (all of them while those are being checked) followed by `records`,
    // which replace the store's from `keep` on when it ends.
    struct Pass {
        bool active = false;
        bool verifying = false;
        bool fromStore = false; // begun on the store as the last read left it
        // The file may have been written since `identity_` while the read was paused:
        // what it converted is checked again once the file's end is reached.
        bool unsure = false;
        // Such a check, and the read after it, go on to the end in the call at hand:
        // a file written at every tick would otherwise keep the read from ever ending.
        bool atOnce = false;
        bool foundRewritten = false; // a check of this read already failed
        bool liveFile = false;       // changed too lately for its identity to vouch for it
        StreamHash hash;
        std::uint64_t offset = 0;
        std::size_t verified = 0;
        std::size_t keep = 0;
        std::vector<ComfortRecord> records;
        // Where the read goes on: it lets the file go between calls, so that a writer
        // may replace or remove it meanwhile (which Windows refuses for an open file).
        std::uint64_t resumeAt = 0;
        // The store as the read found it: a read goes on only into the same store.
        const ComfortRecord* storeData = nullptr;
        std::size_t storeSize = 0;
    };
    Pass pass_;
    // The store as the last read left it.
    const ComfortRecord* storeData_ = nullptr;
    std::size_t storeSize_ = 0;
    bool recordsUnchanged_ = false;
    bool lastReadFailed_ = false;
    ReadProblem problem_;
    // The file as it was right before the bytes the store (or the read under way)
    // relies on were read; while the file system shows it surely unchanged, a read
    // takes nothing from the disk, and a paused one goes on without a check.
    FileIdentity identity_;
    std::string identityPath_;
    // Taken at the start of the call at hand, before it reads anything.
    FileIdentity callIdentity_;
};

} // namespace tessaplot
