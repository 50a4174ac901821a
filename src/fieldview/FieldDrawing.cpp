// The drawing half of the field views: mesh, tick labels and titles of the data just
// loaded into the main window.
#include "app/LocaleText.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "fieldview/ColorBox.h"
#include "fieldview/Colorselection1.h"
#include "fieldview/FieldMesh.h"
#include "fieldview/FieldViewState.h"
#include "fieldview/FrameGeometry.h"
#include "fieldview/TickLabels.h"
#include "gl/BitmapFont.h"
#include "gl/GlPanel.h"

#include <QLabel>

#include <GL/gl.h>

#include <algorithm>

namespace tessaplot {

namespace {

// Compiles the mesh into a new display list from vertex and colour arrays, all its
// segments in one draw call. 0 when there is nothing to draw.
GLuint compileMesh(const FieldMesh& mesh) {
    if (mesh.strips.empty())
        return 0;
    // Kept between draws: a redraw of a large field then allocates nothing here.
    static std::vector<unsigned> segments;
    segments.clear();
    AppendSegmentIndices(mesh, segments);
    const GLuint list = glGenLists(1);
    if (list == 0)
        return 0;
    // Client array state is not compiled into the list; the arrays are read while
    // the list is compiled, so they need only live until glEndList.
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh.vertices.data());
    glColorPointer(3, GL_FLOAT, 0, mesh.colors.data());
    glNewList(list, GL_COMPILE);
    glDrawElements(GL_LINES, static_cast<GLsizei>(segments.size()), GL_UNSIGNED_INT,
                   segments.data());
    glEndList();
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    return list;
}

std::string latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

} // namespace

FieldDrawInputs TForm1::fieldDrawInputs() const {
    FieldDrawInputs inputs;
    inputs.threeD = ThreeDView != 0;
    // The dialog's colours are read at every draw: a colour chosen there counts from
    // the next picture on, whichever button closed the dialog.
    inputs.ramp =
        MakeColorRamp(Form2->ColorBox1->SelectedRgb24(), Form2->ColorBox2->SelectedRgb24());
    inputs.colorAxis = Form2->ColorAxis;
    inputs.valueTickPattern = ValueTickPattern(RadioGroup1->ItemIndex(), RadioGroup3->ItemIndex());
    inputs.variableCaption = latin1(ActivePage() == TabSheet1 ? Label4->text() : Label9->text());
    inputs.thicknessCaption = "Thickness (cm)";
    if (ActivePage() == TabSheet3 && RadioGroup3->ItemIndex() >= 0)
        inputs.thicknessCaption = latin1(RadioGroup3->ItemText(RadioGroup3->ItemIndex()));
    return inputs;
}

void TForm1::DrawLoadedField() {
    const FieldDrawInputs inputs = fieldDrawInputs();
    fieldViewState->shownPanel = ViewDC;
    fieldViewState->shownField = inputs;
    drawField(inputs);
}

void TForm1::drawField(const FieldDrawInputs& inputs) {
    const bool threeD = inputs.threeD;
    const FieldExtents extents{TimeMin, TimeSpan, PositionMin, PositionSpan, ValueMin, ValueSpan};
    const std::size_t count =
        std::min(FieldPoints.size(), static_cast<std::size_t>(std::max(PointCount, 0)));
    const std::span<const FieldPoint> points(FieldPoints.data(), count);

    const GLuint list = compileMesh(
        threeD ? BuildFieldMesh(points, PositionsPerStep, extents, inputs.ramp, inputs.colorAxis)
               : BuildBodyCurve(points, extents));

    const std::string separator = LocaleDecimalSeparator();
    TimeTickLabels = MakeTickLabels(TimeMin, TimeMax, kTimeTickPattern, separator);
    PositionTickLabels = MakeTickLabels(PositionMin, PositionMax, kPositionTickPattern, separator);
    ValueTickLabels = MakeTickLabels(ValueMin, ValueMax, inputs.valueTickPattern, separator);

    glColor3f(0.0f, 0.0f, 0.0f);
    UseFont(kViewFontBase);
    // A file that could not be read has no extents to label: only its frame shows.
    if (count > 0) {
        for (int i = 0; i < kTickLabelCount; ++i) {
            const float t = TickStep(i);
            const auto at = static_cast<std::size_t>(i);
            if (threeD) {
                DrawLabel(t, -0.2f, 0.0f, PositionTickLabels[at]);
                DrawLabel(1.15f, t, 0.0f, TimeTickLabels[at]);
                DrawLabel(-0.1f, -0.17f, t, ValueTickLabels[at]);
            } else {
                DrawLabel(t, -0.1f, 0.0f, TimeTickLabels[at]);
                DrawLabel(-0.2f, t, 0.0f, ValueTickLabels[at]);
            }
        }
    }

    glColor3f(0.0f, 0.0f, 0.0f);
    TimeCaption = "Time (min.)";
    ThicknessCaption = "Thickness (cm)";
    UseFont(kSystemFontBase);
    if (threeD) {
        VariableCaption = inputs.variableCaption;
        DrawLabel(0.4f, -0.6f, 0.0f, ThicknessCaption);
        DrawLabel(1.3f, 0.4f, 0.0f, TimeCaption);
        DrawLabel(-0.2f, 0.0f, 1.2f, VariableCaption);
    } else {
        ThicknessCaption = inputs.thicknessCaption;
        DrawLabel(0.5f, -0.2f, 0.0f, TimeCaption);
        DrawLabel(-0.15f, 1.23f, 0.0f, ThicknessCaption);
    }

    // The field last, over the frame and the texts; the list is made for this one
    // picture only.
    if (list != 0) {
        glCallList(list);
        glDeleteLists(list, 1);
    }
}

void DrawFieldPage(TForm1& form) {
    GlPanel* surface = form.ViewDC;
    if (surface == nullptr || !surface->makeSurfaceCurrent()) {
        form.RedrawPending = true;
        return;
    }
    if (form.LoadAndDrawField())
        surface->present();
}

} // namespace tessaplot
