// The value under the pointer: real pointer moves over each picture show the record
// drawn there, the label never touches the picture, and the panels' own handling of the
// mouse stays as it was.
#include "app/RadioGroup.h"
#include "comfort/ComfortChartGeometry.h"
#include "comfort/ComfortState.h"
#include "comfort/SensationBands.h"
#include "fieldview/FieldViewState.h"
#include "gl/DrawReduction.h"
#include "gl/GlPanel.h"
#include "readout/PointerReadout.h"
#include "section2d/Image2d.h"
#include "support/ModalAnswerer.h"
#include "support/PointerHover.h"
#include "support/fieldview_fixture.h"
#include "text/GeneralForm.h"

#include "SampleData.h"

#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessaplot::test {
namespace {

namespace fs = std::filesystem;

double noise(int i) {
    std::uint32_t h = static_cast<std::uint32_t>(i) * 2654435761u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return (h % 10000) / 100.0;
}

// The panel's picture with the label laid over it where it shows, as a person sees it.
void savePicture(GlPanel* panel, const char* name) {
    const QByteArray dir = qgetenv("TESSAPLOT_PICTURE_DIR");
    if (dir.isEmpty())
        return;
    QImage picture = panel->grabFramebuffer();
    if (QLabel* label = ReadoutLabelOf(panel); label != nullptr && label->isVisible()) {
        QPainter painter(&picture);
        const double ratio = panel->devicePixelRatioF();
        painter.drawPixmap(panel->mapFromGlobal(label->pos()) * ratio, label->grab());
    }
    picture.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name)));
}

// The pointer position (panel pixels) whose pixel centre lies in device column `column`.
QPoint pointerInColumn(GlPanel* panel, int column, int row) {
    const double ratio = panel->devicePixelRatioF();
    return {static_cast<int>(std::floor((column + 0.5) / ratio)), row};
}

class PointerReadoutTest : public FieldViewTest {
protected:
    void SetUp() override {
        FieldViewTest::SetUp();
        // A double click in an earlier test leaves QTest's moves carrying a held left
        // button; let it go over a label, where a release does nothing.
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            QTest::mouseRelease(Form1->Label2, Qt::LeftButton);
    }
};

constexpr int kCurveSamples = 20000;

TEST_F(PointerReadoutTest, MeshShowsTheRecordUnderThePointerAfterNavigationAndChangesNothing) {
    // 25,000 steps of six nodes: 150,000 records. One record stands far out of the
    // rest, so it is the vertex nearest its own pixel whatever the view.
    constexpr int spikeStep = 12345, spikeNode = 3;
    openDataSet(writeFabrics(25000, [](int step, int node) {
        return step == spikeStep && node == spikeNode ? 100.0 : 20.0 + noise(step * 6 + node) / 10;
    }));
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    ASSERT_EQ(Form1->PointCount, 150000);
    ASSERT_TRUE(DrawReduction());
    for (auto step :
         {&TForm1::ToolButton3Click, &TForm1::ToolButton5Click, &TForm1::ToolButton5Click,
          &TForm1::ToolButton8Click, &TForm1::ToolButton4Click})
        (Form1->*step)();
    ASSERT_TRUE(waitForRedraw());
    GlPanel* panel = Form1->Panel1;
    const QImage before = panel->grabFramebuffer();
    const QMatrix4x4 view = CurrentModelView(panel);

    const std::vector<float>& vertices = Form1->fieldViewState->keptMesh.mesh.vertices;
    const std::size_t spike = static_cast<std::size_t>(spikeStep * 6 + spikeNode);
    const PictureProbe probe = probeWithCurrentView(panel);
    const QPoint pixel =
        probe.pixelOf(vertices[3 * spike], vertices[3 * spike + 1], vertices[3 * spike + 2]);
    const QPoint at = (QPointF(pixel) / panel->devicePixelRatioF()).toPoint();
    ASSERT_TRUE(panel->rect().contains(at));

    const QString text = HoverAt(panel, at);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Time: 74070 min.\nThickness: 0.15 cm\n")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral(": 100 C")) || text.contains(QStringLiteral(": 100")))
        << text.toStdString();
    const QLabel* label = ReadoutLabelOf(panel);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(panel->rect().contains(panel->mapFromGlobal(label->geometry().topLeft())));
    savePicture(panel, "readout-mesh.png");

    // Far from every vertex (a corner of the panel) the label goes; so it does on leaving.
    EXPECT_TRUE(HoverAt(panel, {2, 2}).isEmpty());
    EXPECT_FALSE(HoverAt(panel, at).isEmpty());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(panel, &leave);
    EXPECT_TRUE(waitFor([&] { return !ReadoutLabelOf(panel)->isVisible(); }));

    // Hovering took no step, asked for no redraw and left every pixel as it was.
    EXPECT_FALSE(Form1->RedrawPending);
    EXPECT_TRUE(NearlyEqual(CurrentModelView(panel), view, 0.0f));
    EXPECT_TRUE(panel->grabFramebuffer() == before);

    // A drag still turns the view, and no label shows while the button is held.
    QTest::mousePress(panel, Qt::LeftButton, {}, {100, 100});
    QTest::mouseMove(panel, {100, 160});
    QTest::qWait(50);
    EXPECT_FALSE(ReadoutLabelOf(panel)->isVisible());
    QTest::mouseRelease(panel, Qt::LeftButton, {}, {100, 160});
    ASSERT_TRUE(waitFor([&] { return !NearlyEqual(CurrentModelView(panel), view, 0.0f); }));
}

// A curve page: how to bring it up with `count` samples, its panel, the window x of
// sample i as drawn, and the texts its label must hold for sample i.
struct CurvePage {
    const char* name;
    std::function<void(PointerReadoutTest&, int count)> show;
    std::function<GlPanel*()> panel;
    std::function<std::vector<float>()> curve; // x, y pairs as drawn
    float z;
    std::function<QStringList(int i)> texts;
};

// A record's value as the readout writes it: the digits the file held.
QString digits(float value) {
    return QString::fromStdString(ShortestDecimalForm(value));
}

// Finds a pixel column whose nearest sample in time the per-column reduction left out,
// moves the pointer there, and checks the label names that sample.
void checkUndrawnSample(const CurvePage& page) {
    GlPanel* panel = page.panel();
    ASSERT_TRUE(panel->makeSurfaceCurrent());
    const WindowMapping mapping = CurrentWindowMapping();
    const std::vector<float> curve = page.curve();
    const std::size_t count = curve.size() / 2;
    std::vector<unsigned> kept;
    KeepColumnExtremes({curve.data(), 2, count, page.z}, mapping, kept);
    std::vector<bool> drawn(count, false);
    for (unsigned i : kept)
        drawn[i] = true;
    const int row = panel->height() / 2;
    const double y = DeviceSize(panel).height() - (row + 0.5) * panel->devicePixelRatioF();
    int checked = 0;
    for (int column = 40; column < DeviceSize(panel).width() - 40 && checked < 3; column += 7) {
        const double x = column + 0.5;
        std::size_t nearest = 0;
        double bestX = INFINITY, bestY = INFINITY;
        for (std::size_t i = 0; i < count; ++i) {
            const double dx = std::abs(
                static_cast<float>(mapping.windowX(curve[2 * i], curve[2 * i + 1], page.z)) - x);
            const double dy = std::abs(
                static_cast<float>(mapping.windowY(curve[2 * i], curve[2 * i + 1], page.z)) - y);
            if (dx < bestX || (dx == bestX && dy < bestY)) {
                bestX = dx;
                bestY = dy;
                nearest = i;
            }
        }
        if (drawn[nearest] || bestX > 1.0)
            continue;
        const QString text = HoverAt(panel, pointerInColumn(panel, column, row));
        for (const QString& expected : page.texts(static_cast<int>(nearest)))
            EXPECT_TRUE(text.contains(expected))
                << page.name << ": sample " << nearest << " wants " << expected.toStdString()
                << " in " << text.toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, 3) << page.name << ": too few columns with a sample not drawn";
}

TEST_F(PointerReadoutTest, EachCurveShowsTheSampleNearestThePointersTimeEvenWhenNotDrawn) {
    const QString directory = dataDir.filePath(QStringLiteral("curves"));
    ASSERT_TRUE(QDir().mkpath(directory));
    const fs::path dir(directory.toStdString());
    std::string bodyTable, comfortTable;
    char line[160];
    for (int i = 0; i < kCurveSamples; ++i) {
        // Slow waves with a jitter: every pixel column holds samples it does not draw.
        const double wave = std::sin(i / 1500.0);
        std::snprintf(line, sizeof line, "%.9g\t%.9g\n", 0.01 * i, 33 + 3 * wave + noise(i) / 50);
        bodyTable += line;
        std::snprintf(line, sizeof line, "%.9g\t1\t2\t3\t4\t5\t6\t%.9g\t%.9g\t%.9g\n", 0.01 * i,
                      noise(i), 50 + 35 * wave + noise(i + 7) / 10, noise(i + 13));
        comfortTable += line;
    }
    ASSERT_TRUE(sample::WriteTextFile(dir / "BodyProperty.dat", bodyTable));
    ASSERT_TRUE(sample::WriteTextFile(dir / "Comfort.dat", comfortTable));
    ASSERT_TRUE(sample::WriteTextFile(dir / "Fabrics.dat", "0\t0\t1\t1\t1\t0\t55\t1\t20\t0.5\n"));
    openDataSet(directory);

    const auto bodyTimeAndValue = [](int i) {
        const FieldPoint& p = Form1->FieldPoints[static_cast<std::size_t>(i)];
        return QStringList{QStringLiteral("Time: ") + digits(p.Time) + " min.",
                           QStringLiteral(": ") + digits(p.Value)};
    };
    const CurvePage bodyPairs{
        "BodyProperty",
        [](PointerReadoutTest&, int) {
            Form1->SetActivePage(Form1->TabSheet3);
            ASSERT_TRUE(PointerReadoutTest::waitFor([] { return Form1->Panel8->hasContext(); }));
            ASSERT_TRUE(PointerReadoutTest::waitForRedraw());
            Form1->RadioGroup3->SetItemIndex(0);
            Form1->BitBtn7Click();
            ASSERT_EQ(Form1->PointCount, kCurveSamples);
        },
        [] { return Form1->Panel8; },
        [] {
            std::vector<float> xy;
            const auto& v = Form1->fieldViewState->keptMesh.mesh.vertices;
            for (std::size_t i = 0; i + 2 < v.size(); i += 3)
                xy.insert(xy.end(), {v[i], v[i + 1]});
            return xy;
        },
        0.0f,
        bodyTimeAndValue};
    const CurvePage chart{
        "BodyComfort",
        [](PointerReadoutTest&, int) {
            Form1->SetActivePage(Form1->TabSheet4);
            ASSERT_TRUE(PointerReadoutTest::waitFor([] { return Form1->Panel16->hasContext(); }));
            Form1->RadioGroup4->Button(1)->click();
            do
                Form1->Timer2Timer();
            while (Form1->ComfortReadPending());
            ASSERT_EQ(Form1->ComfortCount, kCurveSamples);
        },
        [] { return Form1->Panel16; },
        [] {
            const auto& c = Form1->comfortState->curve;
            std::vector<float> xy;
            for (const ChartPoint& p : c)
                xy.insert(xy.end(), {p.x, p.y});
            return xy;
        },
        CurveZ,
        [](int i) {
            const ComfortRecord& r = Form1->ComfortRecords[static_cast<std::size_t>(i)];
            const auto q = ComfortQuantity::DampnessSensation;
            const float v = QuantityValue(r, q);
            const std::string_view band =
                SensationBandsOf(q)[static_cast<std::size_t>(SensationBandIndex(q, v))].name;
            return QStringList{QStringLiteral("Time: ") + digits(r.Time) + " min.",
                               QStringLiteral("Dampness Sensation: ") + digits(v) + " (" +
                                   QString::fromLatin1(band.data(), band.size()) + ")"};
        }};
    for (const CurvePage* page : {&bodyPairs, &chart}) {
        page->show(*this, kCurveSamples);
        if (HasFatalFailure())
            return;
        const QImage before = page->panel()->grabFramebuffer();
        checkUndrawnSample(*page);
        savePicture(page->panel(), page == &chart ? "readout-comfort.png" : "readout-body.png");
        EXPECT_TRUE(page->panel()->grabFramebuffer() == before) << page->name;
        EXPECT_FALSE(Form1->RedrawPending) << page->name;
    }
}

TEST_F(PointerReadoutTest, SectionWindowShowsTheSampleNearestThePointersTime) {
    openDataSet(writeFabrics(4000, [](int step, int node) { return noise(step * 6 + node); }));
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    ASSERT_TRUE(Form1->BitBtn3->isEnabled());
    const CurvePage section{
        "2D Image",
        nullptr,
        [] { return Form3->ImageDC; },
        [] {
            std::vector<float> xy;
            for (const SectionPoint& p : Form3->ShownCurve)
                xy.insert(xy.end(), {p.x, p.y});
            return xy;
        },
        0.0f,
        [](int i) {
            const SectionPoint& p = Form3->ShownSection.points[static_cast<std::size_t>(i)];
            return QStringList{QString::fromStdString(Form3->XTitle).section('(', 0, 0) + ": " +
                                   digits(p.x),
                               ": " + digits(p.y)};
        }};
    ModalAnswerer answerer;
    bool done = false;
    answerer.onDialog = [&](QWidget* modal) {
        if (modal != Form3 || done || !Form3->ImageDC->hasContext() || Form1->RedrawPending ||
            Form3->ShownCurve.empty())
            return;
        done = true;
        checkUndrawnSample(section);
        Form3->BitBtn2->click();
    };
    Form1->BitBtn3->click();
    EXPECT_TRUE(done);
}

} // namespace
} // namespace tessaplot::test
