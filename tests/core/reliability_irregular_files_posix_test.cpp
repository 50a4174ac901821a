// Readers given something other than a regular file where a table should be: they
// refuse it at once, never wait on it.
#include "comfort/ComfortReader.h"
#include "dataset/FieldLoader.h"
#include "dataset/LayerCount.h"
#include "dataset/LineWindow.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tessaplot;

namespace {

namespace fs = std::filesystem;

class SpecialFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("reliability-special-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        fifo = dir / "Comfort.dat";
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs `read` on another thread. A read that is still waiting after a second is
    // released by opening the FIFO's other end (so the test ends) and reported.
    void expectReturnsAtOnce(const std::function<void()>& read) {
        auto done = std::async(std::launch::async, read);
        if (done.wait_for(std::chrono::seconds(1)) == std::future_status::ready) {
            done.get();
            return;
        }
        ADD_FAILURE() << "the read waited on the FIFO";
        while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        }
        done.get();
    }

    fs::path dir;
    fs::path fifo;
};

TEST_F(SpecialFilesTest, EveryReaderRefusesAFifoWithoutWaiting) {
    expectReturnsAtOnce([&] { EXPECT_EQ(OpenRegularFile(fifo.string()), nullptr); });
    expectReturnsAtOnce([&] {
        LineWindow window;
        EXPECT_FALSE(window.open(fifo.string()));
        EXPECT_EQ(window.problem().kind, ReadProblem::Kind::NotRegular);
    });
    expectReturnsAtOnce([&] {
        std::vector<FieldPoint> points(3);
        const FieldLoad load = LoadField(fifo.string(), FieldLoadRequest{}, points);
        EXPECT_FALSE(load.opened);
        EXPECT_TRUE(points.empty());
    });
    expectReturnsAtOnce([&] { EXPECT_EQ(CountLayersInFile(fifo.string()).layerCount, 0); });
    expectReturnsAtOnce([&] {
        std::vector<ComfortRecord> store;
        LineWindow buffer;
        EXPECT_FALSE(ReadComfortFile(fifo.string(), store, buffer).fileOpened);
        ComfortFileReader reader;
        EXPECT_FALSE(reader.read(fifo.string(), store).fileOpened);
    });
}

TEST_F(SpecialFilesTest, OnlyRegularFilesOpenWithTheirSize) {
    const fs::path table = dir / "Fabrics.dat";
    std::ofstream(table, std::ios::binary) << "0\t0\t1\t2\n";
    std::uint64_t size = 0;
    std::FILE* file = OpenRegularFile(table.string(), &size);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(size, 8u);
    char bytes[16] = {};
    EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), 8u);
    std::fclose(file);

    fs::create_symlink(table, dir / "link.dat");
    file = OpenRegularFile((dir / "link.dat").string());
    EXPECT_NE(file, nullptr) << "a link to a table is that table";
    if (file != nullptr)
        std::fclose(file);

    fs::create_symlink(dir / "loop.dat", dir / "loop.dat");
    for (const fs::path& other : {dir, dir / "missing.dat", dir / "loop.dat", fs::path()})
        EXPECT_EQ(OpenRegularFile(other.string()), nullptr) << other;
    EXPECT_EQ(OpenRegularFile("/dev/null"), nullptr);
}

} // namespace
