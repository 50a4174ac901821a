#include "compare/CompareRunsWindow.h"

#include "app/ClassicControls.h"
#include "app/LocaleText.h"
#include "app/MessageBoxes.h"
#include "app/PathStrings.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "app/Widgets.h"
#include "comfort/SensationBands.h"
#include "compare/CompareMenu.h"
#include "compare/EvidenceRows.h"
#include "compare/WindowPlacement.h"
#include "dataset/BodyQuantities.h"
#include "dataset/ReadProblemText.h"
#include "dataset/Unit4.h"
#include "export/CsvTable.h"
#include "export/ExportMenu.h"
#include "fieldview/FieldViewState.h"
#include "text/GeneralForm.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <functional>

namespace tessaplot {

namespace {

// As often as the pages follow their files; a tick with nothing changed only looks.
constexpr int kRefreshMs = 200;
// The most one run's Comfort.dat is read in a tick; a longer read goes on at the next.
constexpr std::chrono::milliseconds kReadTimePerRun{8};

const QString kNothingOpened = QStringLiteral("(no run opened)");

QIcon swatch(const RunColour& colour) {
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.setBrush(QColor::fromRgbF(colour.r, colour.g, colour.b));
    painter.drawRect(1, 1, 11, 11);
    return QIcon(pixmap);
}

// Why a run's table gave no records, in its column.
std::string unreadableText(const std::string& fileName, const std::string& path,
                           const ReadProblem& problem) {
    const std::string message =
        ReadProblemMessage(ShownPath(PathFromBytes(path)).toStdString(), problem);
    if (!message.empty())
        return message;
    if (problem.kind == ReadProblem::Kind::NotRegular)
        return fileName + " is not a file.";
    return "No " + fileName + " in this run.";
}

void readComfort(RunComfort& comfort, const std::string& directory, RunTableInput& input) {
    const std::string path = RunFilePath(directory, "Comfort.dat");
    comfort.refresh(path, ComfortFileReader::Clock::now() + kReadTimePerRun);
    if (!comfort.last.fileOpened)
        input.comfortProblem = unreadableText("Comfort.dat", path, comfort.reader.problem());
    else
        input.comfort = comfort.records();
}

void readBody(RunTable& table, const std::string& directory, int column, RunTableInput& input) {
    FieldLoadRequest request;
    request.rules = ReadingRules::BodyProperty;
    request.dataColumn = column;
    const std::string path = RunFilePath(directory, "BodyProperty.dat");
    const FieldLoad& load = table.read(path, request);
    if (!load.opened)
        input.bodyProblem = unreadableText("BodyProperty.dat", path, load.problem);
    else
        input.body = table.records();
}

// A text typed in a dialog named `objectName`: one line, or several when `multiLine`.
QString AskText(QWidget* parent, const QString& objectName, const QString& title,
                const QString& label, const QString& text, bool multiLine, bool& accepted) {
    QInputDialog dialog(parent);
    dialog.setObjectName(objectName);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setInputMode(QInputDialog::TextInput);
    if (multiLine)
        dialog.setOption(QInputDialog::UsePlainTextEditForTextInput);
    dialog.setTextValue(text);
    dialog.resize(520, dialog.sizeHint().height());
    accepted = dialog.exec() == QDialog::Accepted;
    return dialog.textValue();
}

} // namespace

CompareRunsWindow::CompareRunsWindow(TForm1& form)
    : QWidget(&form, Qt::Window), m_form(form), m_comparison(*form.comparison) {
    setObjectName(QStringLiteral("CompareRunsWindow"));
    setWindowTitle(QStringLiteral("Compare Runs"));
    setFont(DefaultFormFont());
    resize(760, 520);

    RunList = new QListWidget(this);
    RunList->setObjectName(QStringLiteral("RunList"));
    RunList->setSelectionMode(QAbstractItemView::SingleSelection);
    RunList->setMaximumHeight(RunList->fontMetrics().height() * 9);
    AddButton = new QPushButton(QStringLiteral("Add…"), this);
    AddButton->setObjectName(QStringLiteral("AddButton"));
    RemoveButton = new QPushButton(QStringLiteral("Remove"), this);
    RemoveButton->setObjectName(QStringLiteral("RemoveButton"));
    AddMeasuredButton = new QPushButton(QStringLiteral("Add Measured Data…"), this);
    AddMeasuredButton->setObjectName(QStringLiteral("AddMeasuredButton"));
    PhasesButton = new QPushButton(QStringLiteral("Protocol Phases…"), this);
    PhasesButton->setObjectName(QStringLiteral("PhasesButton"));
    ThresholdsButton = new QPushButton(QStringLiteral("Thresholds…"), this);
    ThresholdsButton->setObjectName(QStringLiteral("ThresholdsButton"));
    RemoveMeasuredButton = new QPushButton(QStringLiteral("Remove Measured"), this);
    RemoveMeasuredButton->setObjectName(QStringLiteral("RemoveMeasuredButton"));
    MeasuredList = new QListWidget(this);
    MeasuredList->setObjectName(QStringLiteral("MeasuredList"));
    MeasuredList->setSelectionMode(QAbstractItemView::SingleSelection);
    MeasuredList->setMaximumHeight(MeasuredList->fontMetrics().height() * 5);
    // A window, not a dialog: Enter presses the focused button only.
    for (QPushButton* button : {AddButton, RemoveButton, AddMeasuredButton, PhasesButton,
                                ThresholdsButton, RemoveMeasuredButton})
        button->setAutoDefault(false);

    Table = new QTableWidget(this);
    Table->setObjectName(QStringLiteral("ConclusionsTable"));
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionMode(QAbstractItemView::NoSelection);
    Table->verticalHeader()->hide();
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    Table->setWordWrap(false);
    Table->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(AddButton);
    buttons->addWidget(RemoveButton);
    buttons->addSpacing(8);
    buttons->addWidget(AddMeasuredButton);
    buttons->addWidget(PhasesButton);
    buttons->addWidget(ThresholdsButton);
    buttons->addWidget(RemoveMeasuredButton);
    buttons->addStretch(1);
    auto* runs = new QHBoxLayout;
    runs->addWidget(RunList, 1);
    runs->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Runs:"), this));
    layout->addLayout(runs);
    layout->addWidget(MeasuredList);
    layout->addWidget(new QLabel(QStringLiteral("Conclusions per run:"), this));
    layout->addWidget(Table, 1);

    RefreshTimer = new QTimer(this);
    RefreshTimer->setInterval(kRefreshMs);
    connect(RefreshTimer, &QTimer::timeout, this, &CompareRunsWindow::refresh);
    connect(AddButton, &QPushButton::clicked, this, &CompareRunsWindow::addRun);
    connect(RemoveButton, &QPushButton::clicked, this, &CompareRunsWindow::removeRun);
    connect(AddMeasuredButton, &QPushButton::clicked, this, &CompareRunsWindow::addMeasured);
    connect(PhasesButton, &QPushButton::clicked, this, &CompareRunsWindow::editPhases);
    connect(ThresholdsButton, &QPushButton::clicked, this, &CompareRunsWindow::editThresholds);
    connect(RemoveMeasuredButton, &QPushButton::clicked, this, &CompareRunsWindow::removeMeasured);
    connect(MeasuredList, &QListWidget::itemSelectionChanged, this,
            &CompareRunsWindow::updateButtons);
    connect(RunList, &QListWidget::itemSelectionChanged, this, &CompareRunsWindow::updateButtons);
    connect(Table, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(Table);
        QAction* csv = menu.addAction(QStringLiteral("Export Data As CSV…"));
        if (menu.exec(Table->viewport()->mapToGlobal(at)) == csv)
            exportTable();
    });
    // The command line and any other window change the runs too: the list follows.
    const QPointer<CompareRunsWindow> self(this);
    m_comparison.subscribe([self] {
        if (self == nullptr)
            return;
        self->listRuns();
        if (self->isVisible())
            self->refresh();
    });
    AdoptClassicControlBehaviour(this);
    listRuns();
    listMeasured();
}

void CompareRunsWindow::listRuns() {
    const int selected = RunList->currentRow();
    RunList->clear();
    const std::string& opened = m_comparison.openedName();
    RunList->addItem(new QListWidgetItem(
        swatch(Comparison::OpenedColour),
        opened.empty() ? kNothingOpened : QString::fromStdString(opened), RunList));
    for (std::size_t i = 0; i < m_comparison.size(); ++i) {
        const ComparedRun& run = m_comparison.run(i);
        auto* item =
            new QListWidgetItem(swatch(run.colour), QString::fromStdString(run.name), RunList);
        item->setToolTip(ShownPath(PathFromBytes(run.directory)));
    }
    if (selected > 0 && selected < RunList->count())
        RunList->setCurrentRow(selected);
    updateButtons();
}

void CompareRunsWindow::updateButtons() {
    const QList<QListWidgetItem*> selected = RunList->selectedItems();
    RemoveButton->setEnabled(!selected.isEmpty() && RunList->row(selected.front()) > 0);
    AddButton->setEnabled(m_comparison.size() + 1 < Comparison::MaxRuns);
    if (MeasuredList != nullptr)
        RemoveMeasuredButton->setEnabled(!MeasuredList->selectedItems().isEmpty());
}

void CompareRunsWindow::addRun() {
    QString start = m_lastAddDirectory;
    if (start.isEmpty() && !m_comparison.openedDirectory().empty())
        start = QFileInfo(PathFromBytes(m_comparison.openedDirectory())).absolutePath();
    if (start.isEmpty() && Form4 != nullptr)
        start = Form4->CurrentDirectory();
    QFileDialog dialog(this, QStringLiteral("Add a Run to Compare"), start);
    dialog.setObjectName(QStringLiteral("CompareAddDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().front();
    m_lastAddDirectory = QFileInfo(chosen).absolutePath();
    if (const auto refused = m_comparison.add(PathBytes(QDir::cleanPath(chosen))))
        ShowMessage(*refused);
}

void CompareRunsWindow::removeRun() {
    const QList<QListWidgetItem*> selected = RunList->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = RunList->row(selected.front());
    if (row > 0)
        m_comparison.remove(static_cast<std::size_t>(row - 1));
}

void CompareRunsWindow::addMeasured() {
    QString start = m_lastMeasuredDirectory;
    if (start.isEmpty() && !m_comparison.openedDirectory().empty())
        start = PathFromBytes(m_comparison.openedDirectory());
    QFileDialog dialog(this, QStringLiteral("Add Measured Data"), start,
                       QStringLiteral("Tables (*.csv *.txt *.tsv);;All files (*)"));
    dialog.setObjectName(QStringLiteral("MeasuredAddDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().front();
    m_lastMeasuredDirectory = QFileInfo(chosen).absolutePath();
    Evidence& evidence = m_comparison.evidence;
    if (const auto refused = evidence.addMeasured(PathBytes(QDir::cleanPath(chosen)))) {
        ShowMessage(*refused);
        return;
    }
    matchByHand(evidence.measured().size() - 1);
    listMeasured();
    redrawPictures();
    refresh();
}

void CompareRunsWindow::matchByHand(std::size_t fileIndex) {
    // Every quantity a series can be laid against, as the pages name them.
    std::vector<EvidenceQuantity> quantities;
    QStringList items{QStringLiteral("(leave it out)")};
    for (int i = 0; i < BodyQuantityCount; ++i)
        quantities.push_back({EvidenceQuantity::Source::Body, i});
    for (int i = 0; i < 3; ++i)
        quantities.push_back({EvidenceQuantity::Source::Comfort, i});
    for (const EvidenceQuantity& quantity : quantities)
        items << QString::fromStdString(std::string(EvidenceQuantityName(quantity)));
    Evidence& evidence = m_comparison.evidence;
    const MeasuredFile& file = evidence.measured()[fileIndex];
    for (std::size_t i = 0; i < file.matches.size(); ++i) {
        if (file.matches[i])
            continue;
        QInputDialog dialog(this);
        dialog.setObjectName(QStringLiteral("MatchColumnDialog"));
        dialog.setWindowTitle(QStringLiteral("Match a Measured Column"));
        dialog.setLabelText(QStringLiteral("Column %1 of %2, \"%3\", names no quantity. "
                                           "Lay it against:")
                                .arg(file.table.series[i].column)
                                .arg(QString::fromStdString(file.name),
                                     QString::fromStdString(file.table.series[i].name)));
        dialog.setComboBoxItems(items);
        dialog.setComboBoxEditable(false);
        if (dialog.exec() != QDialog::Accepted)
            continue;
        const qsizetype chosen = items.indexOf(dialog.textValue());
        if (chosen > 0)
            evidence.matchSeries(fileIndex, i, quantities[static_cast<std::size_t>(chosen - 1)]);
    }
}

void CompareRunsWindow::listMeasured() {
    MeasuredList->clear();
    for (const MeasuredFile& file : m_comparison.evidence.measured()) {
        auto* item = new QListWidgetItem(swatch(file.colour), QString::fromStdString(file.name),
                                         MeasuredList);
        item->setToolTip(ShownPath(PathFromBytes(file.path)));
    }
    MeasuredList->setVisible(MeasuredList->count() > 0);
    updateButtons();
}

void CompareRunsWindow::removeMeasured() {
    const int row = MeasuredList->currentRow();
    if (row < 0 || MeasuredList->selectedItems().isEmpty())
        return;
    m_comparison.evidence.removeMeasured(static_cast<std::size_t>(row));
    listMeasured();
    redrawPictures();
    refresh();
}

void CompareRunsWindow::editPhases() {
    QString text;
    for (const Phase& phase : m_comparison.evidence.phases()) {
        const auto bound = [](double v) {
            return QString::fromStdString(ShortestDecimalForm(static_cast<float>(v)));
        };
        text += (text.isEmpty() ? QString() : QStringLiteral(",")) +
                QString::fromStdString(phase.name) + ':' + bound(phase.from) + '-' +
                bound(phase.to);
    }
    bool accepted = false;
    const QString typed =
        AskText(this, QStringLiteral("PhasesDialog"), QStringLiteral("Protocol Phases"),
                QStringLiteral("Phases as NAME:FROM-TO in minutes, separated "
                               "by commas (Rest:0-30,Exercise:30-90):"),
                text, false, accepted);
    if (!accepted)
        return;
    if (const auto refused = m_comparison.evidence.setPhases(typed.toStdString()))
        ShowMessage(*refused);
    else
        redrawPictures();
    refresh();
}

void CompareRunsWindow::editThresholds() {
    Evidence& evidence = m_comparison.evidence;
    QStringList lines;
    for (const std::string& text : evidence.thresholdTexts())
        lines << QString::fromStdString(text);
    for (const Tolerance& tolerance : evidence.tolerances())
        lines << QString::fromStdString(std::string(EvidenceQuantityName(tolerance.quantity)) +
                                        "=" +
                                        ShortestDecimalForm(static_cast<float>(tolerance.value)));
    bool accepted = false;
    const QString typed = AskText(
        this, QStringLiteral("ThresholdsDialog"), QStringLiteral("Thresholds"),
        QStringLiteral("One a line: a threshold as NAME>=VALUE, NAME>VALUE, NAME<=VALUE or "
                       "NAME<VALUE,\nor a tolerance of the validation figures as NAME=VALUE:"),
        lines.join('\n'), true, accepted);
    if (!accepted)
        return;
    std::vector<std::string> thresholds, tolerances;
    for (const QString& line : typed.split('\n')) {
        const bool comparison = line.contains('<') || line.contains('>');
        (comparison ? thresholds : tolerances).push_back(line.toStdString());
    }
    // Both read before either is set: a refusal changes nothing.
    Evidence tried = evidence;
    std::optional<std::string> refused = tried.setThresholds(thresholds);
    if (!refused)
        refused = tried.setTolerances(tolerances);
    if (refused) {
        ShowMessage(*refused);
        return;
    }
    evidence.setThresholds(thresholds);
    evidence.setTolerances(tolerances);
    redrawPictures();
    refresh();
}

void CompareRunsWindow::redrawPictures() {
    // The pictures draw the evidence as it is at each draw: the shown one is drawn anew.
    RedrawShownFieldPicture(m_form, m_form.ViewDC);
}

RunTableChoice CompareRunsWindow::choice() const {
    RunTableChoice choice;
    choice.sensationItem = m_form.RadioGroup4->ItemIndex();
    if (choice.sensationItem >= 0)
        choice.sensationName = m_form.RadioGroup4->ItemText(choice.sensationItem).toStdString();
    choice.bodyItem = m_form.RadioGroup3->ItemIndex();
    if (choice.bodyItem >= 0)
        choice.bodyName = m_form.RadioGroup3->ItemText(choice.bodyItem).toStdString();
    choice.decimalSeparator = LocaleDecimalSeparator();
    return choice;
}

std::vector<RunTableInput> CompareRunsWindow::readRuns(const RunTableChoice& choice) {
    if (m_opened == nullptr || m_opened->directory != m_comparison.openedDirectory()) {
        // Another run opened: nothing read of the last one may stand for it.
        m_opened = std::make_unique<ComparedRun>();
        m_opened->directory = m_comparison.openedDirectory();
    }
    const bool sensation = IsComfortQuantity(choice.sensationItem);
    const bool body = choice.bodyItem >= 0;
    std::vector<RunTableInput> inputs(m_comparison.size() + 1);
    RunTableInput& opened = inputs.front();
    if (m_opened->directory.empty()) {
        opened.name = kNothingOpened.toStdString();
        opened.comfortProblem = opened.bodyProblem = "No run is opened.";
    } else {
        opened.name = m_comparison.openedName();
        if (sensation)
            readComfort(m_opened->comfort, m_opened->directory, opened);
        if (body)
            readBody(m_opened->bodyTable, m_opened->directory, choice.bodyItem + 1, opened);
    }
    for (std::size_t i = 0; i < m_comparison.size(); ++i) {
        ComparedRun& run = m_comparison.run(i);
        RunTableInput& input = inputs[i + 1];
        input.name = run.name;
        if (sensation)
            readComfort(run.comfort, run.directory, input);
        if (body)
            readBody(run.bodyTable, run.directory, choice.bodyItem + 1, input);
    }
    return inputs;
}

std::vector<std::uint64_t> CompareRunsWindow::inputKey(const RunTableChoice& choice) const {
    std::vector<std::uint64_t> key{m_comparison.generation(),
                                   static_cast<std::uint64_t>(choice.sensationItem + 1),
                                   static_cast<std::uint64_t>(choice.bodyItem + 1),
                                   std::hash<std::string>{}(choice.decimalSeparator),
                                   std::hash<std::string>{}(m_opened->directory)};
    const auto addRun = [&key](const RunComfort& comfort, const RunTable& body) {
        key.insert(key.end(), {comfort.generation, comfort.last.fileOpened ? 1u : 0u,
                               static_cast<std::uint64_t>(comfort.reader.problem().kind),
                               body.generation(), body.load.opened ? 1u : 0u,
                               static_cast<std::uint64_t>(body.load.problem.kind)});
    };
    const std::vector<std::uint64_t> evidence = m_comparison.evidence.key();
    key.insert(key.end(), evidence.begin(), evidence.end());
    addRun(m_opened->comfort, m_opened->bodyTable);
    for (std::size_t i = 0; i < m_comparison.size(); ++i)
        addRun(m_comparison.run(i).comfort, m_comparison.run(i).bodyTable);
    return key;
}

void CompareRunsWindow::refresh() {
    m_comparison.evidence.followMeasured();
    const RunTableChoice chosen = choice();
    const std::vector<RunTableInput> inputs = readRuns(chosen);
    std::vector<std::uint64_t> key = inputKey(chosen);
    if (key == m_shownKey && !m_table.empty())
        return;
    m_shownKey = std::move(key);
    m_table = RunComparisonTable(inputs, chosen);
    AppendEvidenceRows(m_table, inputs, chosen, m_comparison.evidence);
    ++m_tableBuilds;
    showTable();
}

void CompareRunsWindow::showTable() {
    const int columns = m_table.empty() ? 0 : static_cast<int>(m_table.front().size());
    const int rows = m_table.empty() ? 0 : static_cast<int>(m_table.size()) - 1;
    Table->setColumnCount(columns);
    Table->setRowCount(rows);
    for (int c = 0; c < columns; ++c) {
        auto* header = new QTableWidgetItem(QString::fromStdString(m_table.front()[c]));
        if (c == 1)
            header->setIcon(swatch(Comparison::OpenedColour));
        else if (c > 1 && static_cast<std::size_t>(c - 2) < m_comparison.size())
            header->setIcon(swatch(m_comparison.run(static_cast<std::size_t>(c - 2)).colour));
        Table->setHorizontalHeaderItem(c, header);
    }
    QFont headingFont = Table->font();
    headingFont.setBold(true);
    for (int r = 0; r < rows; ++r) {
        const std::vector<std::string>& row = m_table[static_cast<std::size_t>(r) + 1];
        // A heading row names its section and holds nothing else.
        const bool heading = std::all_of(row.begin() + 1, row.end(),
                                         [](const std::string& cell) { return cell.empty(); }) &&
                             row.front().find(": ") != std::string::npos;
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem(static_cast<std::size_t>(c) < row.size()
                                                  ? QString::fromStdString(row[c])
                                                  : QString());
            if (heading)
                item->setFont(headingFont);
            Table->setItem(r, c, item);
        }
    }
    Table->resizeColumnsToContents();
}

void CompareRunsWindow::exportTable() {
    const QString name = QString::fromStdString(
        SuggestedExportName({m_comparison.openedName(), "Compare Runs"}, "csv"));
    SaveCsvAs(name, [this] { return CsvText(m_table); });
}

void CompareRunsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Files laid by the command line before the window was shown.
    listMeasured();
    refresh();
    RefreshTimer->start();
}

void CompareRunsWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    RefreshTimer->stop();
}

CompareRunsWindow* CompareRunsWindowOf(TForm1& form, bool make) {
    auto* window = form.findChild<CompareRunsWindow*>(QStringLiteral("CompareRunsWindow"),
                                                      Qt::FindDirectChildrenOnly);
    if (window == nullptr && make)
        window = new CompareRunsWindow(form);
    return window;
}

void ShowCompareRunsWindow(TForm1& form) {
    CompareRunsWindow* window = CompareRunsWindowOf(form);
    if (window->isVisible()) {
        // Back to the front, also from the task bar, as the chooser comes.
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->raise();
        window->activateWindow();
        return;
    }
    if (!window->property("placed").toBool()) {
        // The first time beside the main window, so that neither hides the other (the
        // main window going to the screen's corner where only that leaves room); where
        // the screen has no room for that, never over the main window's conclusions.
        window->setProperty("placed", true);
        if (const QScreen* screen = form.screen()) {
            const auto rect = [](const QRect& r) {
                return ScreenRect{r.left(), r.top(), r.width(), r.height()};
            };
            // The frame the desktop will add, taken to be the main window's.
            const QSize frame = form.frameGeometry().size() - form.geometry().size();
            const QRect conclusions(form.GroupBox6->mapToGlobal(QPoint(0, 0)),
                                    form.GroupBox6->size());
            const ScreenRect owner = rect(form.frameGeometry());
            const TwoWindows place = PlaceBesideOrMoveOwner(
                owner, rect(conclusions), window->width() + frame.width(),
                window->height() + frame.height(), rect(screen->availableGeometry()), 8, 420, 300);
            if (place.owner != owner)
                form.move(place.owner.left, place.owner.top);
            window->resize(place.window.width - frame.width(),
                           place.window.height - frame.height());
            window->move(place.window.left, place.window.top);
        }
    }
    window->show();
}

} // namespace tessaplot
