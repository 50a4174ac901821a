// "plotvane --summary DIR...": the program run as a user runs it, with no display.
#include "support/AddressSanitizer.h"
#include "support/ProgramRun.h"

#include "SampleData.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tessaplot::test {
namespace {

// Runs the program with no display to be had: a window or an application object it
// made would end it with the platform's failure instead of the rows.
ProgramRun runWithoutDisplay(const QStringList& arguments) {
    std::vector<std::pair<const char*, QByteArray>> kept;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        kept.emplace_back(name, qgetenv(name));
        qunsetenv(name);
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    const ProgramRun run = RunProgram(arguments);
    for (const auto& [name, value] : kept) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    return run;
}

struct Row {
    QString name, directory, wholeTime, thermalHot, skinMean, problem;
};

std::vector<Row> rowsOf(const QString& out, QStringList& header) {
    QStringList lines = out.split("\r\n");
    EXPECT_EQ(lines.takeLast(), "");
    header = lines.takeFirst().split(',');
    const auto column = [&](const char* name) { return header.indexOf(name); };
    std::vector<Row> rows;
    for (const QString& line : lines) {
        const QStringList fields = line.split(',');
        EXPECT_EQ(fields.size(), header.size()) << line.toStdString();
        if (fields.size() != header.size())
            continue;
        rows.push_back({fields[0], fields[1], fields[column("Whole Time (min.)")],
                        fields[column("Thermal Sensation Hot (%)")],
                        fields[column("temperature of skin(degree of C) Mean")], fields.last()});
    }
    return rows;
}

TEST(SummaryCommand, ARowPerDirectoryInOrderWithTheReasonsOfThoseNotRead) {
    QTemporaryDir root;
    const QString r = root.path();
    const auto dataSet = [&](const char* name, const sample::DataSetOptions& options) {
        EXPECT_TRUE(sample::WriteDataSet((r + "/" + name).toStdString(), options));
        return r + "/" + name;
    };
    sample::DataSetOptions membrane;
    membrane.membraneShell = true;
    const QString jacket = dataSet("jacket", {});
    const QString shell = dataSet("membrane", membrane);
    const QString noComfort = dataSet("no-comfort", {});
    QFile::remove(noComfort + "/Comfort.dat");
    // A table whose first line is longer than any a result table has.
    const QString notATable = dataSet("not-a-table", {});
    {
        QFile body(notATable + "/BodyProperty.dat");
        ASSERT_TRUE(body.open(QIODevice::WriteOnly));
        body.write(QByteArray(17 << 20, 'x') + "\n1\t2\n");
    }
    const QString noFabrics = dataSet("no-fabrics", {});
    QFile::remove(noFabrics + "/Fabrics.dat");
    const QString absent = r + "/absent";

    const ProgramRun run = runWithoutDisplay(
        {"--summary", jacket, noComfort, notATable, absent, noFabrics, shell, jacket + "/"});
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    EXPECT_EQ(run.err, "");
    QStringList header;
    const std::vector<Row> rows = rowsOf(run.out, header);
    EXPECT_EQ(header.size(), 96);
    ASSERT_EQ(rows.size(), 7u) << run.out.toStdString();

    struct Expected {
        const char* name;
        QString directory;
        bool comfort, body;
        const char* problem;
    };
    const std::vector<Expected> expected{
        {"jacket", jacket, true, true, ""},
        {"no-comfort", noComfort, false, true, "Comfort.dat: No files!"},
        {"not-a-table", notATable, true, false,
         "BodyProperty.dat is not a result table: a line longer than 16 MB at byte 0."},
        {"absent", absent, false, false, "Lack Of Data Files!"},
        {"no-fabrics", noFabrics, false, false, "Lack Of Data Files!"},
        {"membrane", shell, true, true, ""},
        {"jacket (2)", jacket + "/", true, true, ""},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(rows[i].name, expected[i].name);
        EXPECT_EQ(rows[i].directory, expected[i].directory);
        EXPECT_EQ(rows[i].problem, expected[i].problem);
        EXPECT_EQ(rows[i].wholeTime, expected[i].comfort ? "180" : "");
        EXPECT_EQ(!rows[i].thermalHot.isEmpty(), expected[i].comfort);
        EXPECT_EQ(!rows[i].skinMean.isEmpty(), expected[i].body);
    }
    // The same run under another name gives the same figures; the membrane run others.
    EXPECT_EQ(rows[6].thermalHot, rows[0].thermalHot);
    EXPECT_NE(rows[5].thermalHot, rows[0].thermalHot);
    EXPECT_NE(rows[5].skinMean, rows[0].skinMean);

    const ProgramRun good = runWithoutDisplay({"--summary", shell, jacket});
    EXPECT_EQ(good.status, 0) << good.err.toStdString();
    const std::vector<Row> goodRows = rowsOf(good.out, header);
    ASSERT_EQ(goodRows.size(), 2u);
    EXPECT_EQ(goodRows[0].skinMean, rows[5].skinMean);
    EXPECT_EQ(goodRows[1].problem, "");
}

// The evidence columns: the plain row comes first unchanged, a phase the run does not
// reach says so in every column of its group, the measured file's known biases come out,
// points beyond the run are counted apart; a measured file that is no table ends the
// summary before its first row, naming its line and column.
TEST(SummaryCommand, EvidenceColumnsBesideThePlainRowAndMeasuredFilesRefusedWithTheirPlace) {
    QTemporaryDir root;
    const QString run = root.filePath("jacket");
    const sample::DataSetOptions options;
    ASSERT_TRUE(sample::WriteDataSet(run.toStdString(), options));
    const QString measured = root.filePath("trial.csv");
    // The sample's trial, a vote beyond the run's end, and a column no quantity has.
    std::string table;
    for (const QString& line :
         QString::fromStdString(sample::MeasuredDataTable(options)).split('\n', Qt::SkipEmptyParts))
        table += line.toStdString() + (table.empty() ? ",heart rate\n" : ",72\n");
    table += "500,,,,20,\n";
    ASSERT_TRUE(sample::WriteTextFile(measured.toStdString(), table));

    const ProgramRun plain = runWithoutDisplay({"--summary", run});
    const ProgramRun evidence = runWithoutDisplay(
        {"--summary", "--measured", measured, "--phases", "Rest:0-30,Walk:30-180,Late:200-300",
         "--threshold", "temperature of core>=45", "--threshold", "Comfort Value<30", "--tolerance",
         "temperature of core=0.3", run});
    ASSERT_EQ(plain.status, 0);
    ASSERT_EQ(evidence.status, 0) << evidence.err.toStdString();
    EXPECT_EQ(evidence.err, QString("plotvane: %1: column 6 \"heart rate\" names no body "
                                    "quantity or sensation; left out\n")
                                .arg(measured));
    const QStringList plainLines = plain.out.split("\r\n");
    const QStringList lines = evidence.out.split("\r\n");
    ASSERT_EQ(lines.size(), 3) << evidence.out.toStdString();
    const QStringList header = lines[0].split(','), row = lines[1].split(',');
    const QStringList plainHeader = plainLines[0].split(','), plainRow = plainLines[1].split(',');
    ASSERT_EQ(header.size(), row.size());
    EXPECT_EQ(header.mid(0, plainHeader.size() - 1), plainHeader.mid(0, plainHeader.size() - 1));
    EXPECT_EQ(row.mid(0, plainRow.size() - 1), plainRow.mid(0, plainRow.size() - 1));
    EXPECT_EQ(header.last(), "Problem");
    const auto field = [&](const QString& name) {
        EXPECT_TRUE(header.contains(name)) << name.toStdString();
        return row.value(header.indexOf(name));
    };

    int lateColumns = 0;
    for (qsizetype c = 0; c < header.size(); ++c) {
        if (header[c].startsWith("Late: ")) {
            EXPECT_EQ(row[c], "not reached") << header[c].toStdString();
            ++lateColumns;
        }
    }
    // Reach, 24 sensation and 68 body figures, 3 per threshold, 6 or 7 per series.
    EXPECT_EQ(lateColumns, 2 + 24 + 68 + 2 * 3 + 7 + 6 + 6);
    EXPECT_EQ(field("Walk: Body Reached"), "fully");
    EXPECT_EQ(field("temperature of core(degree of C)>=45 First Time (min.)"), "never");
    EXPECT_EQ(field("temperature of core(degree of C)>=45 Time Beyond (min.)"), "0");
    EXPECT_EQ(field("Comfort Value<30 Entries").toInt(),
              field("Rest: Comfort Value<30 Entries").toInt() +
                  field("Walk: Comfort Value<30 Entries").toInt() -
                  (field("Walk: Comfort Value<30 First Time (min.)") == "30" ? 1 : 0));

    const QString skin = "trial.csv temperature of skin (degree of C)";
    const QString core = "trial.csv temperature of core (degree of C)";
    const QString vote = "trial.csv Thermal Sensation";
    EXPECT_NEAR(field(skin + " Bias (degree of C)").toDouble(), sample::MeasuredSkinBias, 0.005);
    EXPECT_NEAR(field(core + " Bias (degree of C)").toDouble(), sample::MeasuredCoreBias, 0.005);
    EXPECT_NEAR(field(vote + " Bias").toDouble(), sample::MeasuredVoteBias, 0.05);
    EXPECT_EQ(field(core + " Within 0.3 (degree of C) (%)"), "100");
    EXPECT_EQ(field(vote + " Outside Run"), "1");
    EXPECT_EQ(field("Rest: " + vote + " Points"), "0");
    EXPECT_EQ(field("Rest: " + vote + " Bias"), "") << "no point, no figure";
    EXPECT_EQ(field(skin + " Points").toInt(), field("Rest: " + skin + " Points").toInt() +
                                                   field("Walk: " + skin + " Points").toInt());

    struct Refusal {
        QByteArray text;
        const char* says;
    };
    const Refusal refusals[] = {
        {"", "empty"},
        {"Time,temperature of skin\n5,33\n10,33,1\n", "line 3, column 3"},
        {"Time,temperature of skin\nsoon,33\n", "line 2, column 1"},
        {QByteArray("\x7f"
                    "ELF\x02\x01\x00\x00",
                    8),
         "line 1"},
    };
    for (const Refusal& refusal : refusals) {
        QFile bad(root.filePath("bad.csv"));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
        bad.write(refusal.text);
        bad.close();
        const ProgramRun refused =
            runWithoutDisplay({"--summary", "--measured", bad.fileName(), run});
        EXPECT_EQ(refused.status, 1) << refusal.says;
        EXPECT_EQ(refused.out, "") << refusal.says;
        EXPECT_TRUE(refused.err.startsWith("plotvane: " + bad.fileName() + ": "))
            << refused.err.toStdString();
        EXPECT_TRUE(refused.err.contains(refusal.says)) << refused.err.toStdString();
    }
    const ProgramRun missing =
        runWithoutDisplay({"--summary", "--measured", root.filePath("none.csv"), run});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("none.csv")) << missing.err.toStdString();
}

// The rows of a run whose Comfort.dat has 5,000,000 lines, in a process whose address
// space is bounded: the figures accumulate as the lines pass, so memory stays that of a
// small file, and every figure equals the small file's (each of its lines is there 5,000
// times over, which changes no extreme, its time, a share or the whole time).
TEST(SummaryCommand, AFiveMillionLineComfortFileIsSummarisedInBoundedMemory) {
#ifdef TESSAPLOT_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer reserves terabytes of address space";
#endif
    QTemporaryDir root;
    const QString small = root.filePath("small"), large = root.filePath("large");
    sample::DataSetOptions options;
    options.comfortLines = 1000;
    ASSERT_TRUE(sample::WriteDataSet(small.toStdString(), options));
    ASSERT_TRUE(sample::WriteDataSet(large.toStdString(), options));
    {
        QFile in(small + "/Comfort.dat"), out(large + "/Comfort.dat");
        ASSERT_TRUE(in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly));
        for (const QByteArray& line : in.readAll().split('\n')) {
            if (!line.isEmpty()) {
                ASSERT_TRUE(out.write((line + '\n').repeated(5000)) > 0);
            }
        }
    }
    // The summary under a bounded address space; the shell watches its peak resident
    // memory (the kernel's own figure for a child would count the test's pages it was
    // forked with) until it has ended, and tells it last on standard error.
    const char* script = R"(ulimit -v 524288 || exit 99
"$0" --summary "$1" "$2" &
pid=$!
peak=0
while kb=$(sed -n 's/^VmHWM:[^0-9]*\([0-9]*\).*/\1/p' /proc/$pid/status 2>/dev/null) &&
      [ -n "$kb" ]; do
    [ "$kb" -gt "$peak" ] && peak=$kb
    sleep 0.01
done
wait $pid
status=$?
echo "$peak" >&2
exit $status)";
    const ProgramRun run = RunProgram(
        {"-c", script, QStringLiteral(PLOTVANE_PROGRAM), small, large}, QStringLiteral("/bin/sh"));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    bool told = false;
    const long peakKb = run.err.trimmed().toLong(&told);
    ASSERT_TRUE(told && peakKb > 0) << run.err.toStdString();
    std::printf("--summary of a 5,000,000-line Comfort.dat: peak resident memory %.1f MB\n",
                static_cast<double>(peakKb) / 1024.0);
    EXPECT_LT(peakKb, 64 * 1024);

    QStringList lines = run.out.split("\r\n");
    ASSERT_EQ(lines.size(), 4) << run.out.toStdString();
    // Past the run's name and directory, which are not the same.
    EXPECT_EQ(lines[1].section(',', 2), lines[2].section(',', 2));
    EXPECT_TRUE(lines[2].endsWith(',')) << "no problem";
}

} // namespace
} // namespace tessaplot::test
