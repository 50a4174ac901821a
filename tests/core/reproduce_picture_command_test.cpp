#include "reproduce/PictureCommand.h"
#include "reproduce/ShellWord.h"
#include "reproduce/ViewMatrixText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

namespace tessaplot {
namespace {

TEST(ViewMatrixText, EveryFloatReadsBackToItsOwnBits) {
    std::mt19937 random(29);
    std::uniform_int_distribution<std::uint32_t> bits;
    ViewMatrix matrix{};
    matrix[15] = 1.0f;
    const float special[] = {0.8f * 1.25f,
                             -0.0f,
                             std::numeric_limits<float>::denorm_min(),
                             std::numeric_limits<float>::max(),
                             1e-8f,
                             -3.4028e38f};
    for (int round = 0; round < 2000; ++round) {
        for (const int i : {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14}) {
            float value = std::bit_cast<float>(bits(random));
            if (!std::isfinite(value) || round % 7 == 0)
                value = special[(round + i) % 6];
            matrix[static_cast<std::size_t>(i)] = value;
        }
        const std::optional<ViewMatrix> back = ParseViewMatrix(ViewMatrixText(matrix));
        ASSERT_TRUE(back.has_value()) << ViewMatrixText(matrix);
        for (std::size_t i = 0; i < 16; ++i)
            ASSERT_EQ(std::bit_cast<std::uint32_t>((*back)[i]),
                      std::bit_cast<std::uint32_t>(matrix[i]))
                << ViewMatrixText(matrix);
    }
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5,6,7,8,9,10,11", "1,2,3,4,5,6,7,8,9,10,11,12,13",
                            "1,2,3,4,5,6,7,8,9,10,11,x", "1,2,3,4,5,6,7,8,9,10,11,12 ",
                            "1,2,3,4,5,6,7,8,9,10,11,inf", "1,,3,4,5,6,7,8,9,10,11,12"})
        EXPECT_FALSE(ParseViewMatrix(bad)) << bad;
    EXPECT_EQ(ParseFloatText("61.25"), 61.25f);
    EXPECT_FALSE(ParseFloatText("61.25 min"));
}

TEST(PictureCommand, DefaultsLeftOutOptionsInOneOrderWordsQuotedOnlyWhereNeeded) {
    PictureChoices plain;
    plain.exportFile = "FIGURE.png";
    plain.variable = "Temperature(degree of C)";
    plain.directory = "/runs/jacket-run";
    plain.layer = 2; // not the Fabric page's, so not written
    plain.page = "BodyComfort";
    plain.variable = "Comfort Value";
    plain.colourKey = true; // the key colours meshes only
    plain.viewSteps = {"Left"};
    EXPECT_EQ(PictureCommandText(plain),
              "plotvane --export FIGURE.png --page BodyComfort --variable 'Comfort Value' "
              "/runs/jacket-run");

    PictureChoices full;
    full.exportFile = "FIGURE.png";
    full.scale = 2;
    full.page = "Fibers";
    full.fibre = "fabric1_fiber_2.dat";
    full.variable = "Moisture Content(kg/m^2)";
    full.fromColor = "Navy";
    full.colorAxis = "X";
    full.viewSteps = {"Left", "Reset", "Up", "Small"};
    full.compare = {"/runs/membrane run", "/runs/it's"};
    full.differenceFrom = "/runs/it's";
    full.colourKey = true;
    full.range = std::pair{30.5f, 37.0f};
    full.markedTime = 0.1f;
    full.measured = {"/trials/votes.csv"};
    full.phases = "Rest:0-30";
    full.thresholds = {"temperature of core>=38", "Comfort Value<30"};
    full.tolerances = {"temperature of core=0.3"};
    full.directory = "/runs/a";
    EXPECT_EQ(PictureCommandText(full),
              "plotvane --export FIGURE.png --scale 2 --page Fibers --fibre fabric1_fiber_2.dat "
              "--variable 'Moisture Content(kg/m^2)' --colors Navy,Red --color-axis X "
              "--view Up,Small --compare '/runs/membrane run' --compare '/runs/it'\\''s' "
              "--difference-from '/runs/it'\\''s' --color-key --range 30.5,37 --mark-time 0.1 "
              "--measured /trials/votes.csv --phases Rest:0-30 "
              "--threshold 'temperature of core>=38' --threshold 'Comfort Value<30' "
              "--tolerance 'temperature of core=0.3' /runs/a");

    // An exported section is the 2D picture: nothing that colours the mesh goes with it,
    // and the view matrix, once set, wins over steps.
    full.sectionKind = "SpacePos";
    full.sectionValue = "0.0500";
    full.viewMatrix = ViewMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -0.5f, 1};
    const std::string section = PictureCommandText(full);
    EXPECT_NE(section.find("--section SpacePos:0.0500 "), std::string::npos) << section;
    EXPECT_NE(section.find("--view 1,0,0,0,1,0,0,0,1,0,0,-0.5 "), std::string::npos) << section;
    for (const char* left : {"--color-key", "--range", "--difference-from"})
        EXPECT_EQ(section.find(left), std::string::npos) << left;
}

TEST(ShellWord, QuotesOnlyWhatTheShellWouldTouchAndKeepsBytesThatAreNoUtf8AsText) {
    EXPECT_EQ(ShellWord("/runs/a-1_b.2,c:d"), "/runs/a-1_b.2,c:d");
    EXPECT_EQ(ShellWord(""), "''");
    EXPECT_EQ(ShellWord("a b$c`d"), "'a b$c`d'");
    EXPECT_EQ(ShellWord("it's"), "'it'\\''s'");
    EXPECT_EQ(ShellWord("caf\xC3\xA9"), "'caf\xC3\xA9'");
    EXPECT_EQ(ShellWord("caf\xE9!"), "'caf'\"$(printf '\\351')\"'!'");
}

} // namespace
} // namespace tessaplot
