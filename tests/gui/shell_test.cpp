// Start-up, tab changes, the empty frame and shutdown of the main window.
#include "dataset/Unit4.h"
#include "fieldview/Colorselection1.h"
#include "gl/BitmapFont.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"
#include "support/Forms.h"
#include "support/PictureProbe.h"

#include <QComboBox>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>

#include <GL/gl.h>

namespace tessaplot::test {
namespace {

using ShellTest = FormsTest;

QMatrix4x4 expectedMvp(GlPanel* panel, bool threeD, float halfExtent) {
    return ExpectedProjection(panel->width(), panel->height(), halfExtent) *
           ExpectedInitialView(threeD);
}

TEST_F(ShellTest, StartsWithOnlyTheMainWindowOnTheFabricPage) {
    ASSERT_NE(Form2, nullptr);
    ASSERT_NE(Form3, nullptr);
    ASSERT_NE(Form4, nullptr);
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_FALSE(Form4->isVisible());
    EXPECT_EQ(Form1->windowTitle(), "Quorvel Tessaplot");
    EXPECT_EQ(Form1->ActivePage(), Form1->TabSheet1);
    EXPECT_TRUE(Form1->Timer1->isActive());
    EXPECT_EQ(Form1->Timer1->interval(), 1);
    EXPECT_FALSE(Form1->Timer2->isActive());
    EXPECT_EQ(Form1->Timer2->interval(), 10);
    EXPECT_EQ(Form1->Label2->text(), "None");
    EXPECT_EQ(Form1->ComboBox4->count(), 0) << "design-time positions are never shown";
    EXPECT_EQ(Form1->ViewDC, Form1->Panel1);
    EXPECT_GE(Form1->FieldPoints.capacity(), 150000u);
    EXPECT_GE(Form1->ComfortRecords.capacity(), 150000u);
    QStringList tabs;
    for (int i = 0; i < Form1->PageControl1->count(); ++i)
        tabs << Form1->PageControl1->tabText(i);
    EXPECT_EQ(tabs, QStringList({"Fabric", "Fibers", "BodyProperty", "BodyComfort"}));
}

TEST_F(ShellTest, FirstRedrawShowsTheEmptyThreeDFrame) {
    ASSERT_TRUE(waitForRedraw());
    GlPanel* panel = Form1->Panel1;
    // The view state the binding gave the surface is the stated projection and view.
    EXPECT_TRUE(NearlyEqual(CurrentModelView(panel), ExpectedInitialView(true)));
    EXPECT_TRUE(NearlyEqual(CurrentProjection(panel),
                            ExpectedProjection(panel->width(), panel->height(), 1.15f)));

    const PictureProbe probe(panel, expectedMvp(panel, true, 1.15f));
    // Background white where nothing is drawn.
    EXPECT_TRUE(isWhite(probe.colorAt({5, 5})));
    EXPECT_TRUE(isWhite(probe.colorAt({probe.width - 5, 5})));
    // The three axes, the arrow tips and the far ends of the ticks are black.
    const auto black = [](const QColor& c) { return isBlack(c); };
    for (const auto& [x, y, z] : std::vector<std::array<float, 3>>{{0.6f, 0, 0},
                                                                   {1.2f, 0, 0},
                                                                   {1, 0.6f, 0},
                                                                   {1, 1.2f, 0},
                                                                   {0, 0, 0.6f},
                                                                   {0, 0, 1.2f},
                                                                   {0.4f, -0.05f, 0},
                                                                   {1.05f, 0.8f, 0}})
        EXPECT_TRUE(probe.anyNear(probe.pixelOf(x, y, z), 1, black))
            << "no axis pixel at model (" << x << ", " << y << ", " << z << ")";
    // The stippled grey grid: a line of the wall y = 1 has grey dashes and white gaps.
    int grey = 0, white = 0;
    for (int i = 1; i < 40; ++i) {
        const QColor c = probe.colorAt(probe.pixelOf(0.025f * i, 1.0f, 0.6f));
        grey += isGridGrey(c) ? 1 : 0;
        white += isWhite(c) ? 1 : 0;
    }
    EXPECT_GT(grey, 5);
    EXPECT_GT(white, 5);
}

TEST_F(ShellTest, EachPageBindsItsOwnPanelAndStartsFromTheInitialView) {
    ASSERT_TRUE(waitForRedraw());
    Form1->SetActivePage(Form1->TabSheet2);
    EXPECT_EQ(Form1->ViewDC, Form1->Panel5);
    EXPECT_EQ(Form1->ThreeDView, 1);
    ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());

    // Turn the view, leave the page and come back: the turn is gone.
    Form1->Panel5->makeCurrent();
    glRotatef(30.0f, 0, 0, 1);
    glScalef(0.8f, 0.8f, 0.8f);
    EXPECT_FALSE(NearlyEqual(CurrentModelView(Form1->Panel5), ExpectedInitialView(true)));
    Form1->SetActivePage(Form1->TabSheet1);
    EXPECT_EQ(Form1->ViewDC, Form1->Panel1);
    Form1->SetActivePage(Form1->TabSheet2);
    EXPECT_TRUE(NearlyEqual(CurrentModelView(Form1->Panel5), ExpectedInitialView(true)));

    Form1->SetActivePage(Form1->TabSheet3);
    EXPECT_EQ(Form1->ViewDC, Form1->Panel8);
    EXPECT_EQ(Form1->ThreeDView, 0);
    ASSERT_TRUE(waitFor([] { return Form1->Panel8->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
    EXPECT_TRUE(NearlyEqual(CurrentModelView(Form1->Panel8), ExpectedInitialView(false)));
    EXPECT_TRUE(Form1->Label5->text().endsWith("BodyProperty.dat"));

    // The 2D frame: both axes black, grey floor grid, no third axis.
    GlPanel* panel = Form1->Panel8;
    const PictureProbe probe(panel, expectedMvp(panel, false, 1.15f));
    const auto black = [](const QColor& c) { return isBlack(c); };
    EXPECT_TRUE(probe.anyNear(probe.pixelOf(0.5f, 0, 0), 1, black));
    EXPECT_TRUE(probe.anyNear(probe.pixelOf(0, 0.5f, 0), 1, black));
    EXPECT_TRUE(probe.anyNear(probe.pixelOf(1.2f, 0, 0), 1, black));
    EXPECT_TRUE(isWhite(probe.colorAt(probe.pixelOf(1.1f, 1.1f, 0))));

    Form1->SetActivePage(Form1->TabSheet4);
    EXPECT_EQ(Form1->ComfortDC, Form1->Panel16);
    EXPECT_TRUE(Form1->Timer2->isActive());
    ASSERT_TRUE(waitFor([] { return Form1->Panel16->hasContext(); }));
    QMatrix4x4 chartView;
    chartView.translate(-0.75f, -0.6f, 0.0f);
    EXPECT_TRUE(NearlyEqual(CurrentModelView(Form1->Panel16), chartView));
    EXPECT_TRUE(
        NearlyEqual(CurrentProjection(Form1->Panel16),
                    ExpectedProjection(Form1->Panel16->width(), Form1->Panel16->height(), 0.95f)));
}

TEST_F(ShellTest, PagesAreToldApartByPageWhenATabIsHidden) {
    const int fibers = Form1->PageControl1->indexOf(Form1->TabSheet2);
    Form1->PageControl1->setTabVisible(fibers, false);
    Form1->SetActivePage(Form1->TabSheet3);
    EXPECT_EQ(Form1->ActivePage(), Form1->TabSheet3);
    EXPECT_EQ(Form1->ViewDC, Form1->Panel8);
    EXPECT_EQ(Form1->ThreeDView, 0);
    EXPECT_TRUE(Form1->Label5->text().endsWith("BodyProperty.dat"));
}

TEST_F(ShellTest, HidingAPageAsksForARedrawAndChosenFibreFileBecomesTheDataFile) {
    ASSERT_TRUE(waitForRedraw());
    TypeOver(Form1->ComboBox6, "fabric2_fiber_1.dat");
    EXPECT_EQ(Form1->Label7->text(), "fabric2_fiber_1.dat");
    Form1->SetActivePage(Form1->TabSheet2);
    EXPECT_TRUE(Form1->RedrawPending);
    EXPECT_TRUE(Form1->Label5->text().endsWith("fabric2_fiber_1.dat"));
}

TEST_F(ShellTest, TextOutsideTheViewVolumeOrCode255DrawsNothing) {
    ASSERT_TRUE(waitForRedraw());
    GlPanel* panel = Form1->Panel8;
    Form1->SetActivePage(Form1->TabSheet3);
    ASSERT_TRUE(waitFor([panel] { return panel->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
    const QImage before = panel->grabFramebuffer();

    panel->makeCurrent();
    glColor3f(1, 0, 0);
    UseFont(kSystemFontBase);
    DrawLabel(-2.0f, 0.5f, 0.0f, "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX"); // starts left of the view
    DrawLabel(0.5f, 0.5f, 0.0f, "\xff\xff\xff");
    glColor3f(0, 0, 0);
    EXPECT_EQ(panel->grabFramebuffer(), before);

    panel->makeCurrent();
    glColor3f(1, 0, 0);
    DrawLabel(0.5f, 0.5f, 0.0f, "X");
    glColor3f(0, 0, 0);
    EXPECT_NE(panel->grabFramebuffer(), before) << "an ordinary glyph must draw";
}

TEST_F(ShellTest, ExitEndsTheMessageLoop) {
    QTimer::singleShot(50, [] { Form1->Exit1->trigger(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(Form1->isVisible());
}

TEST_F(ShellTest, OpenMenuShowsTheChooserAndOnlyRaisesItWhenVisible) {
    Form1->File1->trigger();
    EXPECT_TRUE(Form4->isVisible());
    Form4->ListBox1->addItem("marker");
    Form1->File1->trigger();
    EXPECT_TRUE(Form4->isVisible());
    EXPECT_EQ(Form4->ListBox1->findItems("marker", Qt::MatchExactly).size(), 1)
        << "showing it again while visible must not list anew";
}

} // namespace
} // namespace tessaplot::test
