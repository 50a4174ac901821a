// Turning, zooming and resetting the 3D views, by buttons, drags and double clicks.
#include "app/RadioGroup.h"
#include "gl/GlPanel.h"
#include "support/fieldview_fixture.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <GL/gl.h>

namespace tessaplot::test {
namespace {

using NavigationTest = FieldViewTest;

QMatrix4x4 modelView() {
    return CurrentModelView(Form1->ViewDC);
}

int modelViewStackDepth() {
    Form1->ViewDC->makeCurrent();
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    return depth;
}

// Fills the panel's picture with green: a draw would replace it.
void markPicture() {
    Form1->ViewDC->makeCurrent();
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

bool pictureStillMarked() {
    const QImage image = Form1->ViewDC->grabFramebuffer();
    return image.pixelColor(image.width() / 2, image.height() / 2) == QColor(0, 255, 0);
}

void sendMouse(GlPanel* panel, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), panel->mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(panel, &event);
}

QMatrix4x4 turnedBy(const QMatrix4x4& view, float degrees, float x, float y, float z) {
    QMatrix4x4 m = view;
    m.rotate(degrees, x, y, z);
    return m;
}

TEST_F(NavigationTest, GuardsLetNothingHappenBeforeOpenOrWithoutAVariable) {
    ASSERT_TRUE(waitForRedraw());
    const QMatrix4x4 initial = modelView();
    // Before Open, with a variable selected: the Fabric buttons, the double click.
    Form1->RadioGroup1->SetItemIndex(5);
    for (QToolButton* button :
         {Form1->ToolButton3, Form1->ToolButton4, Form1->ToolButton5, Form1->ToolButton6,
          Form1->ToolButton7, Form1->ToolButton8, Form1->ToolButton1}) {
        markPicture();
        button->click();
        EXPECT_TRUE(pictureStillMarked()) << button->objectName().toStdString();
        EXPECT_TRUE(NearlyEqual(modelView(), initial)) << button->objectName().toStdString();
    }
    markPicture();
    QTest::mouseDClick(Form1->Panel1, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(pictureStillMarked());

    // Fibers: every button wants a variable; the reset also an open data set.
    Form1->SetActivePage(Form1->TabSheet2);
    ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
    for (auto handler :
         {&TForm1::ToolButton2Click, &TForm1::ToolButton9Click, &TForm1::ToolButton10Click,
          &TForm1::ToolButton11Click, &TForm1::ToolButton12Click, &TForm1::ToolButton13Click,
          &TForm1::ToolButton14Click, &TForm1::Panel5DblClick}) {
        markPicture();
        (Form1->*handler)();
        EXPECT_TRUE(pictureStillMarked());
        EXPECT_TRUE(NearlyEqual(modelView(), initial));
    }
    Form1->RadioGroup2->SetItemIndex(0);
    markPicture();
    Form1->ToolButton14Click();
    Form1->Panel5DblClick();
    EXPECT_TRUE(pictureStillMarked()) << "the Fibers reset wants a data set";
    Form1->ToolButton11Click();
    EXPECT_FALSE(pictureStillMarked()) << "the other Fibers steps only want a variable";
    EXPECT_TRUE(NearlyEqual(modelView(), turnedBy(initial, 10, 0, 0, 1)));
}

TEST_F(NavigationTest, StepsMultiplyOntoTheViewAndUndoEachOther) {
    openDataSet(writeFabrics(11, [](int step, int node) { return step + 0.1 * node; }));
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    const QMatrix4x4 initial = modelView();
    const int depth = modelViewStackDepth();

    Form1->ToolButton3->click();
    EXPECT_TRUE(NearlyEqual(modelView(), turnedBy(initial, 10, 1, 2, 0)));
    Form1->ToolButton4->click();
    EXPECT_TRUE(NearlyEqual(modelView(), initial));

    Form1->ToolButton7->click();
    QMatrix4x4 shrunk = initial;
    shrunk.scale(0.8f);
    EXPECT_TRUE(NearlyEqual(modelView(), shrunk));
    Form1->ToolButton8->click();
    EXPECT_TRUE(NearlyEqual(modelView(), initial));

    const QImage before = Form1->Panel1->grabFramebuffer();
    for (int i = 0; i < 36; ++i)
        Form1->ToolButton6->click();
    EXPECT_TRUE(NearlyEqual(modelView(), initial, 1e-4f)) << "a full turn";
    EXPECT_FALSE(Form1->RedrawPending) << "each step draws at once";

    Form1->ToolButton5->click();
    Form1->ToolButton7->click();
    Form1->ToolButton3->click();
    Form1->ToolButton1->click();
    EXPECT_TRUE(NearlyEqual(modelView(), ExpectedInitialView(true)));
    EXPECT_EQ(modelViewStackDepth(), depth);
    // Back at the initial view, the picture is the one before the turns (but for
    // pixels where two lines of equal depth meet in another drawing order).
    const QImage after = Form1->Panel1->grabFramebuffer();
    int differing = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            differing += before.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
    EXPECT_LT(differing, 20);
}

TEST_F(NavigationTest, DragTurnsByWhereThePointerIsAgainstThePressPoint) {
    openDataSet(writeFabrics(11, [](int step, int node) { return step + 0.1 * node; }));
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    struct Case {
        QPoint to;
        float degrees, x, y, z;
    };
    const QPoint press(200, 200);
    const Case cases[] = {
        {{260, 210}, 10, 0, 0, 1},  // right: like "Left"
        {{140, 190}, -10, 0, 0, 1}, // left: like "Right"
        {{210, 260}, 10, 1, 2, 0},  // down: like "Up"
        {{190, 140}, -10, 1, 2, 0}, // up: like "Down"
        {{230, 230}, 10, 1, 2, 0},  // exactly diagonal counts as vertical
        {{200, 200}, -10, 1, 2, 0}, // the press point itself: "Down"
    };
    for (const Case& c : cases) {
        const QMatrix4x4 before = modelView();
        sendMouse(Form1->Panel1, QEvent::MouseButtonPress, press, Qt::LeftButton);
        sendMouse(Form1->Panel1, QEvent::MouseMove, c.to, Qt::LeftButton);
        QCoreApplication::processEvents();
        sendMouse(Form1->Panel1, QEvent::MouseButtonRelease, c.to, Qt::NoButton);
        EXPECT_EQ(Form1->DragStartX, press.x());
        EXPECT_TRUE(NearlyEqual(modelView(), turnedBy(before, c.degrees, c.x, c.y, c.z)))
            << "to " << c.to.x() << ", " << c.to.y();
    }

    // Without the left button a move does nothing.
    const QMatrix4x4 before = modelView();
    sendMouse(Form1->Panel1, QEvent::MouseMove, {300, 200}, Qt::RightButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(NearlyEqual(modelView(), before));

    // A double click resets the view.
    QTest::mouseDClick(Form1->Panel1, Qt::LeftButton, {}, QPoint(50, 60));
    EXPECT_TRUE(NearlyEqual(modelView(), ExpectedInitialView(true)));
    EXPECT_EQ(Form1->DragStartX, 50);
    EXPECT_EQ(Form1->DragStartY, 60);
}

TEST_F(NavigationTest, MovesArrivingFasterThanPicturesMergeIntoOneStep) {
    openDataSet(writeFabrics(11, [](int step, int node) { return step + 0.1 * node; }));
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    const QMatrix4x4 before = modelView();
    sendMouse(Form1->Panel1, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    // Five moves delivered before the loop gets round to drawing: one step, judged by
    // the latest position (above the press point: "Down").
    for (int x : {110, 120, 130, 140})
        sendMouse(Form1->Panel1, QEvent::MouseMove, {x, 102}, Qt::LeftButton);
    sendMouse(Form1->Panel1, QEvent::MouseMove, {100, 40}, Qt::LeftButton);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(NearlyEqual(modelView(), turnedBy(before, -10, 1, 2, 0)));
}

TEST_F(NavigationTest, FibersPageTurnsItsOwnPanelAndPressesOnItsToolBarCount) {
    openDataSet(writeSampleDataSet());
    Form1->SetActivePage(Form1->TabSheet2);
    ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
    Form1->RadioGroup2->SetItemIndex(0);
    Form1->BitBtn4Click();
    const QMatrix4x4 initial = modelView();

    // A press on the tool bar's free end sets the press point for the panel's drag.
    QTest::mousePress(Form1->ToolBar1, Qt::LeftButton, {}, QPoint(500, 10));
    QTest::mouseRelease(Form1->ToolBar1, Qt::LeftButton, {}, QPoint(500, 10));
    EXPECT_EQ(Form1->DragStartX, 500);
    EXPECT_EQ(Form1->DragStartY, 10);
    Form1->Panel5MouseMove(600, 20, true);
    EXPECT_TRUE(NearlyEqual(modelView(), turnedBy(initial, 10, 0, 0, 1)));

    for (QToolButton* button : {Form1->ToolButton2, Form1->ToolButton9, Form1->ToolButton10,
                                Form1->ToolButton12, Form1->ToolButton13})
        button->click();
    EXPECT_TRUE(NearlyEqual(modelView(), initial));
    Form1->ToolButton2->click();
    QTest::mouseDClick(Form1->Panel5, Qt::LeftButton, {}, QPoint(80, 80));
    EXPECT_TRUE(NearlyEqual(modelView(), ExpectedInitialView(true)));
}

} // namespace
} // namespace tessaplot::test
