#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tessaplot {

// Why a read of a table did not give all of its complete lines.
struct ReadProblem {
    enum class Kind {
        None,
        Absent,      // no such file
        NotRegular,  // a directory, FIFO, device where the table should be
        System,      // the system refused or failed (`code`, an errno value)
        NoLineEnd,   // no line end in the first kNoLineEndLimit bytes: not a table
        LongLine,    // a line longer than the window at byte `offset`: not a table
        OutOfMemory, // the records did not fit into memory
        Cancelled,   // the user stopped the read
    };
    Kind kind = Kind::None;
    int code = 0;
    std::uint64_t offset = 0;
    std::uint64_t fileSize = 0; // as it was when opened
    std::uint64_t limit = 0;    // LongLine: the window's size

    bool failed() const { return kind != Kind::None; }
};

// Told the bytes read so far and the file's size as it was opened, at every piece of
// the read; returning false stops the read (ReadProblem::Kind::Cancelled).
using ReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Reads a file as runs of complete lines through a window of bounded size, so that a
// table of any size takes at most the window's bytes of memory however it is read.
// A last line without its line feed (the simulation may be writing it) is not given.
class LineWindow {
public:
    static constexpr std::size_t kDefaultWindowBytes = 16u << 20;
    // A table whose first line does not end in this many bytes is not a table.
    static constexpr std::uint64_t kNoLineEndLimit = 64u << 20;

    explicit LineWindow(std::size_t windowBytes = kDefaultWindowBytes);
    ~LineWindow();
    LineWindow(const LineWindow&) = delete;
    LineWindow& operator=(const LineWindow&) = delete;

    // Starts reading `path` at byte `from` (a line's start; 0, its beginning); false (and
    // problem() says why) when it cannot be opened. The window's storage is kept from
    // earlier reads.
    bool open(const std::string& path, std::uint64_t from = 0);
    // The next run of complete lines, each with its line feed; false at the end of the
    // file or when the read failed (problem() then says why). The file is closed as soon
    // as its end has been read.
    bool next(std::string_view& lines);
    // Stops reading; the file is closed.
    void close();
    // Called as the read goes on (none by default); kept for the reads that follow.
    void setProgress(ReadProgress progress) { m_progress = std::move(progress); }
    // The most a single read of the file asks for, so that progress is told often.
    static constexpr std::size_t kReadPieceBytes = 1u << 20;
    // The bytes a run is read into while its lines fit.
    static constexpr std::size_t kRunBytes = 2u << 20;

    const ReadProblem& problem() const { return m_problem; }
    // The file's size when opened (a hint: it may be growing) and the bytes read so far.
    std::uint64_t sizeHint() const { return m_sizeHint; }
    std::uint64_t bytesRead() const { return m_bytesRead; }

private:
    bool fail(ReadProblem::Kind kind, int code = 0, std::uint64_t offset = 0);
    bool reserve(std::size_t bytes);
    bool fill(char* into, std::size_t room, std::size_t& got);
    bool skipOverlongLine(std::uint64_t lineStart);

    std::size_t m_windowBytes;
    std::unique_ptr<char[]> m_storage;
    std::size_t m_capacity = 0;
    std::FILE* m_file = nullptr;
    std::size_t m_carryStart = 0, m_carryLength = 0; // the unfinished line after a run
    std::uint64_t m_sizeHint = 0, m_bytesRead = 0;
    bool m_atEnd = true;
    ReadProblem m_problem;
    ReadProgress m_progress;
};

} // namespace tessaplot
