// The Compare Runs window: choosing runs, and each run's conclusions side by side.
#include "SampleData.h"
#include "app/RadioGroup.h"
#include "cli/CommandLine.h"
#include "cli/CommandLineRun.h"
#include "comfort/ComfortReader.h"
#include "comfort/Conclusions.h"
#include "compare/CompareMenu.h"
#include "compare/CompareRunsWindow.h"
#include "compare/Comparison.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/FieldLoader.h"
#include "dataset/Unit4.h"
#include "export/CsvTable.h"
#include "support/ContextMenu.h"
#include "support/Forms.h"
#include "support/ModalAnswerer.h"
#include "text/GeneralForm.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace tessaplot::test {
namespace {

namespace fs = std::filesystem;

class CompareRunsWindowTest : public FormsTest {
protected:
    fs::path makeRun(const std::string& name, int comfortLines, std::uint64_t seed) {
        const fs::path dir = fs::path(workDir.path().toStdString()) / name;
        sample::DataSetOptions options;
        options.comfortLines = comfortLines;
        options.timeSteps = 30;
        options.seed = seed;
        options.ambientCelsius = 5.0 + static_cast<double>(seed);
        std::string error;
        EXPECT_TRUE(sample::WriteDataSet(dir, options, &error)) << error;
        return dir;
    }
    void open(const fs::path& dir) {
        Form4->DirectoryListBox1->SetDirectory(QString::fromStdString(dir.string()));
        Form4->Button1Click();
    }
    // Presses Add… and chooses `dir` in its dialog, as a user types the path.
    static void addThroughDialog(CompareRunsWindow* window, ModalAnswerer& answerer,
                                 const fs::path& dir) {
        int dialogs = 0;
        answerer.onDialog = [&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->objectName(), "CompareAddDialog");
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
            ++dialogs;
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QString::fromStdString(dir.string()));
            static_cast<QDialog*>(dialog)->accept();
        };
        QTest::mouseClick(window->AddButton, Qt::LeftButton);
        answerer.onDialog = nullptr;
        EXPECT_EQ(dialogs, 1);
    }
    static std::string cell(CompareRunsWindow* window, std::size_t row, std::size_t column) {
        const TextTable& table = window->shownTable();
        if (row >= table.size() || column >= table[row].size())
            return "<none>";
        const std::string& text = table[row][column];
        return text.substr(0, text.find("  ("));
    }
};

// The conclusions the BodyComfort page shows for `dir`'s Comfort.dat, read alone.
ConclusionCaptions singleRunConclusions(const fs::path& dir, ComfortQuantity quantity) {
    std::vector<ComfortRecord> records;
    LineWindow window;
    const ComfortReadResult read = ReadComfortFile((dir / "Comfort.dat").string(), records, window);
    records.resize(static_cast<std::size_t>(read.count));
    return ConclusionTexts(records, quantity);
}

TEST_F(CompareRunsWindowTest, TheTableIsEachRunsOwnConclusionsAndFollowsItsFiles) {
    const fs::path a = makeRun("jacket", 300, 1), b = makeRun("membrane", 180, 2),
                   c = makeRun("wool", 420, 3);
    open(a);
    ModalAnswerer answerer;
    // The menu item, clicked on the menu bar.
    QAction* compare = Form1->menuBar()->findChild<QAction*>(QStringLiteral("Compare1"));
    ASSERT_NE(compare, nullptr);
    QTest::mouseClick(Form1->menuBar(), Qt::LeftButton, {},
                      Form1->menuBar()->actionGeometry(compare).center());
    CompareRunsWindow* window = CompareRunsWindowOf(*Form1, false);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitFor([&] { return window->isVisible(); }));
    addThroughDialog(window, answerer, b);
    addThroughDialog(window, answerer, c);
    ASSERT_EQ(window->RunList->count(), 3);
    EXPECT_EQ(window->RunList->item(0)->text(), "jacket");
    EXPECT_EQ(window->RunList->item(2)->text(), "wool");

    Form1->RadioGroup4->SetItemIndex(0);
    Form1->RadioGroup3->SetItemIndex(1);
    const auto columnsShown = [&] {
        const TextTable& table = window->shownTable();
        return table.size() == 15 && table[0].size() == 4 && table[9][1] != "";
    };
    ASSERT_TRUE(waitFor(columnsShown));
    const std::vector<fs::path> runs = {a, b, c};
    for (std::size_t r = 0; r < runs.size(); ++r) {
        SCOPED_TRACE(r);
        const ConclusionCaptions single =
            singleRunConclusions(runs[r], ComfortQuantity::ThermalSensation);
        for (int label = 15; label <= 17; ++label)
            EXPECT_EQ(cell(window, static_cast<std::size_t>(label - 13), r + 1),
                      single[ConclusionIndex(label)]);
        for (std::size_t band = 0; band < 5; ++band)
            EXPECT_EQ(window->shownTable()[5 + band][0] + "    " + cell(window, 5 + band, r + 1),
                      single[ConclusionIndex(18) + band]);
        // The body quantity's lowest, as read by the page's own reader.
        std::vector<FieldPoint> points;
        FieldLoadRequest request;
        request.dataColumn = 2;
        ASSERT_TRUE(LoadField((runs[r] / "BodyProperty.dat").string(), request, points).opened);
        const float lowest = std::min_element(points.begin(), points.end(), [](auto& p, auto& q) {
                                 return p.Value < q.Value;
                             })->Value;
        EXPECT_EQ(cell(window, 11, r + 1), ShortestDecimalForm(lowest));
    }
    EXPECT_EQ(window->Table->columnCount(), 4);
    window->grab().save(QStringLiteral("/tmp/compare-window.png"));

    // Exported from the table's menu: the table as shown.
    answerer.onDialog = [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(workDir.filePath("table.csv"));
        static_cast<QDialog*>(dialog)->accept();
    };
    WithContextMenu(window->Table->viewport(),
                    [](QMenu* menu) { ChooseMenuItem(menu, "Export Data As CSV"); });
    answerer.onDialog = nullptr;
    QFile csv(workDir.filePath("table.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().toStdString(), CsvText(window->shownTable()));
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join('|').toStdString();

    // B's Comfort.dat rewritten: its column shows the new file, removed: why, and no figure.
    const std::string before = cell(window, 2, 2);
    {
        std::ofstream out(b / "Comfort.dat", std::ios::binary | std::ios::trunc);
        out << "7.25\t1\t2\t3\t4\t5\t6\t50\t50\t50\n";
    }
    ASSERT_TRUE(waitFor([&] { return cell(window, 2, 2) == "7.25 min."; })) << before;
    EXPECT_EQ(cell(window, 7, 2), "100%");
    fs::remove(b / "Comfort.dat");
    ASSERT_TRUE(waitFor([&] {
        return cell(window, 2, 2).find("Comfort.dat") != std::string::npos;
    })) << cell(window, 2, 2);
    for (std::size_t row = 3; row < 10; ++row)
        EXPECT_EQ(window->shownTable()[row][2], "") << row;
    EXPECT_EQ(cell(window, 2, 3), singleRunConclusions(c, ComfortQuantity::ThermalSensation)[0]);
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join('|').toStdString();

    // Nothing changed: the ticks look, they do not build the table again (once the files
    // are old enough for their identity to vouch for them).
    QTest::qWait(1200);
    const std::uint64_t builds = window->tableBuilds();
    QTest::qWait(700);
    EXPECT_EQ(window->tableBuilds(), builds);
}

TEST_F(CompareRunsWindowTest, RefusalsAreToldOnceAndChangeNothing) {
    const fs::path a = makeRun("a", 20, 1), b = makeRun("b", 20, 2);
    const fs::path empty = fs::path(workDir.path().toStdString()) / "no-fabrics";
    fs::create_directories(empty);
    ModalAnswerer answerer;
    ShowCompareRunsWindow(*Form1);
    CompareRunsWindow* window = CompareRunsWindowOf(*Form1, false);
    // Before any Open: the opened run says so, and Add… works.
    EXPECT_EQ(window->RunList->item(0)->text(), "(no run opened)");
    addThroughDialog(window, answerer, b);
    open(a);
    Comparison& comparison = *Form1->comparison;
    ASSERT_EQ(comparison.size(), 1u);
    EXPECT_EQ(window->RunList->item(0)->text(), "a");

    // Remove: never the opened run, never with nothing chosen.
    EXPECT_FALSE(window->RemoveButton->isEnabled());
    window->RunList->setCurrentRow(0);
    EXPECT_FALSE(window->RemoveButton->isEnabled());
    // Enter in the list presses no button.
    int dialogsOnEnter = 0;
    answerer.onDialog = [&](QWidget* modal) {
        ++dialogsOnEnter;
        modal->close();
    };
    window->RunList->setFocus();
    QTest::keyClick(window->RunList, Qt::Key_Return);
    QTest::qWait(50);
    answerer.onDialog = nullptr;
    EXPECT_EQ(dialogsOnEnter, 0);

    for (const fs::path& refused : {empty, b, a}) {
        SCOPED_TRACE(refused.string());
        answerer.texts.clear();
        addThroughDialog(window, answerer, refused);
        ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
        QTest::qWait(50);
        EXPECT_EQ(answerer.texts.size(), 1);
        EXPECT_EQ(comparison.size(), 1u);
        EXPECT_EQ(window->RunList->count(), 2);
    }
    EXPECT_EQ(answerer.texts.front(), "This is the opened run.");

    // Up to eight runs: Add… is disabled at the limit, and a ninth is refused once.
    for (int k = 0; k < 6; ++k)
        ASSERT_FALSE(comparison.add(makeRun("r" + std::to_string(k), 10, 4).string()));
    EXPECT_EQ(window->RunList->count(), 8);
    EXPECT_FALSE(window->AddButton->isEnabled());
    answerer.texts.clear();
    const fs::path ninth = makeRun("ninth", 10, 5);
    int dialogs = 0;
    answerer.onDialog = [&](QWidget* modal) {
        ++dialogs;
        modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QString::fromStdString(ninth.string()));
        static_cast<QDialog*>(modal)->accept();
    };
    window->addRun();
    answerer.onDialog = nullptr;
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
    EXPECT_EQ(answerer.texts, QStringList{"At most 8 runs can be compared."});
    EXPECT_EQ(comparison.size(), 7u);

    window->RunList->setCurrentRow(7);
    ASSERT_TRUE(window->RemoveButton->isEnabled());
    QTest::mouseClick(window->RemoveButton, Qt::LeftButton);
    EXPECT_EQ(comparison.size(), 6u);
    EXPECT_EQ(window->RunList->count(), 7);
    EXPECT_TRUE(window->AddButton->isEnabled());
    EXPECT_EQ(dialogs, 1);
}

TEST_F(CompareRunsWindowTest, StartingWithComparedRunsShowsThemBesideTheMainWindow) {
    const fs::path a = makeRun("a", 20, 1), b = makeRun("b", 20, 2);
    ModalAnswerer answerer;
    Form1->move(Form1->screen()->availableGeometry().topLeft());
    ASSERT_EQ(StartWindow(ParseCommandLine({"plotvane", QString::fromStdString(a.string()),
                                            "--compare", QString::fromStdString(b.string())})),
              0);
    CompareRunsWindow* window = CompareRunsWindowOf(*Form1, false);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitFor([&] { return window->isVisible() && Form4->DataSetOpen; }));
    ASSERT_EQ(window->RunList->count(), 2);
    EXPECT_EQ(window->RunList->item(1)->text(), "b");
    // Something compared from the first start: the first sensation of both runs, and
    // the table of runs holding its conclusions.
    EXPECT_EQ(Form1->ActivePage(), Form1->TabSheet4);
    EXPECT_EQ(Form1->RadioGroup4->ItemIndex(), 0);
    ASSERT_TRUE(
        waitFor([&] { return cell(window, 2, 2) != "<none>" && cell(window, 2, 2) != ""; }));
    // Beside it where the screen has room, and never over its conclusions.
    const QRect conclusions(Form1->GroupBox6->mapToGlobal(QPoint(0, 0)), Form1->GroupBox6->size());
    EXPECT_FALSE(window->frameGeometry().intersects(conclusions));
    EXPECT_FALSE(window->frameGeometry().intersects(Form1->frameGeometry()))
        << "a screen of " << Form1->screen()->availableGeometry().width() << " has room below";
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join('|').toStdString();
}

} // namespace
} // namespace tessaplot::test
