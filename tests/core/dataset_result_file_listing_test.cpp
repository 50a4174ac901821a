#include "dataset/ResultFileListing.h"
#include "dataset/WildcardMatch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace tessaplot;

namespace {

class ListingDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("tessaplot_dataset_listing_" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void touch(const std::string& name) { std::ofstream(dir / name) << "0\t0\n"; }

    std::filesystem::path dir;
};

} // namespace

TEST(WildcardMatch, QuestionMarkIsExactlyOneCharacterAndCaseIsIgnored) {
    const char* pattern = "fabric?_fiber_?.dat";
    struct Case {
        const char* name;
        bool matches;
    };
    for (const Case& c : {Case{"fabric1_fiber_1.dat", true}, Case{"FABRIC2_Fiber_9.DAT", true},
                          Case{"fabricX_fiber_Y.dat", true}, Case{"fabric10_fiber_1.dat", false},
                          Case{"fabric1_fiber_.dat", false}, Case{"fabric1_fiber_1.dat.bak", false},
                          Case{"fabric1-fiber_1.dat", false}, Case{"", false}})
        EXPECT_EQ(MatchesWildcard(c.name, pattern), c.matches) << c.name;
    EXPECT_TRUE(MatchesWildcard("", ""));
    EXPECT_TRUE(EqualsIgnoringCase("Comfort.DAT", "comfort.dat"));
    EXPECT_TRUE(LessIgnoringCase("fabric1_fiber_2.dat", "FABRIC2_fiber_1.dat"));
}

TEST_F(ListingDirectory, FixedNamesInOrderThenFibresAscending) {
    for (const char* name : {"LogInfo.txt", "COMFORT.dat", "fabric2_fiber_1.dat",
                             "bodyproperty.DAT", "fabric1_fiber_2.dat", "FABRIC1_FIBER_1.DAT",
                             "fabric10_fiber_1.dat", "notes.txt", "fabrics.DAT"})
        touch(name);
    // A directory of a matching name is not a table.
    std::filesystem::create_directory(dir / "fabric3_fiber_1.dat");

    const ResultFileListing listing = ListResultFiles(dir.string());
    EXPECT_EQ(listing.listedNames,
              (std::vector<std::string>{"Fabrics.dat", "Bodyproperty.dat", "Comfort.dat",
                                        "Loginfo.txt", "FABRIC1_FIBER_1.DAT", "fabric1_fiber_2.dat",
                                        "fabric2_fiber_1.dat"}));
    EXPECT_TRUE(listing.hasFabrics);
    EXPECT_TRUE(listing.hasBodyProperty);
    EXPECT_TRUE(listing.hasFibers);
    EXPECT_EQ(listing.fiberFileNames.size(), 3u);
    EXPECT_EQ(listing.fabricsFileName, "fabrics.DAT");
    EXPECT_EQ(listing.bodyPropertyFileName, "bodyproperty.DAT");
    EXPECT_EQ(listing.comfortFileName, "COMFORT.dat");
    EXPECT_EQ(listing.logInfoFileName, "LogInfo.txt");
    // The on-disk names open on a case-sensitive file system.
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / listing.fabricsFileName));
}

TEST_F(ListingDirectory, PartialEmptyAndMissingDirectories) {
    EXPECT_TRUE(ListResultFiles(dir.string()).listedNames.empty());

    touch("Fabrics.dat");
    ResultFileListing listing = ListResultFiles(dir.string());
    EXPECT_EQ(listing.listedNames, std::vector<std::string>{"Fabrics.dat"});
    EXPECT_TRUE(listing.hasFabrics);
    EXPECT_FALSE(listing.hasBodyProperty);
    EXPECT_FALSE(listing.hasFibers);
    EXPECT_TRUE(listing.comfortFileName.empty());

    // Two spellings on a case-sensitive file system: the listed spelling wins, once.
    touch("FABRICS.DAT");
    EXPECT_EQ(ListResultFiles(dir.string()).fabricsFileName, "Fabrics.dat");
    EXPECT_EQ(ListResultFiles(dir.string()).listedNames.size(), 1u);

    const ResultFileListing missing = ListResultFiles((dir / "nowhere").string());
    EXPECT_TRUE(missing.listedNames.empty());
    EXPECT_FALSE(missing.hasFabrics);
    EXPECT_TRUE(ListResultFiles((dir / "Fabrics.dat").string()).listedNames.empty());
}

TEST_F(ListingDirectory, OnDiskNameIsTheExactSpellingElseTheFirstThatDiffersInCaseOnly) {
    touch("COMFORT.dat");
    touch("Fabrics.dat");
    std::filesystem::create_directory(dir / "Loginfo.txt");

    EXPECT_EQ(OnDiskFileName(dir.string(), "Fabrics.dat"), "Fabrics.dat");
    EXPECT_EQ(OnDiskFileName(dir.string(), "Comfort.dat"), "COMFORT.dat");
    EXPECT_EQ(OnDiskFileName(dir.string(), "fabric?.dat"), "") << "no wildcards";
    EXPECT_EQ(OnDiskFileName(dir.string(), "Loginfo.txt"), "") << "a directory is no table";
    EXPECT_EQ(OnDiskFileName(dir.string(), "Fabrics.dat.bak"), "");
    EXPECT_EQ(OnDiskFileName((dir / "nowhere").string(), "Fabrics.dat"), "");

#if !defined(_WIN32)
    // Where case tells names apart: the exact spelling first, else the first in byte order.
    touch("FABRICS.DAT");
    touch("comfort.DAT");
    touch("fabric*_fiber_1.dat");
    EXPECT_EQ(OnDiskFileName(dir.string(), "Fabrics.dat"), "Fabrics.dat");
    EXPECT_EQ(OnDiskFileName(dir.string(), "fabrics.dat"), "FABRICS.DAT");
    EXPECT_EQ(OnDiskFileName(dir.string(), "Comfort.dat"), "COMFORT.dat");
    EXPECT_EQ(OnDiskFileName(dir.string(), "FABRIC*_FIBER_1.DAT"), "fabric*_fiber_1.dat");
    EXPECT_EQ(OnDiskFileName(dir.string(), "fabric?_fiber_1.dat"), "");
#endif
}
