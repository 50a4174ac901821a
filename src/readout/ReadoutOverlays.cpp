// The reading aids as layers of the base pictures, over everything else so that no
// mesh or curve hides them.
#include "readout/ReadoutOverlays.h"

#include "app/Temp.h"
#include "comfort/ComfortOverlays.h"
#include "comfort/ComfortState.h"
#include "dataset/Unit4.h"
#include "fieldview/FieldOverlays.h"
#include "readout/ColourKeyDrawing.h"
#include "readout/ReadingState.h"
#include "readout/TimeMarkView.h"
#include "section2d/Image2d.h"
#include "section2d/SectionOverlays.h"

#include <memory>

namespace tessaplot {

namespace {

class ReadoutFieldOverlay : public FieldOverlay {
public:
    void addInputs(const TForm1& form, FieldDrawInputs& inputs) const override {
        AddColourKeyInputs(form, inputs);
    }
    void drawOver(TForm1& form, const ShownField& shown) override {
        if (shown.points.empty())
            return;
        // On the axes of what is drawn: the loaded records or a difference in their place.
        DrawFieldTimeMark(shown.inputs.threeD, shown.points, shown.positionsPerStep, shown.extents);
        if (shown.inputs.colourKey)
            DrawColourKey(form, shown.inputs);
    }
};

class ReadoutComfortOverlay : public ComfortOverlay {
public:
    void drawOver(TForm1& form, ComfortQuantity, float endTime) override {
        if (form.ComfortCount > 0)
            DrawTimeMark({TimeAxisKind::Curve, 0.0f, endTime});
    }
};

class ReadoutSectionOverlay : public SectionOverlay {
public:
    void drawOver(const Section& opened, const SectionExtents& extents) override {
        if (opened.kind == SectionKind::Position)
            DrawTimeMark({TimeAxisKind::PositionSection, extents.xMin, extents.xSpan});
    }
};

} // namespace

void AttachReadoutOverlays(TForm1& form, TForm3& imageWindow, TForm4& chooser) {
    form.fieldViewState->overlays.push_back(std::make_shared<ReadoutFieldOverlay>());
    form.comfortState->overlays.push_back(std::make_shared<ReadoutComfortOverlay>());
    imageWindow.Overlays.push_back(std::make_shared<ReadoutSectionOverlay>());
    // A range fixed for the data set shown before says nothing about the next.
    QObject::connect(&chooser, &TForm4::DataSetLeft, &form,
                     [&form] { form.readingState->fixedRange.reset(); });
}

} // namespace tessaplot
