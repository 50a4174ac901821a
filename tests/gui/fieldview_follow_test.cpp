// The field pages follow a table that a running simulation is still writing.
#include "app/RadioGroup.h"
#include "gl/GlPanel.h"
#include "support/FileOpenCounter.h"
#include "support/fieldview_fixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>
#include <string>

namespace tessaplot::test {
namespace {

constexpr int kTemperature = 5; // RadioGroup1 item: column 8

double rising(int step, int node) {
    return 20.0 + step + 0.1 * node;
}

// The lines of time step `step` as the fixture writes them.
std::string stepLines(int step) {
    std::string lines;
    char line[256];
    for (int node = 0; node < 6; ++node) {
        std::snprintf(line, sizeof line, "%d\t%g\t1\t1.2E-02\t1.1E-02\t0\t55\t1E-05\t%.9g\t0.5\n",
                      6 * step, 0.05 * node, rising(step, node));
        lines += line;
    }
    return lines;
}

// Appends `text` to `file` from another process, as the simulation would.
void appendFromAnotherProcess(const QString& file, const std::string& text) {
    QProcess writer;
    writer.start(QStringLiteral("/bin/sh"),
                 {QStringLiteral("-c"), QStringLiteral("cat >> \"$0\""), file});
    ASSERT_TRUE(writer.waitForStarted());
    writer.write(text.data(), static_cast<qint64>(text.size()));
    writer.closeWriteChannel();
    ASSERT_TRUE(writer.waitForFinished());
}

using FollowTest = FieldViewTest;

TEST_F(FollowTest, ATableGrownByAnotherProcessIsDrawnAgainInTheSameView) {
    const QString dir = writeFabrics(5, rising);
    openDataSet(dir);
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    Form1->BitBtn1Click();
    Form1->ToolButton6Click();
    Form1->ToolButton3Click();
    Form1->ComboBox2->setCurrentIndex(3);
    ASSERT_EQ(Form1->PointCount, 30);
    const QMatrix4x4 view = CurrentModelView(Form1->Panel1);
    const QImage before = Form1->Panel1->grabFramebuffer();

    const QString file = dir + QStringLiteral("/Fabrics.dat");
    QElapsedTimer sinceWrite;
    appendFromAnotherProcess(file, stepLines(5) + stepLines(6));
    sinceWrite.start();
    ASSERT_TRUE(waitFor([] { return Form1->PointCount == 42; }, 3000));
    EXPECT_LE(sinceWrite.elapsed(), 500 + 200) << "within half a second (and a tick)";
    EXPECT_TRUE(NearlyEqual(CurrentModelView(Form1->Panel1), view)) << "the view stays";
    EXPECT_EQ(Form1->ComboBox2->currentIndex(), 3) << "the same list keeps its choice";
    EXPECT_EQ(Form1->TimeMax, 36.0f);
    EXPECT_EQ(Form1->DataColumn, 8);
    const QImage after = Form1->Panel1->grabFramebuffer();
    EXPECT_NE(after, before);
    // The new steps are drawn: the top of the value axis now reads 26.5.
    EXPECT_EQ(Form1->ValueTickLabels[5], "26.50");

    // A half-written line waits for its end.
    appendFromAnotherProcess(file, "42\t0\t1\t1.2E-02\t1.1E-02\t0\t55\t1E-05\t3");
    QElapsedTimer wait;
    wait.start();
    waitFor([&] { return wait.elapsed() > 700; }, 2000);
    EXPECT_EQ(Form1->PointCount, 42);
    appendFromAnotherProcess(file, "0\t0.5\n" + stepLines(7).substr(stepLines(7).find('\n') + 1));
    ASSERT_TRUE(waitFor([] { return Form1->PointCount == 48; }, 3000));
}

TEST_F(FollowTest, AnUnchangedTableIsNotReadAgainAndOtherPagesAreNotFollowed) {
    const QString dir = writeFabrics(5, rising);
    openDataSet(dir);
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    Form1->BitBtn1Click();
    const QString file = dir + QStringLiteral("/Fabrics.dat");
    FileOpenCounter reads(file);
    ASSERT_TRUE(reads.watching());
    QElapsedTimer clock;
    clock.start();
    waitFor([&] { return clock.elapsed() > 1000; }, 3000);
    EXPECT_EQ(reads.opens(), 0);

    // On the comfort page the Fabric picture is not shown, so not followed.
    Form1->SetActivePage(Form1->TabSheet4);
    appendFromAnotherProcess(file, stepLines(5));
    clock.restart();
    waitFor([&] { return clock.elapsed() > 700; }, 2000);
    EXPECT_EQ(reads.opens(), 1) << "only the writer's own";
    EXPECT_EQ(Form1->PointCount, 30);
}

} // namespace
} // namespace tessaplot::test
