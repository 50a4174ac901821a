#include "app/LocaleText.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "comfort/ComfortChartGeometry.h"
#include "comfort/ComfortOverlays.h"
#include "comfort/ComfortState.h"
#include "comfort/Conclusions.h"
#include "comfort/SensationBands.h"
#include "gl/BitmapFont.h"
#include "gl/DrawReduction.h"
#include "gl/DrawingState.h"
#include "gl/GlPanel.h"

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
    const float endTime = ComfortChartEndTime(*this);
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
    for (const auto& overlay : comfortState->overlays)
        overlay->drawOver(*this, quantity, endTime);
    glColor3f(0.0f, 0.0f, 0.0f);
    DrawLabel(ChartTitleX, ChartTitleY, 0.0f, ComfortChartTitle(quantity));
    for (const ChartStripe& stripe : stripes)
        DrawLabel(BandNameX, stripe.nameY, 0.0f, stripe.name);
}

void TForm1::DrawComfortChart() {
    const std::string separator = LocaleDecimalSeparator();
    // With no records there is no end time: the time axis reads 0 throughout.
    const float endTime = ComfortChartEndTime(*this);
    const int item = RadioGroup4->ItemIndex();
    ComfortState& state = *comfortState;
    state.drawnOverlays = ComfortOverlayKey(*this);
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

float ComfortChartEndTime(TForm1& form) {
    float endTime = form.ComfortCount > 0 ? form.ComfortEndTime : 0.0f;
    for (const auto& overlay : form.comfortState->overlays)
        endTime = overlay->endTime(form, endTime);
    return endTime;
}

std::vector<std::uint64_t> ComfortOverlayKey(const TForm1& form) {
    std::vector<std::uint64_t> key;
    for (const auto& overlay : form.comfortState->overlays)
        overlay->key(form, key);
    return key;
}

float ComfortOverlay::endTime(TForm1&, float ownEndTime) {
    return ownEndTime;
}
void ComfortOverlay::refresh(TForm1&, ComfortFileReader::Clock::time_point) {}
void ComfortOverlay::key(const TForm1&, std::vector<std::uint64_t>&) const {}
void ComfortOverlay::drawOver(TForm1&, ComfortQuantity, float) {}

} // namespace tessaplot
