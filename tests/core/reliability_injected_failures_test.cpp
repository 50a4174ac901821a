// Every reader with a failure at every point in turn: the Nth read of the file fails
// with EIO, gives only a few bytes, or is interrupted; the Nth allocation fails. Each
// case ends with either the complete result of a fresh read or no result and the
// reason, never a crash, an escaped exception or a partial store. The sanitized suite
// runs the same cases under LeakSanitizer.
#include "comfort/ComfortReader.h"
#include "dataset/FieldLoader.h"
#include "dataset/LayerCount.h"
#include "dataset/LineWindow.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <random>
#include <string>

namespace {

// Allocations left before the one that fails; negative when none is to fail.
std::atomic<long> g_allocationsBeforeFailure{-1};
std::atomic<bool> g_allocationFailed{false};

bool allocationShouldFail() {
    if (g_allocationsBeforeFailure.load() < 0)
        return false;
    if (g_allocationsBeforeFailure.fetch_sub(1) == 0) {
        g_allocationFailed = true;
        return true;
    }
    return false;
}

void* allocate(std::size_t size) {
    if (allocationShouldFail())
        throw std::bad_alloc();
    if (void* p = std::malloc(size != 0 ? size : 1))
        return p;
    throw std::bad_alloc();
}

void* allocateOrNull(std::size_t size) noexcept {
    if (allocationShouldFail())
        return nullptr;
    return std::malloc(size != 0 ? size : 1);
}

// Ends the allocation faults: called right after the reader, so that the test's own
// allocations never fail.
void disarmAllocations() {
    g_allocationsBeforeFailure = -1;
}

} // namespace

// The program's allocations in this test binary go through the counter above.
void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocateOrNull(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

using namespace tessaplot;

namespace {

namespace fs = std::filesystem;

enum class ReadFault { Error, Short, Interrupted };

// Reads counted from the start of a case; the one at `failAt` (1-based) goes wrong.
struct InjectedReads {
    ReadFault fault = ReadFault::Error;
    int failAt = 0;
    int reads = 0;
    bool fired = false;
};
InjectedReads g_reads;

long long injectedReadSome(std::FILE* file, char* into, std::size_t size, int& error) {
    if (++g_reads.reads == g_reads.failAt) {
        g_reads.fired = true;
        switch (g_reads.fault) {
        case ReadFault::Error:
            error = EIO;
            return -1;
        case ReadFault::Interrupted:
            error = EINTR;
            return -1;
        case ReadFault::Short:
            return SystemReadSome(file, into, std::min<std::size_t>(size, 7), error);
        }
    }
    return SystemReadSome(file, into, size, error);
}

// What a reader gave, in a form two results can be compared in.
struct Outcome {
    bool complete = false;
    ReadProblem::Kind problem = ReadProblem::Kind::None;
    std::vector<float> numbers; // every value of every record, in order
    bool operator==(const Outcome&) const = default;
};

struct Reader {
    const char* name;
    std::function<Outcome()> run;
};

std::string fabricsText(int steps) {
    std::string text;
    for (int step = 0; step < steps; ++step)
        for (int layer = 1; layer <= 2; ++layer)
            for (int node = 0; node < 6; ++node) {
                text += std::to_string(step) + "\t" + std::to_string(node * 0.02) + "\t" +
                        std::to_string(layer);
                for (int column = 3; column < 10; ++column)
                    text += "\t" + std::to_string(step * 10 + node + column * 0.5);
                text += "\n";
            }
    return text;
}

std::string comfortText(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += std::to_string(i * 0.5) + "\t1\t2\t3\t4\t5\t6\t" + std::to_string(20 + i % 60) +
                "\t" + std::to_string(40 + i % 30) + "\t" + std::to_string(i % 100) + "\n";
    return text;
}

class InjectedFailures : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tessaplot_injected_" + std::to_string(std::random_device()()));
        fs::create_directories(dir);
        fabrics = (dir / "Fabrics.dat").string();
        comfort = (dir / "Comfort.dat").string();
        std::ofstream(fabrics, std::ios::binary) << fabricsText(60);
        std::ofstream(comfort, std::ios::binary) << comfortText(400);
    }
    void TearDown() override {
        SetFileSystemCallsForTesting(nullptr);
        g_allocationsBeforeFailure = -1;
        fs::remove_all(dir);
    }

    static Outcome fieldOutcome(const FieldLoad& load, const std::vector<FieldPoint>& points) {
        Outcome outcome{load.opened, load.problem.kind, {}};
        for (const FieldPoint& p : points)
            outcome.numbers.insert(outcome.numbers.end(), {p.Time, p.Position, p.Value});
        if (load.opened)
            outcome.numbers.insert(
                outcome.numbers.end(),
                {static_cast<float>(load.PositionsPerStep), load.ValueMin, load.ValueMax});
        return outcome;
    }
    static Outcome comfortOutcome(const ComfortReadResult& result, ReadProblem::Kind problem,
                                  const std::vector<ComfortRecord>& store) {
        Outcome outcome{result.fileOpened, problem, {}};
        for (const ComfortRecord& r : store)
            outcome.numbers.insert(outcome.numbers.end(), {r.Time, r.ThermalSensation,
                                                           r.DampnessSensation, r.ComfortValue});
        return outcome;
    }

    // The readers, each reading through a small window so that a file takes many reads.
    std::vector<Reader> readers() {
        return {
            {"Fabric layer 2",
             [this] {
                 LineWindow window(512);
                 std::vector<FieldPoint> points;
                 const FieldLoad load =
                     LoadField(fabrics, {ReadingRules::Fabric, 8, 1, 2, 6}, points, window);
                 disarmAllocations();
                 return fieldOutcome(load, points);
             }},
            {"Fabric layer 2, every run on two threads",
             [this] {
                 LineWindow window(512);
                 std::vector<FieldPoint> points;
                 const FieldLoad load =
                     LoadField(fabrics, {ReadingRules::Fabric, 8, 1, 2, 6}, points, window, 1);
                 disarmAllocations();
                 return fieldOutcome(load, points);
             }},
            {"Fibre file",
             [this] {
                 LineWindow window(700);
                 std::vector<FieldPoint> points;
                 const FieldLoad load =
                     LoadField(fabrics, {ReadingRules::Fibers, 5}, points, window);
                 disarmAllocations();
                 return fieldOutcome(load, points);
             }},
            {"Layer count",
             [this] {
                 ReadProblem problem;
                 const LayerStructure layers = CountLayersInFile(fabrics, &problem);
                 disarmAllocations();
                 return Outcome{layers.isKnown(),
                                problem.kind,
                                {static_cast<float>(layers.layerCount),
                                 static_cast<float>(layers.layerLines)}};
             }},
            {"Comfort reader, first read",
             [this] {
                 ComfortFileReader reader(600);
                 std::vector<ComfortRecord> store;
                 const ComfortReadResult result = reader.read(comfort, store);
                 disarmAllocations();
                 return comfortOutcome(result, reader.problem().kind, store);
             }},
            {"Comfort reader, every run on two threads",
             [this] {
                 ComfortFileReader reader(600, 1);
                 std::vector<ComfortRecord> store;
                 const ComfortReadResult result = reader.read(comfort, store);
                 disarmAllocations();
                 return comfortOutcome(result, reader.problem().kind, store);
             }},
            {"Comfort reader, after the file grew",
             [this] {
                 // The first read and the growth run without faults; only the second
                 // read meets them.
                 const InjectedReads armed = g_reads;
                 const long allocations = g_allocationsBeforeFailure.exchange(-1);
                 g_reads.failAt = 0;
                 std::ofstream(comfort, std::ios::binary | std::ios::trunc) << comfortText(300);
                 ComfortFileReader reader(600);
                 std::vector<ComfortRecord> store;
                 reader.read(comfort, store);
                 std::ofstream(comfort, std::ios::binary | std::ios::app)
                     << comfortText(400).substr(comfortText(300).size());
                 g_reads = armed;
                 g_allocationsBeforeFailure = allocations;
                 const ComfortReadResult result = reader.read(comfort, store);
                 disarmAllocations();
                 const ReadProblem::Kind problem = reader.problem().kind;
                 std::ofstream(comfort, std::ios::binary | std::ios::trunc) << comfortText(400);
                 return comfortOutcome(result, problem, store);
             }},
        };
    }

    fs::path dir;
    std::string fabrics, comfort;
};

TEST_F(InjectedFailures, EveryReadThatFailsEndsInTheFullResultOrNoneWithItsReason) {
    static const FileSystemCalls calls{nullptr, injectedReadSome, nullptr};
    for (const Reader& reader : readers()) {
        const Outcome fresh = reader.run();
        ASSERT_TRUE(fresh.complete) << reader.name;
        ASSERT_FALSE(fresh.numbers.empty()) << reader.name;
        for (const ReadFault fault : {ReadFault::Error, ReadFault::Short, ReadFault::Interrupted}) {
            int points = 0;
            for (int failAt = 1;; ++failAt) {
                g_reads = {fault, failAt, 0, false};
                SetFileSystemCallsForTesting(&calls);
                const Outcome outcome = reader.run();
                SetFileSystemCallsForTesting(nullptr);
                if (!g_reads.fired)
                    break;
                ++points;
                if (fault == ReadFault::Error) {
                    EXPECT_FALSE(outcome.complete) << reader.name << ", read " << failAt;
                    EXPECT_EQ(outcome.problem, ReadProblem::Kind::System) << reader.name;
                    EXPECT_TRUE(outcome.numbers.empty() ||
                                reader.name == std::string("Layer count"))
                        << reader.name << ": no partial store";
                } else {
                    EXPECT_EQ(outcome, fresh)
                        << reader.name << ", read " << failAt
                        << (fault == ReadFault::Short ? " short" : " interrupted");
                }
            }
            EXPECT_GT(points, 0) << reader.name;
            std::printf("%s: %d read points (%s)\n", reader.name, points,
                        fault == ReadFault::Error   ? "EIO"
                        : fault == ReadFault::Short ? "short"
                                                    : "EINTR");
        }
    }
}

TEST_F(InjectedFailures, EveryAllocationThatFailsEndsInTheFullResultOrNone) {
    for (const Reader& reader : readers()) {
        const Outcome fresh = reader.run();
        int points = 0;
        for (long failAt = 0;; ++failAt) {
            g_allocationFailed = false;
            g_allocationsBeforeFailure = failAt;
            Outcome outcome;
            EXPECT_NO_THROW(outcome = reader.run()) << reader.name << ", allocation " << failAt;
            g_allocationsBeforeFailure = -1;
            if (!g_allocationFailed)
                break;
            ++points;
            if (outcome.complete) {
                EXPECT_EQ(outcome, fresh) << reader.name << ", allocation " << failAt;
            } else {
                EXPECT_EQ(outcome.problem, ReadProblem::Kind::OutOfMemory)
                    << reader.name << ", allocation " << failAt;
                EXPECT_TRUE(outcome.numbers.empty() || reader.name == std::string("Layer count"))
                    << reader.name << ": no partial store";
            }
        }
        // A read of a grown comfort file allocates nothing at all: no point to fail.
        std::printf("%s: %d allocation points\n", reader.name, points);
    }
}

} // namespace

// The tables changed by another writer while a read is under way, before each of its
// reads in turn: grown by whole lines, or cut in the middle of a line.
enum class Change { Grow, Cut };
struct ChangeDuringRead {
    Change change = Change::Grow;
    int at = 0;
    int reads = 0;
    bool fired = false;
    std::vector<std::string> files;
};
ChangeDuringRead g_change;

void changeFiles() {
    for (const std::string& file : g_change.files) {
        if (g_change.change == Change::Cut) {
            fs::resize_file(file, fs::file_size(file) / 2);
        } else {
            const bool fabrics = file.ends_with("Fabrics.dat");
            std::ofstream(file, std::ios::binary | std::ios::app)
                << (fabrics ? fabricsText(70).substr(fabricsText(60).size())
                            : comfortText(450).substr(comfortText(400).size()));
        }
    }
}

long long changingReadSome(std::FILE* file, char* into, std::size_t size, int& error) {
    if (++g_change.reads == g_change.at) {
        g_change.fired = true;
        changeFiles();
    }
    return SystemReadSome(file, into, size, error);
}

// Whether the records of `part` come first in `whole`; the last `extra` numbers of
// each (a load's extents) are left out.
bool recordsArePrefix(const Outcome& part, const Outcome& whole, std::size_t extra) {
    if (part.numbers.size() < extra || whole.numbers.size() < extra)
        return false;
    const std::size_t n = part.numbers.size() - extra;
    return n <= whole.numbers.size() - extra &&
           std::equal(part.numbers.begin(), part.numbers.begin() + n, whole.numbers.begin());
}

TEST_F(InjectedFailures, ATableChangedDuringTheReadGivesWhatWasThereOrWhatIsThereNow) {
    static const FileSystemCalls calls{nullptr, changingReadSome, nullptr};
    const std::vector<std::string> files = {fabrics, comfort};
    const auto restore = [&] {
        std::ofstream(fabrics, std::ios::binary | std::ios::trunc) << fabricsText(60);
        std::ofstream(comfort, std::ios::binary | std::ios::trunc) << comfortText(400);
    };
    for (const Reader& reader : readers()) {
        const std::string name = reader.name;
        if (name.find("grew") != std::string::npos) // it writes the file itself
            continue;
        const std::size_t extra = name.starts_with("F") ? 3 : 0;
        for (const Change change : {Change::Grow, Change::Cut}) {
            restore();
            const Outcome before = reader.run();
            g_change = {change, 0, 0, false, files};
            changeFiles();
            const Outcome after = reader.run();
            int points = 0;
            for (int at = 1;; ++at) {
                restore();
                g_change = {change, at, 0, false, files};
                SetFileSystemCallsForTesting(&calls);
                const Outcome outcome = reader.run();
                SetFileSystemCallsForTesting(nullptr);
                if (!g_change.fired)
                    break;
                ++points;
                const bool either = outcome == before || outcome == after;
                if (change == Change::Grow || name == "Layer count")
                    EXPECT_TRUE(either) << name << ", grown before read " << at;
                else
                    EXPECT_TRUE(either ||
                                (outcome.complete && recordsArePrefix(outcome, before, extra)))
                        << name << ", cut before read " << at;
            }
            EXPECT_GT(points, 0) << name;
        }
    }
    restore();
}
