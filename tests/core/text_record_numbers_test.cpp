// A value one record holds is written with the digits the file held, wherever it is
// written: the Compare Runs table, the summary, the pointer readout and a CSV export.
#include "compare/RunComparisonTable.h"
#include "compare/RunFigures.h"
#include "compare/RunSummary.h"
#include "export/CsvTable.h"
#include "readout/ReadoutText.h"
#include "text/DecimalConversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tessaplot {
namespace {

TEST(RecordNumbersTest, EveryPlaceWritesTheDigitsTheFileHeld) {
    struct Case {
        const char* inFile;
        const char* shown; // the table and the readout: the pages' general form
        const char* csv;   // the summary and CSV exports
    } const cases[] = {
        {"3.270823E+01", "32.70823", "32.70823"}, // widened to double: 32.7082290649414
        {"36.6", "36.6", "36.6"},
        {"0.1", "0.1", "0.1"},
        {"1.00000025E-05", "1.00000025E-5", "1.00000025e-05"}, // nine digits
        {"100.000008", "100.00001", "100.00001"},
        {"-2.5E+20", "-2.5E20", "-2.5e+20"},
        {"0", "0", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inFile);
        const float value = ParseDecimal(c.inFile);

        // One record: lowest, highest, mean and final value are all its value.
        const std::vector<FieldPoint> body{{0.0f, 0.0f, value}};
        RunTableInput run;
        run.name = "run";
        run.body = body;
        RunTableChoice choice;
        choice.bodyItem = 0;
        choice.bodyName = "Skin";
        const TextTable table = RunComparisonTable(std::span(&run, 1), choice);
        ASSERT_GE(table.size(), 4u);
        for (auto row = table.end() - 4; row != table.end(); ++row)
            EXPECT_EQ(row->at(1), c.shown) << row->at(0);

        EXPECT_EQ(ReadoutLine("Skin (C)", value, "."), std::string("Skin: ") + c.shown + " C");
        EXPECT_EQ(CsvTable({"Skin"}, {{value}}), std::string("Skin\r\n") + c.csv + "\r\n");

        SummarizedRun summarized;
        summarized.bodyRead = true;
        RunFiguresAccumulator figures;
        figures.add(value);
        summarized.body[0] = figures.figures();
        const std::vector<std::string> fields = RunSummaryFields(summarized);
        const std::vector<std::string> header = RunSummaryHeader();
        const auto first = std::find_if(header.begin(), header.end(), [](const std::string& h) {
            return h.ends_with(" Lowest") && !h.starts_with("Thermal") &&
                   !h.starts_with("Dampness") && !h.starts_with("Comfort");
        });
        ASSERT_NE(first, header.end());
        const auto at = static_cast<std::size_t>(first - header.begin());
        for (std::size_t i = at; i < at + 4; ++i)
            EXPECT_EQ(fields[i], c.csv) << header[i];
    }
}

} // namespace
} // namespace tessaplot
