#include "evidence/MeasuredTable.h"
#include "evidence/QuantityMatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

using namespace tessaplot;

TEST(EvidenceMeasuredTable, RefusesWhatIsNoMeasuredTableNamingLineAndColumn) {
    struct Case {
        const char* what;
        std::string text;
        int line, column;
        const char* says;
    };
    const Case cases[] = {
        {"empty file", "", 1, 0, "empty"},
        {"only blank lines", "\n  \r\n", 1, 0, "empty"},
        {"no header", "0,33.1,36.8\n5,33.4,36.9\n", 1, 1, "name the columns"},
        {"header without series", "Time\n0\n", 1, 0, "no measured series"},
        {"unnamed column", "Time,,core\n", 1, 2, "no name"},
        {"repeated name", "Time,Skin (C),skin\n", 1, 3, "column 2"},
        {"time not numeric", "Time,skin wetness\n0,0.1\nten,0.2\n", 3, 1, "\"ten\""},
        {"time missing", "Time;skin wetness\n0;0.1\n;0.2\n", 3, 1, "no time"},
        {"time goes back", "Time,skin wetness\n5,0.1\n4,0.2\n", 3, 1, "line 2"},
        {"short row", "Time,skin wetness,core\n0,0.1,36.8\n5,0.2\n", 3, 3, "2 columns"},
        {"long row", "Time,skin wetness\n0,0.1,7\n", 2, 3, "3 columns"},
        {"value not a number", "Time\tcore\n0\t36.8\n5\tn/a\n", 3, 2, "\"n/a\""},
        {"decimal comma", "Time;core\n0;36,8\n", 2, 2, "decimal point"},
        {"not finite", "Time,core\n0,inf\n", 2, 2, "not a number"},
        {"negative SD", "Time,core,core SD\n0,36.8,-0.1\n", 2, 3, "negative"},
        {"binary", std::string("Time,core\n0,36.8\n\x01\x02\0\x7f", 21), 3, 0, "not text"},
    };
    for (const Case& c : cases) {
        const MeasuredTable table = ParseMeasuredTable(c.text);
        EXPECT_FALSE(table.ok()) << c.what;
        EXPECT_TRUE(table.series.empty()) << c.what;
        EXPECT_EQ(table.problem.line, c.line) << c.what;
        EXPECT_EQ(table.problem.column, c.column) << c.what;
        EXPECT_NE(table.problem.message.find(c.says), std::string::npos)
            << c.what << ": " << table.problem.message;
    }
    EXPECT_EQ(MeasuredProblemText({3, 2, "the value \"n/a\" is not a number"}),
              "line 3, column 2: the value \"n/a\" is not a number");
}

TEST(EvidenceMeasuredTable, ReadsSeriesWithDeviationsAndMissingCells) {
    // A spreadsheet's export: byte-order mark, CR LF, quoted headers, semicolons, the SD
    // column before its series, a vote only every other line.
    const std::string text = "\xEF\xBB\xBF\"Time (min)\";\"temperature of skin SD\";"
                             "\"Temperature of skin (degree of C)\";thermal sensation\r\n"
                             "0; 0.2 ;33.1;40\r\n"
                             "5;;33.4;\r\n"
                             "\r\n"
                             "10;0.3;+3.35e1;\r\n"
                             "10;0.1;;55\r\n";
    const MeasuredTable table = ParseMeasuredTable(text);
    ASSERT_TRUE(table.ok()) << MeasuredProblemText(table.problem);
    EXPECT_EQ(table.timeHeader, "Time (min)");
    ASSERT_EQ(table.series.size(), 2u);

    const MeasuredSeries& skin = table.series[0];
    EXPECT_EQ(skin.name, "Temperature of skin (degree of C)");
    EXPECT_EQ(skin.column, 3);
    EXPECT_EQ(skin.deviationColumn, 2);
    EXPECT_EQ(skin.times, (std::vector<double>{0, 5, 10}));
    EXPECT_EQ(skin.values, (std::vector<double>{33.1, 33.4, 33.5}));
    ASSERT_EQ(skin.deviations.size(), 3u);
    EXPECT_EQ(skin.deviations[0], 0.2);
    EXPECT_TRUE(std::isnan(skin.deviations[1]));
    EXPECT_EQ(skin.deviations[2], 0.3);

    const MeasuredSeries& votes = table.series[1];
    EXPECT_EQ(votes.column, 4);
    EXPECT_EQ(votes.deviationColumn, 0);
    EXPECT_EQ(votes.times, (std::vector<double>{0, 10}));
    EXPECT_EQ(votes.values, (std::vector<double>{40, 55}));
    EXPECT_TRUE(votes.deviations.empty());
}

TEST(EvidenceMeasuredTable, HeadersMatchPageQuantitiesIgnoringCaseSpacesAndUnit) {
    using Source = EvidenceQuantity::Source;
    struct Case {
        const char* header;
        bool matches;
        EvidenceQuantity quantity;
    };
    const Case cases[] = {
        {"temperature of skin", true, {Source::Body, 0}},
        {"Temperature of core (degree of C)", true, {Source::Body, 1}},
        {"SKIN WETNESS [-]", true, {Source::Body, 2}},
        {"evporative heat", true, {Source::Body, 7}},
        {"ratio of skin-mass change with V_bld_sk", true, {Source::Body, 16}},
        {"thermal sensation", true, {Source::Comfort, 0}},
        {"Comfort  Value (0~100)", true, {Source::Comfort, 2}},
        {"temperature of skin SD", false, {}},
        {"heart rate (bpm)", false, {}},
        {"(degree of C)", false, {}},
    };
    for (const Case& c : cases) {
        const auto quantity = MatchQuantityName(c.header);
        ASSERT_EQ(quantity.has_value(), c.matches) << c.header;
        if (c.matches) {
            EXPECT_EQ(*quantity, c.quantity) << c.header;
        }
    }
    EXPECT_EQ(StandardDeviationOf("temperature of skin (degree of C) sd"),
              "temperature of skin (degree of C)");
    EXPECT_FALSE(StandardDeviationOf("skin wetnessSD"));
    EXPECT_FALSE(StandardDeviationOf(" SD"));
}

TEST(EvidenceMeasuredTable, FileReadIsBoundedAndSaysWhyItFailed) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("tessaplot_measured_" + std::to_string(std::random_device()()) + ".csv");
    {
        std::ofstream out(path, std::ios::binary);
        out << "Time,core\n";
        const std::string line = "1,36.8\n";
        for (std::uint64_t written = 0; written <= MeasuredFileLimit; written += line.size())
            out << line;
    }
    const MeasuredTable large = ReadMeasuredFile(path.string());
    EXPECT_FALSE(large.ok());
    EXPECT_NE(large.problem.message.find("larger"), std::string::npos);

    std::ofstream(path, std::ios::binary | std::ios::trunc) << "Time,core\n0,36.8\n";
    const MeasuredTable small = ReadMeasuredFile(path.string());
    ASSERT_TRUE(small.ok());
    EXPECT_EQ(small.series.at(0).values, std::vector<double>{36.8});

    std::filesystem::remove(path);
    EXPECT_EQ(ReadMeasuredFile(path.string()).problem.message, "there is no such file");
}
