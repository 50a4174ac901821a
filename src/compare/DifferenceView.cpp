// The difference mesh: what the view panel draws when "Difference From" names a
// compared run, through the field's own drawing path.
#include "compare/DifferenceView.h"

#include "app/MessageBoxes.h"
#include "app/Temp.h"
#include "compare/Comparison.h"
#include "compare/DifferenceField.h"
#include "dataset/ReadProblemText.h"
#include "gl/GlPanel.h"

#include <QActionGroup>
#include <QMenu>
#include <QTimer>

#include <algorithm>
#include <filesystem>

namespace tessaplot {

namespace {

bool onMesh(const TForm1& form) {
    return form.ViewDC != nullptr && (form.ViewDC == form.Panel1 || form.ViewDC == form.Panel5);
}

std::span<const FieldPoint> storeRecords(const TForm1& form) {
    const std::size_t count =
        std::min(form.FieldPoints.size(), static_cast<std::size_t>(std::max(form.PointCount, 0)));
    return {form.FieldPoints.data(), count};
}

// The axes' ends of a difference.
void takeBounds(ShownField& shown, const DifferenceField& from) {
    shown.TimeMin = from.TimeMin;
    shown.TimeMax = from.TimeMax;
    shown.PositionMin = from.PositionMin;
    shown.PositionMax = from.PositionMax;
    shown.ValueMin = from.ValueMin;
    shown.ValueMax = from.ValueMax;
}

// The compared run's table of the file the store holds, read by the same request.
void refreshDifference(TForm1& form, ComparedRun& run) {
    FieldViewState& state = *form.fieldViewState;
    DifferenceChoice& choice = form.comparison->difference;
    const std::span<const FieldPoint> opened = storeRecords(form);
    // A view step draws the difference kept: the compared table is looked at again
    // only with a new filling of the store, or when following saw it change.
    if (choice.computed && choice.openedGeneration == state.keptTable.generation() &&
        choice.openedCount == opened.size())
        return;
    const std::string fileName = std::filesystem::path(state.keptTable.path()).filename().string();
    const std::string path = run.tablePath(fileName);
    const FieldLoad& load = run.fieldTable.read(path, state.keptTable.request());
    if (!load.opened) {
        // Nothing of an older read or another run stays drawn.
        choice.field = DifferenceField{};
        choice.computed = false;
        choice.unreadable = true;
        ++choice.generation;
        if (choice.toldProblemOf != path) {
            choice.toldProblemOf = path;
            std::string why = ReadProblemMessage(path, load.problem);
            if (why.empty())
                why = path + " could not be read.";
            // Told once the picture is drawn, never from inside a drawing.
            QTimer::singleShot(0, &form, [text = "No difference from " + run.name + ": " + why] {
                ShowMessage(text);
            });
        }
        return;
    }
    choice.unreadable = false;
    choice.toldProblemOf.clear();
    if (choice.openedGeneration == state.keptTable.generation() &&
        choice.openedCount == opened.size() &&
        choice.comparedGeneration == run.fieldTable.generation()) {
        choice.computed = true;
        return;
    }
    choice.field = MakeDifferenceField({opened, form.PositionsPerStep},
                                       {run.fieldTable.records(), load.PositionsPerStep});
    choice.computed = true;
    choice.openedGeneration = state.keptTable.generation();
    choice.openedCount = opened.size();
    choice.comparedGeneration = run.fieldTable.generation();
    ++choice.generation;
}

void redrawShownField(TForm1& form) {
    if (form.panelShowsLoadedField())
        RedrawShownFieldPicture(form, form.fieldViewState->shownPanel);
}

} // namespace

void PutDifferenceInPlace(TForm1& form, ShownField& shown) {
    DifferenceChoice& choice = form.comparison->difference;
    ComparedRun* run = choice.runSerial == 0 || !shown.inputs.threeD || !onMesh(form)
                           ? nullptr
                           : form.comparison->findSerial(choice.runSerial);
    // A store that holds no table has no file to find in the compared run.
    if (run == nullptr || form.fieldViewState->keptTable.path().empty())
        return;
    choice.runName = run->name;
    refreshDifference(form, *run);
    const DifferenceField& d = choice.field;
    shown.points = d.points;
    shown.positionsPerStep = d.positionsPerStep;
    takeBounds(shown, d);
    shown.extents = d.extents();
    shown.replacedGeneration = choice.generation;
    // Latin-1 only: the picture's fonts have no minus sign of their own.
    choice.titleSuffix = " - " + run->name;
    if (d.interpolated)
        choice.titleSuffix += " (interpolated)";
    if (d.partial)
        choice.titleSuffix += " (part)";
    shown.inputs.variableCaption += choice.titleSuffix;
    // A difference is read by its sign: white at zero, coloured along the value over
    // its own range (a range fixed for the quantity is no range of its difference).
    // A difference that is the same everywhere (two equal runs) is coloured and keyed
    // about its one value, so that a zero difference draws white with white in the key.
    const ColourRange range = d.ValueMax > d.ValueMin
                                  ? ColourRange{d.ValueMin, d.ValueMax}
                                  : ColourRange{d.ValueMin - 0.5f, d.ValueMin + 0.5f};
    shown.inputs.colorAxis = kColorAlongValue;
    shown.inputs.fixedRange = range;
    shown.inputs.ramp.whiteAt = (0.0f - range.min) / (range.max - range.min);
}

std::span<const FieldPoint> DrawnRecords(const TForm1& form) {
    const FieldViewState& state = *form.fieldViewState;
    const DifferenceChoice& choice = form.comparison->difference;
    const std::uint64_t drawn = state.keptMesh.replacedGeneration;
    if (drawn == 0)
        return storeRecords(form);
    if (drawn == choice.generation)
        return choice.field.points;
    return {};
}

DrawnValueTitle DrawnValueTitleOf(const TForm1& form, const FieldDrawInputs& inputs) {
    const DifferenceChoice& choice = form.comparison->difference;
    const std::uint64_t drawn = form.fieldViewState->keptMesh.replacedGeneration;
    if (drawn != 0 && drawn == choice.generation)
        return {inputs.variableCaption, choice.titleSuffix};
    return {inputs.variableCaption, {}};
}

void ChooseDifferenceFrom(TForm1& form, std::uint64_t runSerial) {
    DifferenceChoice& choice = form.comparison->difference;
    if (choice.runSerial == runSerial)
        return;
    const std::uint64_t generation = choice.generation;
    choice = DifferenceChoice{};
    choice.runSerial = runSerial;
    if (const ComparedRun* run = form.comparison->findSerial(runSerial))
        choice.runName = run->name;
    choice.generation = generation + 1;
    redrawShownField(form);
}

void WireDifference(TForm1& form) {
    form.comparison->subscribe([&form, opened = std::string()]() mutable {
        Comparison& comparison = *form.comparison;
        const DifferenceChoice& choice = comparison.difference;
        const bool otherDataSet = opened != comparison.openedDirectory();
        opened = comparison.openedDirectory();
        if (choice.runSerial == 0)
            return;
        // Still compared: drawn again, under the name the run may have taken now.
        if (!otherDataSet && comparison.findSerial(choice.runSerial) != nullptr) {
            redrawShownField(form);
            return;
        }
        const std::string name = choice.runName;
        ChooseDifferenceFrom(form, 0);
        // The mesh is the field itself again; the user who removed the run is told why
        // once (another data set opened says so itself).
        if (!otherDataSet)
            QTimer::singleShot(0, &form,
                               [text = "No difference from " + name +
                                       ": it is no longer compared."] { ShowMessage(text); });
    });
}

void AddDifferenceItems(GlPanel* surface, QMenu& menu) {
    TForm1* form = Form1;
    if (form == nullptr || (surface != form->Panel1 && surface != form->Panel5))
        return;
    menu.addSeparator();
    QMenu* from = menu.addMenu(QStringLiteral("Difference From"));
    from->setObjectName(QStringLiteral("DifferenceFromMenu"));
    const Comparison& comparison = *form->comparison;
    from->setEnabled(!comparison.empty());
    auto* group = new QActionGroup(from);
    const std::uint64_t chosen = comparison.difference.runSerial;
    const auto addChoice = [&](const QString& text, std::uint64_t serial) {
        QAction* item = from->addAction(text);
        item->setCheckable(true);
        item->setChecked(chosen == serial);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, form,
                         [form, serial] { ChooseDifferenceFrom(*form, serial); });
    };
    addChoice(QStringLiteral("None"), 0);
    for (std::size_t i = 0; i < comparison.size(); ++i)
        addChoice(QString::fromStdString(comparison.run(i).name), comparison.run(i).serial);
}

bool FollowDifferenceTable(TForm1& form) {
    DifferenceChoice& choice = form.comparison->difference;
    if (choice.runSerial == 0 || !onMesh(form) || !form.panelShowsLoadedField())
        return false;
    ComparedRun* run = form.comparison->findSerial(choice.runSerial);
    if (run == nullptr || !run->fieldTable.kept.changedOnDisk())
        return false;
    choice.computed = false;
    redrawShownField(form);
    return true;
}

bool ShownDifferenceTable(const TForm1& form, DifferenceTable& table) {
    const FieldViewState& state = *form.fieldViewState;
    const DifferenceChoice& choice = form.comparison->difference;
    // Only the difference drawn, of a run still compared, under its name now.
    const ComparedRun* run = form.comparison->findSerial(choice.runSerial);
    if (run == nullptr || state.keptMesh.replacedGeneration == 0 ||
        state.keptMesh.replacedGeneration != choice.generation)
        return false;
    const DifferenceField& d = choice.field;
    table.header = {"Time (min.)", "Thickness (cm)", form.comparison->openedName(), run->name,
                    "Difference"};
    table.columns.assign(5, {});
    for (std::size_t i = 0; i < d.points.size(); ++i) {
        table.columns[0].push_back(d.points[i].Time);
        table.columns[1].push_back(d.points[i].Position);
        table.columns[2].push_back(d.openedValues[i]);
        table.columns[3].push_back(d.comparedValues[i]);
        table.columns[4].push_back(d.points[i].Value);
    }
    table.nameParts = {"minus", run->name};
    return true;
}

} // namespace tessaplot
