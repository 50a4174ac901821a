#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The few calls the readers make to the operating system, for POSIX systems and for
// Windows. Everything else in the core is standard C++.
//
// Paths are UTF-8 text. On POSIX systems they are passed on byte for byte, so a name
// that is not valid UTF-8 still opens; on Windows they are converted to the system's
// UTF-16, and either separator, '/' or '\', may be used.
namespace tessaplot {

// Why a file did not open.
struct OpenFailure {
    enum class Kind {
        None,
        Absent,     // no such file (or directory on the way)
        NotRegular, // a directory, a FIFO or pipe, a device
        System,     // anything else: no permission, an I/O error ... (`code`, an errno value)
    };
    Kind kind = Kind::None;
    int code = 0;
};

// Opens `path` for binary reading when it is a regular file, and gives the size it had
// when opened (a hint only: the simulation may be appending). Returns nullptr for
// anything else — missing, a directory, a FIFO or pipe, a device — without ever
// waiting: a FIFO put where a result table was expected would otherwise hold the
// window until some program wrote into it. `failure`, when given, says why.
std::FILE* OpenRegularFile(const std::string& path, std::uint64_t* size = nullptr,
                           OpenFailure* failure = nullptr);

// The system's own words for an errno value ("Permission denied").
std::string SystemErrorText(int code);

// Reads up to `size` bytes of a file opened by OpenRegularFile into `into`. Fewer may
// come before the end; 0 means the end of the file, or a failure when `error` is then
// set (an errno value). An interrupted read is tried again, never reported.
std::size_t ReadFileBytes(std::FILE* file, char* into, std::size_t size, int& error);

// Moves the next ReadFileBytes of a file opened by OpenRegularFile to `offset` bytes
// from its start; false with `error` set (an errno value) when it cannot.
bool SeekFile(std::FILE* file, std::uint64_t offset, int& error);

// What the file system says about a file without reading it: enough to know that a
// file read before cannot have changed since. Used to spare re-reading an unchanged
// table many times a second.
struct FileIdentity {
    bool known = false;
    std::uint64_t device = 0, inode = 0, size = 0; // volume, file number within it, bytes
    std::int64_t modifiedNs = 0, changedNs = 0;    // content and status change times
    std::int64_t seenNs = 0;                       // wall-clock time when this was taken
    bool localFileSystem = false;
};

// The identity of the regular file at `path` now; `known` is false when there is none.
// All times count nanoseconds from the same epoch, so they can be compared.
FileIdentity IdentifyFile(const std::string& path);

// The names (UTF-8, or the bytes as they are on POSIX systems) of the regular files
// directly in `directory`, links followed, in the order the system gives them. A link
// that leads nowhere or into a loop is left out. Empty when the directory cannot be read.
std::vector<std::string> ListRegularFileNames(const std::string& directory);

// The names, as ListRegularFileNames gives them, of the directories directly in
// `directory` that this process may read, links followed, in the order the system gives
// them; "." and ".." are left out, hidden names are not. A link that leads nowhere or into
// a loop is left out. Empty when the directory cannot be read.
std::vector<std::string> ListDirectoryNames(const std::string& directory);

// Whether `path` is a directory, links followed; the second also asks that this process
// may read (list) it.
bool IsDirectory(const std::string& path);
bool IsReadableDirectory(const std::string& path);

// Whether `stream` goes to a terminal (a person watching), not a file or a pipe.
bool IsTerminal(std::FILE* stream);

// The process's working directory as the system names it; empty when it has none.
std::string WorkingDirectory();

// For tests that make the system fail: each call not left empty replaces the system's
// own in OpenRegularFile, ReadFileBytes (`readSome`: one read, -1 with `error` set on
// failure, EINTR included) and IdentifyFile. Nullptr restores the system's calls.
struct FileSystemCalls {
    std::FILE* (*open)(const std::string& path, std::uint64_t* size,
                       OpenFailure* failure) = nullptr;
    long long (*readSome)(std::FILE* file, char* into, std::size_t size, int& error) = nullptr;
    FileIdentity (*identify)(const std::string& path) = nullptr;
};
void SetFileSystemCallsForTesting(const FileSystemCalls* calls);

// The system's own calls, for a test's replacement to pass on to.
std::FILE* SystemOpenRegularFile(const std::string& path, std::uint64_t* size,
                                 OpenFailure* failure);
long long SystemReadSome(std::FILE* file, char* into, std::size_t size, int& error);
FileIdentity SystemIdentifyFile(const std::string& path);

} // namespace tessaplot
