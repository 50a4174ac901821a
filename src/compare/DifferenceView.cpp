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

// The axes' ends of the store (the main window's) or of a difference.
template <typename Bounds> void takeBounds(ShownField& shown, const Bounds& from) {
    shown.TimeMin = from.TimeMin;
    shown.TimeMax = from.TimeMax;
    shown.PositionMin = from.PositionMin;
    shown.PositionMax = from.PositionMax;
    shown.ValueMin = from.ValueMin;
    shown.ValueMax = from.ValueMax;
}

ShownField storeField(const TForm1& form, const FieldDrawInputs& inputs) {
    ShownField shown;
    shown.points = storeRecords(form);
    shown.positionsPerStep = form.PositionsPerStep;
    takeBounds(shown, form);
    shown.extents = {form.TimeMin,      form.TimeSpan, form.PositionMin,
                     form.PositionSpan, form.ValueMin, form.ValueSpan};
    shown.inputs = inputs;
    return shown;
}

// The compared run's table of the file the store holds, read by the same request.
void refreshDifference(TForm1& form, ComparedRun& run) {
    FieldViewState& state = *form.fieldViewState;
    DifferenceChoice& choice = state.difference;
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

ShownField ShownFieldOf(TForm1& form, const FieldDrawInputs& inputs) {
    ShownField shown = storeField(form, inputs);
    DifferenceChoice& choice = form.fieldViewState->difference;
    ComparedRun* run = choice.runName.empty() || !inputs.threeD || !onMesh(form)
                           ? nullptr
                           : form.comparison->find(choice.runName);
    // A store that holds no table has no file to find in the compared run.
    if (run == nullptr || form.fieldViewState->keptTable.path().empty())
        return shown;
    refreshDifference(form, *run);
    const DifferenceField& d = choice.field;
    shown.points = d.points;
    shown.positionsPerStep = d.positionsPerStep;
    takeBounds(shown, d);
    shown.extents = d.extents();
    shown.difference = &d;
    shown.differenceGeneration = choice.generation;
    // Latin-1 only: the picture's fonts have no minus sign of their own.
    shown.inputs.variableCaption += " - " + run->name;
    if (d.interpolated)
        shown.inputs.variableCaption += " (interpolated)";
    if (d.partial)
        shown.inputs.variableCaption += " (part)";
    choice.caption = shown.inputs.variableCaption;
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
    return shown;
}

std::span<const FieldPoint> DrawnRecords(const TForm1& form) {
    const FieldViewState& state = *form.fieldViewState;
    const std::uint64_t drawn = state.keptMesh.differenceGeneration;
    if (drawn == 0)
        return storeRecords(form);
    if (drawn == state.difference.generation)
        return state.difference.field.points;
    return {};
}

std::string DrawnVariableCaption(const TForm1& form, const FieldDrawInputs& inputs) {
    const FieldViewState& state = *form.fieldViewState;
    const std::uint64_t drawn = state.keptMesh.differenceGeneration;
    return drawn != 0 && drawn == state.difference.generation ? state.difference.caption
                                                              : inputs.variableCaption;
}

void ChooseDifferenceFrom(TForm1& form, const std::string& name) {
    DifferenceChoice& choice = form.fieldViewState->difference;
    if (choice.runName == name)
        return;
    const std::uint64_t generation = choice.generation;
    choice = DifferenceChoice{};
    choice.runName = name;
    choice.generation = generation + 1;
    redrawShownField(form);
}

void WireDifference(TForm1& form) {
    form.comparison->subscribe([&form, opened = std::string()]() mutable {
        const Comparison& comparison = *form.comparison;
        const std::string& name = form.fieldViewState->difference.runName;
        const bool otherDataSet = opened != comparison.openedDirectory();
        opened = comparison.openedDirectory();
        if (!name.empty() && (otherDataSet || form.comparison->find(name) == nullptr))
            ChooseDifferenceFrom(form, "");
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
    const std::string& chosen = form->fieldViewState->difference.runName;
    const auto addChoice = [&](const QString& text, const std::string& name) {
        QAction* item = from->addAction(text);
        item->setCheckable(true);
        item->setChecked(chosen == name);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, form,
                         [form, name] { ChooseDifferenceFrom(*form, name); });
    };
    addChoice(QStringLiteral("None"), "");
    for (std::size_t i = 0; i < comparison.size(); ++i)
        addChoice(QString::fromStdString(comparison.run(i).name), comparison.run(i).name);
}

bool FollowDifferenceTable(TForm1& form) {
    DifferenceChoice& choice = form.fieldViewState->difference;
    if (choice.runName.empty() || !onMesh(form) || !form.panelShowsLoadedField())
        return false;
    ComparedRun* run = form.comparison->find(choice.runName);
    if (run == nullptr || !run->fieldTable.kept.changedOnDisk())
        return false;
    choice.computed = false;
    redrawShownField(form);
    return true;
}

bool ShownDifferenceTable(const TForm1& form, DifferenceTable& table) {
    const FieldViewState& state = *form.fieldViewState;
    const DifferenceChoice& choice = state.difference;
    if (choice.runName.empty() || state.keptMesh.differenceGeneration == 0 ||
        state.keptMesh.differenceGeneration != choice.generation)
        return false;
    const DifferenceField& d = choice.field;
    table.header = {"Time (min.)", "Thickness (cm)", form.comparison->openedName(), choice.runName,
                    "Difference"};
    table.columns.assign(5, {});
    for (std::size_t i = 0; i < d.points.size(); ++i) {
        table.columns[0].push_back(d.points[i].Time);
        table.columns[1].push_back(d.points[i].Position);
        table.columns[2].push_back(d.openedValues[i]);
        table.columns[3].push_back(d.comparedValues[i]);
        table.columns[4].push_back(d.points[i].Value);
    }
    table.nameParts = {"minus", choice.runName};
    return true;
}

} // namespace tessaplot
