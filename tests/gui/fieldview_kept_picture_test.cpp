// A redraw of an unchanged table draws what it kept, and the 3D mesh is thinned to what
// the screen can show: both give the picture of the whole work.
#include "app/RadioGroup.h"
#include "fieldview/FieldViewState.h"
#include "gl/DrawReduction.h"
#include "gl/GlPanel.h"
#include "platform/FileSystem.h"
#include "support/FileOpenCounter.h"
#include "support/fieldview_fixture.h"

#include "SampleData.h"

#include <QToolButton>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace tessaplot::test {
namespace {

namespace fs = std::filesystem;

// Pixels whose colours differ in any channel by more than `tolerance`.
int differingPixels(const QImage& a, const QImage& b, int tolerance) {
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

struct View {
    const char* name;
    std::function<void()> reach; // from the initial view
};

const View kViews[] = {
    {"initial", [] {}},
    {"9 x Left",
     [] {
         for (int i = 0; i < 9; ++i)
             Form1->ToolButton6Click();
     }},
    {"3 x Up",
     [] {
         for (int i = 0; i < 3; ++i)
             Form1->ToolButton3Click();
     }},
    {"3 x Large",
     [] {
         for (int i = 0; i < 3; ++i)
             Form1->ToolButton8Click();
     }},
    {"3 x Small",
     [] {
         for (int i = 0; i < 3; ++i)
             Form1->ToolButton7Click();
     }},
};

class KeptPictureTest : public FieldViewTest {
protected:
    void SetUp() override {
        FieldViewTest::SetUp();
        seeFilesAsSettled(true);
    }
    void TearDown() override {
        seeFilesAsSettled(false);
        SetDrawReduction(true);
        FieldViewTest::TearDown();
    }

    // A generated run whose Fabric layer holds `steps` x 6 records, its temperature shown.
    fs::path showGeneratedFabric(int steps) {
        sample::DataSetOptions options;
        options.timeSteps = steps;
        options.durationMinutes = steps * 0.5;
        options.fiberFiles = 0;
        options.comfortLines = 10;
        const fs::path dir = fs::path(dataDir.path().toStdString()) / "run";
        EXPECT_TRUE(sample::WriteDataSet(dir, options));
        openDataSet(QString::fromStdString(dir.string()));
        Form1->RadioGroup1->SetItemIndex(5);
        Form1->BitBtn1Click();
        EXPECT_EQ(Form1->PointCount, steps * 6);
        return dir;
    }

    // The Fabric picture drawn again in the current view, with or without thinning.
    static QImage redrawn(bool reduced) {
        SetDrawReduction(reduced);
        DrawFieldPage(*Form1);
        SetDrawReduction(true);
        return Form1->Panel1->grabFramebuffer();
    }

    // Through each view from the initial one: the thinned picture against the whole.
    void compareInEveryView(int tolerance, int allowedPixels) {
        for (const View& view : kViews) {
            Form1->ToolButton1Click(); // the initial view
            view.reach();
            const QImage thinned = redrawn(true);
            const QImage whole = redrawn(false);
            // For a person to look at: TESSAPLOT_PICTURE_DIR=/some/dir keeps both.
            if (const QString dir = qEnvironmentVariable("TESSAPLOT_PICTURE_DIR"); !dir.isEmpty()) {
                const QString stem = QStringLiteral("%1/%2-%3-")
                                         .arg(dir)
                                         .arg(Form1->PointCount)
                                         .arg(QString::fromLatin1(view.name).replace(' ', '_'));
                thinned.save(stem + "thinned.png");
                whole.save(stem + "whole.png");
            }
            EXPECT_LE(differingPixels(thinned, whole, tolerance), allowedPixels) << view.name;
        }
    }
};

TEST_F(KeptPictureTest, StepsOnAnUnchangedTableReadNothingAndDrawTheFreshPicture) {
    const fs::path dir = showGeneratedFabric(300);
    FileOpenCounter reads(QString::fromStdString((dir / "Fabrics.dat").string()));
    ASSERT_TRUE(reads.watching());
    for (int i = 0; i < 4; ++i)
        Form1->ToolButton6Click();
    Form1->ToolButton3Click();
    Form1->BitBtn1Click();
    const QImage kept = Form1->Panel1->grabFramebuffer();
    EXPECT_EQ(reads.opens(), 0);

    Form1->fieldViewState->keptTable.forget();
    DrawFieldPage(*Form1);
    EXPECT_EQ(reads.opens(), 1);
    EXPECT_EQ(differingPixels(kept, Form1->Panel1->grabFramebuffer(), 0), 0);
}

TEST_F(KeptPictureTest, AChangedTableIsReadAgainAtTheNextStep) {
    const fs::path dir = showGeneratedFabric(300);
    const fs::path file = dir / "Fabrics.dat";
    FileOpenCounter reads(QString::fromStdString(file.string()));
    const auto stepReads = [&] {
        const int before = reads.opens();
        Form1->ToolButton6Click();
        return reads.opens() - before;
    };
    ASSERT_EQ(stepReads(), 0);

    sample::DataSetOptions longer;
    longer.timeSteps = 301;
    longer.durationMinutes = 150.5;
    const std::string grown = sample::FabricsTable(longer);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << grown;
    EXPECT_EQ(stepReads(), 1);
    EXPECT_EQ(Form1->PointCount, 301 * 6);
    EXPECT_EQ(stepReads(), 0) << "kept again once read";

    fs::resize_file(file, grown.size() / 2);
    EXPECT_EQ(stepReads(), 1);
    EXPECT_LT(Form1->PointCount, 301 * 6);

    // The watch follows the file it was set on, not its name: the replacement's read
    // shows in the records.
    const fs::path other = dir / "replacement";
    sample::WriteTextFile(other, grown);
    fs::rename(other, file);
    Form1->ToolButton6Click();
    EXPECT_EQ(Form1->PointCount, 301 * 6);
}

TEST_F(KeptPictureTest, ThinnedMeshOfFewRecordsIsTheWholeMesh) {
    showGeneratedFabric(300); // 1,800 records: no line denser than a pixel
    compareInEveryView(0, 0);
}

TEST_F(KeptPictureTest, ThinnedMeshOfManyRecordsDiffersInAtMostOnePixelInTwoHundred) {
    showGeneratedFabric(25000); // 150,000 records
    const QSize size = DeviceSize(Form1->Panel1);
    compareInEveryView(24, size.width() * size.height() / 200);
}

} // namespace
} // namespace tessaplot::test
