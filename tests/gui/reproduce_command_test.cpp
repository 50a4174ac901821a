// "Copy Command Line": the copied command, run by a shell, exports the very picture the
// window shows, whatever clicks and drags made it.
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "compare/Comparison.h"
#include "compare/DifferenceView.h"
#include "fieldview/ColorBox.h"
#include "fieldview/Colorselection1.h"
#include "gl/GlPanel.h"
#include "readout/ReadingState.h"
#include "section2d/Image2d.h"
#include "support/ContextMenu.h"
#include "support/Forms.h"
#include "support/ModalAnswerer.h"
#include "support/ProgramRun.h"
#include "support/fieldview_fixture.h"

#include "SampleData.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QInputDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace tessaplot::test {
namespace {

class CopyCommandTest : public FieldViewTest {
protected:
    static QString copiedCommand(GlPanel* panel) {
        QApplication::clipboard()->clear();
        WithContextMenu(panel, [](QMenu* menu) { ChooseMenuItem(menu, "Copy Command Line"); });
        QTest::qWait(20);
        return QApplication::clipboard()->text();
    }
    // The copied command run by sh with FIGURE.png replaced; the PNG it wrote.
    QImage exported(const QString& command, const QString& name) {
        const QString file = dataDir.filePath(name + ".png");
        QString arguments = command.mid(QStringLiteral("plotvane").size());
        arguments.replace(" --export FIGURE.png ", " --export \"$1\" ");
        const ProgramRun run = RunProgram(
            {"-c", "exec \"$0\"" + arguments, QStringLiteral(PLOTVANE_PROGRAM), file}, "/bin/sh");
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }
    // The picture the panel shows and the command its menu copies.
    struct Shown {
        QImage picture;
        QString command;
    };
    static Shown capture(GlPanel* panel) {
        EXPECT_TRUE(waitForRedraw());
        return {panel->grabFramebuffer().convertToFormat(QImage::Format_RGB32),
                copiedCommand(panel)};
    }
    // "Show 2D Data" pressed; the 2D window's picture and command, once it is drawn.
    Shown section(QPushButton* show2d) {
        Shown shown;
        answerer.onDialog = [&shown](QWidget* modal) {
            if (modal != Form3 || !Form3->ImageDC->hasContext() || Form1->RedrawPending)
                return;
            shown = capture(Form3->ImageDC);
            Form3->BitBtn2->click();
        };
        QTest::mouseClick(show2d, Qt::LeftButton);
        EXPECT_TRUE(waitFor([&shown] { return !shown.command.isEmpty(); }));
        answerer.onDialog = nullptr;
        return shown;
    }
    static void drag(GlPanel* panel, QPoint from, QPoint to) {
        for (const auto& [type, at, buttons] :
             {std::tuple{QEvent::MouseButtonPress, from, Qt::LeftButton},
              std::tuple{QEvent::MouseMove, to, Qt::LeftButton},
              std::tuple{QEvent::MouseButtonRelease, to, Qt::NoButton}}) {
            QMouseEvent event(type, QPointF(at), panel->mapToGlobal(QPointF(at)),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(panel, &event);
            QCoreApplication::processEvents();
        }
    }
    static void choose(GlPanel* panel, const QString& item) {
        WithContextMenu(panel, [&item](QMenu* menu) { ChooseMenuItem(menu, item); });
        QTest::qWait(20);
    }
    static void chooseItem(RadioGroup* group, const QString& text) {
        for (int i = 0; i < group->Count(); ++i)
            if (group->ItemText(i) == text)
                QTest::mouseClick(group->Button(i), Qt::LeftButton, {}, QPoint(8, 8));
    }
    ModalAnswerer answerer;
};

TEST_F(CopyCommandTest, TheCopiedCommandExportsTheWindowsPicturePixelForPixel) {
    // Names the shell must be careful with: a space, a quote, a non-ASCII letter.
    const QString opened = dataDir.filePath("jacket run's \u00e9");
    const QString other = dataDir.filePath("membrane \"run\"");
    sample::DataSetOptions membrane;
    membrane.membraneShell = true;
    ASSERT_TRUE(sample::WriteDataSet(opened.toStdString(), {}));
    ASSERT_TRUE(sample::WriteDataSet(other.toStdString(), membrane));
    TForm1*& f = Form1;
    const auto showFabric = [&](const QString& variable) {
        chooseItem(f->RadioGroup1, variable);
        QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
        ASSERT_TRUE(waitForRedraw());
    };
    struct Case {
        const char* name;
        std::function<Shown()> clicks;
    };
    const Case cases[] = {
        {"fabric turned by drags and buttons, colours along X",
         [&] {
             f->ComboBox5->setCurrentIndex(1);
             answerer.onDialog = [](QWidget*) {
                 Form2->ColorBox1->setCurrentIndex(Form2->ColorBox1->findText("Navy"));
                 Form2->ColorBox2->setCurrentIndex(Form2->ColorBox2->findText("Yellow"));
                 QTest::mouseClick(Form2->RadioButton2, Qt::LeftButton, {}, QPoint(8, 8));
                 QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
             };
             QTest::mouseClick(f->BitBtn2, Qt::LeftButton);
             answerer.onDialog = nullptr;
             showFabric("Relative Humidity(%)");
             drag(f->Panel1, {200, 200}, {260, 210});
             QTest::mouseClick(f->ToolButton3, Qt::LeftButton);
             drag(f->Panel1, {200, 200}, {190, 140});
             QTest::mouseClick(f->ToolButton7, Qt::LeftButton);
             return capture(f->Panel1);
         }},
        {"fibers enlarged",
         [&] {
             showPage(f->TabSheet2, f->Panel5);
             f->ComboBox6->setCurrentIndex(1);
             f->ComboBox6Change();
             chooseItem(f->RadioGroup2, f->RadioGroup2->ItemText(2));
             QTest::mouseClick(f->BitBtn4, Qt::LeftButton);
             QTest::mouseClick(f->ToolButton13, Qt::LeftButton);
             QTest::mouseClick(f->ToolButton10, Qt::LeftButton);
             return capture(f->Panel5);
         }},
        {"key at a fixed range and a marked time",
         [&] {
             // A value range fixes colours only while the ramp runs along the values.
             answerer.onDialog = [](QWidget*) {
                 QTest::mouseClick(Form2->RadioButton1, Qt::LeftButton, {}, QPoint(8, 8));
                 QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
             };
             QTest::mouseClick(f->BitBtn2, Qt::LeftButton);
             answerer.onDialog = nullptr;
             showFabric("Temperature(degree of C)");
             choose(f->Panel1, "Show Colour Key");
             answerer.onDialog = [](QWidget* modal) {
                 if (auto* dialog = qobject_cast<QInputDialog*>(modal)) {
                     dialog->setDoubleValue(61.3);
                     dialog->accept();
                     return;
                 }
                 for (auto [edit, text] :
                      {std::pair{"ColourRangeMin", "30.5"}, {"ColourRangeMax", "36"}})
                     if (auto* line = modal->findChild<QLineEdit*>(edit)) {
                         line->selectAll();
                         QTest::keyClicks(line, text);
                     }
                 if (auto* upper = modal->findChild<QLineEdit*>("ColourRangeMax"))
                     QTest::keyClick(upper, Qt::Key_Return);
             };
             choose(f->Panel1, "Fix Colour Range…");
             WithContextMenu(
                 f->Panel1, [](QMenu* m) { ChooseMenuItem(m, "Mark This Time…"); }, QPoint(2, 2));
             QTest::qWait(20);
             answerer.onDialog = nullptr;
             EXPECT_TRUE(waitForRedraw());
             return capture(f->Panel1);
         }},
        {"two runs and a difference",
         [&] {
             EXPECT_FALSE(f->comparison->add(other.toStdString()));
             showFabric("Temperature(degree of C)");
             WithContextMenu(f->Panel1, [](QMenu* menu) {
                 auto* from = menu->findChild<QMenu*>("DifferenceFromMenu");
                 menu->setActiveAction(from->menuAction());
                 QTest::keyClick(menu, Qt::Key_Right);
                 ChooseMenuItem(from, "membrane \"run\"");
             });
             QTest::qWait(20);
             EXPECT_TRUE(waitForRedraw());
             return capture(f->Panel1);
         }},
        {"body property of two runs",
         [&] {
             EXPECT_FALSE(f->comparison->add(other.toStdString()));
             showPage(f->TabSheet3, f->Panel8);
             chooseItem(f->RadioGroup3, "skin wetness");
             QTest::mouseClick(f->BitBtn7, Qt::LeftButton);
             return capture(f->Panel8);
         }},
        {"measured points, phases, a threshold and a tolerance on skin temperature",
         [&] {
             const QString trial = dataDir.filePath("trial 1.csv");
             EXPECT_TRUE(sample::WriteTextFile(trial.toStdString(), sample::MeasuredDataTable({}),
                                               nullptr));
             Evidence& evidence = f->comparison->evidence;
             EXPECT_FALSE(evidence.addMeasured(trial.toStdString()));
             EXPECT_FALSE(evidence.setPhases("Rest:0-30,Walk:30-120.5"));
             EXPECT_FALSE(evidence.setThresholds({"temperature of skin>=34.25"}));
             EXPECT_FALSE(evidence.setTolerances({"temperature of skin=1"}));
             showPage(f->TabSheet3, f->Panel8);
             chooseItem(f->RadioGroup3, "temperature of skin(degree of C)");
             QTest::mouseClick(f->BitBtn7, Qt::LeftButton);
             return capture(f->Panel8);
         }},
        {"a time section of two runs",
         [&] {
             EXPECT_FALSE(f->comparison->add(other.toStdString()));
             showFabric("Temperature(degree of C)");
             QTest::mouseClick(f->RadioButton1, Qt::LeftButton, {}, QPoint(8, 8));
             TypeOver(f->ComboBox1, "61.5");
             return section(f->BitBtn3);
         }},
        {"a position section of the fibre file",
         [&] {
             showPage(f->TabSheet2, f->Panel5);
             chooseItem(f->RadioGroup2, f->RadioGroup2->ItemText(1));
             QTest::mouseClick(f->BitBtn4, Qt::LeftButton);
             QTest::mouseClick(f->RadioButton4, Qt::LeftButton, {}, QPoint(8, 8));
             f->ComboBox4->setCurrentIndex(2);
             return section(f->BitBtn6);
         }},
        {"comfort",
         [&] {
             showComfort();
             return capture(f->Panel16);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openDataSet(opened);
        const auto [shown, command] = c.clicks();
        EXPECT_TRUE(command.startsWith("plotvane --export FIGURE.png ")) << command.toStdString();
        const QImage made = exported(command, QString::number(&c - cases));
        if (made != shown) {
            shown.save(dataDir.filePath("shown.png"));
            dataDir.setAutoRemove(false);
            ADD_FAILURE() << command.toStdString() << "\n differs; see "
                          << dataDir.path().toStdString();
        }
        // The README's example: the first state, its command and what the command made.
        if (const QString shots = qEnvironmentVariable("TESSAPLOT_PICTURE_DIR");
            !shots.isEmpty() && &c == cases) {
            shown.save(QDir(shots).filePath("command-line-window.png"));
            made.save(QDir(shots).filePath("command-line-export.png"));
        }
        EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join('|').toStdString();
        // The next state starts from a fresh opening, the difference given up before its
        // run goes (which would rightly be told).
        ChooseDifferenceFrom(*f, 0);
        while (f->comparison->size() > 0)
            f->comparison->remove(0);
        Evidence& evidence = f->comparison->evidence;
        while (!evidence.measured().empty())
            evidence.removeMeasured(0);
        evidence.setPhases("");
        evidence.setThresholds({});
        evidence.setTolerances({});
        f->readingState->colourKeyShown = false;
        f->readingState->fixedRange.reset();
        f->readingState->markedTime.reset();
        showPage(f->TabSheet1, f->Panel1);
    }
}

} // namespace
} // namespace tessaplot::test
