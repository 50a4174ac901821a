// The colour key beside the Fabric and Fibers meshes and a colour range the user fixes:
// the drawn key against the ramp, the range across layers, the key in a vector export
// and from the command line, and the pictures unchanged while nothing is asked for.
#include "app/RadioGroup.h"
#include "cli/CommandLine.h"
#include "export/ExportTargets.h"
#include "export/PictureExport.h"
#include "fieldview/Colorselection1.h"
#include "fieldview/FieldViewState.h"
#include "fieldview/FrameGeometry.h"
#include "gl/GlPanel.h"
#include "readout/ColourKeyDrawing.h"
#include "support/ContextMenu.h"
#include "support/ModalAnswerer.h"
#include "support/ProgramRun.h"
#include "support/fieldview_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace tessaplot::test {
namespace {

constexpr int kTemperature = 5;

class ColourKeyTest : public FieldViewTest {
protected:
    void showFabric(int layer, int item = kTemperature) {
        Form1->ComboBox5->setCurrentIndex(layer - 1);
        Form1->RadioGroup1->SetItemIndex(item);
        QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
        ASSERT_GT(Form1->PointCount, 0);
        ASSERT_TRUE(waitForRedraw());
    }
    static QStringList withMenu(GlPanel* panel, const std::function<void(QMenu*)>& inMenu) {
        return WithContextMenu(panel, inMenu);
    }
    static void choose(GlPanel* panel, const QString& text) {
        WithContextMenu(panel, [&text](QMenu* menu) { ChooseMenuItem(menu, text); });
        QTest::qWait(20);
    }
    // "Fix Colour Range…" with each pair typed in turn and OK pressed; what the dialog
    // offered first and what it said to each refused pair.
    struct RangeDialog {
        QString offeredMin, offeredMax;
        QStringList problems;
    };
    RangeDialog fixRange(const QList<QPair<QString, QString>>& typed) {
        RangeDialog seen;
        int next = 0;
        ModalAnswerer answerer;
        answerer.onDialog = [&](QWidget* modal) {
            auto* lower = modal->findChild<QLineEdit*>("ColourRangeMin");
            auto* upper = modal->findChild<QLineEdit*>("ColourRangeMax");
            auto* problem = modal->findChild<QLabel*>("ColourRangeProblem");
            if (lower == nullptr || upper == nullptr || next >= typed.size())
                return;
            if (next == 0) {
                seen.offeredMin = lower->text();
                seen.offeredMax = upper->text();
            } else {
                seen.problems << (problem->isVisible() ? problem->text() : QString());
            }
            for (auto [edit, text] :
                 {std::pair{lower, typed[next].first}, std::pair{upper, typed[next].second}}) {
                edit->selectAll();
                QTest::keyClicks(edit, text);
            }
            ++next;
            QTest::keyClick(upper, Qt::Key_Return);
        };
        choose(Form1->Panel1, QStringLiteral("Fix Colour Range…"));
        return seen;
    }
    static ColourKeyAxis shownAxis() {
        return ColourKeyAxisOf(*Form1, *Form1->fieldViewState->shownField);
    }
    static ColourKeyLayout shownLayout(const QImage& image) {
        return ColourKeyLayoutOf(shownAxis(), image.width(), image.height());
    }
    // The key's part of a picture, apart from the mesh: the bar, ticks and labels.
    static QImage keyRegion(const QImage& image) {
        const ColourKeyLayout key = shownLayout(image);
        const int left = static_cast<int>(key.barLeft) - 1;
        const int top = image.height() - static_cast<int>(key.barTop) - 10;
        const int bottom = image.height() - static_cast<int>(key.barBottom) + 10;
        return image.copy(left, top, image.width() - left, bottom - top);
    }
};

TEST_F(ColourKeyTest, TheKeysColourAtEachTickIsTheRampsForItsValueFixedOrNot) {
    openDataSet(writeSampleDataSet());
    showFabric(1);
    const QStringList items = withMenu(Form1->Panel1, [](QMenu*) {});
    EXPECT_TRUE(items.contains("Show Colour Key") && items.contains("Fix Colour Range…") &&
                items.contains("Automatic Colour Range"));
    choose(Form1->Panel1, QStringLiteral("Show Colour Key"));
    ASSERT_TRUE(Form1->readingState->colourKeyShown);

    const struct {
        const char* name;
        bool fix;
        float min, max;
    } cases[] = {{"data's own range", false, 0, 0}, {"fixed 30 ... 37", true, 30.0f, 37.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.fix)
            fixRange({{QString::number(c.min), QString::number(c.max)}});
        const FieldDrawInputs inputs = *Form1->fieldViewState->shownField;
        const ColourKeyAxis axis = shownAxis();
        if (c.fix)
            EXPECT_EQ(axis.range, (ColourRange{c.min, c.max}));
        else
            EXPECT_EQ(axis.range, (ColourRange{Form1->ValueMin, Form1->ValueMax}));
        const QImage image = Form1->Panel1->grabFramebuffer();
        const ColourKeyLayout key = shownLayout(image);
        const int x = static_cast<int>((key.barLeft + key.barRight) / 2);
        const std::optional<FieldExtents> colourExtents =
            ColourExtents({0, 1, 0, 1, axis.range.min, axis.range.max - axis.range.min},
                          ColourRange{axis.range.min, axis.range.max});
        for (int i = 0; i < kTickLabelCount; ++i) {
            // The value of the tick, coloured as a record of that value is.
            const FieldPoint record{
                0, 0, static_cast<float>(TickValue(axis.range.min, axis.range.max, i))};
            const RampColor want = inputs.ramp.at(
                std::clamp(RampParameter(record, *colourExtents, kColorAlongValue), 0.0f, 1.0f));
            // The ends' rows lie just inside the bar.
            const float inward = i == 0 ? 0.5f : i == kTickLabelCount - 1 ? -1.5f : 0.0f;
            const int y = image.height() - 1 -
                          static_cast<int>(key.tickY[static_cast<std::size_t>(i)] + inward);
            const QColor got = image.pixelColor(x, y);
            EXPECT_NEAR(got.redF(), want.r, 2.5 / 255) << "tick " << i;
            EXPECT_NEAR(got.greenF(), want.g, 2.5 / 255) << "tick " << i;
            EXPECT_NEAR(got.blueF(), want.b, 2.5 / 255) << "tick " << i;
        }
    }
    if (const QString dir = qEnvironmentVariable("TESSAPLOT_PICTURE_DIR"); !dir.isEmpty())
        Form1->Panel1->grabFramebuffer().save(dir + "/fabric-key-fixed-range.png");
}

TEST_F(ColourKeyTest, AFixedRangeHoldsAcrossLayersAndGivesRecordsAtItsEndsTheEndColours) {
    openDataSet(writeSampleDataSet());
    showFabric(1);
    choose(Form1->Panel1, QStringLiteral("Show Colour Key"));
    // Refused pairs are told in the dialog, which stays until a range is typed.
    const RangeDialog dialog =
        fixRange({{"37", "30"}, {"30", "warm"}, {"30", "30"}, {"-3e38", "3e38"}, {"30.5", "36"}});
    EXPECT_EQ(dialog.offeredMin.toFloat(), Form1->ValueMin);
    EXPECT_EQ(dialog.offeredMax.toFloat(), Form1->ValueMax);
    ASSERT_EQ(dialog.problems.size(), 4);
    EXPECT_TRUE(dialog.problems[0].contains("less than")) << dialog.problems[0].toStdString();
    EXPECT_TRUE(dialog.problems[1].contains("'warm'")) << dialog.problems[1].toStdString();
    EXPECT_TRUE(dialog.problems[2].contains("less than")) << dialog.problems[2].toStdString();
    EXPECT_TRUE(dialog.problems[3].contains("span")) << dialog.problems[3].toStdString();
    ASSERT_TRUE(Form1->readingState->fixedRange);
    EXPECT_EQ(Form1->readingState->fixedRange->min, 30.5f);

    const QImage first = keyRegion(Form1->Panel1->grabFramebuffer());
    const float firstMax = Form1->ValueMax;
    showFabric(2);
    ASSERT_NE(Form1->ValueMax, firstMax) << "the layers must differ for this test to say anything";
    EXPECT_EQ(keyRegion(Form1->Panel1->grabFramebuffer()), first);

    // Every record at or beyond an end of the range has that end's colour.
    const FieldDrawInputs inputs = *Form1->fieldViewState->shownField;
    const FieldMesh& mesh = Form1->fieldViewState->keptMesh.mesh;
    int atEnds = 0;
    for (int i = 0; i < mesh.vertexCount(); ++i) {
        const float value = Form1->FieldPoints[static_cast<std::size_t>(i)].Value;
        if (value > 30.5f && value < 36.0f)
            continue;
        const RampColor end = value <= 30.5f ? inputs.ramp.start : inputs.ramp.end;
        const auto at = static_cast<std::size_t>(3 * i);
        ASSERT_EQ((std::array{mesh.colors[at], mesh.colors[at + 1], mesh.colors[at + 2]}),
                  (std::array{end.r, end.g, end.b}))
            << "record " << i << " of value " << value;
        ++atEnds;
    }
    EXPECT_GT(atEnds, 0);

    // Another quantity takes its own range; back on the first, the fixed one holds.
    showFabric(2, kTemperature - 1);
    EXPECT_FALSE(Form1->fieldViewState->shownField->fixedRange);
    showFabric(1);
    EXPECT_EQ(keyRegion(Form1->Panel1->grabFramebuffer()), first);
}

TEST_F(ColourKeyTest, AFixedRangeIsOfferedOnlyWhileTheRampGradesTheValues) {
    openDataSet(writeSampleDataSet());
    showFabric(1);
    const auto fixOffered = [] {
        bool enabled = false;
        withMenu(Form1->Panel1, [&enabled](QMenu* menu) {
            for (const QAction* action : menu->actions())
                if (action->text() == QStringLiteral("Fix Colour Range…"))
                    enabled = action->isEnabled();
        });
        return enabled;
    };
    // "Color Select": time, thickness, then the values again, each with OK.
    for (QRadioButton* axis : {Form2->RadioButton2, Form2->RadioButton3, Form2->RadioButton1}) {
        ModalAnswerer answerer;
        answerer.onDialog = [axis](QWidget*) {
            QTest::mouseClick(axis, Qt::LeftButton, {}, QPoint(8, axis->height() / 2));
            QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
        };
        QTest::mouseClick(Form1->BitBtn2, Qt::LeftButton);
        ASSERT_TRUE(waitForRedraw());
        EXPECT_EQ(fixOffered(), axis == Form2->RadioButton1) << axis->text().toStdString();
    }
}

TEST_F(ColourKeyTest, NothingAskedForOrEverythingTakenBackDrawsTheSamePictures) {
    openDataSet(writeSampleDataSet());
    showFabric(1);
    const QImage plain = Form1->Panel1->grabFramebuffer();

    const struct {
        const char* name;
        std::function<void()> ask;
    } steps[] = {
        {"the menu opened and closed", [] { withMenu(Form1->Panel1, [](QMenu*) {}); }},
        {"the key shown and hidden",
         [] {
             choose(Form1->Panel1, QStringLiteral("Show Colour Key"));
             choose(Form1->Panel1, QStringLiteral("Show Colour Key"));
         }},
        {"a range fixed for another quantity",
         [this] {
             Form1->readingState->fixedRange = ReadingState::FixedRange{0, 1, "Relative Humidity"};
             showFabric(1);
         }},
        {"a range fixed, then automatic",
         [this] {
             fixRange({{"31", "33"}});
             choose(Form1->Panel1, QStringLiteral("Automatic Colour Range"));
         }},
        {"a range fixed, then the data set opened again",
         [this] {
             fixRange({{"31", "33"}});
             openDataSet(writeSampleDataSet());
             showFabric(1);
         }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.ask();
        EXPECT_FALSE(Form1->readingState->colourKeyShown);
        EXPECT_EQ(Form1->Panel1->grabFramebuffer(), plain);
    }
    EXPECT_FALSE(Form1->readingState->fixedRange) << "Open returns to the data's own range";

    // The menu's items are on the meshes only, and the body curve draws no key.
    Form1->readingState->colourKeyShown = true;
    Form1->SetActivePage(Form1->TabSheet3);
    ASSERT_TRUE(waitFor([] { return Form1->Panel8->hasContext(); }));
    EXPECT_FALSE(withMenu(Form1->Panel8, [](QMenu*) {}).contains("Show Colour Key"));
}

TEST_F(ColourKeyTest, TheKeysTicksAndTitleAreTextsOfTheCommandLinesVectorExport) {
    const QString dataSet = writeSampleDataSet();
    const QString svg = workDir.filePath("key.svg");
    const ProgramRun run = RunProgram({"--export", svg, "--variable", "Temperature(degree of C)",
                                       "--color-key", "--range", "30,37", dataSet});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (const char* tick : {">30.00<", ">31.40<", ">32.80<", ">34.20<", ">35.60<", ">37.00<"})
        EXPECT_TRUE(bytes.contains(tick)) << tick;
    // The title once above the value axis and once over the key.
    EXPECT_EQ(bytes.count(">Temperature(degree of C)<"), 2);

    const struct {
        QStringList arguments;
        const char* refusal; // empty: accepted
    } lines[] = {
        {{"--color-key", "--range", "-5,40"}, ""},
        {{"--range", "40,-5"}, "less than"},
        {{"--range", "30"}, "two numbers"},
        {{"--range", "30,hot"}, "two numbers"},
        {{"--color-key", "--page", "BodyProperty"}, "Fabric and Fibers"},
        {{"--range", "1,2", "--export", "x.png", "--section", "TimePos:60"}, "--section"},
    };
    for (const auto& l : lines) {
        const CommandLine line = ParseCommandLine(
            QStringList{"plotvane", dataSet, "--variable", "Temperature(degree of C)"} +
            l.arguments);
        SCOPED_TRACE(l.arguments.join(' ').toStdString());
        if (*l.refusal == '\0') {
            EXPECT_NE(line.action, CommandLine::Action::Fail) << line.message.toStdString();
            EXPECT_TRUE(line.colourKey);
            EXPECT_EQ(line.range, (std::pair{-5.0, 40.0}));
        } else {
            EXPECT_EQ(line.action, CommandLine::Action::Fail);
            EXPECT_TRUE(line.message.contains(l.refusal)) << line.message.toStdString();
        }
    }
}

} // namespace
} // namespace tessaplot::test
