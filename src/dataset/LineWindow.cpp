#include "dataset/LineWindow.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace tessaplot {

namespace {

constexpr std::size_t kSmallestWindow = 64 * 1024;

// The last line feed in [begin, end), or nullptr.
const char* lastLineFeed(const char* begin, const char* end) {
    for (const char* p = end; p != begin;) {
        if (*--p == '\n')
            return p;
    }
    return nullptr;
}

ReadProblem::Kind problemOf(OpenFailure::Kind kind) {
    switch (kind) {
    case OpenFailure::Kind::Absent:
        return ReadProblem::Kind::Absent;
    case OpenFailure::Kind::NotRegular:
        return ReadProblem::Kind::NotRegular;
    default:
        return ReadProblem::Kind::System;
    }
}

} // namespace

LineWindow::LineWindow(std::size_t windowBytes)
    : m_windowBytes(std::max(windowBytes, static_cast<std::size_t>(2))) {}

LineWindow::~LineWindow() {
    close();
}

void LineWindow::close() {
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = nullptr;
    m_atEnd = true;
}

bool LineWindow::fail(ReadProblem::Kind kind, int code, std::uint64_t offset) {
    m_problem = {kind, code, offset, m_sizeHint, m_windowBytes};
    close();
    return false;
}

bool LineWindow::open(const std::string& path, std::uint64_t from) {
    close();
    m_problem = {};
    m_carryStart = m_carryLength = 0;
    m_bytesRead = 0;
    m_sizeHint = 0;
    OpenFailure failure;
    m_file = OpenRegularFile(path, &m_sizeHint, &failure);
    if (m_file == nullptr) {
        if (failure.kind == OpenFailure::Kind::System && failure.code == ENOMEM)
            return fail(ReadProblem::Kind::OutOfMemory);
        return fail(problemOf(failure.kind), failure.code);
    }
    // Reads go straight into the window: the stream's own buffer would copy every byte
    // once more.
    std::setvbuf(m_file, nullptr, _IONBF, 0);
    m_atEnd = false;
    if (from > 0) {
        int error = 0;
        if (!SeekFile(m_file, from, error))
            return fail(ReadProblem::Kind::System, error);
        m_bytesRead = from;
    }
    return true;
}

// Grows the storage to at least `bytes` (never beyond the window), keeping the
// unfinished line; storage of an earlier read is reused as it is.
bool LineWindow::reserve(std::size_t bytes) {
    bytes = std::min(bytes, m_windowBytes);
    if (bytes <= m_capacity)
        return true;
    std::unique_ptr<char[]> grown(new (std::nothrow) char[bytes]);
    if (!grown)
        return fail(ReadProblem::Kind::OutOfMemory);
    if (m_carryLength != 0)
        std::memcpy(grown.get(), m_storage.get() + m_carryStart, m_carryLength);
    m_carryStart = 0;
    m_storage = std::move(grown);
    m_capacity = bytes;
    return true;
}

// Reads into [into, into + room) until it is full or the file ends; a read may give
// fewer bytes than asked before the end. At the end the file is let go at once (the
// bytes stay in the window), so that no table is held open between reads: on Windows
// an open file could not even be removed.
bool LineWindow::fill(char* into, std::size_t room, std::size_t& got) {
    got = 0;
    while (got < room) {
        int error = 0;
        const std::size_t piece = std::min(room - got, kReadPieceBytes);
        const std::size_t more = ReadFileBytes(m_file, into + got, piece, error);
        if (more == 0) {
            if (error != 0)
                return fail(ReadProblem::Kind::System, error);
            close();
            break;
        }
        got += more;
        if (m_progress && !m_progress(m_bytesRead + got, m_sizeHint))
            return fail(ReadProblem::Kind::Cancelled);
    }
    return true;
}

// The window is full and holds no line end: read on, keeping nothing, to tell a line
// too long to be a table's (its end comes within the limit) from a table that is being
// written (the file ends first) and, for the first line, from a file that is no table
// at all (no line end within the limit).
bool LineWindow::skipOverlongLine(std::uint64_t lineStart) {
    while (m_bytesRead - lineStart < kNoLineEndLimit) {
        const std::size_t room = static_cast<std::size_t>(
            std::min<std::uint64_t>(m_capacity, kNoLineEndLimit - (m_bytesRead - lineStart)));
        std::size_t got = 0;
        if (!fill(m_storage.get(), room, got))
            return false;
        if (std::memchr(m_storage.get(), '\n', got) != nullptr)
            return fail(ReadProblem::Kind::LongLine, 0, lineStart);
        m_bytesRead += got;
        if (m_atEnd) {
            m_carryLength = 0;
            return false;
        }
    }
    return lineStart == 0 ? fail(ReadProblem::Kind::NoLineEnd)
                          : fail(ReadProblem::Kind::LongLine, 0, lineStart);
}

bool LineWindow::next(std::string_view& lines) {
    if (m_file == nullptr || m_atEnd)
        return false;
    // The unfinished line of the last run moves to the front; the rest of the window
    // fills from the file.
    if (m_carryStart != 0 && m_carryLength != 0)
        std::memmove(m_storage.get(), m_storage.get() + m_carryStart, m_carryLength);
    m_carryStart = 0;
    std::size_t filled = m_carryLength;
    // Runs of a few megabytes: the window grows towards its bound only for a line that
    // does not fit, so a large table is read in little memory.
    const std::size_t wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>(m_sizeHint + 1, std::min(m_windowBytes, kRunBytes)));
    if (!reserve(std::max({wanted, kSmallestWindow, filled + 1})))
        return false;

    for (;;) {
        if (filled == m_capacity) {
            if (m_capacity < m_windowBytes) {
                m_carryLength = filled;
                if (!reserve(std::min(m_capacity * 2, m_windowBytes)))
                    return false;
            } else {
                return skipOverlongLine(m_bytesRead - filled);
            }
        }
        std::size_t got = 0;
        if (!fill(m_storage.get() + filled, m_capacity - filled, got))
            return false;
        m_bytesRead += got;
        const char* begin = m_storage.get();
        const char* feed = lastLineFeed(begin + filled, begin + filled + got);
        filled += got;
        if (feed != nullptr) {
            const std::size_t through = static_cast<std::size_t>(feed - begin) + 1;
            lines = std::string_view(begin, through);
            m_carryStart = through;
            m_carryLength = filled - through;
            return true;
        }
        if (m_atEnd) {
            // Only an unfinished line is left; it waits for the next read.
            m_carryLength = 0;
            return false;
        }
    }
}

} // namespace tessaplot
