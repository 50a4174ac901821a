// The words a user reads when a table could not be read.
#include "dataset/ReadProblemText.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace tessaplot;

namespace {

TEST(ReadProblemText, EachProblemInOurOwnWordsNamingTheFile) {
    const std::string file = "/runs/a/Fabrics.dat";
    using Kind = ReadProblem::Kind;
    EXPECT_EQ(ReadProblemMessage(file, {Kind::OutOfMemory, 0, 0, 10'737'418'240ULL, 0}),
              "Not enough memory to load /runs/a/Fabrics.dat (10.7 GB).");
    EXPECT_EQ(ReadProblemMessage(file, {Kind::NoLineEnd, 0, 0, 200, 0}),
              "/runs/a/Fabrics.dat is not a result table: no line end in its first 64 MB.");
    EXPECT_EQ(ReadProblemMessage(file, {Kind::LongLine, 0, 4096, 0, 16u << 20}),
              "/runs/a/Fabrics.dat is not a result table: a line longer than 16 MB at byte "
              "4096.");
    EXPECT_EQ(ReadProblemMessage(file, {Kind::System, EACCES, 0, 0, 0}),
              "/runs/a/Fabrics.dat cannot be read: Permission denied.");
    EXPECT_EQ(ReadProblemMessage(file, {Kind::System, EIO, 0, 0, 0}),
              "/runs/a/Fabrics.dat cannot be read: Input/output error.");
    // Absence and a directory in the table's place keep the pages' own behaviour.
    for (const Kind quiet : {Kind::None, Kind::Absent, Kind::NotRegular})
        EXPECT_EQ(ReadProblemMessage(file, {quiet, 0, 0, 0, 0}), "");
}

TEST(ReadProblemText, SizesAsAPersonReadsThem) {
    EXPECT_EQ(SizeText(0), "0 bytes");
    EXPECT_EQ(SizeText(1), "1 byte");
    EXPECT_EQ(SizeText(999), "999 bytes");
    EXPECT_EQ(SizeText(1000), "1.0 kB");
    EXPECT_EQ(SizeText(48'234'567), "48.2 MB");
    EXPECT_EQ(SizeText(999'960), "1.0 MB") << "never 1000.0 kB";
    EXPECT_EQ(SizeText(2'000'000'000ULL), "2.0 GB");
    EXPECT_EQ(SizeText(~0ULL), "18.4 EB");
}

} // namespace
