#include "app/LocaleText.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "comfort/ComfortChartGeometry.h"
#include "comfort/ComfortState.h"
#include "comfort/Conclusions.h"
#include "comfort/SensationBands.h"
#include "compare/CurveOverlay.h"
#include "gl/BitmapFont.h"
#include "gl/DrawReduction.h"
#include "gl/DrawingState.h"
#include "gl/GlPanel.h"
#include "readout/TimeMarkView.h"

#include <QLabel>

#include <GL/gl.h>

#include <span>

namespace tessaplot {

namespace {

void drawTexts(std::span<const ChartText> texts) {
    for (const ChartText& text : texts)
        DrawLabel(text.x, text.y, 0.0f, text.text);
}

void drawStripes(std::span<const ChartStripe> stripes) {
    for (const ChartStripe& stripe : stripes) {
        glBegin(GL_QUAD_STRIP);
        glColor3f(stripe.bottom.red, stripe.bottom.green, stripe.bottom.blue);
        glVertex3f(0.0f, stripe.y0, 0.0f);
        glVertex3f(1.0f, stripe.y0, 0.0f);
        glColor3f(stripe.top.red, stripe.top.green, stripe.top.blue);
        glVertex3f(0.0f, stripe.y1, 0.0f);
        glVertex3f(1.0f, stripe.y1, 0.0f);
        glEnd();
    }
}

static_assert(sizeof(ChartPoint) == 2 * sizeof(float), "the curve is read as pairs of floats");

// One line strip through every point, in front of the stripes.
void drawCurve(const std::vector<ChartPoint>& points) {
    SetLineWidth(CurveWidth);
    glColor3f(0.0f, 0.0f, 0.0f);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, CurveZ);
    // z is 0 in the arrays: the curve's depth is in the matrix.
    DrawReducedLineStrip({reinterpret_cast<const float*>(points.data()), 2, points.size()});
    glPopMatrix();
    SetLineWidth(1.0f);
}

} // namespace

void TForm1::drawComfortPicture() {
    const std::string separator = LocaleDecimalSeparator();
    const float endTime = SharedComfortEndTime(*this, ComfortCount > 0 ? ComfortEndTime : 0.0f);
    glColor3f(0.0f, 0.0f, 0.0f);
    UseFont(kViewFontBase);
    drawTexts(ComfortTimeTicks(endTime, separator));
    drawTexts(ComfortValueTicks(separator));
    UseFont(kSystemFontBase);
    drawTexts(ComfortAxisTitles());

    const int item = RadioGroup4->ItemIndex();
    if (!IsComfortQuantity(item))
        return;
    const auto quantity = static_cast<ComfortQuantity>(item);
    const auto stripes = ComfortChartStripes(quantity);
    drawStripes(stripes);
    drawCurve(comfortState->curve);
    DrawComparedComfortCurves(*this, quantity, endTime);
    if (ComfortCount > 0)
        DrawTimeMark({TimeAxisKind::Curve, 0.0f, endTime});
    glColor3f(0.0f, 0.0f, 0.0f);
    DrawLabel(ChartTitleX, ChartTitleY, 0.0f, ComfortChartTitle(quantity));
    for (const ChartStripe& stripe : stripes)
        DrawLabel(BandNameX, stripe.nameY, 0.0f, stripe.name);
}

void TForm1::DrawComfortChart() {
    const std::string separator = LocaleDecimalSeparator();
    // With no records there is no end time: the time axis reads 0 throughout.
    const float endTime = SharedComfortEndTime(*this, ComfortCount > 0 ? ComfortEndTime : 0.0f);
    const int item = RadioGroup4->ItemIndex();
    ComfortState& state = *comfortState;
    state.drawnCompared = ComparedComfortKey(*this);
    const bool computed =
        IsComfortQuantity(item) && state.drawnFrom(item, ComfortCount, endTime, separator);
    const std::span<const ComfortRecord> records(ComfortRecords.data(),
                                                 static_cast<std::size_t>(ComfortCount));
    if (IsComfortQuantity(item) && !computed)
        BuildComfortCurve(records, endTime, static_cast<ComfortQuantity>(item), state.curve);

    drawComfortPicture();

    if (IsComfortQuantity(item)) {
        const auto quantity = static_cast<ComfortQuantity>(item);
        if (!computed) {
            const ConclusionCaptions captions = ConclusionTexts(records, quantity, separator);
            for (std::size_t i = 0; i < captions.size(); ++i)
                ConclusionLabels[i]->setText(QString::fromStdString(captions[i]));
            state.drawnValid = true;
            state.drawnQuantity = item;
            state.drawnCount = ComfortCount;
            state.drawnEndTime = endTime;
            state.drawnSeparator = separator;
        }
    }
    ComfortDC->present();
}

} // namespace tessaplot
