#include "dataset/KeptFieldTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace tessaplot {
namespace {

namespace fs = std::filesystem;

const char* const kLine = "0.5\t1\t2\n";

// Every file looks as if it had been written two seconds before it is looked at, so
// the tests need not wait for change times to settle.
FileIdentity identifyLater(const std::string& path) {
    FileIdentity identity = SystemIdentifyFile(path);
    identity.seenNs += 2'000'000'000;
    return identity;
}
const FileSystemCalls kSettledClock{nullptr, nullptr, identifyLater};

struct KeptTableFixture : ::testing::Test {
    // One directory per process: tests run side by side, also from other build trees.
    fs::path dir = fs::temp_directory_path() /
                   ("tessaplot_kept_table_test_" + std::to_string(std::random_device{}()));
    std::string path = (dir / "BodyProperty.dat").string();
    FieldLoadRequest request;
    KeptFieldTable kept;

    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(path, std::ios::binary) << kLine << kLine;
        SetFileSystemCallsForTesting(&kSettledClock);
        keepFreshLoad();
    }
    void TearDown() override {
        SetFileSystemCallsForTesting(nullptr);
        fs::remove_all(dir);
    }

    void keepFreshLoad() {
        const FileIdentity identity = KeptFieldTable::IdentityBeforeRead(path);
        std::vector<FieldPoint> points;
        kept.keep(path, request, identity, LoadField(path, request, points));
    }
};

TEST_F(KeptTableFixture, TheSameRequestOnTheUntouchedFileReadsNothing) {
    const FieldLoad* load = kept.reusable(path, request);
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(load->PointCount, 2);
    EXPECT_NE(kept.reusable(path, request), nullptr) << "asking again changes nothing";

    FieldLoadRequest other = request;
    other.dataColumn = 2;
    EXPECT_EQ(kept.reusable(path, other), nullptr);
    EXPECT_EQ(kept.reusable((dir / "Other.dat").string(), request), nullptr);
}

TEST_F(KeptTableFixture, EveryChangeOfTheFileReadsAgain) {
    const auto changedBy = [&](auto change) {
        change();
        const bool readAgain = kept.reusable(path, request) == nullptr;
        keepFreshLoad(); // what the file now is, for the next change

        return readAgain;
    };
    EXPECT_TRUE(changedBy([&] { std::ofstream(path, std::ios::app) << kLine; })); // grown
    EXPECT_TRUE(changedBy([&] { fs::resize_file(path, 5); }));                    // truncated
    EXPECT_TRUE(
        changedBy([&] { std::ofstream(path, std::ios::trunc) << "9\t9\t9\n"; })); // same size
    EXPECT_TRUE(changedBy([&] {                                                   // replaced
        const std::string other = (dir / "new").string();
        std::ofstream(other) << kLine << kLine;
        fs::rename(other, path);
    }));
    EXPECT_TRUE(changedBy([&] { fs::remove(path); }));
    EXPECT_TRUE(changedBy([&] { fs::create_directory(path); }));
}

TEST_F(KeptTableFixture, AFileWrittenJustBeforeItWasReadIsNeverTrusted) {
    SetFileSystemCallsForTesting(nullptr); // the real clock
    std::ofstream(path, std::ios::app) << kLine;
    keepFreshLoad();
    EXPECT_EQ(kept.reusable(path, request), nullptr);
}

TEST_F(KeptTableFixture, FollowingSeesChangesButNotAbsenceOrAFailureAlreadyTold) {
    EXPECT_FALSE(kept.changedOnDisk());
    EXPECT_TRUE(kept.holds(path, request));
    std::ofstream(path, std::ios::app) << kLine;
    EXPECT_TRUE(kept.changedOnDisk());
    EXPECT_TRUE(kept.holds(path, request)) << "what the store holds is still that table";

    // The read of the change failed: not tried again until the file changes once more,
    // and only for the request that failed.
    kept.readFailed(path, request, KeptFieldTable::IdentityBeforeRead(path));
    EXPECT_FALSE(kept.changedOnDisk());
    EXPECT_TRUE(kept.failedAsBefore(path, request));
    FieldLoadRequest otherColumn = request;
    ++otherColumn.dataColumn;
    EXPECT_FALSE(kept.failedAsBefore(path, otherColumn));
    std::ofstream(path, std::ios::app) << kLine;
    EXPECT_TRUE(kept.changedOnDisk());
    EXPECT_FALSE(kept.failedAsBefore(path, request));

    // An absent table that stays absent is no change.
    fs::remove(path);
    keepFreshLoad();
    EXPECT_FALSE(kept.changedOnDisk());
    std::ofstream(path) << kLine;
    EXPECT_TRUE(kept.changedOnDisk());

    kept.forget();
    EXPECT_FALSE(kept.changedOnDisk());
    EXPECT_FALSE(kept.holds(path, request));
}

TEST_F(KeptTableFixture, EachFillingAndForgettingMovesTheGeneration) {
    const std::uint64_t before = kept.generation();
    keepFreshLoad();
    EXPECT_EQ(kept.generation(), before + 1);
    kept.forget();
    EXPECT_EQ(kept.generation(), before + 2);
    EXPECT_EQ(kept.reusable(path, request), nullptr);
}

} // namespace
} // namespace tessaplot
