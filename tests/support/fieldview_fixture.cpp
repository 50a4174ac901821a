#include "support/fieldview_fixture.h"

#include "SampleData.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "gl/GlPanel.h"

#include <QDir>

#include <cstdio>
#include <string>

namespace tessaplot::test {

QString FieldViewTest::writeFabrics(int steps, const std::function<double(int, int)>& value) {
    std::string table;
    char line[256];
    for (int k = 0; k < steps; ++k)
        for (int node = 0; node < 6; ++node) {
            std::snprintf(line, sizeof line,
                          "%d\t%g\t1\t1.2E-02\t1.1E-02\t0\t55\t1E-05\t%.9g\t0.5\n", 6 * k,
                          0.05 * node, value(k, node));
            table += line;
        }
    const QString directory = dataDir.filePath(QStringLiteral("fabric-run"));
    EXPECT_TRUE(QDir().mkpath(directory));
    EXPECT_TRUE(sample::WriteTextFile(
        std::filesystem::path(directory.toStdString()) / "Fabrics.dat", table));
    return directory;
}

QString FieldViewTest::writeSampleDataSet() {
    const QString directory = dataDir.filePath(QStringLiteral("sample-run"));
    EXPECT_TRUE(sample::WriteDataSet(directory.toStdString(), sample::DataSetOptions{}));
    return directory;
}

void FieldViewTest::openDataSet(const QString& directory) {
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(directory));
    Form4->Button1Click();
    ASSERT_NE(Form1->Label2->text(), "None");
    ASSERT_TRUE(waitFor([] { return Form1->Panel1->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
}

PictureProbe FieldViewTest::probeOf(GlPanel* panel, bool threeD) {
    return PictureProbe(panel, ExpectedProjection(panel->width(), panel->height(), 1.15f) *
                                   ExpectedInitialView(threeD));
}

PictureProbe FieldViewTest::probeWithCurrentView(GlPanel* panel) {
    return PictureProbe(panel, CurrentProjection(panel) * CurrentModelView(panel));
}

bool FieldViewTest::colorNear(const PictureProbe& probe, float x, float y, float z, QColor expected,
                              int radius, int tolerance) {
    return probe.anyNear(probe.pixelOf(x, y, z), radius, [&](const QColor& c) {
        return qAbs(c.red() - expected.red()) <= tolerance &&
               qAbs(c.green() - expected.green()) <= tolerance &&
               qAbs(c.blue() - expected.blue()) <= tolerance;
    });
}

} // namespace tessaplot::test
