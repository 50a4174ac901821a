#include "DifferenceBench.h"

#include "SampleData.h"
#include "Timing.h"

#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "compare/Comparison.h"
#include "compare/DifferenceView.h"
#include "fieldview/FieldViewState.h"
#include "fieldview/MeshThinning.h"
#include "gl/DrawReduction.h"
#include "gl/GlPanel.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>

namespace tessaplot::bench {

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 9;

// The generator's 150,000-record layer (25,000 steps over `durationMinutes`) of a colder
// day: another condition of the same simulation, so its difference is as smooth as a
// parameter study's (another noise seed would make the difference all noise, which the
// thinning cannot thin).
fs::path comparedRun(const fs::path& scratch, const char* name, double durationMinutes) {
    const fs::path dir = scratch / name;
    if (fs::exists(dir / "done"))
        return dir;
    sample::DataSetOptions o;
    o.timeSteps = 25000;
    o.durationMinutes = durationMinutes;
    o.fiberFiles = 1;
    o.comfortLines = 100;
    o.ambientCelsius = 8.0;
    std::printf("generating %s ...\n", dir.c_str());
    std::fflush(stdout);
    sample::WriteDataSet(dir, o);
    sample::WriteTextFile(dir / "done", "");
    return dir;
}

void finished() {
    Form1->Panel1->makeCurrent();
    glFinish();
}

Figure showData(bool difference) {
    return Measure(kRuns, [&] {
        // Nothing kept: both tables read, the difference taken, the mesh built.
        Form1->fieldViewState->keptTable.forget();
        if (difference)
            Form1->comparison->run(0).fieldTable.kept.forget();
        Form1->BitBtn1Click();
        finished();
    });
}

Figure leftStep() {
    const std::uint64_t taken = Form1->comparison->difference.generation;
    const Figure f = Measure(kRuns, [] {
        Form1->ToolButton6Click();
        finished();
    });
    if (Form1->comparison->difference.generation != taken)
        std::printf("(the difference was taken anew during the steps)\n");
    return f;
}

// The segments a step hands to OpenGL: what the thinning keeps of the kept mesh (a
// difference keeps more where it is rough from step to step).
std::size_t segmentsDrawn() {
    Form1->Panel1->makeCurrent();
    const KeptFieldMesh& kept = Form1->fieldViewState->keptMesh;
    std::vector<unsigned> segments;
    return (ThinFieldMesh(kept.mesh, CurrentWindowMapping(), segments) ? segments.size()
                                                                       : kept.segments.size()) /
           2;
}

void print(const char* what, const Figure& f, const Figure& single) {
    std::printf("| %-58s | %9.2f | %8.2f - %-8.2f | %.2fx of the single run, %zu segments\n", what,
                f.median, f.min, f.max, f.median / single.median, segmentsDrawn());
    std::fflush(stdout);
}

} // namespace

void DifferenceSection(const fs::path& layer150000, const fs::path& scratch,
                       const std::function<void(const fs::path&)>& open) {
    const fs::path sameGrid = comparedRun(scratch, "compared-same-grid", 12500.0);
    const fs::path shifted = comparedRun(scratch, "compared-shifted", 12500.25);
    std::printf("\n### Difference mesh of a Fabric layer of 150,000 records\n\n");
    std::printf("| %-58s | %9s | %-19s | ratio\n", "case", "median ms", "min - max ms");
    std::printf("|---|---|---|---|\n");
    open(layer150000);
    Form1->SetActivePage(Form1->TabSheet1);
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    const Figure single = showData(false);
    const Figure singleStep = leftStep();
    print("single run: Show Data (table read)", single, single);
    print("single run: one 'Left' step", singleStep, singleStep);
    for (const auto& [dir, what] :
         {std::pair{sameGrid, "same grid"}, std::pair{shifted, "times half-way (interpolated)"}}) {
        Form1->comparison->add(dir.string());
        ChooseDifferenceFrom(*Form1, Form1->comparison->run(0).serial);
        print(("difference, " + std::string(what) + ": Show Data (both read)").c_str(),
              showData(true), single);
        print(("difference, " + std::string(what) + ": one 'Left' step").c_str(), leftStep(),
              singleStep);
        Form1->comparison->remove(0);
    }
}

} // namespace tessaplot::bench
