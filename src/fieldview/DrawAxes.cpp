#include "app/Temp.h"
#include "fieldview/FieldViewState.h"
#include "fieldview/FrameGeometry.h"
#include "gl/BitmapFont.h"
#include "gl/DrawingState.h"
#include "gl/GlPanel.h"

#include <GL/gl.h>

namespace tessaplot {

namespace {

void drawSegments(const std::vector<Segment>& segments) {
    glBegin(GL_LINES);
    for (const Segment& s : segments) {
        glVertex3f(s.from.x, s.from.y, s.from.z);
        glVertex3f(s.to.x, s.to.y, s.to.z);
    }
    glEnd();
}

const FrameGeometry& frameFor(bool threeD, bool withGrid) {
    static const FrameGeometry frames[2][2] = {{BuildFrame(false, false), BuildFrame(false, true)},
                                               {BuildFrame(true, false), BuildFrame(true, true)}};
    return frames[threeD ? 1 : 0][withGrid ? 1 : 0];
}

} // namespace

void TForm1::DrawAxes() {
    const bool onComfortPage = ActivePage() == TabSheet4;
    // A new picture starts: until a field is drawn over it, the frame is all it shows.
    fieldViewState->shownPanel = ShownSurface();
    fieldViewState->shownField.reset();
    const FrameGeometry& frame = frameFor(ThreeDView != 0, !onComfortPage);

    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(0.0f, 0.0f, 0.0f);
    drawSegments(frame.lines);

    UseFont(kSystemFontBase);
    for (const PlacedText& letter : frame.letters)
        DrawLabel(letter.at.x, letter.at.y, letter.at.z, letter.text);

    if (frame.grid.empty())
        return;
    BeginStippledLines(1, 0x0F0F);
    glColor3f(0.8f, 0.8f, 0.8f);
    drawSegments(frame.grid);
    glColor3f(0.0f, 0.0f, 0.0f);
    EndStippledLines();
}

} // namespace tessaplot
