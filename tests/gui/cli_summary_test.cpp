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
