// Tables far larger than memory should allow are looked at in a process whose address
// space is bounded: the viewer stays within the bound and tells what it cannot show.
#include "app/RadioGroup.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "support/AddressSanitizer.h"
#include "support/ModalAnswerer.h"
#include "support/fieldview_fixture.h"

#include <QComboBox>
#include <QDir>

#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace tessaplot::test {
namespace {

namespace fs = std::filesystem;

constexpr int kTemperature = 5; // RadioGroup1 item: column 8
constexpr std::uint64_t kBoundBytes = 300ull << 20;

// A figure of this process from /proc/self/status, in bytes.
std::uint64_t statusBytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0)
            return std::stoull(line.substr(length + 1)) * 1024;
    return 0;
}

// Writes a Fabrics.dat of at least `bytes`: `layers` layers of six nodes per time step,
// the time counting up by one per step; `steps` tells how many were written. One step's
// text is made once; only its time is written into it for each step.
void writeLargeFabrics(const fs::path& file, int layers, std::uint64_t bytes,
                       std::uint64_t& steps) {
    std::string block;
    std::vector<std::size_t> timeAt;
    char line[160];
    for (int layer = 0; layer < layers; ++layer)
        for (int node = 0; node < 6; ++node) {
            timeAt.push_back(block.size());
            std::snprintf(line, sizeof line,
                          "00000000\t%.4f\t%d\t1.2E-02\t1.1E-02\t0\t55\t1E-05\t%.3f\t0.5\n",
                          0.01 * (layer * 6 + node), layer + 1, 20.0 + node + 0.1 * layer);
            block += line;
        }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.c_str(), "wb"),
                                                        &std::fclose);
    ASSERT_TRUE(out);
    char time[16];
    steps = 0;
    for (std::uint64_t written = 0, step = 0; written < bytes; written += block.size(), ++step) {
        steps = step + 1;
        std::snprintf(time, sizeof time, "%08llu", static_cast<unsigned long long>(step));
        for (std::size_t at : timeAt)
            std::memcpy(&block[at], time, 8);
        ASSERT_EQ(std::fwrite(block.data(), 1, block.size(), out.get()), block.size());
    }
}

class MemoryBoundTest : public FieldViewTest {
protected:
    void SetUp() override {
        FieldViewTest::SetUp();
        limitKnown = getrlimit(RLIMIT_AS, &previous) == 0;
        ASSERT_TRUE(limitKnown);
#ifdef TESSAPLOT_ADDRESS_SANITIZER
        GTEST_SKIP() << "the address sanitizer reserves terabytes of address space";
#endif
    }
    void TearDown() override {
        if (limitKnown)
            setrlimit(RLIMIT_AS, &previous);
        FieldViewTest::TearDown();
    }

    // From now on the process may map at most the bound more than it has mapped now.
    void boundAddressSpace() {
        // The peak so far is forgotten: another test of this process may have set it.
        std::ofstream("/proc/self/clear_refs") << "5";
        baselineResident = statusBytes("VmRSS:");
        rlimit bound = previous;
        bound.rlim_cur = statusBytes("VmSize:") + kBoundBytes;
        ASSERT_EQ(setrlimit(RLIMIT_AS, &bound), 0);
    }

    // The peak resident memory above the start, checked against the bound and told.
    void expectWithinBound(const char* what) const {
        const std::uint64_t peak = statusBytes("VmHWM:") - baselineResident;
        std::printf("%s: peak resident memory %.0f MB above the start\n", what,
                    static_cast<double>(peak) / (1 << 20));
        EXPECT_LE(peak, kBoundBytes);
    }

    rlimit previous{};
    bool limitKnown = false;
    std::uint64_t baselineResident = 0;
};

TEST_F(MemoryBoundTest, ATwoGigabyteTableIsShownWithinTheBound) {
    const fs::path dir = fs::path(dataDir.path().toStdString()) / "long-run";
    fs::create_directories(dir);
    std::uint64_t steps = 0;
    writeLargeFabrics(dir / "Fabrics.dat", 20, 2ull << 30, steps);
    // The window, its panels and the renderer's threads are up before the bound.
    openDataSet(writeFabrics(3, [](int, int) { return 20.0; }));
    boundAddressSpace();

    ModalAnswerer answerer; // the read's progress dialog runs to its end
    openDataSet(QString::fromStdString(dir.string()));
    ASSERT_EQ(Form1->ComboBox5->count(), 20) << "twenty layers";
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    Form1->BitBtn1Click();
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join('\n').toStdString();
    EXPECT_EQ(static_cast<std::uint64_t>(Form1->PointCount), 6 * steps);
    expectWithinBound("2 GB table, one layer of 20 shown");
}

TEST_F(MemoryBoundTest, ATenGigabyteSparseTableIsToldAndTakesNoMemory) {
    openDataSet(writeFabrics(3, [](int, int) { return 20.0; }));
    boundAddressSpace();
    const fs::path dir = fs::path(dataDir.path().toStdString()) / "broken-copy";
    fs::create_directories(dir);
    std::ofstream(dir / "Fabrics.dat", std::ios::binary).put('\0');
    fs::resize_file(dir / "Fabrics.dat", 10ull << 30);

    ModalAnswerer answerer;
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(QString::fromStdString(dir.string())));
    Form4->Button1Click();
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    Form1->BitBtn1Click();
    ASSERT_TRUE(waitFor([&] { return answerer.texts.size() >= 2; }));
    for (const QString& text : answerer.texts)
        EXPECT_TRUE(text.endsWith("is not a result table: no line end in its first 64 MB."))
            << text.toStdString();
    expectWithinBound("10 GB sparse table");
}

} // namespace
} // namespace tessaplot::test
