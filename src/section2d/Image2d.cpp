#include "section2d/Image2d.h"

#include "app/ClassicControls.h"
#include "app/LocaleText.h"
#include "app/MessageBoxes.h"
#include "app/Temp.h"
#include "app/Widgets.h"
#include "fieldview/FieldViewState.h"
#include "gl/BitmapFont.h"
#include "gl/DrawReduction.h"
#include "gl/DrawingState.h"
#include "gl/GlPanel.h"
#include "gl/Surface.h"
#include "gl/ViewSetup.h"
#include "section2d/ImageFileName.h"
#include "section2d/SectionOverlays.h"
#include "section2d/SectionPlot.h"
#include "section2d/SectionState.h"

#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QTimer>

#include <GL/gl.h>

#include <algorithm>
#include <functional>
#include <span>

namespace tessaplot {

TForm3* Form3 = nullptr;

namespace {

constexpr int kStatusBarHeight = 19;
constexpr int kButtonPanelHeight = 41;
constexpr GLushort kGridStipple = 0x0F0F; // four pixels on, four off

// The window's surface: its paint is the window's FormPaint.
class ImagePanel : public GlPanel {
public:
    using GlPanel::GlPanel;
    std::function<void()> onPaint;

protected:
    void paintGL() override {
        GlPanel::paintGL();
        if (onPaint) {
            onPaint();
            notePictureShown();
        }
    }
};

// The bitmap glyphs are Latin-1; a character outside it is drawn as '?'.
std::string latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

// What the main window holds for the section: the request of the last "Show 2D Data"
// (or, before any, the page shown with no points) cut from the loaded field as it
// is now.
struct SectionInput {
    bool fabricPage = true;
    Section section;
    SectionExtents extents;
    QString variable;
};

SectionInput currentSection() {
    SectionInput input;
    if (Form1 == nullptr)
        return input;
    const SectionState* state = Form1->sectionState.get();
    if (state != nullptr && state->requested) {
        input.fabricPage = state->fabricPage;
        // Only the records the page's panel shows are cut: after another page or data
        // set the store may hold what this page never drew, under other names.
        const FieldViewState& view = *Form1->fieldViewState;
        const bool shown = view.shownPanel == (input.fabricPage ? Form1->Panel1 : Form1->Panel5) &&
                           view.shownField.has_value();
        const size_t count = shown ? std::min(static_cast<size_t>(std::max(Form1->PointCount, 0)),
                                              Form1->FieldPoints.size())
                                   : 0;
        input.section = ExtractSection(
            state->request, std::span<const FieldPoint>(Form1->FieldPoints.data(), count),
            Form1->PositionsPerStep, LocaleDecimalSeparator());
    } else {
        input.fabricPage = Form1->ActivePage() == Form1->TabSheet1;
        const QRadioButton* timePos = input.fabricPage ? Form1->RadioButton1 : Form1->RadioButton3;
        input.section.kind = timePos->isChecked() ? SectionKind::Time : SectionKind::Position;
    }
    input.variable = (input.fabricPage ? Form1->Label4 : Form1->Label9)->text();
    SectionExtents& e = input.extents;
    if (input.section.kind == SectionKind::Time) {
        e.xMin = Form1->PositionMin;
        e.xMax = Form1->PositionMax;
        e.xSpan = Form1->PositionSpan;
    } else {
        e.xMin = Form1->TimeMin;
        e.xMax = Form1->TimeMax;
        e.xSpan = Form1->TimeSpan;
    }
    e.valueMin = Form1->ValueMin;
    e.valueMax = Form1->ValueMax;
    e.valueSpan = Form1->ValueSpan;
    return input;
}

void drawSegments(const std::vector<PlotSegment>& segments) {
    glBegin(GL_LINES);
    for (const PlotSegment& s : segments) {
        glVertex3f(s.x0, s.y0, 0.0f);
        glVertex3f(s.x1, s.y1, 0.0f);
    }
    glEnd();
}

static_assert(sizeof(SectionPoint) == 2 * sizeof(float), "the curve is read as pairs of floats");

// The red curve as one line strip, through the points the view shows apart.
void drawCurve(const std::vector<SectionPoint>& curve) {
    static std::vector<unsigned> kept;
    const bool reduced =
        ReducePolyline({reinterpret_cast<const float*>(curve.data()), 2, curve.size()}, kept);
    glBegin(GL_LINE_STRIP);
    if (reduced) {
        for (unsigned i : kept)
            glVertex3f(curve[i].x, curve[i].y, 0.0f);
    } else {
        for (const SectionPoint& p : curve)
            glVertex3f(p.x, p.y, 0.0f);
    }
    glEnd();
}

void drawLabel(const PlotLabel& label) {
    DrawLabel(label.x, label.y, 0.0f, label.text);
}

} // namespace

TForm3::TForm3() {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("2D Image"));
    setFont(DefaultFormFont());
    setModal(true);
    resize(468, 400);
    move(382, 121);

    auto* panel = new ImagePanel(this);
    panel->onPaint = [this] { FormPaint(); };
    ImageDC = panel;
    ImageDC->setObjectName(QStringLiteral("ImageSurface"));
    // The picture is laid out for a surface of this fixed size, not the window's.
    ImageDC->BindSurface([] {
        ResetSurfaceState();
        SetupViewProjection(kSectionProjectionWidth, kSectionProjectionHeight, kViewHalfExtent);
    });
    ImageDC->setContextCreatedHandler([this] { ImageRC = ImageDC->context(); });

    StatusBar1 = MakeStatusBar(this, "StatusBar1", {{"X:", 70}, {"Y:", 200}, {"File:", 50}});
    Panel1 =
        MakePanel(this, "Panel1", {0, 0, 468, kButtonPanelHeight}, QFrame::Panel | QFrame::Sunken);
    BitBtn1 = new QPushButton(QStringLiteral("save image"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(88, 8, 89, 25);
    BitBtn2 = new QPushButton(QStringLiteral("exit"), Panel1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(288, 8, 89, 25);
    // Neither button may take Return from the other: the window has no default action.
    BitBtn1->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm3::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm3::BitBtn2Click);
    // Every way of closing (exit, close box, Escape) ends the modal showing here.
    connect(this, &QDialog::finished, this, &TForm3::FormClose);
    AdoptClassicControlBehaviour(this);
}

TForm3::~TForm3() {
    FormDestroy();
}

void TForm3::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The drawing covers the whole client area; the button panel and the status bar
    // lie over its bottom.
    ImageDC->setGeometry(0, 0, width(), height());
    StatusBar1->setGeometry(0, height() - kStatusBarHeight, width(), kStatusBarHeight);
    Panel1->setGeometry(0, height() - kStatusBarHeight - kButtonPanelHeight, width(),
                        kButtonPanelHeight);
    Panel1->raise();
    StatusBar1->raise();
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window given back from the task bar was not shown anew.
    if (!event->spontaneous())
        FormShow();
}

void TForm3::FormShow() {
    if (Form1 != nullptr)
        Form1->RedrawPending = true;
}

void TForm3::FormPaint() {
    if (!ImageDC->makeSurfaceCurrent())
        return;
    ImageRC = ImageDC->context();
    DrawPicture();
}

void TForm3::DrawPicture() {
    SectionInput input = currentSection();
    for (const auto& overlay : Overlays)
        overlay->prepare(input.section, input.extents);
    ShownExtents = input.extents;
    if (input.section.kind == SectionKind::Time && Form1 != nullptr &&
        Form1->sectionState != nullptr && Form1->sectionState->request.converted) {
        SectionTime = Form1->sectionState->request.sectionTime;
        SectionStart = input.section.start;
    }
    const SectionPicture picture =
        BuildSectionPicture(input.section, input.extents, latin1(input.variable),
                            latin1(QString::fromStdString(LocaleDecimalSeparator())));
    ShownSection = input.section;
    ShownCurve = picture.curve;
    XTitle = picture.xTitle.text;
    YTitle = picture.yTitle.text;
    for (size_t i = 0; i < 6; ++i) {
        XTickText[i] = picture.xTicks[i].text;
        YTickText[i] = picture.yTicks[i].text;
    }

    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Anchored at the lower left corner and larger than the window: the picture is cut
    // at the top and right, and a resize neither moves nor scales it.
    SetViewport(DevicePixels(kSectionViewportWidth, ImageDC),
                DevicePixels(kSectionViewportHeight, ImageDC));
    // Restored exactly at the end, so no rounding builds up over many paints.
    glPushMatrix();

    glTranslatef(kSectionFrameOrigin[0], kSectionFrameOrigin[1], 0.0f);
    glColor3f(0.0f, 0.0f, 0.0f);
    drawSegments(picture.frame);
    BeginStippledLines(1, kGridStipple);
    glColor3f(0.8f, 0.8f, 0.8f);
    drawSegments(picture.grid);
    EndStippledLines();
    glTranslatef(-kSectionFrameOrigin[0], -kSectionFrameOrigin[1], 0.0f);

    // Depth test on, everything at z = 0: what was drawn first stays visible, so the
    // curve and the texts never cover the axes or the grid.
    glColor3f(1.0f, 0.0f, 0.0f);
    drawCurve(picture.curve);
    for (const auto& overlay : Overlays)
        overlay->drawOver(input.section, input.extents);

    glTranslatef(kSectionFrameOrigin[0], kSectionFrameOrigin[1], 0.0f);
    glColor3f(0.0f, 0.0f, 0.0f);
    // Titles and tick texts both in the system font, as this window always had them.
    UseFont(kSystemFontBase);
    drawLabel(picture.xTitle);
    drawLabel(picture.yTitle);
    glColor3f(0.5f, 0.5f, 0.5f);
    for (size_t i = 0; i < 6; ++i) {
        drawLabel(picture.xTicks[i]);
        drawLabel(picture.yTicks[i]);
    }
    glColor3f(0.0f, 0.0f, 0.0f);
    glPopMatrix();
}

void TForm3::FormClose() {
    if (Form1 == nullptr)
        return;
    if (Form1->ViewDC != nullptr)
        Form1->ViewDC->makeSurfaceCurrent();
    if (!Form1->Timer1->isActive())
        Form1->Timer1->start();
}

void TForm3::FormDestroy() {
    if (ImageDC != nullptr && ImageDC->hasContext())
        ImageDC->doneCurrent();
    ImageRC = nullptr;
    XTitle.clear();
    YTitle.clear();
}

void TForm3::BitBtn2Click() {
    close();
}

QString TForm3::SuggestedFileName() const {
    SectionKind kind = SectionKind::Position;
    std::string sectionText;
    QString variable;
    if (Form1 != nullptr) {
        const SectionState* state = Form1->sectionState.get();
        const bool fabric = state != nullptr && state->requested ? state->fabricPage : true;
        if (state != nullptr && state->requested) {
            kind = state->request.kind;
            sectionText = state->sectionText;
        }
        variable = (fabric ? Form1->Label4 : Form1->Label9)->text();
    }
    return QString::fromStdString(
        SuggestedImageFileName(variable.toStdString(), kind, sectionText));
}

void SectionOverlay::prepare(const Section&, SectionExtents&) {}
void SectionOverlay::drawOver(const Section&, const SectionExtents&) {}

} // namespace tessaplot
