// The compared runs as layers of the base pictures: each draw asks the comparison as
// it is then, so a run added, removed or renamed, or a table that changed, shows at the
// next draw.
#include "compare/ComparedOverlays.h"

#include "app/Temp.h"
#include "comfort/ComfortOverlays.h"
#include "comfort/ComfortState.h"
#include "compare/Comparison.h"
#include "compare/CurveOverlay.h"
#include "compare/DifferenceView.h"
#include "compare/SectionOverlay.h"
#include "dataset/Unit4.h"
#include "fieldview/FieldOverlays.h"
#include "section2d/Image2d.h"
#include "section2d/SectionOverlays.h"

#include <memory>

namespace tessaplot {

namespace {

class ComparedFieldOverlay : public FieldOverlay {
public:
    void shape(TForm1& form, ShownField& shown) override {
        if (shown.inputs.threeD) {
            PutDifferenceInPlace(form, shown);
            return;
        }
        // Curves of compared runs widen the axes the opened run's curve is built on.
        SpanComparedBodyCurves(form);
        shown = StoreField(form, shown.inputs);
        m_drawnComparison = form.comparison->generation();
    }
    void drawOver(TForm1& form, const ShownField& shown) override {
        if (!shown.inputs.threeD)
            DrawComparedBodyCurves(form);
    }
    bool follow(TForm1& form) override {
        return FollowDifferenceTable(form) || FollowComparedTables(form, m_drawnComparison);
    }

private:
    std::uint64_t m_drawnComparison = 0;
};

class ComparedComfortOverlay : public ComfortOverlay {
public:
    float endTime(TForm1& form, float ownEndTime) override {
        return SharedComfortEndTime(form, ownEndTime);
    }
    void refresh(TForm1& form, ComfortFileReader::Clock::time_point deadline) override {
        RefreshComparedComfort(form, deadline);
    }
    void key(const TForm1& form, std::vector<std::uint64_t>& key) const override {
        const std::vector<std::uint64_t> runs =
            ComparisonKey(*form.comparison, RunRecords::Comfort);
        key.insert(key.end(), runs.begin(), runs.end());
    }
    void drawOver(TForm1& form, ComfortQuantity quantity, float endTime) override {
        DrawComparedComfortCurves(form, quantity, endTime);
    }
};

class ComparedSectionOverlay : public SectionOverlay {
public:
    void prepare(const Section& opened, SectionExtents& extents) override {
        m_curves = CutComparedSections(opened, extents);
    }
    void drawOver(const Section&, const SectionExtents& extents) override {
        DrawComparedSections(m_curves, extents);
    }
    std::span<const ComparedCurve> curves() const { return m_curves; }

private:
    // Cut by this paint's prepare, for its drawing.
    std::vector<ComparedCurve> m_curves;
};

} // namespace

void AttachComparedOverlays(TForm1& form, TForm3& imageWindow, TForm4& chooser) {
    form.fieldViewState->overlays.push_back(std::make_shared<ComparedFieldOverlay>());
    form.comfortState->overlays.push_back(std::make_shared<ComparedComfortOverlay>());
    imageWindow.Overlays.push_back(std::make_shared<ComparedSectionOverlay>());
    QObject::connect(
        &chooser, &TForm4::DataSetOpened, &form,
        [&form](const std::string& directory) { form.comparison->setOpenedRun(directory); });
}

std::span<const ComparedCurve> ShownComparedSections(const TForm3& imageWindow) {
    for (const auto& overlay : imageWindow.Overlays)
        if (const auto* compared = dynamic_cast<const ComparedSectionOverlay*>(overlay.get()))
            return compared->curves();
    return {};
}

} // namespace tessaplot
