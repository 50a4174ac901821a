#include "dataset/LayerCount.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

using namespace tessaplot;

namespace {

// Time, position, layer key, then `extra` padding characters in column 3 and a last column.
std::string fabrics(int layers, int nodes, int steps, std::size_t extra = 0) {
    std::string text;
    for (int step = 0; step < steps; ++step)
        for (int layer = 0; layer < layers; ++layer)
            for (int node = 0; node < nodes; ++node)
                text += std::to_string(step * 2.5) + "\t0." + std::to_string(node) + "\t" +
                        std::to_string(layer + 1) + "\t1.5" + std::string(extra, '0') + "\t20\n";
    return text;
}

} // namespace

TEST(LayerCount, LearnsTheStructureOfTheFirstTimeStep) {
    struct Case {
        const char* what;
        std::string text;
        int layers;
        int lines;
    };
    const Case cases[] = {
        {"three layers", fabrics(3, 6, 4), 3, 6},
        {"one layer", fabrics(1, 6, 3), 1, 6},
        {"blocks of four", fabrics(5, 4, 2), 5, 4},
        {"single time step", fabrics(3, 6, 1), 3, 6},
        {"single step, no final line feed", fabrics(3, 6, 1) + "0\t0\t1\t", 3, 6},
        {"lines of 300 characters", fabrics(3, 6, 2, 300), 3, 6},
        {"CR before LF",
         [] {
             std::string t = fabrics(2, 6, 2);
             for (std::size_t p = 0; (p = t.find('\n', p)) != std::string::npos; p += 2)
                 t.insert(p, "\r");
             return t;
         }(),
         2, 6},
        {"blank lines between",
         [] {
             std::string t = fabrics(2, 6, 2);
             std::size_t sixth = 0;
             for (int i = 0; i < 6; ++i)
                 sixth = t.find('\n', sixth) + 1;
             return "\n" + t.insert(sixth, "\n\r\n");
         }(),
         2, 6},
        {"empty", "", 0, 0},
        {"only line feeds", "\n\n\n", 0, 0},
        {"key never recurs", "0\t0\t1\t5\n1\t0\t2\t5\n", 0, 0},
        {"key is the last column", "0\t0\t1\n0\t0\t1\n1\t0\t1\n", 0, 0},
        {"one line", "0\t0\t1\t5\n", 1, 1},
    };
    for (const Case& c : cases) {
        const LayerStructure s = CountLayers(c.text);
        EXPECT_EQ(s.layerCount, c.layers) << c.what;
        EXPECT_EQ(s.layerLines, c.lines) << c.what;
        EXPECT_EQ(s.isKnown(), c.layers > 0) << c.what;
    }
}

TEST(LayerCount, ReadsFilesBeyondTheFirstPieceAndRefusesUnreadableOnes) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("tessaplot_dataset_layers_" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(dir);
    // The first time step (2 x 6 lines of about 20 kB) is far longer than the first piece read.
    const auto wide = dir / "Fabrics.dat";
    std::ofstream(wide, std::ios::binary) << fabrics(2, 6, 3, 20000);
    const LayerStructure s = CountLayersInFile(wide.string());
    EXPECT_EQ(s.layerCount, 2);
    EXPECT_EQ(s.layerLines, 6);

    EXPECT_FALSE(CountLayersInFile((dir / "missing.dat").string()).isKnown());
    EXPECT_FALSE(CountLayersInFile(dir.string()).isKnown());
    std::filesystem::remove_all(dir);
}

TEST(LayerCount, HostileTextEndsWithinTheText) {
    std::mt19937 random(777);
    const std::string alphabet = "\t\t\t\n\n\r 0123456789.eE+-x";
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 200, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        const LayerStructure s = CountLayers(text);
        ASSERT_GE(s.layerCount, 0);
        ASSERT_GE(s.layerLines, 0);
        ASSERT_LE(static_cast<long>(s.layerCount) * s.layerLines,
                  std::count(text.begin(), text.end(), '\n') + 1);
    }
}
