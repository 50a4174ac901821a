// Whatever a page shows, sections or exports is the records of the table it names: a
// read that fails or is cancelled never leaves old records under a new caption, and a
// page followed while the simulation writes never opens a dialog.
#include "app/RadioGroup.h"
#include "app/ReadProgressDialog.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "export/ExportTargets.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"
#include "platform/FileSystem.h"
#include "section2d/Image2d.h"
#include "support/ModalAnswerer.h"
#include "support/fieldview_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMatrix4x4>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace tessaplot::test {
namespace {

constexpr int kTemperature = 5;    // RadioGroup1 item: column 8
constexpr int kLiquidFraction = 6; // RadioGroup1 item: column 9

long long failingReadSome(std::FILE*, char*, std::size_t, int& error) {
    error = EIO;
    return -1;
}

// The user presses Cancel as soon as the read has begun.
long long cancellingReadSome(std::FILE* file, char* into, std::size_t size, int& error) {
    CancelReadInProgress();
    return SystemReadSome(file, into, size, error);
}

enum class Failure { NotATable, IoError, Cancel };
enum class Action { ShowDataOfAnotherQuantity, NavigationStep, TabChangeAndBack };

// Everything on the Fabric page that names data or is made of it.
struct PageRecord {
    QString label4, statusZ;
    bool sectionButton = false;
    int pointCount = 0;
    std::vector<float> values;
    QStringList positions;
    QImage picture;
    std::vector<std::string> exportHeader;
    std::vector<std::vector<float>> exportColumns;
    std::string sectionTitle;
    std::size_t sectionPoints = 0;
    QMatrix4x4 view;

    bool operator==(const PageRecord&) const = default;
};

class NamedDataTest : public FieldViewTest {
protected:
    // Opens "Show 2D Data" (a TimePos section at 0) and closes it once it has painted.
    void readSection(PageRecord& record) {
        Form1->RadioButton1->click();
        bool entered = false;
        answerer.onDialog = [&](QWidget* modal) {
            if (modal != Form3 || entered || !Form3->ImageDC->hasContext() || Form1->RedrawPending)
                return;
            entered = true;
            Form3->ImageDC->grabFramebuffer(); // painted as the window is now
            record.sectionTitle = Form3->YTitle;
            record.sectionPoints = Form3->ShownSection.points.size();
            Form3->BitBtn2->click();
        };
        Form1->BitBtn3->click();
        answerer.onDialog = nullptr;
        EXPECT_TRUE(entered);
    }

    PageRecord record() {
        PageRecord r;
        r.label4 = Form1->Label4->text();
        r.statusZ = StatusPanel(Form1->StatusBar1, 3)->text();
        r.sectionButton = Form1->BitBtn3->isEnabled();
        r.pointCount = Form1->PointCount;
        for (int i = 0; i < Form1->PointCount; ++i)
            r.values.push_back(Form1->FieldPoints[static_cast<std::size_t>(i)].Value);
        r.positions = ItemTexts(Form1->ComboBox2);
        r.picture = Form1->Panel1->grabFramebuffer();
        const ExportTarget target = ExportTargetOf(Form1->Panel1);
        r.exportHeader = target.header;
        r.exportColumns = target.columns;
        r.view = CurrentModelView(Form1->Panel1);
        if (r.sectionButton)
            readSection(r);
        return r;
    }

    ModalAnswerer answerer;
};

TEST_F(NamedDataTest, AFailedOrCancelledReadNeverLeavesRecordsUnderAnotherName) {
    const struct {
        Failure failure;
        const char* told; // the end of the one message
    } failures[] = {
        {Failure::NotATable, " is not a result table: no line end in its first 64 MB."},
        {Failure::IoError, " cannot be read: Input/output error."},
        {Failure::Cancel, " was cancelled."},
    };
    // Following would read the changed table by itself; here only the action reads.
    Form1->fieldViewState->followTimer->stop();
    for (const auto& [failure, told] : failures)
        for (Action action : {Action::ShowDataOfAnotherQuantity, Action::NavigationStep,
                              Action::TabChangeAndBack}) {
            SCOPED_TRACE(testing::Message() << "failure " << static_cast<int>(failure)
                                            << ", action " << static_cast<int>(action));
            const QString directory = writeFabrics(11, [](int step, int) { return 20.0 + step; });
            openDataSet(directory);
            const QImage frameAlone = Form1->Panel1->grabFramebuffer();
            Form1->RadioGroup1->SetItemIndex(kTemperature);
            Form1->BitBtn1->click();
            ASSERT_EQ(Form1->PointCount, 66);
            const PageRecord before = record();
            ASSERT_EQ(before.sectionPoints, 6u);

            // The table changes, so that every action must read it again.
            const QString fabrics = QDir(directory).filePath("Fabrics.dat");
            writeFabrics(12, [](int step, int) { return 30.0 + step; });
            const FileSystemCalls failing{nullptr, failingReadSome, nullptr};
            const FileSystemCalls cancelling{nullptr, cancellingReadSome, nullptr};
            if (failure == Failure::NotATable) {
                std::filesystem::remove(fabrics.toStdString());
                std::ofstream(fabrics.toStdString(), std::ios::binary).put('\0');
                std::filesystem::resize_file(fabrics.toStdString(), 65u << 20);
            }
            SetFileSystemCallsForTesting(failure == Failure::IoError  ? &failing
                                         : failure == Failure::Cancel ? &cancelling
                                                                      : nullptr);
            answerer.texts.clear();
            switch (action) {
            case Action::ShowDataOfAnotherQuantity:
                Form1->RadioGroup1->SetItemIndex(kLiquidFraction);
                Form1->BitBtn1->click();
                break;
            case Action::NavigationStep:
                Form1->ToolButton6->click();
                break;
            case Action::TabChangeAndBack:
                Form1->SetActivePage(Form1->TabSheet4);
                Form1->SetActivePage(Form1->TabSheet1);
                ASSERT_TRUE(waitForRedraw());
                break;
            }
            QTest::qWait(50);
            ASSERT_EQ(answerer.texts.size(), 1) << answerer.texts.join("|").toStdString();
            EXPECT_TRUE(answerer.texts.front().endsWith(told))
                << answerer.texts.front().toStdString();

            // Still failing, so that the redraw the 2D window asks for reads nothing new.
            const PageRecord after = record();
            SetFileSystemCallsForTesting(nullptr);
            if (action != Action::TabChangeAndBack) {
                EXPECT_TRUE(after == before) << "the page stays exactly as it was";
                continue;
            }
            // Another page was shown in between: the Fabric page holds no records now,
            // shows its frame alone, and sections and exports nothing, still under the
            // names of what it showed before.
            EXPECT_EQ(after.label4, before.label4);
            EXPECT_EQ(after.statusZ, before.statusZ);
            EXPECT_EQ(after.pointCount, 0);
            EXPECT_TRUE(after.positions.isEmpty());
            EXPECT_EQ(after.picture, frameAlone);
            EXPECT_TRUE(after.exportColumns.empty() || after.exportColumns.front().empty());
            EXPECT_EQ(after.sectionPoints, 0u);
        }
}

TEST_F(NamedDataTest, ARefusedOpenEndsTheFollowingOfThePictureBefore) {
    const QString directory = writeFabrics(5, [](int step, int) { return 20.0 + step; });
    openDataSet(directory);
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    Form1->BitBtn1->click();
    ASSERT_EQ(Form1->PointCount, 30);

    const QString empty = dataDir.filePath("nothing-here");
    ASSERT_TRUE(QDir().mkpath(empty));
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(empty));
    Form4->Button1Click();
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
    EXPECT_EQ(answerer.texts, QStringList{"Lack Of Data Files!"});
    ASSERT_TRUE(waitForRedraw());
    EXPECT_EQ(Form1->PointCount, 0);
    EXPECT_EQ(Form1->RadioGroup1->ItemIndex(), -1);
    const QImage refused = Form1->Panel1->grabFramebuffer();

    // The table shown before changes: nothing draws it again with no quantity chosen.
    writeFabrics(8, [](int step, int) { return 25.0 + step; });
    QTest::qWait(700);
    EXPECT_EQ(Form1->PointCount, 0);
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), refused);
}

// Every read of the disk takes a while, as on a slow network share.
long long slowReadSome(std::FILE* file, char* into, std::size_t size, int& error) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return SystemReadSome(file, into, size, error);
}

TEST_F(NamedDataTest, FollowingReadsAGrowingTableWithoutADialogWhileTheWindowAnswers) {
    constexpr int kSteps = 27000; // about 10 MB: many pieces of the read
    const QString directory = writeFabrics(kSteps, [](int step, int) { return 20.0 + step % 7; });
    openDataSet(directory);
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    Form1->BitBtn1->click();
    ASSERT_EQ(Form1->PointCount, 6 * kSteps);
    const QImage before = Form1->Panel1->grabFramebuffer();

    const FileSystemCalls slow{nullptr, slowReadSome, nullptr};
    SetFileSystemCallsForTesting(&slow);
    const QString fabrics = QDir(directory).filePath("Fabrics.dat");
    QString step;
    for (int node = 0; node < 6; ++node)
        step += QStringLiteral("%1\t%2\t1\t1.2E-02\t1.1E-02\t0\t55\t1E-05\t99\t0.5\n")
                    .arg(6 * kSteps)
                    .arg(0.05 * node);
    ASSERT_EQ(QProcess::execute("/bin/sh", {"-c", "printf '%s' \"$1\" >> \"$0\"", fabrics, step}),
              0);

    // Watch the window while it follows: every answer of the event loop, any modal
    // window, and every count of records the page shows.
    QElapsedTimer clock;
    clock.start();
    qint64 lastAnswer = 0, longestWait = 0;
    bool modalSeen = false;
    QSet<int> counts;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        longestWait = std::max(longestWait, clock.elapsed() - lastAnswer);
        lastAnswer = clock.elapsed();
        modalSeen = modalSeen || QApplication::activeModalWidget() != nullptr;
        counts.insert(Form1->PointCount);
    });
    watch.start();
    const bool drawn = waitFor([] { return Form1->PointCount == 6 * (kSteps + 1); }, 20000);
    watch.stop();
    SetFileSystemCallsForTesting(nullptr);
    ASSERT_TRUE(drawn);
    EXPECT_FALSE(modalSeen) << "following asks nothing of the user";
    EXPECT_LT(longestWait, 600) << "the window answers while the table is read";
    EXPECT_GT(clock.elapsed(), 800) << "the read was slow enough to span many slots";
    EXPECT_EQ(counts, (QSet<int>{6 * kSteps, 6 * (kSteps + 1)})) << "never a part of the read";
    EXPECT_NE(Form1->Panel1->grabFramebuffer(), before);
    EXPECT_EQ(Form1->FieldPoints[static_cast<std::size_t>(6 * kSteps)].Value, 99.0f);
}

} // namespace
} // namespace tessaplot::test
