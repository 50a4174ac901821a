// Pictures on a screen the desktop scales. These tests run in the suite at 100 %, and
// again in processes of their own at 150 % and 200 % (QT_SCALE_FACTOR, see the test
// list): whatever the scale, a picture fills its panel at the device resolution, and
// its lines and bitmap texts are as thick and as large, in window pixels, as at 100 %.
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "comfort/ComfortChartGeometry.h"
#include "gl/BitmapFont.h"
#include "gl/GlPanel.h"
#include "support/fieldview_fixture.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessaplot::test {
namespace {

using ScreenScaleTest = FieldViewTest;

constexpr int kTemperature = 5; // RadioGroup1 item

double expectedRatio() {
    bool ok = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok && factor > 0 ? factor : 1.0;
}

bool isInk(const QColor& c) {
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}

// The run of ink pixels in row y through x, counted left and right of it.
int inkRunThrough(const QImage& image, int x, int y) {
    if (!image.rect().contains(x, y) || !isInk(image.pixelColor(x, y)))
        return 0;
    int left = x, right = x;
    while (left > 0 && isInk(image.pixelColor(left - 1, y)))
        --left;
    while (right + 1 < image.width() && isInk(image.pixelColor(right + 1, y)))
        ++right;
    return right - left + 1;
}

// The bounding box of the ink pixels inside `area`.
QRect inkBounds(const QImage& image, const QRect& area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && isInk(image.pixelColor(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST_F(ScreenScaleTest, FabricFrameAndTickLabelLieWhereTheProjectionPutsThemAtDeviceResolution) {
    openDataSet(writeFabrics(11, [](int step, int) { return 20.0 + step; }));
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);

    GlPanel* panel = Form1->Panel1;
    const double ratio = panel->devicePixelRatioF();
    ASSERT_DOUBLE_EQ(ratio, expectedRatio());
    // The layout is the same in window pixels at every scale.
    EXPECT_EQ(panel->size(), QSize(569, 513));

    const PictureProbe probe = probeOf(panel, true);
    EXPECT_EQ(QSize(probe.width, probe.height), DeviceSize(panel)) << "fills the panel";
    EXPECT_EQ(probe.width, static_cast<int>(std::lround(panel->width() * ratio)));

    // The three arrow tips, and nothing drawn a few pixels beyond them along the axis.
    const int reach = static_cast<int>(std::ceil(ratio));
    struct Axis {
        QVector3D from, tip;
    };
    for (const Axis& axis : {Axis{{0, 0, 0}, {1.2f, 0, 0}}, Axis{{1, 0, 0}, {1, 1.2f, 0}},
                             Axis{{0, 0, 0}, {0, 0, 1.2f}}}) {
        const QPoint tip = probe.pixelOf(axis.tip.x(), axis.tip.y(), axis.tip.z());
        EXPECT_TRUE(probe.anyNear(tip, reach, isInk)) << "tip at " << tip.x() << "," << tip.y();
        const QVector3D beyond = axis.tip + (axis.tip - axis.from) * 0.05f;
        const QPoint past = probe.pixelOf(beyond.x(), beyond.y(), beyond.z());
        EXPECT_FALSE(probe.anyNear(past, 1, isInk))
            << "past the tip at " << past.x() << "," << past.y();
    }

    // The vertical value axis is as many device pixels wide as the scale.
    const QPoint middle = probe.pixelOf(0, 0, 0.5f);
    int run = 0;
    for (int dx = -reach; dx <= reach && run == 0; ++dx)
        run = inkRunThrough(probe.image, middle.x() + dx, middle.y());
    EXPECT_GE(run, std::lround(ratio));
    EXPECT_LE(run, std::lround(ratio) + 1);

    // The last time tick label, "60", is drawn from its raster position at the glyph
    // size of the scaled font: its bitmap lies right of and above that point.
    ASSERT_EQ(Form1->TimeTickLabels[5], "60");
    const QPoint origin = probe.pixelOf(1.15f, 1.0f, 0.0f);
    const QRect expected = QFontMetrics(ScaledFont(ViewFont(), ratio)).tightBoundingRect("60");
    const int h = expected.height(), w = expected.width();
    const QRect area(origin.x(), origin.y() - h * 3 / 2, w * 2, h * 2);
    const QRect text = inkBounds(probe.image, area);
    ASSERT_FALSE(text.isEmpty()) << "no label near " << origin.x() << "," << origin.y();
    const int slack = reach + 1;
    EXPECT_NEAR(text.left(), origin.x() + expected.left(), slack);
    EXPECT_NEAR(text.bottom(), origin.y(), slack) << "digits stand on the baseline";
    EXPECT_NEAR(text.height(), expected.height(), slack);
    EXPECT_NEAR(text.width(), expected.width(), slack);
}

TEST_F(ScreenScaleTest, WideComfortCurveKeepsItsWidthInWindowPixels) {
    openDataSet(writeSampleDataSet());
    Form1->SetActivePage(Form1->TabSheet4);
    Form1->RadioGroup4->SetItemIndex(0);
    GlPanel* chart = Form1->Panel16;
    ASSERT_TRUE(waitFor([&] { return chart->hasContext(); }));
    QTest::qWait(300); // the comfort timer draws the chart
    const PictureProbe probe = probeWithCurrentView(chart);
    EXPECT_EQ(QSize(probe.width, probe.height), DeviceSize(chart));

    // Where the thermal sensation of the sample falls from 70 to 50 (right of chart x
    // 0.7) the curve is steep, and a steep wide line covers CurveWidth x scale device
    // pixels of each row it crosses (a little more where rows overlap): the median of
    // the rows' runs is its width.
    std::vector<int> runs;
    const int left = probe.pixelOf(0.7f, 0, 0).x(), right = probe.pixelOf(1.0f, 0, 0).x();
    for (int y = probe.pixelOf(0, 0.68f, 0).y(); y <= probe.pixelOf(0, 0.52f, 0).y(); ++y) {
        int longest = 0, current = 0;
        for (int x = left; x <= right; ++x) {
            current = isInk(probe.image.pixelColor(x, y)) ? current + 1 : 0;
            longest = std::max(longest, current);
        }
        runs.push_back(longest);
    }
    ASSERT_FALSE(runs.empty());
    std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
    const int width = runs[runs.size() / 2];
    const double ratio = chart->devicePixelRatioF();
    EXPECT_GE(width, std::lround(CurveWidth * ratio));
    EXPECT_LE(width, std::lround(CurveWidth * ratio) + 2);
}

} // namespace
} // namespace tessaplot::test
