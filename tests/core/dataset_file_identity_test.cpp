#include "comfort/ComfortReader.h"
#include "dataset/FileIdentity.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace tessaplot {
namespace {

FileIdentity settledLocalFile() {
    FileIdentity id;
    id.known = true;
    id.localFileSystem = true;
    id.device = 1;
    id.inode = 2;
    id.size = 300;
    id.modifiedNs = 10'000'000'000;
    id.changedNs = 10'000'000'000;
    id.seenNs = 12'000'000'000;
    return id;
}

TEST(FileIdentity, OnlyASettledUntouchedLocalFileCountsAsSurelyUnchanged) {
    const FileIdentity before = settledLocalFile();
    FileIdentity now = before;
    now.seenNs += 10'000'000;
    EXPECT_TRUE(FileSurelyUnchanged(before, now));

    const auto changed = [&](auto edit) {
        FileIdentity a = before, b = now;
        edit(a, b);
        return !FileSurelyUnchanged(a, b);
    };
    EXPECT_TRUE(changed([](FileIdentity&, FileIdentity& b) { b.size += 1; }));
    EXPECT_TRUE(changed([](FileIdentity&, FileIdentity& b) { b.inode += 1; })); // replaced
    EXPECT_TRUE(changed([](FileIdentity&, FileIdentity& b) { b.device += 1; }));
    EXPECT_TRUE(changed([](FileIdentity&, FileIdentity& b) { b.changedNs += 1; }));  // rewritten
    EXPECT_TRUE(changed([](FileIdentity&, FileIdentity& b) { b.modifiedNs -= 1; })); // touched back
    EXPECT_TRUE(changed([](FileIdentity&, FileIdentity& b) { b.known = false; }));   // gone
    EXPECT_TRUE(changed([](FileIdentity& a, FileIdentity& b) {                       // network
        a.localFileSystem = b.localFileSystem = false;
    }));
    EXPECT_TRUE(
        changed([](FileIdentity& a, FileIdentity&) { a.seenNs = a.changedNs + 5; })); // fresh
    EXPECT_TRUE(changed([](FileIdentity&, FileIdentity& b) { b.seenNs = 0; })); // clock set back
}

TEST(FileIdentity, ReaderSkipsASettledFileButSeesEveryLaterWrite) {
    const auto dir = std::filesystem::temp_directory_path() / "tessaplot_identity_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "Comfort.dat").string();
    const std::string line = "1\t0\t0\t0\t0\t0\t0\t30\t40\t5\n";
    std::ofstream(path, std::ios::trunc) << line << line;
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));

    ComfortFileReader reader;
    std::vector<ComfortRecord> store;
    EXPECT_EQ(reader.read(path, store).count, 2);
    EXPECT_EQ(reader.read(path, store).count, 2);
    EXPECT_TRUE(reader.recordsUnchanged());

    std::ofstream(path, std::ios::app) << "2\t0\t0\t0\t0\t0\t0\t31\t41\t6\n";
    const ComfortReadResult grown = reader.read(path, store);
    EXPECT_EQ(grown.count, 3);
    EXPECT_FLOAT_EQ(grown.endTime, 2.0f);

    // Rewritten in place with the same size: seen at once, settled or not.
    std::ofstream(path, std::ios::trunc) << "3\t0\t0\t0\t0\t0\t0\t31\t41\t6\n" << line << line;
    const ComfortReadResult rewritten = reader.read(path, store);
    EXPECT_EQ(rewritten.count, 3);
    EXPECT_FLOAT_EQ(store.front().Time, 3.0f);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace tessaplot
