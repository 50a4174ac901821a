// The "Values at t" window: what every table holds at the marked time.
#include "app/LocaleText.h"
#include "app/PathStrings.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
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

#include <span>

namespace tessaplot {

namespace {

QPointer<QWidget> g_window;
QTreeWidget* g_list = nullptr;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

void addLine(QTreeWidgetItem* group, const ValueLine& line) {
    new QTreeWidgetItem(group, {text(line.quantity), text(line.time), text(line.position),
                                text(line.value), text(line.band)});
}

QTreeWidgetItem* addGroup(const QString& title) {
    auto* group = new QTreeWidgetItem(g_list, {title});
    group->setFirstColumnSpanned(true);
    group->setExpanded(true);
    return group;
}

// Every body quantity, each read by the page's own rules from its own column; a
// quantity whose record cannot be read says so rather than showing another's.
void addBodyQuantities(float t, const std::string& separator) {
    // Before a data set is open the chooser's directory is no run's.
    if (Form4 == nullptr || !Form4->DataSetOpen)
        return;
    QTreeWidgetItem* group = addGroup(QStringLiteral("BodyProperty"));
    const std::string path = PathBytes(PathInChooserDirectory(QStringLiteral("BodyProperty.dat")));
    std::vector<FieldPoint> points;
    LineWindow window;
    for (int item = 0; item < Form1->RadioGroup3->Count(); ++item) {
        ValueLine line;
        line.quantity = Form1->RadioGroup3->ItemText(item).toStdString();
        FieldLoadRequest request;
        request.rules = ReadingRules::BodyProperty;
        request.dataColumn = item + 1;
        const FieldLoad load = LoadField(path, request, points, window);
        const std::size_t at = FirstPointAtOrAfter(points, t);
        if (!load.opened || at == points.size()) {
            line.value = load.opened ? "no record at or after t" : "not read";
        } else {
            line.time = MarkTimeText(points[at].Time, separator);
            line.value = FormatWithPattern(points[at].Value, ValueTickPattern(-1, item), separator);
        }
        addLine(group, line);
    }
}

void addSensations(float t, const std::string& separator) {
    QTreeWidgetItem* group = addGroup(QStringLiteral("BodyComfort"));
    const std::span<const ComfortRecord> records(
        Form1->ComfortRecords.data(),
        std::min(Form1->ComfortRecords.size(),
                 static_cast<std::size_t>(std::max(Form1->ComfortCount, 0))));
    const std::vector<SensationAt> sensations = SensationsAt(records, t);
    if (sensations.empty())
        addLine(group, {"Comfort.dat", "", "", "no record at or after t", ""});
    for (const SensationAt& s : sensations)
        addLine(group, {std::string(s.title), MarkTimeText(s.time, separator), "",
                        FormatWithPattern(s.value, "#0.##", separator), std::string(s.band)});
}

// The field a Fabric or Fibers panel shows, across the thickness at the step a time
// section would take.
void addShownField(float t, const std::string& separator) {
    const FieldViewState& view = *Form1->fieldViewState;
    const bool fabric = view.shownPanel == Form1->Panel1;
    if (!view.shownField || (!fabric && view.shownPanel != Form1->Panel5))
        return;
    const QString name = (fabric ? Form1->Label4 : Form1->Label9)->text();
    QTreeWidgetItem* group =
        addGroup((fabric ? QStringLiteral("Fabric: ") : QStringLiteral("Fibers: ")) + name);
    const std::size_t count = std::min(Form1->FieldPoints.size(),
                                       static_cast<std::size_t>(std::max(Form1->PointCount, 0)));
    const Section section = ExtractTimeSection(
        std::span<const FieldPoint>(Form1->FieldPoints.data(), count), t, Form1->PositionsPerStep);
    if (section.points.empty())
        addLine(group, {name.toStdString(), "", "", "no record at or after t", ""});
    for (std::size_t i = 0; i < section.points.size(); ++i) {
        const FieldPoint& p = Form1->FieldPoints[static_cast<std::size_t>(section.start) + i];
        addLine(group, {name.toStdString(), MarkTimeText(p.Time, separator),
                        MarkPositionText(section.points[i].x, separator),
                        FormatWithPattern(section.points[i].y, view.shownField->valueTickPattern,
                                          separator),
                        ""});
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
                             QStringLiteral("Band")});
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
    addBodyQuantities(t, separator);
    addSensations(t, separator);
    addShownField(t, separator);
    g_window->show();
}

} // namespace tessaplot
