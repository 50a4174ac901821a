#include "platform/FileSystem.h"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/vfs.h>
#endif
#endif

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <limits>
#include <new>
#include <string_view>
#include <system_error>

namespace tessaplot {

namespace {

// A NUL inside a path would end it early for the system and name another file.
bool usablePath(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

std::nullptr_t failWith(OpenFailure* failure, OpenFailure::Kind kind, int code = 0) {
    if (failure != nullptr)
        *failure = {kind, code};
    return nullptr;
}

} // namespace

std::string SystemErrorText(int code) {
    return std::generic_category().message(code);
}

#if defined(_WIN32)

namespace {

// Empty when the text is not valid UTF-8: such a name cannot be meant for Windows.
std::wstring wideText(const std::string& text) {
    if (text.size() > static_cast<std::size_t>(INT_MAX))
        return {};
    const int size = static_cast<int>(text.size());
    const int wideSize =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (wideSize <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), wideSize);
    return wide;
}

std::string utf8Text(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back(); // the terminating NUL
    return text;
}

// Opens without reading or waiting; a directory is refused because no backup
// semantics are asked for, a pipe or a device by its type.
HANDLE openRegular(const std::wstring& path, DWORD access, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE handle =
        CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return handle;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(handle);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

std::uint64_t joined(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// Windows counts 100 ns ticks from 1601; from 1970 the nanoseconds fit 64 bits.
std::int64_t unixNanoseconds(std::int64_t ticksSince1601) {
    constexpr std::int64_t ticksTo1970 = 116444736000000000;
    return (ticksSince1601 - ticksTo1970) * 100;
}

bool onLocalDrive(const std::wstring& path) {
    wchar_t volume[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(path.c_str(), volume, MAX_PATH))
        return false;
    const UINT type = GetDriveTypeW(volume);
    return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

// What a failed open of `path` means, from the error it left.
OpenFailure::Kind failureKindOf(const std::wstring& path, DWORD error) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
        error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH)
        return OpenFailure::Kind::Absent;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return OpenFailure::Kind::NotRegular;
    return OpenFailure::Kind::System;
}

int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    default:
        return EIO;
    }
}

} // namespace

std::FILE* SystemOpenRegularFile(const std::string& path, std::uint64_t* size,
                                 OpenFailure* failure) {
    const std::wstring wide = usablePath(path) ? wideText(path) : std::wstring();
    if (wide.empty())
        return failWith(failure, OpenFailure::Kind::Absent);
    BY_HANDLE_FILE_INFORMATION info{};
    HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const OpenFailure::Kind kind = failureKindOf(wide, error);
        return failWith(failure, kind, kind == OpenFailure::Kind::System ? errnoOf(error) : 0);
    }
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(handle);
        return failWith(failure, OpenFailure::Kind::NotRegular);
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd == -1) {
        CloseHandle(handle);
        return failWith(failure, OpenFailure::Kind::System, EMFILE);
    }
    std::FILE* file = _fdopen(fd, "rb");
    if (file == nullptr) {
        _close(fd); // closes the handle with it
        return failWith(failure, OpenFailure::Kind::System, EMFILE);
    }
    if (size != nullptr)
        *size = joined(info.nFileSizeHigh, info.nFileSizeLow);
    if (failure != nullptr)
        *failure = {};
    return file;
}

FileIdentity SystemIdentifyFile(const std::string& path) {
    FileIdentity identity;
    const std::wstring wide = usablePath(path) ? wideText(path) : std::wstring();
    if (wide.empty())
        return identity;
    BY_HANDLE_FILE_INFORMATION info{};
    HANDLE handle = openRegular(wide, FILE_READ_ATTRIBUTES, info);
    if (handle == INVALID_HANDLE_VALUE)
        return identity;
    FILE_BASIC_INFO times{};
    const bool timed = GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times);
    CloseHandle(handle);
    if (!timed)
        return identity;
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    identity.known = true;
    identity.device = info.dwVolumeSerialNumber;
    identity.inode = joined(info.nFileIndexHigh, info.nFileIndexLow);
    identity.size = joined(info.nFileSizeHigh, info.nFileSizeLow);
    identity.modifiedNs = unixNanoseconds(times.LastWriteTime.QuadPart);
    identity.changedNs = unixNanoseconds(times.ChangeTime.QuadPart);
    identity.seenNs =
        unixNanoseconds(static_cast<std::int64_t>(joined(now.dwHighDateTime, now.dwLowDateTime)));
    identity.localFileSystem = onLocalDrive(wide);
    return identity;
}

bool SeekFile(std::FILE* file, std::uint64_t offset, int& error) {
    if (offset > static_cast<std::uint64_t>(INT64_MAX) ||
        _lseeki64(_fileno(file), static_cast<__int64>(offset), SEEK_SET) < 0) {
        error = offset > static_cast<std::uint64_t>(INT64_MAX) ? EINVAL : errno;
        return false;
    }
    return true;
}

long long SystemReadSome(std::FILE* file, char* into, std::size_t size, int& error) {
    const unsigned count = static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX));
    const int got = _read(_fileno(file), into, count);
    if (got < 0)
        error = errno;
    return got;
}

namespace {

// The names (UTF-8) of the entries of `directory` that `keep` takes, given each entry
// and its full path, in the order the system gives them.
template <typename Keep>
std::vector<std::string> listNames(const std::string& directory, Keep keep) {
    std::vector<std::string> names;
    std::wstring pattern = usablePath(directory) ? wideText(directory) : std::wstring();
    if (pattern.empty())
        return names;
    if (pattern.back() != L'\\' && pattern.back() != L'/')
        pattern += L'\\';
    const std::size_t directoryLength = pattern.size();
    pattern += L'*';

    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring_view wideName = entry.cFileName;
        if (wideName == L"." || wideName == L"..")
            continue;
        if (!keep(entry, pattern.substr(0, directoryLength) + entry.cFileName))
            continue;
        std::string name = utf8Text(entry.cFileName);
        if (!name.empty())
            names.push_back(std::move(name));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

// Whether `path` leads to a directory that opens for `access`, links followed: only
// backup semantics open a directory, and a link loop does not open at all.
bool opensAsDirectory(const std::wstring& path, DWORD access) {
    HANDLE handle =
        CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool directory = GetFileInformationByHandle(handle, &info) &&
                           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    CloseHandle(handle);
    return directory;
}

} // namespace

std::vector<std::string> ListRegularFileNames(const std::string& directory) {
    return listNames(directory, [](const WIN32_FIND_DATAW& entry, const std::wstring& path) {
        const DWORD attributes = entry.dwFileAttributes;
        if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
            return false;
        // A link is judged by what it leads to, as on POSIX systems.
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            BY_HANDLE_FILE_INFORMATION target{};
            HANDLE handle = openRegular(path, 0, target);
            if (handle == INVALID_HANDLE_VALUE)
                return false;
            CloseHandle(handle);
        }
        return true;
    });
}

std::vector<std::string> ListDirectoryNames(const std::string& directory) {
    return listNames(directory, [](const WIN32_FIND_DATAW& entry, const std::wstring& path) {
        // A link is judged by what it leads to, and a directory counts when it lists.
        const DWORD kinds = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        return (entry.dwFileAttributes & kinds) != 0 && opensAsDirectory(path, FILE_LIST_DIRECTORY);
    });
}

bool IsDirectory(const std::string& path) {
    const std::wstring wide = usablePath(path) ? wideText(path) : std::wstring();
    return !wide.empty() && opensAsDirectory(wide, FILE_READ_ATTRIBUTES);
}

bool IsReadableDirectory(const std::string& path) {
    const std::wstring wide = usablePath(path) ? wideText(path) : std::wstring();
    return !wide.empty() && opensAsDirectory(wide, FILE_LIST_DIRECTORY);
}

bool IsTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}

std::string WorkingDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0)
        return {};
    std::wstring wide(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, wide.data());
    if (length == 0 || length >= size)
        return {};
    wide.resize(length);
    return utf8Text(wide.c_str());
}

#else // POSIX

namespace {

std::int64_t nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

#if defined(__linux__)
// File systems whose attributes always tell the truth at once. Network and FUSE file
// systems may cache them, so a change there could go unseen.
bool isLocalFileSystem(const std::string& path) {
    struct statfs volume {};
    if (statfs(path.c_str(), &volume) != 0)
        return false;
    switch (static_cast<unsigned long>(volume.f_type)) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x01021994: // tmpfs
    case 0x58465342: // xfs
    case 0x9123683E: // btrfs
    case 0xF2F52010: // f2fs
    case 0x794C7630: // overlayfs
        return true;
    default:
        return false;
    }
}

const timespec& modificationTime(const struct stat& info) {
    return info.st_mtim;
}
const timespec& statusChangeTime(const struct stat& info) {
    return info.st_ctim;
}
#else
// Elsewhere the file system is not known to keep its attributes current.
bool isLocalFileSystem(const std::string&) {
    return false;
}

#if defined(__APPLE__)
const timespec& modificationTime(const struct stat& info) {
    return info.st_mtimespec;
}
const timespec& statusChangeTime(const struct stat& info) {
    return info.st_ctimespec;
}
#else
const timespec& modificationTime(const struct stat& info) {
    return info.st_mtim;
}
const timespec& statusChangeTime(const struct stat& info) {
    return info.st_ctim;
}
#endif
#endif

} // namespace

std::FILE* SystemOpenRegularFile(const std::string& path, std::uint64_t* size,
                                 OpenFailure* failure) {
    if (!usablePath(path))
        return failWith(failure, OpenFailure::Kind::Absent);
    // Opening a FIFO for reading waits for a writer unless asked not to. The type is
    // then judged on what was opened, not on what the name meant a moment before.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG)
            return failWith(failure, OpenFailure::Kind::Absent);
        // A link loop or a device that refuses readers is no table either.
        if (error == ELOOP || error == ENXIO || error == EISDIR)
            return failWith(failure, OpenFailure::Kind::NotRegular);
        return failWith(failure, OpenFailure::Kind::System, error);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return failWith(failure, OpenFailure::Kind::System, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return failWith(failure, OpenFailure::Kind::NotRegular);
    }
    // Reads of a regular file never wait anyway; the stream gets the usual blocking mode.
    if (const int flags = ::fcntl(fd, F_GETFL); flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        const int error = errno;
        ::close(fd);
        return failWith(failure, OpenFailure::Kind::System, error);
    }
    if (size != nullptr)
        *size = static_cast<std::uint64_t>(info.st_size);
    if (failure != nullptr)
        *failure = {};
    return file;
}

FileIdentity SystemIdentifyFile(const std::string& path) {
    FileIdentity identity;
    struct stat info {};
    timespec now{};
    if (!usablePath(path) || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        clock_gettime(CLOCK_REALTIME, &now) != 0)
        return identity;
    identity.known = true;
    identity.device = static_cast<std::uint64_t>(info.st_dev);
    identity.inode = static_cast<std::uint64_t>(info.st_ino);
    identity.size = static_cast<std::uint64_t>(info.st_size);
    identity.modifiedNs = nanoseconds(modificationTime(info));
    identity.changedNs = nanoseconds(statusChangeTime(info));
    identity.seenNs = nanoseconds(now);
    identity.localFileSystem = isLocalFileSystem(path);
    return identity;
}

bool SeekFile(std::FILE* file, std::uint64_t offset, int& error) {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) ||
        ::lseek(::fileno(file), static_cast<off_t>(offset), SEEK_SET) < 0) {
        error =
            offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) ? EINVAL : errno;
        return false;
    }
    return true;
}

long long SystemReadSome(std::FILE* file, char* into, std::size_t size, int& error) {
    const ssize_t got = ::read(::fileno(file), into, std::min<std::size_t>(size, SSIZE_MAX));
    if (got < 0)
        error = errno;
    return got;
}

namespace {

// An entry's type as S_IFMT bits, links followed; 0 for a link that leads nowhere or
// into a loop.
mode_t entryType(int directoryFd, const dirent& entry) {
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return DTTOIF(entry.d_type);
    // A link, or a file system that does not say: ask, following links. A stat never
    // opens the file, so a FIFO cannot hold the listing.
    struct stat info {};
    return ::fstatat(directoryFd, entry.d_name, &info, 0) == 0 ? info.st_mode & S_IFMT : 0;
}

template <typename Keep>
std::vector<std::string> listNames(const std::string& directory, Keep keep) {
    std::vector<std::string> names;
    DIR* listing = usablePath(directory) ? ::opendir(directory.c_str()) : nullptr;
    if (listing == nullptr)
        return names;
    const int directoryFd = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        if (keep(directoryFd, name, entryType(directoryFd, *entry)))
            names.emplace_back(name);
    }
    ::closedir(listing);
    return names;
}

} // namespace

std::vector<std::string> ListRegularFileNames(const std::string& directory) {
    return listNames(directory, [](int, const char*, mode_t type) { return type == S_IFREG; });
}

std::vector<std::string> ListDirectoryNames(const std::string& directory) {
    return listNames(directory, [](int directoryFd, const char* name, mode_t type) {
        return type == S_IFDIR && ::faccessat(directoryFd, name, R_OK, 0) == 0;
    });
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return usablePath(path) && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsReadableDirectory(const std::string& path) {
    return IsDirectory(path) && ::access(path.c_str(), R_OK) == 0;
}

bool IsTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

std::string WorkingDirectory() {
    std::string buffer(256, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

#endif

namespace {

const FileSystemCalls* g_calls = nullptr;

} // namespace

void SetFileSystemCallsForTesting(const FileSystemCalls* calls) {
    g_calls = calls;
}

// Opening may need memory for the path in the system's own text (Windows); without
// it the file does not open, and the caller is told so rather than thrown at.
std::FILE* OpenRegularFile(const std::string& path, std::uint64_t* size, OpenFailure* failure) {
    try {
        if (g_calls != nullptr && g_calls->open != nullptr)
            return g_calls->open(path, size, failure);
        return SystemOpenRegularFile(path, size, failure);
    } catch (const std::bad_alloc&) {
        return failWith(failure, OpenFailure::Kind::System, ENOMEM);
    }
}

FileIdentity IdentifyFile(const std::string& path) {
    try {
        if (g_calls != nullptr && g_calls->identify != nullptr)
            return g_calls->identify(path);
        return SystemIdentifyFile(path);
    } catch (const std::bad_alloc&) {
        return {}; // unknown: the file is read as if it might have changed
    }
}

std::size_t ReadFileBytes(std::FILE* file, char* into, std::size_t size, int& error) {
    error = 0;
    for (;;) {
        int failure = 0;
        const long long got = g_calls != nullptr && g_calls->readSome != nullptr
                                  ? g_calls->readSome(file, into, size, failure)
                                  : SystemReadSome(file, into, size, failure);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (failure != EINTR) {
            error = failure != 0 ? failure : EIO;
            return 0;
        }
    }
}

} // namespace tessaplot
