// The 2D curves drawn through only the points each pixel column needs light exactly
// the pixels of the whole curve.
#include "app/RadioGroup.h"
#include "comfort/ComfortState.h"
#include "gl/DrawReduction.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"
#include "support/ModalAnswerer.h"
#include "support/fieldview_fixture.h"

#include "SampleData.h"

#include <QDir>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace tessaplot::test {
namespace {

namespace fs = std::filesystem;

// Pixels of two pictures of the same size whose colours differ in any channel by more
// than `tolerance`.
int differingPixels(const QImage& a, const QImage& b, int tolerance = 0) {
    EXPECT_EQ(a.size(), b.size());
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            count += std::abs(p.red() - q.red()) > tolerance ||
                             std::abs(p.green() - q.green()) > tolerance ||
                             std::abs(p.blue() - q.blue()) > tolerance
                         ? 1
                         : 0;
        }
    return count;
}

// A value per point, in 0 ... 100.
using Shape = std::function<double(int i, int count)>;

double noise(int i) {
    std::uint32_t h = static_cast<std::uint32_t>(i) * 2654435761u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return (h % 10000) / 100.0;
}

struct NamedShape {
    const char* name;
    int count; // 0: twice the panel's width in device pixels
    Shape value;
};

const NamedShape kShapes[] = {
    {"noise", 20000, [](int i, int) { return noise(i); }},
    {"steps", 20000, [](int i, int) { return 20.0 * ((i / 997) % 5); }},
    {"spikes", 20000, [](int i, int) { return i % 1500 == 700  ? 100.0
                                              : i % 1500 == 20 ? 0
                                                               : 50; }},
    {"flat runs", 20000, [](int i, int) { return (i / 3001) % 2 == 0 ? 30.0 : 30.0 + i % 2; }},
    {"smooth", 20000, [](int i, int n) { return 50 + 45 * std::sin(12.0 * i / n); }},
    {"single point", 1, [](int, int) { return 40.0; }},
    {"two points per column", 0, [](int i, int) { return i % 2 == 0 ? 10 + i % 70 : 90.0; }},
};

class CurveReductionTest : public FieldViewTest {
protected:
    void TearDown() override {
        SetDrawReduction(true);
        FieldViewTest::TearDown();
    }

    // The picture `draw` leaves on `panel`, reduced and whole.
    static std::pair<QImage, QImage> bothWays(GlPanel* panel, const std::function<void()>& draw) {
        SetDrawReduction(true);
        draw();
        const QImage reduced = panel->grabFramebuffer();
        SetDrawReduction(false);
        draw();
        const QImage whole = panel->grabFramebuffer();
        SetDrawReduction(true);
        return {reduced, whole};
    }
};

TEST_F(CurveReductionTest, BodyPropertyCurveLightsTheSamePixelsAsEveryPoint) {
    const QString directory = dataDir.filePath(QStringLiteral("body-run"));
    ASSERT_TRUE(QDir().mkpath(directory));
    const fs::path dir(directory.toStdString());
    ASSERT_TRUE(sample::WriteTextFile(dir / "Fabrics.dat", "0\t0\t1\t1\t1\t0\t55\t1\t20\t0.5\n"));
    openDataSet(directory);
    Form1->SetActivePage(Form1->TabSheet3);
    ASSERT_TRUE(waitFor([] { return Form1->Panel8->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
    Form1->RadioGroup3->SetItemIndex(0);
    const int columns = DeviceSize(Form1->Panel8).width();

    for (const NamedShape& shape : kShapes) {
        const int count = shape.count > 0 ? shape.count : 2 * columns;
        std::string table;
        char line[64];
        for (int i = 0; i < count; ++i) {
            std::snprintf(line, sizeof line, "%.9g\t%.9g\n", 0.01 * i, shape.value(i, count));
            table += line;
        }
        ASSERT_TRUE(sample::WriteTextFile(dir / "BodyProperty.dat", table));
        const auto [reduced, whole] = bothWays(Form1->Panel8, [] { Form1->BitBtn7Click(); });
        ASSERT_EQ(Form1->PointCount, count);
        EXPECT_EQ(differingPixels(reduced, whole), 0) << shape.name;
    }
}

TEST_F(CurveReductionTest, SectionCurveLightsTheSamePixelsAsEveryPoint) {
    // A position section through 4,000 time steps.
    openDataSet(writeFabrics(4000, [](int step, int node) { return noise(step * 6 + node); }));
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    ASSERT_TRUE(Form1->BitBtn3->isEnabled());
    ModalAnswerer answerer;
    int differing = -1;
    answerer.onDialog = [&](QWidget* modal) {
        if (modal != Form3 || differing >= 0 || !Form3->ImageDC->hasContext() ||
            Form1->RedrawPending)
            return;
        const auto [reduced, whole] = bothWays(Form3->ImageDC, [] { Form3->DrawPicture(); });
        differing = differingPixels(reduced, whole);
        Form3->BitBtn2->click();
    };
    Form1->BitBtn3->click();
    EXPECT_EQ(differing, 0);
}

TEST_F(CurveReductionTest, WideComfortCurveDiffersInAtMostOnePixelInAThousand) {
    const QString directory = dataDir.filePath(QStringLiteral("comfort-run"));
    ASSERT_TRUE(QDir().mkpath(directory));
    const fs::path dir(directory.toStdString());
    std::string table;
    char line[128];
    for (int i = 0; i < 20000; ++i) {
        std::snprintf(line, sizeof line, "%.9g\t1\t2\t3\t4\t5\t6\t%.9g\t%.9g\t%.9g\n", 0.01 * i,
                      noise(i), 50 + 40 * std::sin(i / 900.0), (i / 1999) % 2 == 0 ? 20.0 : 80.0);
        table += line;
    }
    ASSERT_TRUE(sample::WriteTextFile(dir / "Comfort.dat", table));
    ASSERT_TRUE(sample::WriteTextFile(dir / "Fabrics.dat", "0\t0\t1\t1\t1\t0\t55\t1\t20\t0.5\n"));
    openDataSet(directory);
    Form1->SetActivePage(Form1->TabSheet4);
    ASSERT_TRUE(waitFor([] { return Form1->Panel16->hasContext(); }));
    GlPanel* panel = Form1->Panel16;
    const int allowed = DeviceSize(panel).width() * DeviceSize(panel).height() / 1000;
    for (int quantity = 0; quantity < 3; ++quantity) {
        Form1->RadioGroup4->Button(quantity)->click();
        const auto [reduced, whole] = bothWays(panel, [] {
            Form1->comfortState->drawnValid = false;
            do // a slow (sanitized) build reads the file over several ticks
                Form1->Timer2Timer();
            while (Form1->ComfortReadPending());
        });
        ASSERT_EQ(Form1->ComfortCount, 20000);
        EXPECT_LE(differingPixels(reduced, whole), allowed) << "quantity " << quantity;
    }
}

} // namespace
} // namespace tessaplot::test
