#include "support/fieldview_fixture.h"

#include "SampleData.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "gl/GlPanel.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

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

void FieldViewTest::showFabricQuantity(int item) {
    Form1->RadioGroup1->SetItemIndex(item);
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    ASSERT_GT(Form1->PointCount, 0);
    ASSERT_TRUE(waitForRedraw());
}

void FieldViewTest::showPage(QWidget* page, GlPanel* panel) {
    Form1->SetActivePage(page);
    ASSERT_TRUE(waitFor([panel] { return panel->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
}

void FieldViewTest::showComfort() {
    showPage(Form1->TabSheet4, Form1->Panel16);
    Form1->RadioGroup4->SetItemIndex(0);
    ASSERT_TRUE(waitFor([] { return Form1->ComfortCount > 0; }));
    QTest::qWait(50);
}

namespace {

FileIdentity identifyLater(const std::string& path) {
    FileIdentity identity = SystemIdentifyFile(path);
    identity.seenNs += 2'000'000'000;
    return identity;
}

} // namespace

void FieldViewTest::seeFilesAsSettled(bool settled) {
    static const FileSystemCalls calls{nullptr, nullptr, identifyLater};
    SetFileSystemCallsForTesting(settled ? &calls : nullptr);
}

} // namespace tessaplot::test
