// The data directory chooser: listing, Open and its refusal, and the first load.
#include "app/PathStrings.h"
#include "app/RadioGroup.h"
#include "app/Widgets.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "support/Forms.h"
#include "support/ModalAnswerer.h"

#include "SampleData.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tessaplot::test {
namespace {

class ChooserTest : public FormsTest {
protected:
    void TearDown() override {
        // Qt does not see a name that is no UTF-8, so QTemporaryDir would leave it behind.
        std::error_code ignored;
        std::filesystem::remove_all(PathBytes(dataRoot.path()), ignored);
        FormsTest::TearDown();
    }
    QString makeDir(const QString& name) {
        const QString path = QDir(dataRoot.path()).filePath(name);
        QDir().mkpath(path);
        return path;
    }
    static void touch(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("0\t0\t1\n");
    }
    static QStringList listed() {
        QStringList names;
        for (int i = 0; i < Form4->ListBox1->count(); ++i)
            names << Form4->ListBox1->item(i)->text();
        return names;
    }
    static bool tabVisible(QWidget* page) {
        return Form1->PageControl1->isTabVisible(Form1->PageControl1->indexOf(page));
    }
    QTemporaryDir dataRoot;
};

TEST_F(ChooserTest, ListsFixedNamesInOrderWhateverTheirCaseThenFibreFiles) {
    const QString dir = makeDir("run");
    for (const char* name :
         {"fabric2_fiber_1.dat", "LOGINFO.TXT", "comfort.dat", "fabrics.DAT", "bodyproperty.DAT",
          "fabric1_fiber_2.dat", "fabric1_fiber_1.dat", "fabric10_fiber_1.dat", "notes.txt"})
        touch(QDir(dir).filePath(name));
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(dir));
    EXPECT_EQ(listed(),
              QStringList({"Fabrics.dat", "Bodyproperty.dat", "Comfort.dat", "Loginfo.txt",
                           "fabric1_fiber_1.dat", "fabric1_fiber_2.dat", "fabric2_fiber_1.dat"}));
    EXPECT_TRUE(Form4->HasFabrics);
    EXPECT_TRUE(Form4->HasBodyProperty);
    EXPECT_TRUE(Form4->HasFibers);
    EXPECT_EQ(Form4->FiberFileCount, 3);
    EXPECT_EQ(Form4->Edit3->text(), QDir::separator() + QString("fabric?_fiber_?.dat"));
    // Browsing alone replaces the main window's fibre list and chosen file.
    EXPECT_EQ(ItemTexts(Form1->ComboBox6).size(), 3);
    EXPECT_EQ(Form1->ComboBox6->currentText(), "");
    EXPECT_EQ(Form1->Label7->text(), "fabric1_fiber_1.dat");
}

TEST_F(ChooserTest, OpenWithoutFabricsIsRefusedAndResetsTheMainWindow) {
    const QString dir = makeDir("no-fabrics");
    touch(QDir(dir).filePath("Comfort.dat"));
    touch(QDir(dir).filePath("fabric1_fiber_1.dat"));
    Form1->File1->trigger();
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(dir));
    Form1->SetActivePage(Form1->TabSheet3);
    Form1->RadioGroup1->SetItemIndex(2);

    ModalAnswerer answerer;
    Form4->Button1Click();
    EXPECT_EQ(answerer.texts, QStringList({"Lack Of Data Files!"}));
    EXPECT_EQ(answerer.titles, QStringList({"Plotvane"}));
    EXPECT_TRUE(Form4->isVisible());
    EXPECT_FALSE(Form4->DataSetOpen);
    EXPECT_EQ(Form1->Label2->text(), "None");
    EXPECT_EQ(Form1->ActivePage(), Form1->TabSheet1);
    EXPECT_EQ(Form1->RadioGroup1->ItemIndex(), -1);
    EXPECT_EQ(Form1->Label5->text(),
              QDir::toNativeSeparators(dir) + QDir::separator() + "Fabrics.dat");
}

TEST_F(ChooserTest, OpenFillsListsLabelsStatusBarsAndTabs) {
    const QString dir = makeDir("jacket");
    sample::DataSetOptions options;
    options.timeSteps = 10;
    ASSERT_TRUE(sample::WriteDataSet(dir.toStdString(), options));
    Form1->File1->trigger();
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(dir));
    Form1->RadioGroup4->SetItemIndex(1);

    for (int round = 0; round < 2; ++round) { // twice: rebuilt, not doubled
        Form4->Button1Click();
        EXPECT_FALSE(Form4->isVisible());
        EXPECT_TRUE(Form4->DataSetOpen);
        EXPECT_EQ(Form1->LayerCount, 3);
        EXPECT_EQ(Form1->LayerLines, 6);
        EXPECT_EQ(
            ItemTexts(Form1->ComboBox5),
            QStringList({"The 1th layer Fabric", "The 2th layer Fabric", "The 3th layer Fabric"}));
        EXPECT_EQ(Form1->ComboBox5->currentIndex(), 0);
        EXPECT_EQ(ItemTexts(Form1->ComboBox6).size(), 3);
        EXPECT_EQ(Form1->ComboBox6->currentText(), "fabric1_fiber_1.dat");
        EXPECT_EQ(Form1->Label7->text(), "fabric1_fiber_1.dat");
        const QString native = QDir::toNativeSeparators(dir);
        const QString directoryText = "Current Directory:" + native;
        EXPECT_EQ(StatusPanel(Form1->StatusBar1, 4)->text(), directoryText);
        EXPECT_EQ(StatusPanel(Form1->StatusBar2, 3)->text(), directoryText);
        EXPECT_EQ(StatusPanel(Form1->StatusBar3, 2)->text(), directoryText);
        EXPECT_EQ(Form1->Label2->text(), Form4->Label1->text() + QDir::separator() + "Fabrics.dat");
        EXPECT_EQ(Form1->Label11->text(),
                  Form4->Label1->text() + QDir::separator() + "BodyProperty.dat");
        EXPECT_EQ(Form1->Label5->text(), native + QDir::separator() + "Fabrics.dat");
        EXPECT_EQ(Form1->Label14->text(), native + QDir::separator() + "Comfort.dat");
        EXPECT_TRUE(tabVisible(Form1->TabSheet2));
        EXPECT_TRUE(tabVisible(Form1->TabSheet3));
        EXPECT_EQ(Form1->RadioGroup4->ItemIndex(), -1);
        EXPECT_EQ(Form1->ActivePage(), Form1->TabSheet1);
        EXPECT_TRUE(Form1->RedrawPending);
    }
}

TEST_F(ChooserTest, OpenHidesTabsOfMissingTablesAndTabChangesStillGoByPage) {
    const QString dir = makeDir("only-fabrics");
    sample::DataSetOptions options;
    options.timeSteps = 4;
    options.fiberFiles = 0;
    ASSERT_TRUE(
        sample::WriteTextFile((dir + "/Fabrics.dat").toStdString(), sample::FabricsTable(options)));
    ASSERT_TRUE(sample::WriteTextFile((dir + "/Bodyproperty.dat").toStdString(),
                                      sample::BodyPropertyTable(options)));
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(dir));
    Form4->Button1Click();
    EXPECT_FALSE(tabVisible(Form1->TabSheet2));
    EXPECT_TRUE(tabVisible(Form1->TabSheet3));
    EXPECT_EQ(Form1->ComboBox6->count(), 0);

    // BodyProperty is now the second visible tab; it is still told apart by page, and
    // its path uses the name as it is on disk.
    QTabBar* tabs = Form1->PageControl1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {},
                      tabs->tabRect(Form1->PageControl1->indexOf(Form1->TabSheet3)).center());
    EXPECT_EQ(Form1->ActivePage(), Form1->TabSheet3);
    EXPECT_EQ(Form1->ViewDC, Form1->Panel8);
    EXPECT_EQ(Form1->Label5->text(),
              QDir::toNativeSeparators(dir) + QDir::separator() + "Bodyproperty.dat");

    // Loading there reads the body table: every line, no positions.
    Form1->RadioGroup3->SetItemIndex(0);
    Form1->DataColumn = 1;
    Form1->LoadAndDrawField();
    EXPECT_EQ(Form1->PointCount, 4);
    EXPECT_EQ(Form1->PositionsPerStep, 0);
    EXPECT_EQ(Form1->ComboBox2->count(), 0);
    EXPECT_EQ(Form1->ComboBox4->count(), 0);
}

TEST_F(ChooserTest, FabricLoadTakesTheChosenLayerAndFillsBothPositionLists) {
    const QString dir = makeDir("layers");
    sample::DataSetOptions options;
    options.timeSteps = 5;
    ASSERT_TRUE(sample::WriteDataSet(dir.toStdString(), options));
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(dir));
    Form4->Button1Click();
    Form1->ComboBox5->setCurrentIndex(1);
    Form1->DataColumn = 8;
    Form1->LoadAndDrawField();
    EXPECT_EQ(Form1->PointCount, 30);
    EXPECT_EQ(Form1->PositionsPerStep, 6);
    ASSERT_EQ(Form1->ComboBox2->count(), 6);
    EXPECT_EQ(ItemTexts(Form1->ComboBox2), ItemTexts(Form1->ComboBox4));
    EXPECT_EQ(Form1->ComboBox2->currentIndex(), 0);
    // The second layer lies behind the first through the thickness.
    EXPECT_GT(Form1->FieldPoints[0].Position, 0.0f);
    EXPECT_LT(Form1->TimeMin, Form1->TimeMax);
}

TEST_F(ChooserTest, MissingDataFileLoadsNothingAndKeepsRunning) {
    Form1->Label5->setText(QDir(workDir.path()).filePath("gone.dat"));
    Form1->DataColumn = 3;
    Form1->LoadAndDrawField();
    EXPECT_EQ(Form1->PointCount, 0);
    EXPECT_EQ(Form1->ComboBox2->count(), 0);
}

TEST_F(ChooserTest, LongDirectoryIsShortenedInTheChooserAndTheBodyPropertyLabel) {
    QString dir = dataRoot.path();
    for (int i = 0; i < 12; ++i)
        dir += QStringLiteral("/level-%1").arg(i);
    QDir().mkpath(dir);
    ASSERT_TRUE(sample::WriteDataSet(dir.toStdString(), sample::DataSetOptions{}));
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(dir));
    const QString shown = Form4->Label1->text();
    EXPECT_TRUE(shown.contains("..."));
    EXPECT_TRUE(shown.endsWith(QDir::separator() + QString("level-11")));
    EXPECT_LE(QFontMetrics(Form4->Label1->font()).horizontalAdvance(shown), 289);
    Form4->Button1Click();
    EXPECT_EQ(Form1->Label11->text(), shown + QDir::separator() + "BodyProperty.dat");
}

TEST_F(ChooserTest, DirectoryListShowsAncestorsThenSubdirectoriesAndDoubleClickEnters) {
    const QString dir = makeDir("outer");
    makeDir("outer/inner-b");
    makeDir("outer/inner-a");
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(dir));
    DirectoryListBox* list = Form4->DirectoryListBox1;
    ASSERT_GE(list->count(), 3);
    EXPECT_EQ(list->item(list->count() - 2)->text().trimmed(), "inner-a");
    EXPECT_EQ(list->item(list->count() - 1)->text().trimmed(), "inner-b");
    emit list->itemDoubleClicked(list->item(list->count() - 1));
    EXPECT_EQ(QDir::cleanPath(list->Directory()), QDir::cleanPath(dir + "/inner-b"));
    EXPECT_FALSE(list->SetDirectory(dir + "/does-not-exist"));
    EXPECT_EQ(QDir::cleanPath(list->Directory()), QDir::cleanPath(dir + "/inner-b"));
}

QListWidgetItem* itemNamed(DirectoryListBox* list, const QString& name) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == name)
            return list->item(i);
    return nullptr;
}

TEST_F(ChooserTest, OddNamesAreListedEnteredAndOpened) {
    const QString dir = makeDir("odd");
    const QString withNewline = QStringLiteral("two\nlines");
    const QString longest(255, QLatin1Char('x')); // the longest name a directory can have
    for (const QString& name : {withNewline, longest}) {
        makeDir("odd/" + name);
        touch(QDir(dir).filePath(name + "/Fabrics.dat"));
    }
    for (const QString& name : {withNewline, longest}) {
        ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(dir));
        QListWidgetItem* item = itemNamed(Form4->DirectoryListBox1, name);
        ASSERT_NE(item, nullptr) << name.size();
        emit Form4->DirectoryListBox1->itemDoubleClicked(item);
        EXPECT_EQ(QDir(Form4->DirectoryListBox1->Directory()).dirName(), name);
        EXPECT_EQ(listed(), QStringList{"Fabrics.dat"});
        ModalAnswerer answerer;
        Form4->Button1Click();
        QTest::qWait(50);
        EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join("|").toStdString();
        EXPECT_TRUE(Form1->Label5->text().endsWith(name + "/Fabrics.dat"));
    }
}

TEST_F(ChooserTest, LinkLoopsAndAHundredThousandEntriesAreListedWithoutHanging) {
    const QString dir = makeDir("many");
    touch(QDir(dir).filePath("Fabrics.dat"));
    for (int i = 0; i < 100000; ++i)
        std::ofstream((dir + QStringLiteral("/entry%1.txt").arg(i)).toStdString());
    makeDir("many/sub");
    ASSERT_TRUE(QFile::link(dir, QDir(dir).filePath("self")));  // a link to itself
    ASSERT_TRUE(QFile::link(dir + "/loop-b", dir + "/loop-a")); // a loop of two links
    ASSERT_TRUE(QFile::link(dir + "/loop-a", dir + "/loop-b"));

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(dir));
    std::printf("100,000 entries listed in %lld ms\n", static_cast<long long>(clock.elapsed()));
    EXPECT_EQ(listed(), QStringList{"Fabrics.dat"});
    DirectoryListBox* list = Form4->DirectoryListBox1;
    EXPECT_NE(itemNamed(list, "sub"), nullptr);
    EXPECT_EQ(itemNamed(list, "loop-a"), nullptr) << "a link loop is no directory";
    // The link to itself is a directory: entering it again and again stays possible.
    for (int depth = 0; depth < 3; ++depth) {
        QListWidgetItem* self = itemNamed(list, "self");
        ASSERT_NE(self, nullptr);
        emit list->itemDoubleClicked(self);
    }
    EXPECT_EQ(QDir(list->Directory()).canonicalPath(), QDir(dir).canonicalPath());
    EXPECT_EQ(listed(), QStringList{"Fabrics.dat"});
}

#ifndef _WIN32
TEST_F(ChooserTest, DirectoryNamedInBytesThatAreNoUtf8IsListedEnteredAndOpened) {
    // "café" as an older tool wrote it, in Latin-1: the single byte E9, no UTF-8.
    const std::string parent = PathBytes(makeDir("latin1"));
    const std::string bytes = parent + "/caf\xE9";
    ASSERT_EQ(::mkdir(bytes.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((bytes + "/inner").c_str(), 0755), 0);
    sample::DataSetOptions options;
    options.timeSteps = 5;
    options.comfortLines = 20;
    ASSERT_TRUE(sample::WriteTextFile(bytes + "/Fabrics.dat", sample::FabricsTable(options)));
    ASSERT_TRUE(sample::WriteTextFile(bytes + "/Comfort.dat", sample::ComfortTable(options)));
    const QString shown = QStringLiteral("caf") + QChar(0xFFFD);

    DirectoryListBox* list = Form4->DirectoryListBox1;
    ASSERT_TRUE(list->SetDirectory(PathFromBytes(parent)));
    QListWidgetItem* item = itemNamed(list, shown);
    ASSERT_NE(item, nullptr);
    emit list->itemDoubleClicked(item);
    EXPECT_EQ(PathBytes(list->Directory()), bytes);
    EXPECT_EQ(listed(), QStringList({"Fabrics.dat", "Comfort.dat"}));
    EXPECT_TRUE(Form4->Label1->text().endsWith(QDir::separator() + shown));

    // One level deeper the chain of ancestors still holds it, and leads back to it.
    ASSERT_NE(itemNamed(list, "inner"), nullptr);
    emit list->itemDoubleClicked(itemNamed(list, "inner"));
    EXPECT_EQ(PathBytes(list->Directory()), bytes + "/inner");
    EXPECT_NE(itemNamed(list, "latin1"), nullptr);
    ASSERT_NE(itemNamed(list, shown), nullptr);
    emit list->itemDoubleClicked(itemNamed(list, shown));
    EXPECT_EQ(PathBytes(list->Directory()), bytes);

    ModalAnswerer answerer;
    Form4->Button1Click();
    QTest::qWait(50);
    EXPECT_TRUE(Form4->DataSetOpen);
    EXPECT_EQ(Form1->LayerCount, 3);
    EXPECT_EQ(PathBytes(Form1->Label5->text()), bytes + "/Fabrics.dat");
    EXPECT_EQ(PathBytes(Form1->Label14->text()), bytes + "/Comfort.dat");
    EXPECT_EQ(StatusPanel(Form1->StatusBar1, 4)->text(),
              "Current Directory:" + QDir::toNativeSeparators(PathFromBytes(parent)) +
                  QDir::separator() + shown);

    // Both kinds of table read from there: a field and the comfort records.
    Form1->ComboBox5->setCurrentIndex(1);
    Form1->DataColumn = 8;
    Form1->LoadAndDrawField();
    EXPECT_EQ(Form1->PointCount, 30);
    Form1->SetActivePage(Form1->TabSheet4);
    Form1->RadioGroup4->Button(0)->click();
    EXPECT_TRUE(waitFor([] { return Form1->ComfortCount > 0; }));
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join("|").toStdString();
}
#endif

} // namespace
} // namespace tessaplot::test
