// Tables that cannot be read: the user is told why in words of their own, once, and
// what was shown stays as it was.
#include "app/MessageBoxes.h"
#include "app/RadioGroup.h"
#include "dataset/Unit4.h"
#include "gl/GlPanel.h"
#include "platform/FileSystem.h"
#include "section2d/Image2d.h"
#include "support/ModalAnswerer.h"
#include "support/fieldview_fixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QPushButton>
#include <QTest>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace tessaplot::test {
namespace {

using ReadFailureTest = FieldViewTest;

constexpr int kTemperature = 5; // RadioGroup1 item

// Replaces `path` with a sparse file of zeros: no line end anywhere.
void makeSparse(const QString& path, std::uintmax_t bytes) {
    const std::filesystem::path file = path.toStdString();
    std::filesystem::remove(file);
    std::ofstream(file, std::ios::binary).put('\0');
    std::filesystem::resize_file(file, bytes);
}

TEST_F(ReadFailureTest, ATableThatIsNoTableIsNamedOnceAndThePictureStays) {
    const QString directory = writeFabrics(11, [](int step, int) { return 20.0 + step; });
    openDataSet(directory);
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(Form1->PointCount, 66);
    const QImage before = Form1->Panel1->grabFramebuffer();
    const QStringList positions = ItemTexts(Form1->ComboBox2);

    const QString fabrics = QDir(directory).filePath("Fabrics.dat");
    makeSparse(fabrics, 100u << 20);
    ModalAnswerer answerer;
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
    QTest::qWait(100);
    EXPECT_EQ(answerer.texts,
              QStringList{Form1->Label5->text() +
                          " is not a result table: no line end in its first 64 MB."});
    EXPECT_EQ(Form1->PointCount, 66);
    EXPECT_EQ(Form1->FieldPoints.size(), 66u);
    EXPECT_EQ(ItemTexts(Form1->ComboBox2), positions);
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), before) << "the previous picture stays";

    // Redraws nobody asked to read (the 2D window shown over the page and closed, the
    // pointer over the main window) neither read the broken table again nor tell it.
    answerer.texts.clear();
    bool shown = false;
    answerer.onDialog = [&](QWidget* modal) {
        if (modal != Form3 || shown || !Form3->ImageDC->hasContext() || Form1->RedrawPending)
            return;
        shown = true;
        Form3->BitBtn2->click();
    };
    QTest::mouseClick(Form1->BitBtn3, Qt::LeftButton);
    answerer.onDialog = nullptr;
    EXPECT_TRUE(shown);
    Form1->FormMouseMove();
    EXPECT_TRUE(waitForRedraw());
    QTest::qWait(100);
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), before);
    // Show Data asks for it: told again.
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return answerer.texts.size() == 1; }));

    // Open says it too, once, and goes on as for a table of unknown structure.
    answerer.texts.clear();
    Form4->Button1Click();
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
    QTest::qWait(100);
    EXPECT_EQ(answerer.texts.size(), 1);
    EXPECT_TRUE(
        answerer.texts.front().endsWith("is not a result table: no line end in its first 64 MB."));
    EXPECT_EQ(Form1->ComboBox5->count(), 0);
}

// A disk whose every read fails with an I/O error.
long long failingReadSome(std::FILE*, char*, std::size_t, int& error) {
    error = EIO;
    return -1;
}

TEST_F(ReadFailureTest, AnIoErrorAtOpenOrShowDataIsToldOnceWithTheSystemsReason) {
    const QString directory = writeFabrics(11, [](int step, int) { return 20.0 + step; });
    openDataSet(directory);
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    const QImage before = Form1->Panel1->grabFramebuffer();

    const FileSystemCalls failing{nullptr, failingReadSome, nullptr};
    SetFileSystemCallsForTesting(&failing);
    ModalAnswerer answerer;
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
    const QString expected = Form1->Label5->text() + " cannot be read: Input/output error.";
    EXPECT_EQ(answerer.texts, QStringList{expected});
    EXPECT_EQ(Form1->PointCount, 66);
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), before);

    answerer.texts.clear();
    Form4->Button1Click();
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
    QTest::qWait(100);
    SetFileSystemCallsForTesting(nullptr);
    EXPECT_EQ(answerer.texts, QStringList{expected}) << "Open says it once";
    EXPECT_EQ(Form1->ComboBox5->count(), 0) << "the structure is unknown";
}

// Counts every read the readers make; the one numbered `g_failAt` fails as a disk
// would, with an I/O error.
int g_reads = 0;
int g_failAt = 0;
long long countedReadSome(std::FILE* file, char* into, std::size_t size, int& error) {
    if (++g_reads == g_failAt) {
        error = EIO;
        return -1;
    }
    return SystemReadSome(file, into, size, error);
}

TEST_F(ReadFailureTest, AnIoErrorAtEveryReadOfOpenAndItsRedrawIsToldOnceAndNothingIsLost) {
    const QString directory = writeSampleDataSet();
    // Tables written a moment ago are read again at every redraw, tables older than a
    // second only when they change: the count of reads must not change under the test.
    QTest::qWait(1100);
    openDataSet(directory);
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    Form1->BitBtn1Click();
    const QImage shown = Form1->Panel1->grabFramebuffer();
    const QStringList layers = ItemTexts(Form1->ComboBox5);
    const QStringList positions = ItemTexts(Form1->ComboBox2);
    const FileSystemCalls counted{nullptr, countedReadSome, nullptr};
    ModalAnswerer answerer;
    // What Open and Show Data told with the read numbered `failAt` failing (0: none).
    const auto openAndShow = [&](int failAt) {
        answerer.texts.clear();
        g_reads = 0;
        g_failAt = failAt;
        SetFileSystemCallsForTesting(&counted);
        Form4->Button1Click();
        waitForRedraw();
        Form1->RadioGroup1->SetItemIndex(kTemperature);
        Form1->BitBtn1Click();
        QTest::qWait(30);
        SetFileSystemCallsForTesting(nullptr);
        return answerer.texts;
    };

    ASSERT_TRUE(openAndShow(0).isEmpty());
    const int reads = g_reads;
    ASSERT_GE(reads, 2); // the layer count and the table
    for (int failAt = 1; failAt <= reads; ++failAt) {
        const QStringList told = openAndShow(failAt);
        ASSERT_EQ(told.size(), 1) << "read " << failAt << " of " << reads;
        EXPECT_TRUE(told.front().endsWith(" cannot be read: Input/output error."))
            << told.front().toStdString();
        EXPECT_FALSE(told.front().contains("std::"));
        // Whatever failed, the next Open and Show Data give the very same picture.
        EXPECT_TRUE(openAndShow(0).isEmpty());
        EXPECT_EQ(ItemTexts(Form1->ComboBox5), layers) << "read " << failAt;
        EXPECT_EQ(ItemTexts(Form1->ComboBox2), positions) << "read " << failAt;
        EXPECT_EQ(Form1->Panel1->grabFramebuffer(), shown) << "read " << failAt;
    }
}

// An object whose events fail as a handler might.
class FailingHandler : public QObject {
public:
    explicit FailingHandler(bool memory) : m_memory(memory) {}
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        if (m_memory)
            throw std::bad_alloc();
        throw std::length_error("basic_string::_M_create");
    }

private:
    bool m_memory;
};

TEST_F(ReadFailureTest, AFailedHandlerIsToldInOurWordsAndTheProgramGoesOn) {
    ModalAnswerer answerer;
    for (const bool memory : {true, false}) {
        FailingHandler handler(memory);
        QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
        ASSERT_TRUE(waitFor([&] { return answerer.texts.size() == (memory ? 1 : 2); }));
    }
    EXPECT_EQ(answerer.texts,
              (QStringList{"Not enough memory to finish this.",
                           "This could not be finished because of an internal error."}));
    for (const QString& text : answerer.texts)
        EXPECT_FALSE(text.contains("std::") || text.contains("_M_") || text.contains("bad_alloc"));
    EXPECT_TRUE(Form1->isVisible());
}

} // namespace
} // namespace tessaplot::test
