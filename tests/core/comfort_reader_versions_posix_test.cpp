// A comfort read that goes on over several calls while another process (as the
// simulation would) changes Comfort.dat between two of them: after every call the
// store holds the records of one version of the file, never a mix of two, and in the
// end those of the last one.
#include "comfort/ComfortReader.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessaplot {
namespace {

namespace fs = std::filesystem;

// Lines `first` .. `last`, all with the same thermal sensation: a mix of a hot and a
// cold version shows as records of both. Hot and cold lines are equally long.
std::string comfortLines(int first, int last, double thermal) {
    std::string text;
    for (int i = first; i <= last; ++i)
        text += std::to_string(0.5 * i) + "\t0\t0\t0\t0\t0\t0\t" + std::to_string(thermal) +
                "\t50.000000\t20.000000\n";
    return text;
}

bool writeAll(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t got = ::write(fd, text.data() + done, text.size() - done);
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

// The ways the simulation changes the file, each done by a process of its own with
// plain system calls (the child runs nothing of the test framework).
enum class Change { RewriteSameLength, RewriteLonger, Cut, Grow, Replace, KeepsGrowing };

bool changeFile(Change change, const std::string& path, const std::string& text) {
    switch (change) {
    case Change::RewriteSameLength:
    case Change::RewriteLonger: {
        // Cut and written again in place: the same file, no shorter than before.
        const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
        return fd >= 0 && writeAll(fd, text) && ::close(fd) == 0;
    }
    case Change::Cut:
        return ::truncate(path.c_str(), static_cast<off_t>(text.size())) == 0;
    case Change::Grow:
    case Change::KeepsGrowing: {
        const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
        return fd >= 0 && writeAll(fd, text) && ::close(fd) == 0;
    }
    case Change::Replace: {
        const std::string fresh = path + ".new";
        const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        return fd >= 0 && writeAll(fd, text) && ::close(fd) == 0 &&
               ::rename(fresh.c_str(), path.c_str()) == 0;
    }
    }
    return false;
}

bool sameState(const FileIdentity& a, const FileIdentity& b) {
    return a.known == b.known && a.inode == b.inode && a.size == b.size &&
           a.modifiedNs == b.modifiedNs && a.changedNs == b.changedNs;
}

// Changes the file from another process. A change that keeps the size is made again
// until the file system shows it (a write within the clock tick of the one before
// leaves the times as they were); the changes that keep the size may be repeated.
void changeInAnotherProcess(Change change, const std::string& path, const std::string& text) {
    const FileIdentity before = IdentifyFile(path);
    for (int attempt = 0; attempt < 200; ++attempt) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(changeFile(change, path, text) ? 0 : 1);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << path;
        if (!sameState(before, IdentifyFile(path)))
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    FAIL() << "the file system never showed the change";
}

// As if every file had last been changed long before it was looked at: the reader may
// then trust an unchanged identity, and a read pauses wherever its time runs out.
FileIdentity identifySettled(const std::string& path) {
    FileIdentity identity = SystemIdentifyFile(path);
    identity.seenNs += 2'000'000'000;
    return identity;
}
const FileSystemCalls kSettledFiles{nullptr, nullptr, identifySettled};

std::uint64_t g_bytesRead = 0;
long long countingReadSome(std::FILE* file, char* into, std::size_t size, int& error) {
    const long long got = SystemReadSome(file, into, size, error);
    g_bytesRead += got > 0 ? static_cast<std::uint64_t>(got) : 0;
    return got;
}
const FileSystemCalls kCountedReads{nullptr, countingReadSome, nullptr};
const FileSystemCalls kCountedReadsOfSettledFiles{nullptr, countingReadSome, identifySettled};

class SettledFiles {
public:
    explicit SettledFiles(bool on) {
        if (on)
            SetFileSystemCallsForTesting(&kSettledFiles);
    }
    ~SettledFiles() { SetFileSystemCallsForTesting(nullptr); }
    SettledFiles(const SettledFiles&) = delete;
    SettledFiles& operator=(const SettledFiles&) = delete;
};

bool sameRecords(const std::vector<ComfortRecord>& a, const std::vector<ComfortRecord>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].Time != b[i].Time || a[i].ThermalSensation != b[i].ThermalSensation ||
            a[i].DampnessSensation != b[i].DampnessSensation ||
            a[i].ComfortValue != b[i].ComfortValue)
            return false;
    return true;
}

std::vector<ComfortRecord> freshRecords(const std::string& text) {
    std::vector<ComfortRecord> records;
    ReadComfortText(text, records);
    return records;
}

TEST(ComfortFileReaderVersions, APausedReadNeverMixesTwoVersionsOfTheFile) {
    const auto past = ComfortFileReader::Clock::time_point::min();
    const std::string before = comfortLines(1, 20, 90);  // what a reader may hold already
    const std::string current = comfortLines(1, 40, 90); // the file when the read begins
    const struct {
        const char* name;
        Change change;
        std::string text; // what the change writes
        std::string after;
    } cases[] = {
        {"rewritten, same length", Change::RewriteSameLength, comfortLines(1, 40, 10),
         comfortLines(1, 40, 10)},
        {"rewritten, longer", Change::RewriteLonger, comfortLines(1, 60, 10),
         comfortLines(1, 60, 10)},
        {"cut", Change::Cut, comfortLines(1, 8, 90), comfortLines(1, 8, 90)},
        {"grown", Change::Grow, comfortLines(41, 60, 90), comfortLines(1, 60, 90)},
        {"replaced", Change::Replace, comfortLines(1, 30, 10), comfortLines(1, 30, 10)},
        {"replaced by a longer copy", Change::Replace, comfortLines(1, 60, 90),
         comfortLines(1, 60, 90)},
        {"grows at every call", Change::KeepsGrowing, std::string(), std::string()},
    };
    for (const bool settled : {false, true}) {
        const SettledFiles settledFiles(settled);
        for (const bool holdsEarlierRead : {false, true}) {
            for (const auto& c : cases) {
                for (int pausedCalls = 1;; ++pausedCalls) {
                    const std::string where = std::string(c.name) +
                                              (settled ? ", settled" : ", just written") +
                                              (holdsEarlierRead ? ", kept records" : "") +
                                              ", after call " + std::to_string(pausedCalls);
                    const fs::path dir =
                        fs::temp_directory_path() /
                        ("tessaplot_comfort_versions_" + std::to_string(::getpid()));
                    fs::remove_all(dir);
                    fs::create_directories(dir);
                    const std::string path = (dir / "Comfort.dat").string();
                    ComfortFileReader reader(256); // some ten calls for the file
                    std::vector<ComfortRecord> store;
                    std::vector<std::vector<ComfortRecord>> versions{store};
                    std::string text = holdsEarlierRead ? before : current;
                    std::ofstream(path, std::ios::binary) << text;
                    if (holdsEarlierRead) {
                        reader.read(path, store);
                        versions.push_back(store);
                        std::ofstream(path, std::ios::binary | std::ios::app)
                            << current.substr(before.size());
                        text = current;
                    }
                    versions.push_back(freshRecords(text));

                    bool pending = true;
                    for (int call = 0; call < pausedCalls && pending; ++call)
                        pending = reader.read(path, store, past).pending;
                    if (!pending) {
                        fs::remove_all(dir);
                        break; // no pause that late
                    }
                    int calls = 0;
                    int appended = 0;
                    bool changing = true;
                    while (pending && calls < 1000) {
                        if (changing) {
                            const bool grows = c.change == Change::KeepsGrowing;
                            const int line = 41 + appended;
                            ASSERT_NO_FATAL_FAILURE(changeInAnotherProcess(
                                c.change, path, grows ? comfortLines(line, line, 90) : c.text));
                            appended += grows ? 1 : 0;
                            text = grows ? comfortLines(1, line, 90) : c.after;
                            versions.push_back(freshRecords(text));
                            changing = c.change == Change::KeepsGrowing && appended < 30;
                        }
                        pending = reader.read(path, store, past).pending;
                        ++calls;
                        bool oneVersion = false;
                        for (const auto& version : versions)
                            oneVersion = oneVersion || sameRecords(store, version);
                        EXPECT_TRUE(oneVersion)
                            << where << ", call " << calls << ": a mix of versions, "
                            << store.size() << " records";
                    }
                    ASSERT_FALSE(pending) << where << ": the read never ends";
                    EXPECT_TRUE(c.change != Change::KeepsGrowing || changing)
                        << where << ": no read ended while the file grew";
                    // Once the file stays as it is, the reader comes to its records.
                    while (reader.read(path, store, past).pending && calls < 2000)
                        ++calls;
                    EXPECT_TRUE(sameRecords(store, freshRecords(text)))
                        << where << ": not the file as it is, " << store.size() << " records";
                    fs::remove_all(dir);
                }
            }
        }
    }
}

// What the checks cost: the bytes of a read over many calls are taken from the disk
// once more at most, and only once whatever the number of calls, so that even a file
// that grows at every call is read to its end.
TEST(ComfortFileReaderVersions, APausedReadIsCheckedOnceAtMostAndOnlyWhenTheFileMayHaveChanged) {
    const auto past = ComfortFileReader::Clock::time_point::min();
    const struct {
        bool settled;
        bool holdsEarlierRead; // of the first half of the lines
        bool growsAtEveryCall;
        double mostReadsOfEachByte;
    } cases[] = {
        {true, false, false, 1.0},  // every pause vouched for by the file's identity
        {true, true, false, 1.0},   // the kept half checked over calls, the rest converted
        {false, false, false, 2.0}, // converted over calls, checked at the end
        {false, false, true, 2.0},  {false, true, false, 2.0}, // the kept half checked in one call
        {false, true, true, 2.0},
    };
    for (const auto& c : cases) {
        const std::string where = std::string(c.settled ? "settled" : "just written") +
                                  (c.holdsEarlierRead ? ", kept records" : "") +
                                  (c.growsAtEveryCall ? ", growing" : "");
        SetFileSystemCallsForTesting(c.settled ? &kCountedReadsOfSettledFiles : &kCountedReads);
        const fs::path dir =
            fs::temp_directory_path() / ("tessaplot_comfort_cost_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        const std::string path = (dir / "Comfort.dat").string();
        ComfortFileReader reader(4096);
        std::vector<ComfortRecord> store;
        std::ofstream(path, std::ios::binary)
            << comfortLines(1, c.holdsEarlierRead ? 1000 : 2000, 90);
        if (c.holdsEarlierRead) {
            reader.read(path, store);
            std::ofstream(path, std::ios::binary | std::ios::app) << comfortLines(1001, 2000, 90);
        }
        g_bytesRead = 0;
        int calls = 0;
        int lines = 2000;
        for (bool pending = true; pending && calls < 1000; ++calls) {
            if (c.growsAtEveryCall && calls > 0) {
                ++lines;
                std::ofstream(path, std::ios::binary | std::ios::app)
                    << comfortLines(lines, lines, 90);
            }
            pending = reader.read(path, store, past).pending;
        }
        const auto size = static_cast<double>(fs::file_size(path));
        EXPECT_GT(calls, 10) << where;
        EXPECT_LE(static_cast<double>(g_bytesRead), c.mostReadsOfEachByte * size + 4096) << where;
        EXPECT_TRUE(sameRecords(store, freshRecords(comfortLines(1, lines, 90)))) << where;
        SetFileSystemCallsForTesting(nullptr);
        fs::remove_all(dir);
    }
}

} // namespace
} // namespace tessaplot
