// The "Values at t" window: what every table holds at the marked time.
#include "app/LocaleText.h"
#include "app/PathStrings.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "compare/Comparison.h"
#include "compare/OverlayGeometry.h"
#include "dataset/FieldLoader.h"
#include "dataset/Unit4.h"
#include "fieldview/FieldViewState.h"
#include "fieldview/TickLabels.h"
#include "readout/TimeMarkView.h"
#include "section2d/SectionExtraction.h"
#include "text/FormatPattern.h"

#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <filesystem>
#include <span>
#include <vector>

namespace tessaplot {

namespace {

QPointer<QWidget> g_window;
QTreeWidget* g_list = nullptr;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// The runs whose values are listed: the opened one, then every compared one in the
// order of the list; a line of each names its run.
struct RunRow {
    std::string name;
    ComparedRun* compared = nullptr; // nullptr: the opened run
};

std::vector<RunRow> listedRuns() {
    Comparison& comparison = *Form1->comparison;
    std::vector<RunRow> rows{{OpenedRunName(comparison), nullptr}};
    for (std::size_t i = 0; i < comparison.size(); ++i)
        rows.push_back({comparison.run(i).name, &comparison.run(i)});
    return rows;
}

void addLine(QTreeWidgetItem* group, const ValueLine& line, const RunRow& run) {
    new QTreeWidgetItem(group, {text(line.quantity), text(line.time), text(line.position),
                                text(line.value), text(line.band), text(run.name)});
}

QTreeWidgetItem* addGroup(const QString& title) {
    auto* group = new QTreeWidgetItem(g_list, {title});
    group->setFirstColumnSpanned(true);
    group->setExpanded(true);
    return group;
}

// Every body quantity of every run, each read by the page's own rules from its own
// column; a quantity whose record cannot be read says so rather than showing another's.
void addBodyQuantities(float t, const std::vector<RunRow>& runs, const std::string& separator) {
    // Before a data set is open the chooser's directory is no run's.
    if (Form4 == nullptr || !Form4->DataSetOpen)
        return;
    QTreeWidgetItem* group = addGroup(QStringLiteral("BodyProperty"));
    const QString fileName = QStringLiteral("BodyProperty.dat");
    const std::string opened = PathBytes(PathInChooserDirectory(fileName));
    std::vector<FieldPoint> points;
    LineWindow window;
    for (int item = 0; item < Form1->RadioGroup3->Count(); ++item) {
        for (const RunRow& run : runs) {
            ValueLine line;
            line.quantity = Form1->RadioGroup3->ItemText(item).toStdString();
            FieldLoadRequest request;
            request.rules = ReadingRules::BodyProperty;
            request.dataColumn = item + 1;
            const FieldLoad load =
                LoadField(run.compared ? run.compared->tablePath(fileName.toStdString()) : opened,
                          request, points, window);
            const std::size_t at = FirstPointAtOrAfter(points, t);
            if (!load.opened || at == points.size()) {
                line.value = load.opened ? "no record at or after t" : "not read";
            } else {
                line.time = MarkTimeText(points[at].Time, separator);
                line.value =
                    FormatWithPattern(points[at].Value, ValueTickPattern(-1, item), separator);
            }
            addLine(group, line, run);
        }
    }
}

void addSensations(float t, const std::vector<RunRow>& runs, const std::string& separator) {
    QTreeWidgetItem* group = addGroup(QStringLiteral("BodyComfort"));
    const std::span<const ComfortRecord> opened(
        Form1->ComfortRecords.data(),
        std::min(Form1->ComfortRecords.size(),
                 static_cast<std::size_t>(std::max(Form1->ComfortCount, 0))));
    std::vector<std::vector<SensationAt>> sensations;
    std::size_t quantities = 1;
    for (const RunRow& run : runs) {
        sensations.push_back(
            SensationsAt(run.compared ? run.compared->comfort.records() : opened, t));
        quantities = std::max(quantities, sensations.back().size());
    }
    // Quantity by quantity, every run's value beside the others'.
    for (std::size_t q = 0; q < quantities; ++q)
        for (std::size_t r = 0; r < runs.size(); ++r) {
            if (sensations[r].empty()) {
                if (q == 0)
                    addLine(group, {"Comfort.dat", "", "", "no record at or after t", ""}, runs[r]);
                continue;
            }
            const SensationAt& s = sensations[r][q];
            addLine(group,
                    {std::string(s.title), MarkTimeText(s.time, separator), "",
                     FormatWithPattern(s.value, "#0.##", separator), std::string(s.band)},
                    runs[r]);
        }
}

// The records of a run's field across the thickness at the step a time section would
// take.
void addStep(QTreeWidgetItem* group, const std::string& name, std::span<const FieldPoint> records,
             int positionsPerStep, float t, const RunRow& run, const std::string& separator) {
    const Section section = ExtractTimeSection(records, t, positionsPerStep);
    if (section.points.empty())
        addLine(group, {name, "", "", "no record at or after t", ""}, run);
    for (std::size_t i = 0; i < section.points.size(); ++i) {
        const FieldPoint& p = records[static_cast<std::size_t>(section.start) + i];
        addLine(group,
                {name, MarkTimeText(p.Time, separator),
                 MarkPositionText(section.points[i].x, separator),
                 FormatWithPattern(section.points[i].y,
                                   Form1->fieldViewState->shownField->valueTickPattern, separator),
                 ""},
                run);
    }
}

// The field a Fabric or Fibers panel shows, and each compared run's table of the same
// file read the same way.
void addShownField(float t, const std::vector<RunRow>& runs, const std::string& separator) {
    FieldViewState& view = *Form1->fieldViewState;
    const bool fabric = view.shownPanel == Form1->Panel1;
    if (!view.shownField || (!fabric && view.shownPanel != Form1->Panel5))
        return;
    const std::string name = (fabric ? Form1->Label4 : Form1->Label9)->text().toStdString();
    QTreeWidgetItem* group =
        addGroup((fabric ? QStringLiteral("Fabric: ") : QStringLiteral("Fibers: ")) + text(name));
    const std::size_t count = std::min(Form1->FieldPoints.size(),
                                       static_cast<std::size_t>(std::max(Form1->PointCount, 0)));
    const std::string fileName = std::filesystem::path(view.keptTable.path()).filename().string();
    for (const RunRow& run : runs) {
        if (run.compared == nullptr) {
            addStep(group, name, {Form1->FieldPoints.data(), count}, Form1->PositionsPerStep, t,
                    run, separator);
            continue;
        }
        ComparedRun& compared = *run.compared;
        const FieldLoad& load =
            compared.fieldTable.read(compared.tablePath(fileName), view.keptTable.request());
        if (!load.opened)
            addLine(group, {name, "", "", "not read", ""}, run);
        else
            addStep(group, name, compared.fieldTable.records(), load.PositionsPerStep, t, run,
                    separator);
    }
}

void makeWindow() {
    g_window = new QWidget(Form1, Qt::Window);
    g_window->setObjectName(QStringLiteral("ValuesAtT"));
    g_window->setAttribute(Qt::WA_DeleteOnClose, false);
    g_window->resize(720, 520);
    auto* layout = new QVBoxLayout(g_window);
    g_list = new QTreeWidget(g_window);
    g_list->setObjectName(QStringLiteral("ValuesList"));
    g_list->setHeaderLabels({QStringLiteral("Quantity"), QStringLiteral("Time (min.)"),
                             QStringLiteral("Thickness (cm)"), QStringLiteral("Value"),
                             QStringLiteral("Band"), QStringLiteral("Run")});
    g_list->setRootIsDecorated(false);
    g_list->setSelectionMode(QAbstractItemView::NoSelection);
    g_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(g_list);
}

} // namespace

QWidget* ValuesAtTimeWindow() {
    return g_window.data();
}

void ShowValuesAtTime(float t) {
    if (g_window.isNull())
        makeWindow();
    const std::string separator = LocaleDecimalSeparator();
    g_window->setWindowTitle(
        QStringLiteral("Values at t = %1 min.").arg(text(MarkTimeText(t, separator))));
    g_list->clear();
    // The run column only says something while runs are compared.
    const std::vector<RunRow> runs = listedRuns();
    g_list->setColumnHidden(5, runs.size() == 1);
    addBodyQuantities(t, runs, separator);
    addSensations(t, runs, separator);
    addShownField(t, runs, separator);
    g_window->show();
}

} // namespace tessaplot
