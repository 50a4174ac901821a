// One time marked on every page: the context menu takes the time under the pointer (or
// a typed one), every picture with a time axis draws it where its axis puts it, and the
// "Values at t" window lists the records of the first step at or after it.
#include "app/RadioGroup.h"
#include "comfort/ComfortChartGeometry.h"
#include "export/ExportTargets.h"
#include "export/PictureExport.h"
#include "fieldview/FieldViewState.h"
#include "gl/DrawReduction.h"
#include "gl/GlPanel.h"
#include "readout/ReadingState.h"
#include "readout/TimeMarkView.h"
#include "section2d/Image2d.h"
#include "support/ContextMenu.h"
#include "support/ModalAnswerer.h"
#include "support/fieldview_fixture.h"
#include "text/FormatPattern.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <cmath>

namespace tessaplot::test {
namespace {

constexpr int kTemperature = 5;

bool isMark(const QColor& c) {
    return c.red() < 20 && c.blue() < 20 && qAbs(c.green() - 128) < 8;
}

class TimeMarkTest : public FieldViewTest {
protected:
    void showFabricTemperature() { showFabricQuantity(kTemperature); }
    void showBody() {
        showPage(Form1->TabSheet3, Form1->Panel8);
        Form1->RadioGroup3->SetItemIndex(0);
        QTest::mouseClick(Form1->BitBtn7, Qt::LeftButton);
        ASSERT_TRUE(waitForRedraw());
    }

    // Where the panel's current view puts a model point: window pixels (from the lower
    // left, device pixels) and the pointer's place on the widget.
    static WindowMapping viewOf(GlPanel* panel) {
        EXPECT_TRUE(panel->makeSurfaceCurrent());
        return CurrentWindowMapping();
    }
    static QPoint pixelOf(GlPanel* panel, const WindowMapping& m, float x, float y, float z) {
        const int h = DeviceSize(panel).height();
        return {static_cast<int>(std::floor(m.windowX(x, y, z))),
                h - 1 - static_cast<int>(std::floor(m.windowY(x, y, z)))};
    }
    static QPoint pointerAt(GlPanel* panel, const WindowMapping& m, float x, float y) {
        const double ratio = panel->devicePixelRatioF();
        const int h = DeviceSize(panel).height();
        return {static_cast<int>(m.windowX(x, y, 0) / ratio),
                static_cast<int>((h - m.windowY(x, y, 0)) / ratio)};
    }

    // Opens the panel's context menu at `at` and chooses the item starting with `text`.
    static void choose(GlPanel* panel, QPoint at, const QString& text) {
        WithContextMenu(
            panel, [&text](QMenu* menu) { ChooseMenuItem(menu, text); }, at);
    }

    // Where the line for t goes, from the stated layout of each picture rather than from
    // the code that draws it.
    static std::optional<MarkSegment> expectedLine(const TimeAxis& axis, float t) {
        const float f = (t - axis.min) / axis.span;
        switch (axis.kind) {
        case TimeAxisKind::Mesh:
            return MarkSegment{0, f, 0, 1, f, 0};
        case TimeAxisKind::Curve:
            return MarkSegment{f, 0, 0, f, 1, 0};
        case TimeAxisKind::PositionSection:
            return MarkSegment{f - 0.7f, -0.5f, 0, f - 0.7f, 0.5f, 0};
        }
        return std::nullopt;
    }

    // The mark's colour at a quarter, half and three quarters of where its line goes.
    static bool markDrawn(GlPanel* panel, const TimeAxis& axis) {
        const std::optional<float> t = Form1->readingState->markedTime;
        if (!t)
            return false;
        const std::optional<MarkSegment> s = expectedLine(axis, *t);
        const WindowMapping m = viewOf(panel);
        const QImage image = panel->grabFramebuffer();
        for (const float along : {0.25f, 0.5f, 0.75f}) {
            const QPoint p =
                pixelOf(panel, m, s->x0 + along * (s->x1 - s->x0), s->y0 + along * (s->y1 - s->y0),
                        s->z0 + along * (s->z1 - s->z0));
            if (!AnyPixelNear(image, p, 1, isMark))
                return false;
        }
        if (axis.kind != TimeAxisKind::Mesh)
            return true;
        // And along the surface, through the middle node of the step at or after t.
        const FieldExtents extents{Form1->TimeMin,      Form1->TimeSpan, Form1->PositionMin,
                                   Form1->PositionSpan, Form1->ValueMin, Form1->ValueSpan};
        const std::vector<MarkPoint> profile =
            MeshProfileAt(std::span<const FieldPoint>(Form1->FieldPoints.data(),
                                                      static_cast<std::size_t>(Form1->PointCount)),
                          Form1->PositionsPerStep, extents, *t);
        if (profile.size() < 3)
            return false;
        const MarkPoint& middle = profile[profile.size() / 2];
        return AnyPixelNear(image, pixelOf(panel, m, middle.x, middle.y, middle.z), 1, isMark);
    }

    // Marks the time at `fraction` of the panel's time axis with the pointer over it
    // (on the mesh: half way through the thickness), and checks it is read back and drawn.
    void markUnderPointer(GlPanel* panel, const TimeAxis& axis, float fraction) {
        const float t = axis.min + fraction * axis.span;
        const std::optional<MarkSegment> s = TimeMarkSegment(axis, t);
        ASSERT_TRUE(s);
        const WindowMapping m = viewOf(panel);
        choose(panel, pointerAt(panel, m, (s->x0 + s->x1) / 2, (s->y0 + s->y1) / 2),
               "Mark This Time");
        ASSERT_TRUE(Form1->readingState->markedTime);
        // Within two pixels' worth of time.
        EXPECT_NEAR(*Form1->readingState->markedTime, t, axis.span * 2.0f / 250.0f);
        EXPECT_TRUE(waitFor([&] { return markDrawn(panel, axis); }, 3000));
    }

    ModalAnswerer answerer;
};

TEST_F(TimeMarkTest, TheMarkedTimeIsDrawnWhereEveryPagesTimeAxisPutsIt) {
    openDataSet(writeSampleDataSet());
    showFabricTemperature();
    ASSERT_FALSE(Form1->readingState->markedTime);
    const TimeAxis fieldAxis{TimeAxisKind::Mesh, Form1->TimeMin, Form1->TimeSpan};
    // A turned view: the pointer is taken back onto the base plane as it is now.
    Form1->ToolButton6->click();
    ASSERT_TRUE(waitForRedraw());
    markUnderPointer(Form1->Panel1, fieldAxis, 0.4f);
    ASSERT_NE(ValuesAtTimeWindow(), nullptr);
    EXPECT_TRUE(ValuesAtTimeWindow()->isVisible());

    showBody();
    const TimeAxis bodyAxis{TimeAxisKind::Curve, Form1->TimeMin, Form1->TimeSpan};
    EXPECT_TRUE(waitFor([&] { return markDrawn(Form1->Panel8, bodyAxis); }, 3000))
        << "a time marked on another page";
    markUnderPointer(Form1->Panel8, bodyAxis, 0.7f);

    showComfort();
    const TimeAxis comfortAxis{TimeAxisKind::Curve, 0.0f, Form1->ComfortEndTime};
    EXPECT_TRUE(waitFor([&] { return markDrawn(Form1->Panel16, comfortAxis); }, 3000));
    markUnderPointer(Form1->Panel16, comfortAxis, 0.55f);
    const QString shots = qEnvironmentVariable("TESSAPLOT_PICTURE_DIR");
    if (!shots.isEmpty())
        Form1->Panel16->grabFramebuffer().save(QDir(shots).filePath("mark-comfort.png"));

    showPage(Form1->TabSheet1, Form1->Panel1);
    EXPECT_TRUE(waitFor([&] { return markDrawn(Form1->Panel1, fieldAxis); }, 3000));
    if (!shots.isEmpty())
        Form1->Panel1->grabFramebuffer().save(QDir(shots).filePath("mark-fabric.png"));
    // An export is drawn by the same calls, mark and all.
    const QImage shown = Form1->Panel1->grabFramebuffer();
    EXPECT_EQ(
        RenderPicture(ExportTargetOf(Form1->Panel1).picture, 1).convertToFormat(shown.format()),
        shown);

    // A position section (value against time) in the 2D window.
    bool done = false;
    answerer.onDialog = [&](QWidget* modal) {
        if (modal != Form3 || done || !Form3->ImageDC->hasContext() || Form1->RedrawPending)
            return;
        done = true;
        const TimeAxis sectionAxis{TimeAxisKind::PositionSection, Form1->TimeMin, Form1->TimeSpan};
        EXPECT_TRUE(waitFor([&] { return markDrawn(Form3->ImageDC, sectionAxis); }, 3000));
        if (!shots.isEmpty())
            Form3->ImageDC->grabFramebuffer().save(QDir(shots).filePath("mark-section.png"));
        markUnderPointer(Form3->ImageDC, sectionAxis, 0.2f);
        Form3->BitBtn2->click();
    };
    Form1->RadioButton2->click(); // SpacePos
    QTest::mouseClick(Form1->BitBtn3, Qt::LeftButton);
    ASSERT_TRUE(done);
    EXPECT_TRUE(waitFor([&] { return markDrawn(Form1->Panel1, fieldAxis); }, 3000));
}

// The sample's BodyProperty.dat read by hand: the columns of the first line at or after t.
QStringList bodyLineAtOrAfter(const QString& directory, float t) {
    QFile file(QDir(directory).filePath("BodyProperty.dat"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    while (!file.atEnd()) {
        const QStringList columns = QString::fromLatin1(file.readLine()).trimmed().split('\t');
        if (!(columns.front().toFloat() < t))
            return columns;
    }
    return {};
}

TEST_F(TimeMarkTest,
       ValuesAtTAreTheRecordsOfTheFirstStepAtOrAfterItAndClearingGivesBackEveryPicture) {
    const QString directory = writeSampleDataSet();
    openDataSet(directory);
    showComfort();
    const QImage comfortBefore = Form1->Panel16->grabFramebuffer();
    showPage(Form1->TabSheet1, Form1->Panel1);
    showFabricTemperature();
    const QImage fabricBefore = Form1->Panel1->grabFramebuffer();

    // Between two time steps, typed: the pointer is in a corner, off the time axis.
    const float t = std::nextafter(
        Form1->FieldPoints[static_cast<std::size_t>(Form1->PositionsPerStep * 10)].Time, 0.0f);
    answerer.onDialog = [&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "MarkTimeDialog");
        dialog->setDoubleValue(t);
        dialog->accept();
    };
    choose(Form1->Panel1, QPoint(2, 2), "Mark This Time…");
    ASSERT_TRUE(Form1->readingState->markedTime);
    const float marked = *Form1->readingState->markedTime;
    EXPECT_NEAR(marked, t, 1e-3f);

    QWidget* window = ValuesAtTimeWindow();
    ASSERT_NE(window, nullptr);
    if (const QString shots = qEnvironmentVariable("TESSAPLOT_PICTURE_DIR"); !shots.isEmpty())
        window->grab().save(QDir(shots).filePath("values-at-t.png"));
    EXPECT_EQ(window->objectName(), "ValuesAtT");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_FALSE(window->isModal());
    auto* list = window->findChild<QTreeWidget*>();
    ASSERT_NE(list, nullptr);
    const auto group = [list](const QString& prefix) -> QTreeWidgetItem* {
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(0).startsWith(prefix))
                return list->topLevelItem(i);
        return nullptr;
    };

    // The field, as a time section at the marked time takes it.
    const FieldViewState& view = *Form1->fieldViewState;
    const Section section =
        ExtractTimeSection(std::span<const FieldPoint>(Form1->FieldPoints.data(),
                                                       static_cast<std::size_t>(Form1->PointCount)),
                           marked, Form1->PositionsPerStep);
    ASSERT_FALSE(section.points.empty());
    const float stepTime = Form1->FieldPoints[static_cast<std::size_t>(section.start)].Time;
    EXPECT_GE(stepTime, marked);
    QTreeWidgetItem* field = group("Fabric: ");
    ASSERT_NE(field, nullptr);
    ASSERT_EQ(field->childCount(), static_cast<int>(section.points.size()));
    for (int i = 0; i < field->childCount(); ++i) {
        const SectionPoint& p = section.points[static_cast<std::size_t>(i)];
        EXPECT_EQ(field->child(i)->text(1).toStdString(), FormatWithPattern(stepTime, "#0.###"));
        EXPECT_EQ(field->child(i)->text(2).toStdString(), FormatWithPattern(p.x, "#0.000"));
        EXPECT_EQ(field->child(i)->text(3).toStdString(),
                  FormatWithPattern(p.y, view.shownField->valueTickPattern));
    }

    // Every body quantity, from its own column of the first line at or after t.
    const QStringList body = bodyLineAtOrAfter(directory, marked);
    QTreeWidgetItem* bodyGroup = group("BodyProperty");
    ASSERT_NE(bodyGroup, nullptr);
    ASSERT_EQ(bodyGroup->childCount(), Form1->RadioGroup3->Count());
    ASSERT_GT(body.size(), 3);
    EXPECT_EQ(bodyGroup->child(0)->text(1).toStdString(),
              FormatWithPattern(body[0].toFloat(), "#0.###"));
    EXPECT_EQ(bodyGroup->child(0)->text(3).toStdString(),
              FormatWithPattern(body[1].toFloat(), "#0.00"));
    EXPECT_EQ(bodyGroup->child(2)->text(3).toStdString(),
              FormatWithPattern(body[3].toFloat(), "0.00E-0"));

    // Each sensation with its band, from the first comfort record at or after t.
    std::size_t at = 0;
    while (at < Form1->ComfortRecords.size() && Form1->ComfortRecords[at].Time < marked)
        ++at;
    ASSERT_LT(at, static_cast<std::size_t>(Form1->ComfortCount));
    QTreeWidgetItem* comfort = group("BodyComfort");
    ASSERT_NE(comfort, nullptr);
    ASSERT_EQ(comfort->childCount(), 3);
    for (int q = 0; q < 3; ++q) {
        const auto quantity = static_cast<ComfortQuantity>(q);
        const float value = QuantityValue(Form1->ComfortRecords[at], quantity);
        EXPECT_EQ(comfort->child(q)->text(0).toStdString(), ComfortChartTitle(quantity));
        EXPECT_EQ(comfort->child(q)->text(3).toStdString(), FormatWithPattern(value, "#0.##"));
        EXPECT_EQ(comfort->child(q)->text(4).toStdString(),
                  SensationBandsOf(
                      quantity)[static_cast<std::size_t>(SensationBandIndex(quantity, value))]
                      .name);
    }

    // Cleared, nothing of the mark is left on any page.
    ASSERT_TRUE(waitForRedraw());
    EXPECT_NE(Form1->Panel1->grabFramebuffer(), fabricBefore);
    choose(Form1->Panel1, QPoint(2, 2), "Clear Time Mark");
    EXPECT_FALSE(Form1->readingState->markedTime);
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(waitForRedraw());
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), fabricBefore);
    showComfort();
    EXPECT_TRUE(waitFor([&] { return Form1->Panel16->grabFramebuffer() == comfortBefore; }));
}

} // namespace
} // namespace tessaplot::test
