#include "compare/SectionOverlay.h"

#include "app/LocaleText.h"
#include "app/Temp.h"
#include "compare/Comparison.h"
#include "compare/OverlayDrawing.h"
#include "fieldview/FieldViewState.h"
#include "section2d/SectionState.h"

#include <algorithm>
#include <string>

namespace tessaplot {

namespace {

// Right of the plot, above its time or position axis: no point lies there.
constexpr LegendLayout kSectionLegend{1.04f + kSectionFrameOrigin[0],
                                      0.96f + kSectionFrameOrigin[1], 0.06f, 0.0f,
                                      static_cast<int>(Comparison::MaxRuns)};
constexpr RunColour kOpenedSectionColour{1.0f, 0.0f, 0.0f};

// The table the section is cut from, when the window's page shows it.
const KeptFieldTable* sectionTable() {
    if (Form1 == nullptr || Form1->sectionState == nullptr || !Form1->sectionState->requested)
        return nullptr;
    const KeptFieldTable& table = Form1->fieldViewState->keptTable;
    const ReadingRules rules =
        Form1->sectionState->fabricPage ? ReadingRules::Fabric : ReadingRules::Fibers;
    if (table.keptLoad() == nullptr || table.request().rules != rules)
        return nullptr;
    return &table;
}

std::string tableFileName(const KeptFieldTable& table) {
    const std::string& path = table.path();
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::vector<ComparedCurve> CutComparedSections(const Section& opened, SectionExtents& extents) {
    std::vector<ComparedCurve> curves;
    const KeptFieldTable* table = sectionTable();
    if (table == nullptr || Form1->comparison->empty())
        return curves;
    const SectionRequest& request = Form1->sectionState->request;
    const std::size_t count = std::min(Form1->FieldPoints.size(),
                                       static_cast<std::size_t>(std::max(Form1->PointCount, 0)));
    const auto start = static_cast<std::size_t>(std::max(opened.start, 0));
    const float shownTime = opened.kind == SectionKind::Time && start < count
                                ? Form1->FieldPoints[start].Time
                                : request.sectionTime;
    const std::string separator = LocaleDecimalSeparator();
    const std::string fileName = tableFileName(*table);
    Comparison& comparison = *Form1->comparison;
    for (std::size_t i = 0; i < comparison.size(); ++i) {
        ComparedRun& run = comparison.run(i);
        const FieldLoad& load = run.fieldTable.read(run.tablePath(fileName), table->request());
        ComparedCurve curve{run.name, run.colour, {}, {}};
        if (run.fieldTable.records().empty()) {
            curve.problem = RunProblemWord(load.problem);
        } else {
            curve.points = CutLikeOpened(request, shownTime, run.fieldTable.records(),
                                         load.PositionsPerStep, separator)
                               .points;
            extents = SpanSectionExtents(extents, opened.kind, load);
            if (curve.points.empty())
                curve.problem =
                    opened.kind == SectionKind::Time ? "no such time" : "no such position";
        }
        curves.push_back(std::move(curve));
    }
    return curves;
}

void DrawComparedSections(const std::vector<ComparedCurve>& curves, const SectionExtents& extents) {
    if (curves.empty())
        return;
    std::vector<LegendEntry> legend{{OpenedRunName(*Form1->comparison), kOpenedSectionColour}};
    std::vector<float> xy;
    for (const ComparedCurve& curve : curves) {
        xy.clear();
        for (const SectionPoint& p : PlaceSectionCurve(curve.points, extents))
            xy.insert(xy.end(), {p.x, p.y});
        DrawRunPolyline(xy, curve.colour);
        legend.push_back({LegendText(curve.name, curve.problem), curve.colour});
    }
    DrawLegend(legend, kSectionLegend, 1.0f);
}

} // namespace tessaplot
