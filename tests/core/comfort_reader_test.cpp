#include "comfort/ComfortReader.h"
#include "comfort/StreamHash.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace tessaplot {
namespace {

namespace fs = std::filesystem;

// Ten columns joined by TABs: time, six unused columns, thermal, dampness, comfort.
std::string comfortLine(double time, double thermal, double dampness, double comfort) {
    std::string line = std::to_string(time);
    for (int i = 0; i < 6; ++i)
        line += "\t0";
    line += "\t" + std::to_string(thermal) + "\t" + std::to_string(dampness) + "\t" +
            std::to_string(comfort);
    return line;
}

std::string comfortFile(int lines, bool finalLineFeed = true) {
    std::string text;
    for (int i = 1; i <= lines; ++i) {
        text += comfortLine(0.5 * i, i % 100, 50, 20);
        if (i < lines || finalLineFeed)
            text += '\n';
    }
    return text;
}

class TempDir {
public:
    TempDir() {
        static std::atomic<int> serial{0};
        path_ = fs::temp_directory_path() /
                ("tessaplot_comfort_" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "_" +
                 std::to_string(serial++));
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string write(const std::string& name, const std::string& text) const {
        const auto file = path_ / name;
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
        return file.string();
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

constexpr float unset = -1.0f;

TEST(ParseComfortLine, FieldsSetByTabCount) {
    const std::string sevenUnused = "12.5\t0\t0\t0\t0\t0\t0";
    const struct {
        std::string line;
        int tabs;
        unsigned fields;
        ComfortRecord expected;
    } cases[] = {
        {"", 0, 0, {unset, unset, unset, unset}},
        {"12.5", 0, 0, {unset, unset, unset, unset}},
        {"12.5\t3", 1, ComfortFieldTime, {12.5f, unset, unset, unset}},
        {sevenUnused, 6, ComfortFieldTime, {12.5f, unset, unset, unset}},
        {sevenUnused + "\t30", 7, ComfortFieldTime, {12.5f, unset, unset, unset}},
        {sevenUnused + "\t30\t40",
         8,
         ComfortFieldTime | ComfortFieldThermalSensation,
         {12.5f, 30.0f, unset, unset}},
        {sevenUnused + "\t30\t40\t5", 9, ComfortFieldsAll, {12.5f, 30.0f, 40.0f, 5.0f}},
        // A TAB after column 9, or more columns: column 9 still gives the comfort value.
        {sevenUnused + "\t30\t40\t5\t", 10, ComfortFieldsAll, {12.5f, 30.0f, 40.0f, 5.0f}},
        {sevenUnused + "\t30\t40\t5.5\t99\t98", 11, ComfortFieldsAll, {12.5f, 30.0f, 40.0f, 5.5f}},
        {sevenUnused + "\t30\t40\t\t", 10, ComfortFieldsAll, {12.5f, 30.0f, 40.0f, 0.0f}},
        // The last column from its own characters, not from the longer one before it.
        {sevenUnused + "\t30\t45.25\t7", 9, ComfortFieldsAll, {12.5f, 30.0f, 45.25f, 7.0f}},
        {sevenUnused + "\t30\t40\t5\r", 9, ComfortFieldsAll, {12.5f, 30.0f, 40.0f, 5.0f}},
        {sevenUnused + "\t30\t12,5\t", 9, ComfortFieldsAll, {12.5f, 30.0f, 12.0f, 0.0f}},
        {sevenUnused + "\tx\t\t5", 9, ComfortFieldsAll, {12.5f, 0.0f, 0.0f, 5.0f}},
        // A NUL ends the line: the TABs behind it do not count.
        {std::string("12.5\t0\0\t0\t0\t0\t0\t0\t30\t40\t5", 25),
         1,
         ComfortFieldTime,
         {12.5f, unset, unset, unset}},
    };
    for (const auto& c : cases) {
        ComfortRecord record{unset, unset, unset, unset};
        const auto result = ParseComfortLine(c.line, record);
        EXPECT_EQ(result.tabCount, c.tabs) << c.line;
        EXPECT_EQ(result.fields, c.fields) << c.line;
        EXPECT_EQ(record.Time, c.expected.Time) << c.line;
        EXPECT_EQ(record.ThermalSensation, c.expected.ThermalSensation) << c.line;
        EXPECT_EQ(record.DampnessSensation, c.expected.DampnessSensation) << c.line;
        EXPECT_EQ(record.ComfortValue, c.expected.ComfortValue) << c.line;
    }
}

TEST(ReadComfortText, CountsCompleteLinesOnly) {
    std::vector<ComfortRecord> store;
    auto result = ReadComfortText(comfortFile(120), store);
    EXPECT_TRUE(result.fileOpened);
    EXPECT_EQ(result.count, 120);
    EXPECT_EQ(result.endTime, 60.0f);
    ASSERT_EQ(store.size(), 120u);

    // The last line may still be being written: it is not counted.
    result = ReadComfortText(comfortFile(120, false), store);
    EXPECT_EQ(result.count, 119);
    EXPECT_EQ(result.endTime, 59.5f);
    EXPECT_EQ(store.size(), 119u);

    result = ReadComfortText(comfortFile(1, false), store);
    EXPECT_EQ(result.count, 0);
    EXPECT_EQ(result.endTime, 0.0f);
    EXPECT_TRUE(store.empty());

    result = ReadComfortText("", store);
    EXPECT_TRUE(result.fileOpened);
    EXPECT_EQ(result.count, 0);
}

TEST(ReadComfortText, RecordFieldsAndSkippedLines) {
    const std::string text = comfortLine(12.5, 30, 40, 5) + "\r\n" + "\n" + "1\t2\t3\n" + // 2 TABs
                             comfortLine(13, 31, 41, 6) + "\t\n" +                        // 10 TABs
                             "13.5\t0\t0\t0\t0\t0\t0\t30\t40\n" +                         // 8 TABs
                             comfortLine(14, 32, 42, 7) + "\r\n";
    std::vector<ComfortRecord> store;
    const auto result = ReadComfortText(text, store);
    ASSERT_EQ(result.count, 3);
    EXPECT_EQ(store[0].Time, 12.5f);
    EXPECT_EQ(store[0].ThermalSensation, 30.0f);
    EXPECT_EQ(store[0].DampnessSensation, 40.0f);
    EXPECT_EQ(store[0].ComfortValue, 5.0f);
    // The line with a trailing TAB keeps all of its own values.
    EXPECT_EQ(store[1].Time, 13.0f);
    EXPECT_EQ(store[1].ThermalSensation, 31.0f);
    EXPECT_EQ(store[1].DampnessSensation, 41.0f);
    EXPECT_EQ(store[1].ComfortValue, 6.0f);
    EXPECT_EQ(store[2].Time, 14.0f);
    EXPECT_EQ(store[2].ComfortValue, 7.0f);
    EXPECT_EQ(result.endTime, 14.0f);
}

TEST(ReadComfortText, LongLinesAndManyLines) {
    // Far beyond 254 characters: padded columns are read whole.
    const std::string padding(400, ' ');
    std::string longLine = "7";
    for (int i = 0; i < 6; ++i)
        longLine += "\t" + padding + "0";
    longLine += "\t" + padding + "33\t" + padding + "44\t" + padding + "55\n";
    std::vector<ComfortRecord> store;
    auto result = ReadComfortText(longLine, store);
    ASSERT_EQ(result.count, 1);
    EXPECT_EQ(store[0].ThermalSensation, 33.0f);
    EXPECT_EQ(store[0].DampnessSensation, 44.0f);
    EXPECT_EQ(store[0].ComfortValue, 55.0f);

    // More lines than the initial room of the store: nothing is dropped.
    const int many = ComfortStoreCapacity + 1001;
    result = ReadComfortText(comfortFile(many), store);
    EXPECT_EQ(result.count, many);
    EXPECT_EQ(result.endTime, 0.5f * many);

    // A shorter read afterwards describes only itself and keeps the capacity.
    const auto capacity = store.capacity();
    result = ReadComfortText(comfortFile(3), store);
    EXPECT_EQ(result.count, 3);
    EXPECT_EQ(store.size(), 3u);
    EXPECT_EQ(store.capacity(), capacity);
}

TEST(ReadComfortText, TwoThreadsGiveTheRecordsOfOne) {
    std::string withNul = comfortFile(40);
    withNul[withNul.size() / 2] = '\0';
    std::string hostile(5000, ' ');
    std::mt19937 random(3);
    for (char& c : hostile)
        c = "\t\t\t\t\n\r\0 0123456789.eE+-"[random() % 21];
    const std::string texts[] = {comfortFile(120),
                                 comfortFile(120, false),
                                 comfortLine(1, 2, 3, 4) + "\n",
                                 "1\t2\n\n" + comfortFile(9),
                                 withNul,
                                 hostile};
    for (const std::string& text : texts) {
        std::vector<ComfortRecord> oneThread, twoThreads;
        const auto expected = ReadComfortText(text, oneThread, SIZE_MAX);
        const auto result = ReadComfortText(text, twoThreads, 1);
        EXPECT_EQ(result.count, expected.count);
        ASSERT_EQ(twoThreads.size(), oneThread.size());
        EXPECT_EQ(std::memcmp(twoThreads.data(), oneThread.data(),
                              oneThread.size() * sizeof(ComfortRecord)),
                  0);
    }
}

TEST(ReadComfortFile, MissingUnreadableAndPresent) {
    TempDir dir;
    std::vector<ComfortRecord> store;
    LineWindow buffer;
    ReadComfortText(comfortFile(5), store);

    for (const std::string& path :
         {std::string(), (dir.path() / "Comfort.dat").string(), dir.path().string()}) {
        const auto result = ReadComfortFile(path, store, buffer);
        EXPECT_FALSE(result.fileOpened) << path;
        EXPECT_EQ(result.count, 0) << path;
        EXPECT_TRUE(store.empty()) << path;
    }

    const auto path = dir.write("Comfort.dat", comfortFile(120));
    auto result = ReadComfortFile(path, store, buffer);
    EXPECT_TRUE(result.fileOpened);
    EXPECT_EQ(result.count, 120);
    EXPECT_EQ(result.endTime, 60.0f);

    dir.write("Comfort.dat", "");
    result = ReadComfortFile(path, store, buffer);
    EXPECT_TRUE(result.fileOpened);
    EXPECT_EQ(result.count, 0);
}

TEST(StreamHash, SameWhateverThePiecesAndDifferentForOtherBytes) {
    const std::string text = "0.5\t1\t2\t3\t4\t5\t6\t20\t40\t0\n1\t1\t2\t3\t4\t5\t6\t21\t41\t1\n";
    StreamHash whole;
    whole.add(text);
    for (std::size_t a = 0; a <= text.size(); ++a)
        for (std::size_t b = a; b <= text.size(); b += 3) {
            StreamHash pieces;
            pieces.add(std::string_view(text).substr(0, a));
            pieces.add(std::string_view(text).substr(a, b - a));
            pieces.add(std::string_view(text).substr(b));
            ASSERT_TRUE(pieces == whole) << a << " " << b;
        }
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string changed = text;
        changed[i] ^= 1;
        StreamHash other;
        other.add(changed);
        EXPECT_FALSE(other == whole) << "byte " << i;
    }
    StreamHash shorter;
    shorter.add(std::string_view(text).substr(0, text.size() - 1));
    EXPECT_FALSE(shorter == whole);
}

void expectSameAsFreshRead(ComfortFileReader& reader, std::vector<ComfortRecord>& store,
                           const std::string& path) {
    std::vector<ComfortRecord> fresh;
    LineWindow buffer;
    const auto expected = ReadComfortFile(path, fresh, buffer);
    const auto result = reader.read(path, store);
    EXPECT_EQ(result.fileOpened, expected.fileOpened);
    EXPECT_EQ(result.count, expected.count);
    EXPECT_EQ(result.endTime, expected.endTime);
    ASSERT_EQ(store.size(), fresh.size());
    for (size_t i = 0; i < fresh.size(); ++i) {
        const auto& a = store[i];
        const auto& b = fresh[i];
        EXPECT_TRUE(a.Time == b.Time && a.ThermalSensation == b.ThermalSensation &&
                    a.DampnessSensation == b.DampnessSensation && a.ComfortValue == b.ComfortValue)
            << "record " << i;
    }
}

// Every change is checked with a read window far smaller than the file (a line must
// still fit), so that differences fall at, before and after window boundaries, and with
// the default window; and with every run converted on two threads.
struct ReaderShape {
    std::size_t windowBytes;
    std::size_t parallelFrom;
};
class ComfortFileReaderTest : public ::testing::TestWithParam<ReaderShape> {};

TEST_P(ComfortFileReaderTest, MatchesFreshReadsWhileTheFileChanges) {
    TempDir dir;
    ComfortFileReader reader(GetParam().windowBytes, GetParam().parallelFrom);
    std::vector<ComfortRecord> store;
    const auto path = (dir.path() / "Comfort.dat").string();

    expectSameAsFreshRead(reader, store, path); // not there yet
    EXPECT_EQ(store.size(), 0u);

    // Growing, with a half-written line that is completed later.
    std::string text = comfortFile(50);
    dir.write("Comfort.dat", text);
    expectSameAsFreshRead(reader, store, path);
    expectSameAsFreshRead(reader, store, path);
    EXPECT_TRUE(reader.recordsUnchanged());
    const std::string next = comfortLine(25.5, 99, 98, 97);
    dir.write("Comfort.dat", text + next.substr(0, 12));
    expectSameAsFreshRead(reader, store, path);
    EXPECT_TRUE(reader.recordsUnchanged()) << "a partial line adds no record";
    text += next + "\n";
    dir.write("Comfort.dat", text);
    expectSameAsFreshRead(reader, store, path);
    EXPECT_FALSE(reader.recordsUnchanged());
    EXPECT_EQ(store.back().ComfortValue, 97.0f);

    // Truncated.
    text = comfortFile(20);
    dir.write("Comfort.dat", text);
    expectSameAsFreshRead(reader, store, path);
    EXPECT_EQ(store.size(), 20u);

    // Rewritten with the same size: one digit changed in the first line, then in the
    // last one.
    auto at = text.find("\t50");
    ASSERT_NE(at, std::string::npos);
    text[at + 1] = '6';
    dir.write("Comfort.dat", text);
    expectSameAsFreshRead(reader, store, path);
    EXPECT_FALSE(reader.recordsUnchanged());
    EXPECT_EQ(store[0].DampnessSensation, 60.0f);
    at = text.rfind("\t50");
    text[at + 1] = '7';
    dir.write("Comfort.dat", text);
    expectSameAsFreshRead(reader, store, path);
    EXPECT_EQ(store.back().DampnessSensation, 70.0f);

    // The last line feed replaced by a TAB: that line no longer counts.
    text.back() = '\t';
    dir.write("Comfort.dat", text);
    expectSameAsFreshRead(reader, store, path);
    EXPECT_EQ(store.size(), 19u);

    // Removed, then back.
    fs::remove(path);
    expectSameAsFreshRead(reader, store, path);
    EXPECT_FALSE(reader.recordsUnchanged());
    expectSameAsFreshRead(reader, store, path);
    EXPECT_TRUE(reader.recordsUnchanged()) << "still missing";
    dir.write("Comfort.dat", text);
    expectSameAsFreshRead(reader, store, path);

    // A store changed behind the reader's back is filled anew.
    store.clear();
    expectSameAsFreshRead(reader, store, path);
    store.pop_back();
    expectSameAsFreshRead(reader, store, path);
    std::vector<ComfortRecord> other;
    expectSameAsFreshRead(reader, other, path);
}

// Counts the bytes the readers take from the disk.
std::uint64_t g_bytesRead = 0;
long long countingReadSome(std::FILE* file, char* into, std::size_t size, int& error) {
    const long long got = SystemReadSome(file, into, size, error);
    g_bytesRead += got > 0 ? static_cast<std::uint64_t>(got) : 0;
    return got;
}
const FileSystemCalls kCountingReads{nullptr, countingReadSome, nullptr};

TEST(ComfortFileReaderCheckpoints, ALargeFileChangedAnywhereIsReadOnceFromTheLastGoodPoint) {
    TempDir dir;
    SetFileSystemCallsForTesting(&kCountingReads);
    ComfortFileReader reader;
    std::vector<ComfortRecord> store;
    const auto path = (dir.path() / "Comfort.dat").string();
    const std::string original = comfortFile(60000); // about 4 MB: a few checkpoints
    const auto size = static_cast<double>(original.size());
    std::string text = original;
    const auto rewrite = [&](std::size_t at, char digit) {
        at = text.find('\t', at) + 1; // a column's first digit
        text[at] = digit;
        dir.write("Comfort.dat", text);
    };
    const auto readCounting = [&] {
        g_bytesRead = 0;
        expectSameAsFreshRead(reader, store, path); // the fresh read is counted too
        return static_cast<double>(g_bytesRead) - static_cast<double>(fs::file_size(path));
    };
    dir.write("Comfort.dat", text);
    expectSameAsFreshRead(reader, store, path);

    // The same size, one digit changed near the start, in the middle, near the end.
    for (const double where : {0.0, 0.6, 0.97}) {
        rewrite(static_cast<std::size_t>(where * size), where == 0.6 ? '7' : '3');
        EXPECT_LT(readCounting(), 1.3 * size) << "changed at " << where;
        EXPECT_FALSE(reader.recordsUnchanged());
    }
    // Truncated in the middle of the file and written on differently.
    text = original.substr(0, original.find('\n', original.size() / 2) + 1) +
           comfortFile(100).substr(3);
    dir.write("Comfort.dat", text);
    EXPECT_LT(readCounting(), 1.3 * size);
    // Grown: what was read is checked, only the new lines are converted.
    text += comfortLine(1e5, 1, 2, 3) + "\n";
    dir.write("Comfort.dat", text);
    readCounting();
    EXPECT_EQ(store.back().ComfortValue, 3.0f);
    // Shorter than the first checkpoint.
    text = comfortFile(10);
    dir.write("Comfort.dat", text);
    readCounting();
    EXPECT_EQ(store.size(), 10u);
    SetFileSystemCallsForTesting(nullptr);
}

// Whether this process holds `path` open (known on Linux only; false elsewhere). A
// writer must be free to replace the file between two calls, which Windows refuses
// for a file held open.
bool heldOpen(const std::string& path) {
#ifdef __linux__
    std::error_code error;
    for (const auto& fd : fs::directory_iterator("/proc/self/fd", error)) {
        std::error_code unreadable;
        if (fs::read_symlink(fd.path(), unreadable) == fs::path(path))
            return true;
    }
#else
    (void)path;
#endif
    return false;
}

// Reads with a deadline already past: each call takes one run of the window, so that a
// read of a file many windows long goes on over many calls.
ComfortReadResult readInSlices(ComfortFileReader& reader, std::vector<ComfortRecord>& store,
                               const std::string& path, int& calls) {
    const auto past = ComfortFileReader::Clock::time_point::min();
    ComfortReadResult result;
    for (calls = 1;; ++calls) {
        const std::vector<ComfortRecord> before = store;
        const int countBefore = result.count;
        result = reader.read(path, store, past);
        if (!result.pending)
            return result;
        EXPECT_TRUE(reader.readPending());
        EXPECT_FALSE(heldOpen(path)) << "the file is let go between calls";
        // Until the read ends, the store and the result are those of the last one.
        EXPECT_EQ(store.size(), before.size());
        EXPECT_TRUE(calls == 1 || result.count == countBefore);
        for (std::size_t i = 0; i < std::min(store.size(), before.size()); ++i)
            EXPECT_EQ(store[i].Time, before[i].Time) << "record " << i;
        if (calls > 100000) {
            ADD_FAILURE() << "the read never ends";
            return result;
        }
    }
}

void expectSameRecords(const std::vector<ComfortRecord>& store, const std::string& path) {
    std::vector<ComfortRecord> fresh;
    LineWindow window;
    ReadComfortFile(path, fresh, window);
    ASSERT_EQ(store.size(), fresh.size());
    for (std::size_t i = 0; i < fresh.size(); ++i)
        ASSERT_TRUE(store[i].Time == fresh[i].Time &&
                    store[i].ThermalSensation == fresh[i].ThermalSensation &&
                    store[i].DampnessSensation == fresh[i].DampnessSensation &&
                    store[i].ComfortValue == fresh[i].ComfortValue)
            << "record " << i;
}

TEST(ComfortFileReaderSlices, AReadOverManyCallsGivesTheFreshRecordsAndShowsNothingHalfRead) {
    TempDir dir;
    ComfortFileReader reader(4096);
    std::vector<ComfortRecord> store;
    const auto path = (dir.path() / "Comfort.dat").string();
    std::string text = comfortFile(3000); // about 200 KB: some fifty runs
    dir.write("Comfort.dat", text);
    int calls = 0;
    auto result = readInSlices(reader, store, path, calls);
    EXPECT_GT(calls, 20);
    EXPECT_TRUE(result.fileOpened);
    EXPECT_EQ(result.count, 3000);
    expectSameRecords(store, path);
    EXPECT_FALSE(reader.readPending());

    // Grown: the lines converted before are checked over many calls, the new ones added.
    text += comfortLine(9999, 1, 2, 3) + "\n";
    dir.write("Comfort.dat", text);
    result = readInSlices(reader, store, path, calls);
    EXPECT_EQ(result.count, 3001);
    EXPECT_FALSE(reader.recordsUnchanged());
    expectSameRecords(store, path);
    // Rewritten in its middle, then truncated: read again from where they differ.
    text[text.size() / 2 + 3] = text[text.size() / 2 + 3] == '1' ? '2' : '1';
    dir.write("Comfort.dat", text);
    readInSlices(reader, store, path, calls);
    expectSameRecords(store, path);
    text = comfortFile(700);
    dir.write("Comfort.dat", text);
    result = readInSlices(reader, store, path, calls);
    EXPECT_EQ(result.count, 700);
    expectSameRecords(store, path);

    // Grown while a read is under way: the read goes on and takes the new lines too.
    text = comfortFile(2000);
    dir.write("Comfort.dat", text);
    ASSERT_TRUE(reader.read(path, store, ComfortFileReader::Clock::time_point::min()).pending);
    { std::ofstream(path, std::ios::binary | std::ios::app) << comfortLine(5000, 4, 5, 6) << "\n"; }
    result = readInSlices(reader, store, path, calls);
    EXPECT_EQ(result.count, 2001);
    expectSameRecords(store, path);

    // Replaced by another file while a read is under way: it starts again on the new one.
    dir.write("Comfort.dat", comfortFile(2500));
    ASSERT_TRUE(reader.read(path, store, ComfortFileReader::Clock::time_point::min()).pending);
    const std::string other = dir.write("other.dat", comfortFile(40));
    fs::rename(other, path);
    result = readInSlices(reader, store, path, calls);
    EXPECT_EQ(result.count, 40);
    expectSameRecords(store, path);

    // Removed while a read is under way: no records, and nothing left pending.
    dir.write("Comfort.dat", comfortFile(2500));
    ASSERT_TRUE(reader.read(path, store, ComfortFileReader::Clock::time_point::min()).pending);
    fs::remove(path);
    result = readInSlices(reader, store, path, calls);
    EXPECT_FALSE(result.fileOpened);
    EXPECT_TRUE(store.empty());
    EXPECT_FALSE(reader.readPending());

    // A store emptied by its owner (another data set opened) is filled anew, over as
    // many calls as it takes.
    dir.write("Comfort.dat", comfortFile(2500));
    store.clear();
    result = readInSlices(reader, store, path, calls);
    EXPECT_GT(calls, 2);
    EXPECT_EQ(result.count, 2500);
    expectSameRecords(store, path);
    // Emptied while a read is under way: the read starts again for the new store.
    dir.write("Comfort.dat", text);
    ASSERT_TRUE(reader.read(path, store, ComfortFileReader::Clock::time_point::min()).pending);
    store.clear();
    result = readInSlices(reader, store, path, calls);
    EXPECT_EQ(result.count, 2000);
    expectSameRecords(store, path);

    // A read without a deadline ends in one call, whatever was under way.
    text = comfortFile(2600);
    dir.write("Comfort.dat", text);
    ASSERT_TRUE(reader.read(path, store, ComfortFileReader::Clock::time_point::min()).pending);
    EXPECT_FALSE(reader.read(path, store).pending);
    expectSameRecords(store, path);
}

INSTANTIATE_TEST_SUITE_P(
    ChunkSizes, ComfortFileReaderTest,
    ::testing::Values(ReaderShape{64, kParallelRunBytes}, ReaderShape{97, kParallelRunBytes},
                      ReaderShape{1024, kParallelRunBytes},
                      ReaderShape{LineWindow::kDefaultWindowBytes, kParallelRunBytes},
                      ReaderShape{97, 1}, ReaderShape{1024, 1},
                      ReaderShape{LineWindow::kDefaultWindowBytes, 1}));

} // namespace
} // namespace tessaplot
