// Turning, zooming and resetting the 3D field views. The view is nothing but the
// modelview matrix of the shown panel's context: each step multiplies onto it.
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "fieldview/FieldViewState.h"
#include "fieldview/ViewSteps.h"
#include "gl/GlPanel.h"
#include "gl/Surface.h"

#include <QLabel>

#include <functional>

#include <GL/gl.h>

namespace tessaplot {

namespace {

bool dataSetOpened(const TForm1& form) {
    return form.Label2->text() != QLatin1String("None");
}

bool fabricGuard(const TForm1& form) {
    return dataSetOpened(form) && form.RadioGroup1->ItemIndex() >= 0;
}

// The Fibers steps look only at the variable; only their reset also wants a data set.
bool fibersGuard(const TForm1& form) {
    return form.RadioGroup2->ItemIndex() >= 0;
}

bool fibersResetGuard(const TForm1& form) {
    return dataSetOpened(form) && fibersGuard(form);
}

// Changes the shown view by `change` (on the modelview matrix, current) and draws it.
void changeView(TForm1& form, const std::function<void()>& change) {
    GlPanel* surface = form.ViewDC;
    if (surface == nullptr || !surface->makeSurfaceCurrent())
        return;
    glMatrixMode(GL_MODELVIEW);
    GLfloat viewBefore[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, viewBefore);
    change();
    if (form.loadField() != TForm1::FieldRead::Loaded) {
        // The picture stays as it was, and with it the view it shows. The read may have
        // made another surface current meanwhile.
        if (surface->makeSurfaceCurrent()) {
            glMatrixMode(GL_MODELVIEW);
            glLoadMatrixf(viewBefore);
        }
        return;
    }
    DrawLoadedFieldPage(form);
}

void runStep(TForm1& form, bool guardHolds, ViewStep step) {
    if (!guardHolds)
        return;
    changeView(form, [&form, t = TransformOf(step)] {
        switch (t.kind) {
        case ViewStepTransform::Rotate:
            glRotatef(t.angle, t.axisX, t.axisY, t.axisZ);
            break;
        case ViewStepTransform::Scale:
            glScalef(t.factor, t.factor, t.factor);
            break;
        case ViewStepTransform::Replace:
            // Replaces the top of the stack in place: the stack depth stays as it was.
            glLoadIdentity();
            SetInitialView(form.ThreeDView);
            break;
        }
    });
}

} // namespace

std::optional<ShownViewMatrices> ShownFieldView(TForm1& form) {
    GlPanel* surface = form.ViewDC;
    if (surface == nullptr || !surface->makeSurfaceCurrent())
        return std::nullopt;
    ShownViewMatrices view;
    glMatrixMode(GL_MODELVIEW);
    glGetFloatv(GL_MODELVIEW_MATRIX, view.shown.data());
    // The first view as Reset makes it, in the same float arithmetic.
    glPushMatrix();
    glLoadIdentity();
    SetInitialView(form.ThreeDView);
    glGetFloatv(GL_MODELVIEW_MATRIX, view.initial.data());
    glPopMatrix();
    return view;
}

void SetFieldView(TForm1& form, const std::array<float, 16>& matrix) {
    const bool fabric = form.ViewDC == form.Panel1;
    if (!(fabric ? fabricGuard(form) : fibersResetGuard(form)))
        return;
    changeView(form, [&matrix] { glLoadMatrixf(matrix.data()); });
}

void TForm1::ToolButton3Click() {
    runStep(*this, fabricGuard(*this), ViewStep::Up);
}
void TForm1::ToolButton4Click() {
    runStep(*this, fabricGuard(*this), ViewStep::Down);
}
void TForm1::ToolButton5Click() {
    runStep(*this, fabricGuard(*this), ViewStep::Right);
}
void TForm1::ToolButton6Click() {
    runStep(*this, fabricGuard(*this), ViewStep::Left);
}
void TForm1::ToolButton7Click() {
    runStep(*this, fabricGuard(*this), ViewStep::Small);
}
void TForm1::ToolButton8Click() {
    runStep(*this, fabricGuard(*this), ViewStep::Large);
}
void TForm1::ToolButton1Click() {
    runStep(*this, fabricGuard(*this), ViewStep::Reset);
}

void TForm1::ToolButton2Click() {
    runStep(*this, fibersGuard(*this), ViewStep::Up);
}
void TForm1::ToolButton9Click() {
    runStep(*this, fibersGuard(*this), ViewStep::Down);
}
void TForm1::ToolButton10Click() {
    runStep(*this, fibersGuard(*this), ViewStep::Right);
}
void TForm1::ToolButton11Click() {
    runStep(*this, fibersGuard(*this), ViewStep::Left);
}
void TForm1::ToolButton12Click() {
    runStep(*this, fibersGuard(*this), ViewStep::Small);
}
void TForm1::ToolButton13Click() {
    runStep(*this, fibersGuard(*this), ViewStep::Large);
}
void TForm1::ToolButton14Click() {
    runStep(*this, fibersResetGuard(*this), ViewStep::Reset);
}

void TForm1::Panel1MouseDown(int x, int y) {
    DragStartX = x;
    DragStartY = y;
}
void TForm1::Panel5MouseDown(int x, int y) {
    DragStartX = x;
    DragStartY = y;
}
void TForm1::ToolBar1MouseDown(int x, int y) {
    DragStartX = x;
    DragStartY = y;
}

// Every move is judged against the press point, which a drag never moves: the
// direction depends only on which side of it the pointer is.
void TForm1::Panel1MouseMove(int x, int y, bool leftButtonHeld) {
    if (!leftButtonHeld)
        return;
    switch (DragStep(x - DragStartX, y - DragStartY)) {
    case ViewStep::Left:
        ToolButton6Click();
        break;
    case ViewStep::Right:
        ToolButton5Click();
        break;
    case ViewStep::Up:
        ToolButton3Click();
        break;
    default:
        ToolButton4Click();
        break;
    }
}

void TForm1::Panel5MouseMove(int x, int y, bool leftButtonHeld) {
    if (!leftButtonHeld)
        return;
    switch (DragStep(x - DragStartX, y - DragStartY)) {
    case ViewStep::Left:
        ToolButton11Click();
        break;
    case ViewStep::Right:
        ToolButton10Click();
        break;
    case ViewStep::Up:
        ToolButton2Click();
        break;
    default:
        ToolButton9Click();
        break;
    }
}

void TForm1::Panel1DblClick() {
    ToolButton1Click();
}
void TForm1::Panel5DblClick() {
    ToolButton14Click();
}

void FlushPendingMove(TForm1& form) {
    auto& pending = form.fieldViewState->pendingMove;
    if (!pending)
        return;
    const FieldViewState::PendingMove move = *pending;
    pending.reset();
    if (move.panel == form.Panel1)
        form.Panel1MouseMove(move.x, move.y, move.leftButtonHeld);
    else if (move.panel == form.Panel5)
        form.Panel5MouseMove(move.x, move.y, move.leftButtonHeld);
}

} // namespace tessaplot
