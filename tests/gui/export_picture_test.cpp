// Pictures and numbers out of the program: PNG as shown and at print sizes, SVG and PDF
// from the same drawing, CSV of what is shown, and the pictures' context menu.
#include "app/RadioGroup.h"
#include "comfort/ComfortRecord.h"
#include "dataset/Unit4.h"
#include "export/CsvTable.h"
#include "export/ExportMenu.h"
#include "export/ExportTargets.h"
#include "fieldview/FieldMesh.h"
#include "fieldview/FieldViewState.h"
#include "fieldview/FrameGeometry.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"
#include "support/ContextMenu.h"
#include "support/ModalAnswerer.h"
#include "support/fieldview_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QXmlStreamReader>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace tessaplot::test {
namespace {

constexpr int kTemperature = 5;

class ExportTest : public FieldViewTest {
protected:
    void showFabricTemperature() {
        openDataSet(writeSampleDataSet());
        showFabricQuantity(kTemperature);
    }
    QString file(const QString& name) const { return workDir.filePath(name); }
    QByteArray save(GlPanel* panel, const QString& name, PictureFormat format, int scale = 1) {
        QString error;
        EXPECT_TRUE(SavePicture(ExportTargetOf(panel).picture, file(name), format, scale, &error))
            << error.toStdString();
        QFile written(file(name));
        EXPECT_TRUE(written.open(QIODevice::ReadOnly));
        return written.readAll();
    }
    static QString run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
};

struct SvgContent {
    bool wellFormed = false;
    int lines = 0; // line, polyline, polygon and path elements
    QStringList texts;
};

SvgContent readSvg(const QByteArray& bytes) {
    SvgContent svg;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == u"line" || name == u"polyline" || name == u"path" || name == u"polygon")
            ++svg.lines;
        else if (name == u"text")
            svg.texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    svg.wellFormed = !xml.hasError();
    return svg;
}

// Answers the next file dialog with `path` (or cancels it when empty), and OKs message
// boxes, recording their texts.
class FileDialogAnswerer {
public:
    QString path;
    QString offered;
    QStringList messages;
    FileDialogAnswerer() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(5);
    }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text();
            box->button(QMessageBox::Ok)->click();
            return;
        }
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr || !dialog->isVisible())
            return;
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        offered = name != nullptr ? name->text() : QString();
        if (path.isEmpty() || name == nullptr) {
            dialog->reject();
            return;
        }
        name->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    }
    QTimer m_timer;
};

// Runs `inMenu` on the context menu of `panel` once it is up, then closes it.

int svgSegments(const QByteArray& bytes) {
    int segments = 0;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (xml.name() == u"line")
                ++segments;
            else if (xml.name() == u"polyline")
                segments += static_cast<int>(xml.attributes()
                                                 .value(QStringLiteral("points"))
                                                 .trimmed()
                                                 .split(u' ')
                                                 .size()) -
                            1;
        }
    return segments;
}

std::vector<std::vector<float>> readCsv(const QByteArray& bytes, QStringList& header) {
    const QList<QByteArray> lines = bytes.split('\n');
    header = QString::fromUtf8(lines.value(0)).trimmed().split(',');
    std::vector<std::vector<float>> rows;
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        std::vector<float> row;
        for (const QByteArray& field : line.split(','))
            row.push_back(std::strtof(field.constData(), nullptr));
        rows.push_back(row);
    }
    return rows;
}

bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(ExportTest, PngAsShownIsTheFramebufferOnEveryPage) {
    showFabricTemperature();
    const auto expectSame = [&](GlPanel* panel, const char* name) {
        save(panel, name, PictureFormat::Png);
        const QImage shown = panel->grabFramebuffer();
        const QImage written(file(name));
        ASSERT_FALSE(written.isNull()) << name;
        EXPECT_EQ(written.convertToFormat(shown.format()), shown) << name;
    };
    expectSame(Form1->Panel1, "fabric.png");
    showPage(Form1->TabSheet2, Form1->Panel5);
    Form1->RadioGroup2->SetItemIndex(0);
    QTest::mouseClick(Form1->BitBtn4, Qt::LeftButton);
    expectSame(Form1->Panel5, "fibers.png");
    showPage(Form1->TabSheet3, Form1->Panel8);
    Form1->RadioGroup3->SetItemIndex(2);
    QTest::mouseClick(Form1->BitBtn7, Qt::LeftButton);
    expectSame(Form1->Panel8, "body.png");
    showComfort();
    expectSame(Form1->Panel16, "comfort.png");
}

TEST_F(ExportTest, PrintSizesScaleTheSamePictureWithThickerLines) {
    showFabricTemperature();
    Form1->ToolButton6->click(); // a turned view is kept
    const QImage shown = Form1->Panel1->grabFramebuffer();
    const PictureProbe probe = probeWithCurrentView(Form1->Panel1);
    for (int scale : {2, 4}) {
        const QImage big = RenderPicture(ExportTargetOf(Form1->Panel1).picture, scale);
        ASSERT_EQ(big.size(), shown.size() * scale);
        for (const auto& end :
             {QVector3D(1.2f, 0, 0), QVector3D(1, 1.2f, 0), QVector3D(0, 0, 1.2f)}) {
            const QPoint p = probe.pixelOf(end.x(), end.y(), end.z());
            const QPoint q(p.x() * scale + scale / 2, p.y() * scale + scale / 2);
            EXPECT_TRUE(AnyPixelNear(big, q, scale + 1, isBlack)) << scale << " axis end";
        }
        // A line as wide as the scale: the axis from the origin is `scale` pixels across.
        const QPoint mid = probe.pixelOf(0.6f, 0, 0);
        int dark = 0;
        for (int dy = -3 * scale; dy <= 3 * scale; ++dy)
            dark += isBlack(big.pixelColor(mid.x() * scale, mid.y() * scale + dy)) ? 1 : 0;
        EXPECT_GE(dark, scale) << scale;
    }
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), shown) << "the screen is untouched";
    EXPECT_FALSE(Form1->RedrawPending);
}

TEST_F(ExportTest, SvgHoldsEverySegmentAndTheTextsAsText) {
    openDataSet(writeSampleDataSet());
    Form1->RadioGroup1->SetItemIndex(2); // "Evaporation&Condensation Rate(kg/m^3/s^1)"
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    const QByteArray bytes = save(Form1->Panel1, "fabric.svg", PictureFormat::Svg);
    const SvgContent svg = readSvg(bytes);
    ASSERT_TRUE(svg.wellFormed);

    const FrameGeometry frame = BuildFrame(true, true);
    const FieldExtents extents{Form1->TimeMin,      Form1->TimeSpan, Form1->PositionMin,
                               Form1->PositionSpan, Form1->ValueMin, Form1->ValueSpan};
    const FieldMesh mesh =
        BuildFieldMesh(std::span<const FieldPoint>(Form1->FieldPoints.data(),
                                                   static_cast<std::size_t>(Form1->PointCount)),
                       Form1->PositionsPerStep, extents, ColorRamp{}, 0);
    std::vector<unsigned> indices;
    AppendSegmentIndices(mesh, indices);
    EXPECT_GE(svgSegments(bytes),
              static_cast<int>(frame.lines.size() + frame.grid.size() + indices.size() / 2));

    for (const char* title : {"Evaporation&Condensation Rate(kg/m^3/s^1)", "Time (min.)",
                              "Thickness (cm)", "X", "Y", "Z"})
        EXPECT_TRUE(svg.texts.contains(title)) << title;
    for (const auto* table :
         {&Form1->TimeTickLabels, &Form1->PositionTickLabels, &Form1->ValueTickLabels})
        for (const std::string& label : *table)
            EXPECT_TRUE(svg.texts.contains(QString::fromStdString(label))) << label;
}

TEST_F(ExportTest, PdfHasSearchableTextAndTheFrameWhereTheScreenHasIt) {
    openDataSet(writeSampleDataSet());
    showComfort();
    const QByteArray comfort = save(Form1->Panel16, "comfort.pdf", PictureFormat::Pdf);
    ASSERT_TRUE(comfort.startsWith("%PDF"));
    const QString comfortText = run("pdftotext", {file("comfort.pdf"), "-"});
    for (const char* text : {"Thermal Sensation", "Cold", "Cool", "Neutral", "Warm", "Hot",
                             "Time (min.)", "Sensation(0~100)", "100"})
        EXPECT_TRUE(comfortText.contains(text)) << text;

    showPage(Form1->TabSheet1, Form1->Panel1);
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    Form1->ToolButton3->click();
    save(Form1->Panel1, "fabric.pdf", PictureFormat::Pdf);
    const QString text = run("pdftotext", {file("fabric.pdf"), "-"});
    for (const char* title : {"Temperature(degree of C)", "Time (min.)", "Thickness (cm)"})
        EXPECT_TRUE(text.contains(title)) << title;
    EXPECT_TRUE(text.contains(QString::fromStdString(Form1->TimeTickLabels[5])));

    // At 72 dpi one point of the page is one pixel of the panel.
    run("pdftoppm", {"-png", "-r", "72", "-singlefile", file("fabric.pdf"), file("fabric-pdf")});
    const QImage raster(file("fabric-pdf.png"));
    ASSERT_EQ(raster.size(), Form1->Panel1->grabFramebuffer().size());
    const PictureProbe probe = probeWithCurrentView(Form1->Panel1);
    for (const auto& end : {QVector3D(1.2f, 0, 0), QVector3D(1, 1.2f, 0), QVector3D(0, 0, 1.2f),
                            QVector3D(0.6f, 0, 0)})
        EXPECT_TRUE(AnyPixelNear(raster, probe.pixelOf(end.x(), end.y(), end.z()), 3,
                                 [](QColor c) { return c.lightness() < 110; }))
            << end.x() << " " << end.y() << " " << end.z();
}

TEST_F(ExportTest, CsvIsWhatIsShownBitForBitWhateverTheLocale) {
    QLocale::setDefault(QLocale(QLocale::German));
    showFabricTemperature();
    const ExportTarget fabric = ExportTargetOf(Form1->Panel1);
    QStringList header;
    const auto rows =
        readCsv(QByteArray::fromStdString(CsvTable(fabric.header, fabric.columns)), header);
    EXPECT_EQ(header, (QStringList{"Time (min.)", "Thickness (cm)", "Temperature(degree of C)"}));
    ASSERT_EQ(static_cast<int>(rows.size()), Form1->PointCount);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 3u);
        ASSERT_TRUE(sameBits(rows[i][0], Form1->FieldPoints[i].Time)) << i;
        ASSERT_TRUE(sameBits(rows[i][1], Form1->FieldPoints[i].Position)) << i;
        ASSERT_TRUE(sameBits(rows[i][2], Form1->FieldPoints[i].Value)) << i;
    }

    showComfort();
    const ExportTarget comfort = ExportTargetOf(Form1->Panel16);
    const auto comfortRows =
        readCsv(QByteArray::fromStdString(CsvTable(comfort.header, comfort.columns)), header);
    EXPECT_EQ(header, (QStringList{"Time (min.)", "Thermal Sensation", "Dampness Sensation",
                                   "Comfort Value"}));
    ASSERT_EQ(static_cast<int>(comfortRows.size()), Form1->ComfortCount);
    for (std::size_t i = 0; i < comfortRows.size(); ++i) {
        const ComfortRecord& r = Form1->ComfortRecords[i];
        ASSERT_TRUE(sameBits(comfortRows[i][0], r.Time) &&
                    sameBits(comfortRows[i][1], r.ThermalSensation) &&
                    sameBits(comfortRows[i][2], r.DampnessSensation) &&
                    sameBits(comfortRows[i][3], r.ComfortValue))
            << i;
    }
    QLocale::setDefault(QLocale::c());
}

TEST_F(ExportTest, ContextMenuSavesCopiesAndExportsAndChangesNothingElse) {
    showFabricTemperature();
    Form1->RadioGroup1->SetItemIndex(3); // chosen, not shown
    Form1->ComboBox2->setCurrentIndex(2);
    const QImage shown = Form1->Panel1->grabFramebuffer();

    QStringList actions;
    WithContextMenu(Form1->Panel1, [&](QMenu* menu) {
        for (QAction* action : menu->actions())
            actions << action->text();
    });
    // The export items first; the items that read numbers off the picture after them.
    EXPECT_EQ(actions, (QStringList{"Save Picture As…", "Copy Picture", "Export Data As CSV…",
                                    "Copy Command Line", "", "Show Colour Key", "Fix Colour Range…",
                                    "Automatic Colour Range", "", "Mark This Time…",
                                    "Clear Time Mark", "", "Difference From"}));
    QTest::qWait(30);
    EXPECT_FALSE(Form1->RedrawPending);
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), shown);
    EXPECT_EQ(Form1->ComboBox2->currentIndex(), 2);
    EXPECT_EQ(Form1->DataColumn, kTemperature + 3);

    FileDialogAnswerer answerer;
    answerer.path = file("chosen.pdf");
    WithContextMenu(Form1->Panel1, [](QMenu* menu) { ChooseMenuItem(menu, "Save Picture As…"); });
    EXPECT_EQ(answerer.offered, "sample-run_Fabric_layer1_Temperature.png");
    QFile pdf(file("chosen.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
    EXPECT_TRUE(run("pdftotext", {file("chosen.pdf"), "-"}).contains("Temperature(degree of C)"))
        << "the shown variable, not the one chosen since";

    answerer.path = file("data.csv");
    WithContextMenu(Form1->Panel1,
                    [](QMenu* menu) { ChooseMenuItem(menu, "Export Data As CSV…"); });
    EXPECT_EQ(answerer.offered, "sample-run_Fabric_layer1_Temperature.csv");
    QFile csv(file("data.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    QStringList header;
    EXPECT_EQ(static_cast<int>(readCsv(csv.readAll(), header).size()), Form1->PointCount);

    WithContextMenu(Form1->Panel1, [](QMenu* menu) { ChooseMenuItem(menu, "Copy Picture"); });
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(shown.format()), shown);

    // A write that fails says so once and leaves nothing behind.
    answerer.path = file("missing-dir/picture.png");
    WithContextMenu(Form1->Panel1, [](QMenu* menu) { ChooseMenuItem(menu, "Save Picture As…"); });
    ASSERT_EQ(answerer.messages.size(), 1);
    EXPECT_TRUE(answerer.messages.front().startsWith("The picture could not be saved as "));
    EXPECT_TRUE(answerer.messages.front().contains("missing-dir"));
    EXPECT_FALSE(QFileInfo::exists(file("missing-dir")));

    EXPECT_FALSE(Form1->RedrawPending);
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), shown);
    EXPECT_EQ(Form1->ComboBox2->currentIndex(), 2);
}

TEST_F(ExportTest, TwoDWindowSavesEveryFormatAndItsPoints) {
    showFabricTemperature();
    Form1->RadioButton1->click(); // TimePos
    Form1->ComboBox1->setEditText("60");
    ModalAnswerer answerer;
    bool done = false;
    QImage shown;
    answerer.onDialog = [&](QWidget* modal) {
        if (modal != Form3 || done || !Form3->ImageDC->hasContext() || Form1->RedrawPending)
            return;
        done = true;
        shown = Form3->ImageDC->grabFramebuffer();
        for (const char* name : {"section.png", "section.svg", "section.pdf"}) {
            QString error;
            EXPECT_TRUE(Form3->SaveImage(file(name), &error)) << error.toStdString();
        }
        const ExportTarget target = ExportTargetOf(Form3->ImageDC);
        EXPECT_EQ(target.header,
                  (std::vector<std::string>{"SposePos(m)", "Temperature(degree of C)"}));
        ASSERT_EQ(target.columns[0].size(), 6u);
        Form3->BitBtn2->click();
    };
    QTest::mouseClick(Form1->BitBtn3, Qt::LeftButton);
    ASSERT_TRUE(done);
    EXPECT_EQ(QImage(file("section.png")).convertToFormat(shown.format()), shown);
    QFile svgFile(file("section.svg"));
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    const SvgContent svg = readSvg(svgFile.readAll());
    EXPECT_TRUE(svg.wellFormed);
    EXPECT_TRUE(svg.texts.contains("SposePos(m)"));
    EXPECT_TRUE(run("pdftotext", {file("section.pdf"), "-"}).contains("Temperature(degree of C)"));
}

} // namespace
} // namespace tessaplot::test
