// Show Data and the pictures of the field pages, read back from the panels.
#include "app/RadioGroup.h"
#include "app/Widgets.h"
#include "dataset/Unit4.h"
#include "fieldview/ColorBox.h"
#include "fieldview/Colorselection1.h"
#include "gl/GlPanel.h"
#include "support/ModalAnswerer.h"
#include "support/fieldview_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace tessaplot::test {
namespace {

using FieldPictureTest = FieldViewTest;

constexpr int kTemperature = 5;    // RadioGroup1 item: column 8
constexpr int kLiquidFraction = 6; // RadioGroup1 item: column 9

// Low for steps 0-3, half-way for 4-6, high for 7-10: whole lines of one value.
double stepValue(int step, int) {
    return step <= 3 ? 20.0 : step <= 6 ? 25.0 : 30.0;
}

// Normalised time of step k of an 11-step file (0 ... 60 minutes).
float stepY(int k) {
    return static_cast<float>(k) / 10.0f;
}

bool anyColouredPixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int spread =
                std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            if (spread > 40)
                return true;
        }
    return false;
}

TEST_F(FieldPictureTest, ShowDataBeforeOpenReportsTheMissingDataSetOnce) {
    ModalAnswerer answerer;
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
    QTest::qWait(50);
    EXPECT_EQ(answerer.texts, QStringList{"Please Open The Data Directionay!"});
    EXPECT_EQ(answerer.titles, QStringList{"Plotvane"});
    EXPECT_EQ(Form1->Label4->text(), "none");
    EXPECT_FALSE(Form1->BitBtn3->isEnabled());
    EXPECT_EQ(StatusPanel(Form1->StatusBar1, 3)->text(), "Z:");

    // Choosing a variable says the same; the Conclusions box too.
    QTest::mouseClick(Form1->RadioGroup1->Button(3), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return answerer.texts.size() == 2; }));
    Form1->SetActivePage(Form1->TabSheet4);
    QTest::mouseClick(Form1->GroupBox6, Qt::LeftButton, {}, QPoint(200, 190));
    ASSERT_TRUE(waitFor([&] { return answerer.texts.size() == 3; }));
    EXPECT_EQ(answerer.texts.last(), "Please Open The Data Directionay!");
}

TEST_F(FieldPictureTest, TemperatureIsDrawnAlongTheRampFromBlueToRed) {
    openDataSet(writeFabrics(11, stepValue));
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);

    EXPECT_EQ(Form1->Label4->text(), "Temperature(degree of C)");
    EXPECT_EQ(StatusPanel(Form1->StatusBar1, 3)->text(), "Z:Temperature(degree of C)");
    EXPECT_TRUE(Form1->BitBtn3->isEnabled());
    EXPECT_EQ(Form1->DataColumn, 8);
    EXPECT_EQ(Form1->PointCount, 66);
    EXPECT_EQ(Form1->TimeTickLabels,
              (std::array<std::string, 6>{"0", "12", "24", "36", "48", "60"}));
    EXPECT_EQ(Form1->PositionTickLabels[1], "0.050");
    EXPECT_EQ(Form1->ValueTickLabels[0], "20.00");
    EXPECT_EQ(Form1->VariableCaption, "Temperature(degree of C)");

    const PictureProbe probe = probeOf(Form1->Panel1, true);
    // Lines across the thickness, half-way between two nodes.
    EXPECT_TRUE(colorNear(probe, 0.5f, stepY(1), 0.0f, QColor(0, 0, 255))) << "lowest: blue";
    EXPECT_TRUE(colorNear(probe, 0.5f, stepY(5), 0.5f, QColor(128, 0, 128))) << "half-way";
    EXPECT_TRUE(colorNear(probe, 0.5f, stepY(9), 1.0f, QColor(255, 0, 0))) << "highest: red";
    // The frame is still there under the field.
    EXPECT_TRUE(probe.anyNear(probe.pixelOf(0, 0, 1.2f), 1, isBlack));
}

TEST_F(FieldPictureTest, ColourDialogOkRedrawsInTheTurnedViewWithTheNewRamp) {
    openDataSet(writeFabrics(11, stepValue));
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    Form1->BitBtn1Click();
    Form1->ToolButton6Click();
    const QMatrix4x4 turned = CurrentModelView(Form1->Panel1);

    // Navy start colour, confirmed with OK: the lowest value is (0, 0, 0.502).
    ModalAnswerer answerer;
    answerer.onDialog = [](QWidget* dialog) {
        ASSERT_EQ(dialog, Form2);
        Form2->ColorBox1->SetSelectedColor(QColor(0, 0, 128));
        QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
    };
    QTest::mouseClick(Form1->BitBtn2, Qt::LeftButton);
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_TRUE(Form1->RedrawPending);
    ASSERT_TRUE(waitForRedraw());
    EXPECT_TRUE(NearlyEqual(CurrentModelView(Form1->Panel1), turned));
    const PictureProbe navy = probeWithCurrentView(Form1->Panel1);
    EXPECT_TRUE(colorNear(navy, 0.5f, stepY(1), 0.0f, QColor(0, 0, 128)));

    // Along time ("X-axis"): each line across the thickness has the colour of its time.
    answerer.onDialog = [](QWidget*) {
        Form2->RadioButton2->setChecked(true);
        QTest::mouseClick(Form2->BitBtn1, Qt::LeftButton);
    };
    Form1->ToolButton1Click();
    QTest::mouseClick(Form1->BitBtn5, Qt::LeftButton); // the Fibers page's button alike
    EXPECT_EQ(Form2->ColorAxis, 1);
    ASSERT_TRUE(waitForRedraw());
    const PictureProbe byTime = probeOf(Form1->Panel1, true);
    const QColor atStep2(51, 0, 102); // 0.2 of the way from (0, 0, 128) to (255, 0, 0)
    for (float x : {0.1f, 0.5f, 0.9f})
        EXPECT_TRUE(colorNear(byTime, x, stepY(2), 0.0f, atStep2)) << "x = " << x;
}

TEST_F(FieldPictureTest, CancelKeepsTheAxisButNotTheOldColours) {
    openDataSet(writeFabrics(11, stepValue));
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    Form1->BitBtn1Click();

    ModalAnswerer answerer;
    answerer.onDialog = [](QWidget*) {
        Form2->RadioButton3->setChecked(true);
        Form2->ColorBox2->SetSelectedColor(QColor(0, 255, 0));
        QTest::mouseClick(Form2->BitBtn2, Qt::LeftButton);
    };
    Form1->BitBtn2Click();
    EXPECT_EQ(Form2->ColorAxis, 0);
    EXPECT_TRUE(Form1->RedrawPending);
    ASSERT_TRUE(waitForRedraw());
    const PictureProbe probe = probeOf(Form1->Panel1, true);
    EXPECT_TRUE(colorNear(probe, 0.5f, stepY(9), 1.0f, QColor(0, 255, 0)));
    EXPECT_TRUE(colorNear(probe, 0.5f, stepY(1), 0.0f, QColor(0, 0, 255)));

    // The next opening shows the choice left with CANCEL.
    bool shownWithYAxis = false;
    answerer.onDialog = [&](QWidget*) {
        shownWithYAxis = Form2->RadioButton3->isChecked();
        Form2->close(); // the title bar's close box: no redraw
    };
    Form1->BitBtn2Click();
    EXPECT_TRUE(shownWithYAxis);
    EXPECT_FALSE(Form1->RedrawPending);
    EXPECT_EQ(Form2->ColorAxis, 0);
}

TEST_F(FieldPictureTest, ConstantFieldLiesFlatInTheStartColour) {
    openDataSet(writeFabrics(11, stepValue));
    Form1->RadioGroup1->SetItemIndex(kLiquidFraction);
    Form1->BitBtn1Click();
    EXPECT_EQ(Form1->ValueTickLabels[0], "5.00E-1");
    EXPECT_EQ(Form1->ValueTickLabels[5], "5.00E-1");
    const PictureProbe probe = probeOf(Form1->Panel1, true);
    EXPECT_TRUE(colorNear(probe, 0.5f, stepY(3), 0.0f, QColor(0, 0, 255)));
    EXPECT_TRUE(colorNear(probe, 0.5f, stepY(7), 0.0f, QColor(0, 0, 255)));
    EXPECT_FALSE(colorNear(probe, 0.5f, stepY(7), 0.5f, QColor(0, 0, 255), 3, 20));
}

TEST_F(FieldPictureTest, SingleTimeStepIsOneLineAcrossTheThickness) {
    // Values 20 ... 30 across the six nodes; time has no extent.
    openDataSet(writeFabrics(1, [](int, int node) { return 20.0 + 2.0 * node; }));
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    Form1->BitBtn1Click();
    EXPECT_EQ(Form1->PositionsPerStep, 0);
    const PictureProbe probe = probeOf(Form1->Panel1, true);
    EXPECT_TRUE(colorNear(probe, 0.5f, 0.0f, 0.5f, QColor(128, 0, 128)));
    EXPECT_TRUE(colorNear(probe, 0.9f, 0.0f, 0.9f, QColor(230, 0, 26), 2, 2));
}

TEST_F(FieldPictureTest, BodyPropertyIsARedCurveWithItsNameAboveTheValueAxis) {
    openDataSet(writeSampleDataSet());
    Form1->SetActivePage(Form1->TabSheet3);
    ASSERT_TRUE(waitFor([] { return Form1->Panel8->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
    Form1->RadioGroup3->SetItemIndex(0);
    QTest::mouseClick(Form1->BitBtn7, Qt::LeftButton);

    EXPECT_EQ(Form1->DataColumn, 1);
    EXPECT_EQ(StatusPanel(Form1->StatusBar3, 1)->text(), "Y:temperature of skin(degree of C)");
    EXPECT_EQ(Form1->ThicknessCaption, "temperature of skin(degree of C)");
    for (const std::string& label : Form1->ValueTickLabels)
        EXPECT_EQ(label.find('E'), std::string::npos) << label;
    ASSERT_GT(Form1->PointCount, 10);

    const PictureProbe probe = probeOf(Form1->Panel8, false);
    int redPoints = 0;
    for (int i = 1; i < 10; ++i) {
        const FieldPoint& p = Form1->FieldPoints[static_cast<size_t>(Form1->PointCount * i / 10)];
        redPoints +=
            colorNear(probe, (p.Time - Form1->TimeMin) / Form1->TimeSpan,
                      (p.Value - Form1->ValueMin) / Form1->ValueSpan, 0.0f, QColor(255, 0, 0), 2, 0)
                ? 1
                : 0;
    }
    EXPECT_GE(redPoints, 8);
}

TEST_F(FieldPictureTest, FibersShowDataNamesTheVariableAndAMissingFileDrawsOnlyTheFrame) {
    openDataSet(writeSampleDataSet());
    Form1->SetActivePage(Form1->TabSheet2);
    ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
    Form1->RadioGroup1->SetItemIndex(kTemperature); // left selected on the Fabric page
    Form1->RadioGroup2->SetItemIndex(1);
    QTest::mouseClick(Form1->BitBtn4, Qt::LeftButton);

    EXPECT_EQ(Form1->Label9->text(), "Moisture Sorption Rate(kg/m^3/s^1)");
    EXPECT_EQ(StatusPanel(Form1->StatusBar2, 2)->text(), "Z:Moisture Sorption Rate(kg/m^3/s^1)");
    EXPECT_TRUE(Form1->BitBtn6->isEnabled());
    EXPECT_EQ(Form1->DataColumn, 3);
    EXPECT_TRUE(Form1->Label5->text().endsWith(Form1->ComboBox6->currentText()));
    EXPECT_GT(Form1->PointCount, 0);
    EXPECT_EQ(Form1->ValueTickLabels[0].find('E'), std::string::npos)
        << "a temperature left selected on the Fabric page gives two decimals";
    EXPECT_TRUE(anyColouredPixel(Form1->Panel5->grabFramebuffer()));

    TypeOver(Form1->ComboBox6, "fabric9_fiber_9.dat");
    Form1->BitBtn4Click();
    EXPECT_EQ(Form1->PointCount, 0);
    const QImage picture = Form1->Panel5->grabFramebuffer();
    EXPECT_FALSE(anyColouredPixel(picture));
    const PictureProbe probe = probeOf(Form1->Panel5, true);
    EXPECT_TRUE(probe.anyNear(probe.pixelOf(0, 0, 1.2f), 1, isBlack)) << "the frame is drawn";
}

TEST_F(FieldPictureTest, ConclusionsClickUpdatesTheFabricCaptionsWithoutDrawing) {
    openDataSet(writeFabrics(11, stepValue));
    Form1->RadioGroup1->SetItemIndex(kTemperature);
    Form1->SetActivePage(Form1->TabSheet4);
    Form1->PointCount = -7; // a load would overwrite it
    QTest::mouseClick(Form1->GroupBox6, Qt::LeftButton, {}, QPoint(200, 190));
    EXPECT_EQ(Form1->Label4->text(), "Temperature(degree of C)");
    EXPECT_EQ(StatusPanel(Form1->StatusBar1, 3)->text(), "Z:Temperature(degree of C)");
    EXPECT_TRUE(Form1->BitBtn3->isEnabled());
    EXPECT_EQ(Form1->PointCount, -7) << "nothing loaded or drawn on the comfort page";
    Form1->PointCount = 0;
}

TEST_F(FieldPictureTest, DeferredRedrawDrawsTheChoiceOfTheShownPage) {
    openDataSet(writeSampleDataSet());
    Form1->SetActivePage(Form1->TabSheet3);
    ASSERT_TRUE(waitFor([] { return Form1->Panel8->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
    EXPECT_EQ(Form1->PointCount, 0) << "nothing chosen: the frame only";
    Form1->RadioGroup3->SetItemIndex(2); // skin wetness
    Form1->RedrawPending = true;
    ASSERT_TRUE(waitForRedraw());
    EXPECT_EQ(Form1->DataColumn, 3);
    EXPECT_EQ(Form1->ThreeDView, 0);
    EXPECT_GT(Form1->PointCount, 0);
    EXPECT_TRUE(anyColouredPixel(Form1->Panel8->grabFramebuffer()));

    Form1->SetActivePage(Form1->TabSheet2);
    Form1->RadioGroup2->SetItemIndex(2);
    ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
    EXPECT_EQ(Form1->DataColumn, 4);
    EXPECT_EQ(Form1->ThreeDView, 1);
    EXPECT_TRUE(anyColouredPixel(Form1->Panel5->grabFramebuffer()));
}

} // namespace
} // namespace tessaplot::test
