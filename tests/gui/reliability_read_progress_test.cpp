// Long reads: a dialog shows how far they have come and can stop them; short reads
// show nothing; nothing else reads or draws while one runs.
#include "app/RadioGroup.h"
#include "dataset/ReadProblemText.h"
#include "dataset/Unit4.h"
#include "gl/GlPanel.h"
#include "platform/FileSystem.h"
#include "support/ModalAnswerer.h"
#include "support/fieldview_fixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>

namespace tessaplot::test {
namespace {

constexpr int kTemperature = 5; // RadioGroup1 item

int g_opens = 0;
bool g_slow = false;

// A disk that gives 16 kB every 40 ms while slow.
long long slowReadSome(std::FILE* file, char* into, std::size_t size, int& error) {
    if (g_slow) {
        QThread::msleep(40);
        size = std::min<std::size_t>(size, 16 * 1024);
    }
    return SystemReadSome(file, into, size, error);
}

std::FILE* countedOpen(const std::string& path, std::uint64_t* size, OpenFailure* failure) {
    ++g_opens;
    return SystemOpenRegularFile(path, size, failure);
}

class ReadProgressTest : public FieldViewTest {
protected:
    void SetUp() override {
        FieldViewTest::SetUp();
        g_opens = 0;
        g_slow = false;
        SetFileSystemCallsForTesting(&m_calls);
        // 1,000 steps: about 330 kB, some 21 reads on the slow disk.
        openDataSet(writeFabrics(1000, [](int step, int node) { return step * 0.01 + node; }));
        Form1->RadioGroup1->SetItemIndex(kTemperature);
        QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
        ASSERT_GT(Form1->PointCount, 5000);
    }
    void TearDown() override {
        SetFileSystemCallsForTesting(nullptr);
        FieldViewTest::TearDown();
    }

    FileSystemCalls m_calls{countedOpen, slowReadSome, nullptr};
};

TEST_F(ReadProgressTest, ALongReadShowsItsProgressAndCancelLeavesThePicture) {
    const QImage before = Form1->Panel1->grabFramebuffer();
    const int points = Form1->PointCount;
    ModalAnswerer answerer;
    QString label;
    int opensDuringRead = -1;
    answerer.answersProgress = true;
    answerer.onDialog = [&](QWidget* dialog) {
        auto* progress = qobject_cast<QProgressDialog*>(dialog);
        ASSERT_NE(progress, nullptr);
        if (!label.isEmpty())
            return;
        label = progress->labelText();
        // Ticks that would redraw find the read busy and wait.
        Form1->RedrawPending = true;
        QTest::qWait(100);
        opensDuringRead = g_opens;
        progress->cancel();
    };
    g_slow = true;
    g_opens = 0;
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    g_slow = false;
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));

    EXPECT_TRUE(label.startsWith("Reading Fabrics.dat\n")) << label.toStdString();
    const QString size = QString::fromStdString(
        SizeText(static_cast<std::uint64_t>(QFileInfo(Form1->Label5->text()).size())));
    EXPECT_TRUE(label.endsWith(" of " + size)) << label.toStdString();
    EXPECT_EQ(opensDuringRead, 1) << "no second read while the first runs";
    EXPECT_EQ(answerer.texts, QStringList{"Reading " + Form1->Label5->text() + " was cancelled."});
    EXPECT_EQ(Form1->PointCount, points);
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), before) << "the previous picture stays";
}

TEST_F(ReadProgressTest, AQuickReadShowsNoDialog) {
    ModalAnswerer answerer;
    bool dialogShown = false;
    answerer.answersProgress = true;
    answerer.onDialog = [&](QWidget*) { dialogShown = true; };
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    QTest::qWait(100);
    EXPECT_FALSE(dialogShown);
    EXPECT_TRUE(answerer.texts.isEmpty());

    // A slow read that is let finish draws its picture like any other.
    g_slow = true;
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    g_slow = false;
    EXPECT_TRUE(dialogShown);
    EXPECT_TRUE(answerer.texts.isEmpty());
    EXPECT_GT(Form1->PointCount, 5000);
}

} // namespace
} // namespace tessaplot::test
