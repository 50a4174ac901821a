// The BodyComfort page: the chart, the conclusions and the live refresh.
#include "SampleData.h"
#include "app/RadioGroup.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "gl/GlPanel.h"
#include "support/Forms.h"
#include "support/ModalAnswerer.h"
#include "support/PictureProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <array>
#include <cmath>
#include <fstream>
#include <vector>

namespace tessaplot::test {
namespace {

namespace fs = std::filesystem;

// Time, thermal, dampness, comfort.
using Row = std::array<float, 4>;

// Six records whose conclusions are worked out by hand below for every quantity.
const std::vector<Row> kSixRows = {
    {10, 23, 10, 30},  {20, 23.5f, 30, 78}, {30, 45, 60, 79},
    {40, 55, 80, 120}, {50, 73, 20, 10},    {60, 73.01f, 90, 50},
};

std::string comfortText(const std::vector<Row>& rows) {
    std::string text;
    for (const Row& row : rows) {
        char line[200];
        std::snprintf(line, sizeof line, "%g\t1\t2\t3\t4\t5\t6\t%g\t%g\t%g\n", row[0], row[1],
                      row[2], row[3]);
        text += line;
    }
    return text;
}

void writeFile(const fs::path& file, const std::string& text, bool append = false) {
    std::ofstream(file, std::ios::binary | (append ? std::ios::app : std::ios::trunc)) << text;
}

QString caption(int labelNumber) {
    return Form1->findChild<QLabel*>(QStringLiteral("Label%1").arg(labelNumber))->text();
}

QStringList conclusionValues() {
    QStringList values;
    for (int n = 15; n <= 22; ++n)
        values << caption(n);
    return values;
}

bool allConclusionsEmpty() {
    for (int n = 15; n <= 26; ++n)
        if (!caption(n).isEmpty())
            return false;
    return true;
}

QMatrix4x4 chartMvp(GlPanel* panel) {
    QMatrix4x4 view;
    view.translate(-0.75f, -0.6f, 0.0f);
    return ExpectedProjection(panel->width(), panel->height(), 0.95f) * view;
}

// Answers message boxes like a slow user: each stays open long enough for many ticks to
// arrive meanwhile. Records every box once and the most ever open at the same time.
class SlowAnswerer : public QObject {
public:
    explicit SlowAnswerer(int openMs = 150) : m_openMs(openMs) {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(5);
    }
    QStringList texts;
    int mostOpenAtOnce = 0;

private:
    void poll() {
        int open = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(widget) != nullptr && widget->isVisible())
                ++open;
        mostOpenAtOnce = std::max(mostOpenAtOnce, open);
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        if (box != m_current) {
            m_current = box;
            texts << box->text();
            m_since.start();
        } else if (m_since.elapsed() >= m_openMs) {
            m_current = nullptr;
            box->button(QMessageBox::Ok)->click();
        }
    }
    int m_openMs;
    QTimer m_timer;
    QMessageBox* m_current = nullptr;
    QElapsedTimer m_since;
};

class ComfortPageTest : public FormsTest {
protected:
    // Writes a sample data set into `name` under the temporary directory and opens it.
    fs::path openDataSet(const QString& name = QStringLiteral("run")) {
        const fs::path dir = fs::path(workDir.path().toStdString()) / name.toStdString();
        sample::DataSetOptions options;
        options.comfortLines = 40;
        std::string error;
        EXPECT_TRUE(sample::WriteDataSet(dir, options, &error)) << error;
        Form4->DirectoryListBox1->SetDirectory(QString::fromStdString(dir.string()));
        Form4->Button1Click();
        return dir;
    }

    void showComfortPage() {
        Form1->SetActivePage(Form1->TabSheet4);
        ASSERT_TRUE(waitFor([] { return Form1->Panel16->hasContext(); }));
    }

    static void select(int item) { Form1->RadioGroup4->Button(item)->click(); }
};

// The chart's y at x along the curve through `rows` of `quantity` (end time 60).
float curveY(const std::vector<Row>& rows, int quantity, float x) {
    for (size_t i = 1; i < rows.size(); ++i) {
        const float x0 = rows[i - 1][0] / 60.0f, x1 = rows[i][0] / 60.0f;
        if (x <= x1) {
            const float y0 = std::min(rows[i - 1][quantity + 1] / 100.0f, 0.984f);
            const float y1 = std::min(rows[i][quantity + 1] / 100.0f, 0.984f);
            return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
        }
    }
    return std::min(rows.back()[quantity + 1] / 100.0f, 0.984f);
}

struct StripeProbe {
    float y0, y1;
    QColor bottom, top;
};

QColor rgb(float r, float g, float b) {
    return QColor::fromRgbF(r, g, b);
}

const std::vector<StripeProbe> kStripes[3] = {
    {{0.0f, 0.23f, rgb(0, 0, 1), rgb(0, 0.9f, 1)},
     {0.23f, 0.45f, rgb(0, 1, 1), rgb(0.7f, 1, 1)},
     {0.45f, 0.55f, rgb(0.7f, 1, 0.7f), rgb(0.5f, 1, 0.5f)},
     {0.55f, 0.73f, rgb(1, 1, 0.7f), rgb(1, 1, 0)},
     {0.73f, 1.0f, rgb(1, 0.8f, 0.5f), rgb(1, 0, 0)}},
    {{0.0f, 0.22f, rgb(1, 0, 0), rgb(1, 0.5f, 0.5f)},
     {0.22f, 0.47f, rgb(1, 1, 0), rgb(1, 1, 0.7f)},
     {0.47f, 0.7f, rgb(0.9f, 1, 1), rgb(0, 1, 1)},
     {0.7f, 1.0f, rgb(0, 0.9f, 1), rgb(0, 0, 1)}},
    {{0.0f, 0.3f, rgb(0, 0, 1), rgb(0, 0.9f, 1)},
     {0.3f, 0.78f, rgb(0.8f, 1, 0.8f), rgb(0.5f, 1, 0.2f)},
     {0.78f, 1.0f, rgb(1, 0.8f, 0.5f), rgb(1, 0, 0)}},
};

bool nearColour(const QColor& seen, const QColor& expected, int tolerance = 12) {
    return std::abs(seen.red() - expected.red()) <= tolerance &&
           std::abs(seen.green() - expected.green()) <= tolerance &&
           std::abs(seen.blue() - expected.blue()) <= tolerance;
}

QColor mix(const QColor& a, const QColor& b, float t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// Each stripe near its bottom and near its top edge shows its colours, shaded between
// them, wherever the curve is not.
void expectStripes(const PictureProbe& probe, int quantity, const std::vector<Row>& rows) {
    for (const StripeProbe& stripe : kStripes[quantity]) {
        for (const float t : {0.1f, 0.9f}) {
            const float y = stripe.y0 + t * (stripe.y1 - stripe.y0);
            float x = -1;
            for (const float candidate : {0.15f, 0.3f, 0.45f, 0.6f, 0.75f, 0.9f})
                if (std::abs(curveY(rows, quantity, candidate) - y) > 0.05f) {
                    x = candidate;
                    break;
                }
            ASSERT_GE(x, 0.0f);
            const QColor seen = probe.colorAt(probe.pixelOf(x, y, 0));
            const QColor expected = mix(stripe.bottom, stripe.top, t);
            EXPECT_TRUE(nearColour(seen, expected))
                << "quantity " << quantity << " at (" << x << ", " << y << "): seen "
                << seen.name().toStdString() << ", expected " << expected.name().toStdString();
        }
    }
}

const auto black = [](const QColor& c) { return isBlack(c); };

TEST_F(ComfortPageTest, EachQuantityDrawsItsStripesCurveAndConclusions) {
    const fs::path dir = openDataSet();
    writeFile(dir / "Comfort.dat", comfortText(kSixRows));
    ModalAnswerer answerer;
    showComfortPage();

    const QStringList expected[3] = {
        {"60 min.", "60 min.", "10 min.", "Hot    17%", "Warm    17%", "Neutral    17%",
         "Cool    33%", "Cold    17%"},
        {"60 min.", "60 min.", "10 min.", "Very Damp    33%", "Damp    17%", "Slightly Damp    17%",
         "Dry    33%", ""},
        {"60 min.", "40 min.", "50 min.", "Uncomfortable    33%", "Acceptable    33%",
         "Comfortable    33%", "", ""},
    };
    const char* words[3] = {"thermal", "dampness", "comfort"};
    for (int quantity = 0; quantity < 3; ++quantity) {
        SCOPED_TRACE(words[quantity]);
        select(quantity);
        ASSERT_TRUE(waitFor([&] { return conclusionValues() == expected[quantity]; }))
            << conclusionValues().join(" | ").toStdString();
        EXPECT_EQ(caption(24), "The whole time of wearing clothing:  ");
        EXPECT_EQ(caption(25), QStringLiteral("The highest %1 sensation:  ").arg(words[quantity]));
        EXPECT_EQ(caption(26), QStringLiteral("The lowest %1 sensation:  ").arg(words[quantity]));
        EXPECT_EQ(caption(23),
                  QStringLiteral("The percentage of %1 sensation:").arg(words[quantity]));
        runEventsFor(30); // a few more ticks: the picture is the selected quantity's

        GlPanel* panel = Form1->Panel16;
        const PictureProbe probe(panel, chartMvp(panel));
        expectStripes(probe, quantity, kSixRows);
        // The curve is black over the stripes, through every record and between them.
        for (size_t i = 0; i + 1 < kSixRows.size(); ++i) {
            const float x = kSixRows[i][0] / 60.0f;
            const float y = std::min(kSixRows[i][quantity + 1] / 100.0f, 0.984f);
            EXPECT_TRUE(probe.anyNear(probe.pixelOf(x, y, 0), 1, black)) << "record " << i;
            const float xm = x + 1.0f / 12.0f;
            EXPECT_TRUE(
                probe.anyNear(probe.pixelOf(xm, curveY(kSixRows, quantity, xm), 0), 2, black))
                << "after record " << i;
        }
        // The last record lies at x = 0.99, not on the right edge.
        const float lastY = kSixRows.back()[quantity + 1] / 100.0f;
        EXPECT_TRUE(probe.anyNear(probe.pixelOf(0.99f, lastY, 0), 1, black));
        // Title and band names are black text outside the plot area.
        EXPECT_TRUE(probe.anyNear(probe.pixelOf(0.45f, 1.31f, 0), 8, black));
        const float firstNameY[3] = {0.1f, 0.1f, 0.14f};
        EXPECT_TRUE(probe.anyNear(probe.pixelOf(1.05f, firstNameY[quantity] + 0.02f, 0), 6, black));
    }
    // Comfort 120 at 40 minutes is drawn at 0.984, just under the top of the plot area.
    GlPanel* panel = Form1->Panel16;
    const PictureProbe probe(panel, chartMvp(panel));
    EXPECT_TRUE(probe.anyNear(probe.pixelOf(40.0f / 60.0f, 0.984f, 0), 1, black));
    EXPECT_TRUE(isWhite(probe.colorAt(probe.pixelOf(40.0f / 60.0f, 1.03f, 0))));
    EXPECT_EQ(Form1->ComfortCount, 6);
    EXPECT_EQ(Form1->ComfortEndTime, 60.0f);
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
}

TEST_F(ComfortPageTest, NoDataSetShowsNoFilesOnceAndAnEmptyChart) {
    SlowAnswerer answerer;
    showComfortPage();
    EXPECT_TRUE(Form1->Label14->text().isEmpty());
    select(2);
    runEventsFor(600);
    EXPECT_EQ(answerer.texts, QStringList{"No files!"});
    EXPECT_EQ(answerer.mostOpenAtOnce, 1);
    EXPECT_EQ(Form1->ComfortCount, 0);
    EXPECT_TRUE(allConclusionsEmpty());

    // Frame, stripes and band names; no curve inside the plot area.
    GlPanel* panel = Form1->Panel16;
    const PictureProbe probe(panel, chartMvp(panel));
    expectStripes(probe, 2, {{0, -50, -50, -50}, {60, -50, -50, -50}});
    EXPECT_TRUE(probe.anyNear(probe.pixelOf(0.5f, 0.0f, 0), 1, black)) << "time axis";
    EXPECT_TRUE(probe.anyNear(probe.pixelOf(0.0f, 0.5f, 0), 1, black)) << "value axis";
    EXPECT_TRUE(probe.anyNear(probe.pixelOf(1.08f, 0.87f, 0), 8, black)) << "Uncomfortable";
    for (int i = 1; i < 20; ++i)
        for (int j = 1; j < 20; ++j)
            ASSERT_FALSE(isBlack(probe.colorAt(probe.pixelOf(0.05f * i, 0.05f * j, 0))))
                << "curve pixel at (" << 0.05f * i << ", " << 0.05f * j << ")";
}

TEST_F(ComfortPageTest, MissingFileIsToldOnceThenFollowedQuietlyUntilItAppears) {
    const fs::path dir = openDataSet();
    fs::remove(dir / "Comfort.dat");
    SlowAnswerer answerer;
    showComfortPage();
    select(0);
    runEventsFor(600);
    EXPECT_EQ(answerer.texts, QStringList{"No files!"});
    EXPECT_EQ(answerer.mostOpenAtOnce, 1);

    // The file appears: the chart follows without any further message.
    writeFile(dir / "Comfort.dat", comfortText(kSixRows));
    ASSERT_TRUE(waitFor([] { return caption(18) == "Hot    17%"; }));
    EXPECT_EQ(Form1->ComfortCount, 6);

    // Gone again while the same quantity stays selected: quiet, and nothing left shown.
    fs::remove(dir / "Comfort.dat");
    ASSERT_TRUE(waitFor([] { return Form1->ComfortCount == 0 && allConclusionsEmpty(); }));
    runEventsFor(200);
    EXPECT_EQ(answerer.texts.size(), 1);

    // A new selection may tell it once more, and once only.
    select(1);
    runEventsFor(600);
    EXPECT_EQ(answerer.texts, QStringList({"No files!", "No files!"}));
    EXPECT_EQ(answerer.mostOpenAtOnce, 1);
}

TEST_F(ComfortPageTest, AFileThatIsNoTableIsNamedOnceWithTheReason) {
    const fs::path dir = openDataSet();
    fs::resize_file(dir / "Comfort.dat", 0);
    fs::resize_file(dir / "Comfort.dat", std::uintmax_t{100} << 20); // zeros, no line end
    SlowAnswerer answerer;
    showComfortPage();
    select(0);
    runEventsFor(600);
    EXPECT_EQ(answerer.texts,
              QStringList{Form1->Label14->text() +
                          " is not a result table: no line end in its first 64 MB."});
    EXPECT_EQ(Form1->ComfortCount, 0);

    // Written properly at last: followed without a further message.
    writeFile(dir / "Comfort.dat", comfortText(kSixRows));
    ASSERT_TRUE(waitFor([] { return Form1->ComfortCount == 6; }));
    EXPECT_EQ(answerer.texts.size(), 1);
}

TEST_F(ComfortPageTest, GrowingFileIsFollowedAtTheNextTicks) {
    const fs::path dir = openDataSet();
    const fs::path file = dir / "Comfort.dat";
    writeFile(file, comfortText({kSixRows.begin(), kSixRows.begin() + 3}));
    ModalAnswerer answerer;
    showComfortPage();
    select(0);
    ASSERT_TRUE(waitFor([] { return caption(15) == "30 min."; }));
    EXPECT_EQ(caption(18), "Hot    0%");

    writeFile(file, comfortText({kSixRows.begin() + 3, kSixRows.end()}), true);
    ASSERT_TRUE(waitFor([] { return caption(15) == "60 min."; }));
    EXPECT_EQ(Form1->ComfortCount, 6);
    EXPECT_EQ(Form1->ComfortEndTime, 60.0f);
    EXPECT_EQ(caption(18), "Hot    17%");

    // A line still being written is not taken until its line feed arrives.
    writeFile(file, "70\t1\t2\t3\t4\t5\t6\t99\t9", true);
    runEventsFor(100);
    EXPECT_EQ(Form1->ComfortCount, 6);
    writeFile(file, "9\t99\n", true);
    ASSERT_TRUE(waitFor([] { return caption(15) == "70 min."; }));
    EXPECT_EQ(Form1->ComfortRecords[6].ComfortValue, 99.0f);
    EXPECT_TRUE(answerer.texts.isEmpty());
}

TEST_F(ComfortPageTest, ALargeFileIsReadOverSeveralTicksAndShownWhenWhole) {
    const fs::path dir = openDataSet();
    const fs::path file = dir / "Comfort.dat";
    writeFile(file, comfortText(kSixRows));
    ModalAnswerer answerer;
    showComfortPage();
    select(0);
    ASSERT_TRUE(waitFor([] { return caption(15) == "60 min."; }));

    // Some 18 MB more: far more than one tick converts.
    constexpr int kAdded = 600000;
    std::vector<Row> added(kAdded);
    for (int i = 0; i < kAdded; ++i)
        added[i] = {60.0f + static_cast<float>(i + 1), 40, 50, 60};
    writeFile(file, comfortText(added), true);
    Form1->Timer2Timer();
    EXPECT_TRUE(Form1->ComfortReadPending());
    EXPECT_EQ(Form1->ComfortCount, 6) << "the chart stays on the last whole read";

    // Events go on between the ticks that read, and nothing half-read is ever shown.
    int eventsBetween = 0;
    QTimer otherEvents;
    QObject::connect(&otherEvents, &QTimer::timeout, [&] { ++eventsBetween; });
    otherEvents.start(1);
    QElapsedTimer clock;
    clock.start();
    long long longestTick = 0;
    int ticks = 1;
    while (Form1->ComfortReadPending() && clock.elapsed() < 60000) {
        const int count = Form1->ComfortCount;
        QElapsedTimer tick;
        tick.start();
        Form1->Timer2Timer();
        longestTick = std::max(longestTick, static_cast<long long>(tick.elapsed()));
        ++ticks;
        if (Form1->ComfortReadPending()) {
            ASSERT_EQ(Form1->ComfortCount, count);
        }
        QCoreApplication::processEvents();
    }
    std::printf("read over %d ticks, the longest %lld ms\n", ticks, longestTick);
    ASSERT_FALSE(Form1->ComfortReadPending());
    EXPECT_GT(ticks, 2);
    EXPECT_GT(eventsBetween, 0);
    EXPECT_EQ(Form1->ComfortCount, 6 + kAdded);
    EXPECT_EQ(Form1->ComfortEndTime, 60.0f + kAdded);
    ASSERT_TRUE(waitFor([] { return caption(15) == "600060 min."; })) << caption(15).toStdString();
    EXPECT_TRUE(answerer.texts.isEmpty());
}

TEST_F(ComfortPageTest, OtherPagesStopTheRefreshAndOpenClearsTheSelection) {
    const fs::path dir = openDataSet();
    const fs::path file = dir / "Comfort.dat";
    writeFile(file, comfortText(kSixRows));
    ModalAnswerer answerer;
    showComfortPage();
    select(0);
    ASSERT_TRUE(waitFor([] { return Form1->ComfortCount == 6; }));

    // On the Fabric page nothing is read or drawn for the comfort chart: the file grows
    // unseen and the Fabric panel keeps its own picture.
    Form1->SetActivePage(Form1->TabSheet1);
    ASSERT_TRUE(waitForRedraw());
    ASSERT_TRUE(waitFor([] { return !Form1->Timer2->isActive(); }));
    const QImage fabric = Form1->Panel1->grabFramebuffer();
    writeFile(file, comfortText({{70, 50, 50, 50}}), true);
    runEventsFor(150);
    EXPECT_EQ(Form1->ComfortCount, 6);
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), fabric);

    // Back on the page the refresh resumes with the grown file.
    showComfortPage();
    EXPECT_TRUE(Form1->Timer2->isActive());
    ASSERT_TRUE(waitFor([] { return Form1->ComfortCount == 7; }));

    // Opening a data set clears the selection and shows the Fabric page; back on the
    // comfort page nothing is refreshed until a quantity is chosen again.
    const fs::path other = openDataSet(QStringLiteral("other"));
    EXPECT_EQ(Form1->RadioGroup4->ItemIndex(), -1);
    EXPECT_EQ(Form1->ActivePage(), Form1->TabSheet1);
    writeFile(other / "Comfort.dat", comfortText({{5, 50, 50, 50}, {15, 50, 50, 50}}));
    showComfortPage();
    runEventsFor(100);
    EXPECT_EQ(Form1->ComfortCount, 7);
    select(1);
    ASSERT_TRUE(waitFor([] { return Form1->ComfortCount == 2; }));
    EXPECT_TRUE(waitFor([] { return caption(15) == "15 min."; }));
    EXPECT_TRUE(answerer.texts.isEmpty());
}

TEST_F(ComfortPageTest, ChartComesBackAfterAnotherDrawIntoItsPanel) {
    const fs::path dir = openDataSet();
    writeFile(dir / "Comfort.dat", comfortText(kSixRows));
    ModalAnswerer answerer;
    showComfortPage();
    select(0);
    ASSERT_TRUE(waitFor([] { return caption(18) == "Hot    17%"; }));
    runEventsFor(50);

    // The deferred redraw clears the shown surface and draws only the frame there; the
    // file has not changed, yet the next ticks must draw the chart again.
    for (int round = 0; round < 3; ++round) {
        Form1->RedrawPending = true;
        ASSERT_TRUE(waitForRedraw());
        runEventsFor(40);
        GlPanel* panel = Form1->Panel16;
        const PictureProbe probe(panel, chartMvp(panel));
        expectStripes(probe, 0, kSixRows);
        EXPECT_TRUE(probe.anyNear(probe.pixelOf(0.5f, 0.45f, 0), 1, black));
    }
}

TEST_F(ComfortPageTest, EmptyFileDrawsTheChartWithoutCurveOrConclusions) {
    const fs::path dir = openDataSet();
    writeFile(dir / "Comfort.dat", comfortText(kSixRows));
    ModalAnswerer answerer;
    showComfortPage();
    select(1);
    ASSERT_TRUE(waitFor([] { return caption(15) == "60 min."; }));

    // Only a partial line: no records, and nothing of the previous read stays shown.
    writeFile(dir / "Comfort.dat", "10\t1\t2\t3\t4\t5\t6\t7\t8\t9");
    ASSERT_TRUE(waitFor([] { return allConclusionsEmpty(); }));
    runEventsFor(30);
    EXPECT_EQ(Form1->ComfortCount, 0);
    GlPanel* panel = Form1->Panel16;
    const PictureProbe probe(panel, chartMvp(panel));
    expectStripes(probe, 1, {{0, -50, -50, -50}, {60, -50, -50, -50}});
    for (int i = 1; i < 20; ++i)
        for (int j = 1; j < 20; ++j)
            ASSERT_FALSE(isBlack(probe.colorAt(probe.pixelOf(0.05f * i, 0.05f * j, 0))));
    EXPECT_TRUE(answerer.texts.isEmpty());
}

} // namespace
} // namespace tessaplot::test
