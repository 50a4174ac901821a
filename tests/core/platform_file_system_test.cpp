// The operating system's side of reading: opening only regular files, telling a file's
// identity, and listing a directory. The same tests run natively and, cross-built, on
// Windows, where paths are UTF-8 text with either separator and a drive letter.
#include "dataset/ResultFileListing.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#if !defined(_WIN32)
#include <unistd.h>
#endif

using namespace tessaplot;

namespace {

namespace fs = std::filesystem;

class PlatformFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tessaplot_platform_" + std::to_string(std::random_device()()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    void write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // The UTF-8 text the platform calls take.
    static std::string utf8(const fs::path& path) {
        const std::u8string text = path.u8string();
        return {text.begin(), text.end()};
    }
    // Joined as text, so that the name's bytes reach the call unconverted.
    std::string path(const std::string& name) const {
#if defined(_WIN32)
        return utf8(dir) + "\\" + name;
#else
        return utf8(dir) + "/" + name;
#endif
    }

    static std::vector<std::string> sorted(std::vector<std::string> names) {
        std::sort(names.begin(), names.end());
        return names;
    }
    // Reads the whole file that `path` opens, or "<none>".
    static std::string contentsOf(const std::string& path) {
        std::FILE* file = OpenRegularFile(path);
        if (file == nullptr)
            return "<none>";
        std::string bytes;
        char chunk[256];
        for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
            bytes.append(chunk, got);
        std::fclose(file);
        return bytes;
    }

    fs::path dir;
};

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

TEST_F(PlatformFiles, OnlyRegularFilesOpenWithTheirSizeAndBytesUntranslated) {
    // Line ends stay as written: a table written on Windows keeps its CR LF.
    write(dir / "Fabrics.dat", "0\t1\r\n2\t3\n");
    std::uint64_t size = 0;
    std::FILE* file = OpenRegularFile(path("Fabrics.dat"), &size);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(size, 9u);
    std::fclose(file);
    EXPECT_EQ(contentsOf(path("Fabrics.dat")), "0\t1\r\n2\t3\n");

    fs::create_directory(dir / "Comfort.dat");
    for (const std::string& other :
         {path("Comfort.dat"), path("missing.dat"), utf8(dir), std::string(),
          path("Fabrics.dat") + std::string(1, '\0') + "x"})
        EXPECT_EQ(OpenRegularFile(other), nullptr) << other;
}

TEST_F(PlatformFiles, IdentityTellsFilesApartAndCountsFromTheUnixEpoch) {
    write(dir / "a.dat", "12345");
    write(dir / "b.dat", "12345");
    const std::int64_t before = nowNs();
    const FileIdentity a = IdentifyFile(path("a.dat"));
    const FileIdentity again = IdentifyFile(path("a.dat"));
    const FileIdentity b = IdentifyFile(path("b.dat"));
    ASSERT_TRUE(a.known && b.known);
    EXPECT_EQ(a.size, 5u);
    EXPECT_EQ(a.device, again.device);
    EXPECT_EQ(a.inode, again.inode);
    EXPECT_FALSE(a.device == b.device && a.inode == b.inode);

    // The times are comparable with the clock: written a moment ago, seen now.
    const std::int64_t minute = 60'000'000'000;
    EXPECT_LT(std::abs(a.seenNs - before), minute);
    EXPECT_LT(std::abs(a.modifiedNs - before), minute);
    EXPECT_LT(std::abs(a.changedNs - before), minute);
    EXPECT_GE(again.seenNs, a.seenNs);
    EXPECT_TRUE(a.localFileSystem) << "the temporary directory is on a local disk";

    write(dir / "a.dat", "1234567");
    EXPECT_EQ(IdentifyFile(path("a.dat")).size, 7u);
    EXPECT_FALSE(IdentifyFile(utf8(dir)).known);
    EXPECT_FALSE(IdentifyFile(path("missing.dat")).known);
    EXPECT_FALSE(IdentifyFile(std::string()).known);
}

TEST_F(PlatformFiles, ListingHoldsRegularFilesOnlyUnderTheirOwnNames) {
    write(dir / "Fabrics.dat", "0");
    write(dir / "fabric1_fiber_1.DAT", "0");
    write(dir / "notes.txt", "");
    fs::create_directory(dir / "Bodyproperty.dat");
    fs::create_directory(dir / "sub");
    write(dir / "sub" / "Comfort.dat", "0"); // not directly in the directory

    EXPECT_EQ(sorted(ListRegularFileNames(utf8(dir))),
              (std::vector<std::string>{"Fabrics.dat", "fabric1_fiber_1.DAT", "notes.txt"}));
    EXPECT_TRUE(ListRegularFileNames(path("missing")).empty());
    EXPECT_TRUE(ListRegularFileNames(path("Fabrics.dat")).empty());
    EXPECT_TRUE(ListRegularFileNames(std::string()).empty());
}

TEST_F(PlatformFiles, NamesBeyondAsciiAreListedAndOpenAsUtf8) {
    const std::string name = "Gewebe-\xC3\xBC-\xE5\xB8\x83.dat"; // "Gewebe-ü-布.dat"
    write(dir / fs::path(std::u8string(name.begin(), name.end())), "7\t8\n");
    EXPECT_EQ(ListRegularFileNames(utf8(dir)), std::vector<std::string>{name});
    EXPECT_EQ(contentsOf(path(name)), "7\t8\n");
    EXPECT_TRUE(IdentifyFile(path(name)).known);
}

TEST_F(PlatformFiles, DirectoryListingHoldsSubdirectoriesOnlyAndTellsDirectoriesApart) {
    const std::string wide = "Gewebe-\xC3\xBC"; // "Gewebe-ü"
    fs::create_directory(dir / "run-b");
    fs::create_directory(dir / ".hidden");
    fs::create_directory(dir / fs::path(std::u8string(wide.begin(), wide.end())));
    fs::create_directories(dir / "run-b" / "nested");
    write(dir / "Fabrics.dat", "0");

    EXPECT_EQ(sorted(ListDirectoryNames(utf8(dir))),
              (std::vector<std::string>{".hidden", wide, "run-b"}));
    EXPECT_EQ(ListDirectoryNames(path("run-b")), std::vector<std::string>{"nested"});
    EXPECT_TRUE(ListDirectoryNames(path("missing")).empty());
    EXPECT_TRUE(ListDirectoryNames(path("Fabrics.dat")).empty());
    EXPECT_TRUE(ListDirectoryNames(std::string()).empty());

    for (const std::string& directory : {utf8(dir), path(wide), path("run-b")}) {
        EXPECT_TRUE(IsDirectory(directory)) << directory;
        EXPECT_TRUE(IsReadableDirectory(directory)) << directory;
    }
    for (const std::string& other : {path("Fabrics.dat"), path("missing"), std::string()}) {
        EXPECT_FALSE(IsDirectory(other)) << other;
        EXPECT_FALSE(IsReadableDirectory(other)) << other;
    }
    const std::string working = WorkingDirectory();
    EXPECT_EQ(fs::path(std::u8string(working.begin(), working.end())), fs::current_path());
}

#if defined(_WIN32)

std::string withSeparator(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

TEST_F(PlatformFiles, WindowsPathsTakeEitherSeparatorAndAnyDriveLetterCase) {
    write(dir / "Fabrics.dat", "5\t6\n");
    const std::string native = path("Fabrics.dat");
    ASSERT_GE(native.size(), 3u);
    ASSERT_EQ(native[1], ':') << "an absolute path starts with its drive: " << native;
    ASSERT_NE(native.find('\\'), std::string::npos);

    std::string otherDriveCase = native;
    otherDriveCase[0] = static_cast<char>(std::islower(static_cast<unsigned char>(native[0]))
                                              ? std::toupper(native[0])
                                              : std::tolower(native[0]));
    std::string mixed = withSeparator(native, '\\', '/');
    mixed[2] = '\\';
    for (const std::string& spelling :
         {native, withSeparator(native, '\\', '/'), mixed, otherDriveCase})
        EXPECT_EQ(contentsOf(spelling), "5\t6\n") << spelling;

    const FileIdentity a = IdentifyFile(native);
    const FileIdentity b = IdentifyFile(withSeparator(native, '\\', '/'));
    EXPECT_TRUE(a.known && b.known);
    EXPECT_EQ(a.inode, b.inode);

    // A directory given with a trailing separator of either kind, or with forward slashes.
    for (const std::string& directory :
         {utf8(dir), utf8(dir) + "\\", utf8(dir) + "/", withSeparator(utf8(dir), '\\', '/')})
        EXPECT_EQ(ListRegularFileNames(directory), std::vector<std::string>{"Fabrics.dat"})
            << directory;
}

TEST_F(PlatformFiles, WindowsNamesMatchWhateverTheirCase) {
    write(dir / "fabrics.DAT", "1\t2\n");
    EXPECT_EQ(contentsOf(path("Fabrics.dat")), "1\t2\n");
    EXPECT_EQ(contentsOf(path("FABRICS.DAT")), "1\t2\n");
    const ResultFileListing listing = ListResultFiles(utf8(dir));
    EXPECT_EQ(listing.listedNames, std::vector<std::string>{"Fabrics.dat"});
    EXPECT_EQ(listing.fabricsFileName, "fabrics.DAT");

    // Writing the other spelling reaches the same file: one name, one table.
    write(dir / "FABRICS.dat", "3\t4\n");
    EXPECT_EQ(ListRegularFileNames(utf8(dir)).size(), 1u);
    EXPECT_EQ(contentsOf(path("fabrics.DAT")), "3\t4\n");
}

TEST_F(PlatformFiles, WindowsRefusesDevicesAndTextThatIsNotUtf8) {
    for (const std::string& device :
         {std::string("NUL"), std::string("CON"), std::string("\\\\.\\pipe\\tessaplot-none")})
        EXPECT_EQ(OpenRegularFile(device), nullptr) << device;
    EXPECT_EQ(OpenRegularFile(path("bad-\xFF\xFE.dat")), nullptr);
    EXPECT_TRUE(ListRegularFileNames(utf8(dir) + "\\\xC3").empty());
}

#else

TEST_F(PlatformFiles, PosixNamesAreBytesAndLinksAreFollowedSafely) {
    const std::string latin1 = "Gewebe-\xFC.dat"; // not UTF-8
    write(dir / latin1, "9\n");
    write(dir / "table.dat", "1\n");
    fs::create_symlink(dir / "table.dat", dir / "link.dat");
    fs::create_symlink(dir / "nowhere.dat", dir / "dangling.dat");
    fs::create_symlink(dir / "loop.dat", dir / "loop.dat");
    fs::create_directory_symlink(dir, dir / "self");

    EXPECT_EQ(sorted(ListRegularFileNames(utf8(dir))),
              (std::vector<std::string>{latin1, "link.dat", "table.dat"}));
    EXPECT_EQ(contentsOf(path(latin1)), "9\n");
    EXPECT_EQ(contentsOf(path("link.dat")), "1\n");
    EXPECT_EQ(IdentifyFile(path("link.dat")).inode, IdentifyFile(path("table.dat")).inode);
    EXPECT_FALSE(IdentifyFile(path("loop.dat")).known);
}

TEST_F(PlatformFiles, PosixDirectoriesAreListedByBytesAndLinksToThemCount) {
    const std::string latin1 = "caf\xE9"; // not UTF-8
    fs::create_directory(dir / latin1);
    write(dir / latin1 / "Fabrics.dat", "1\n");
    write(dir / "table.dat", "1\n");
    fs::create_directory_symlink(dir / latin1, dir / "to-cafe");
    fs::create_directory_symlink(dir, dir / "self");
    fs::create_symlink(dir / "table.dat", dir / "to-table");
    fs::create_symlink(dir / "nowhere", dir / "dangling");
    fs::create_symlink(dir / "loop-b", dir / "loop-a");
    fs::create_symlink(dir / "loop-a", dir / "loop-b");

    EXPECT_EQ(sorted(ListDirectoryNames(utf8(dir))),
              (std::vector<std::string>{latin1, "self", "to-cafe"}));
    EXPECT_TRUE(IsReadableDirectory(path(latin1)));
    EXPECT_TRUE(IsReadableDirectory(path("self/self/to-cafe")));
    EXPECT_EQ(ListRegularFileNames(path(latin1)), std::vector<std::string>{"Fabrics.dat"});
    for (const char* link : {"to-table", "dangling", "loop-a"})
        EXPECT_FALSE(IsDirectory(path(link))) << link;

    // The working directory keeps its bytes too.
    const fs::path before = fs::current_path();
    fs::current_path(dir / latin1);
    const std::string working = WorkingDirectory();
    fs::current_path(before);
    EXPECT_EQ(working, path(latin1));
}

TEST_F(PlatformFiles, PosixDirectoryThatCannotBeReadIsNoChoice) {
    fs::create_directory(dir / "closed");
    fs::permissions(dir / "closed", fs::perms::none);
    const bool readable = IsReadableDirectory(path("closed"));
    const std::vector<std::string> listed = ListDirectoryNames(utf8(dir));
    fs::permissions(dir / "closed", fs::perms::owner_all);
    EXPECT_TRUE(IsDirectory(path("closed")));
    if (::geteuid() == 0)
        GTEST_SKIP() << "every directory is readable to root";
    EXPECT_FALSE(readable);
    EXPECT_TRUE(listed.empty());
}

#endif

} // namespace
