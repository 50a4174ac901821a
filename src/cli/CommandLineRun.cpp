#include "cli/CommandLineRun.h"

#include "app/Application.h"
#include "app/MessageBoxes.h"
#include "app/PathStrings.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "app/Widgets.h"
#include "cli/CommandLine.h"
#include "compare/CompareMenu.h"
#include "compare/Comparison.h"
#include "compare/DifferenceView.h"
#include "compare/Evidence.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/ResultFileListing.h"
#include "dataset/Unit4.h"
#include "export/CsvTable.h"
#include "export/ExportTargets.h"
#include "fieldview/ColorBox.h"
#include "fieldview/Colorselection1.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"
#include "readout/ReadingState.h"
#include "section2d/Image2d.h"
#include "section2d/SectionNumber.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <map>
#include <optional>

namespace tessaplot {

namespace {

void printError(const QString& text) {
    std::fprintf(stderr, "plotvane: %s\n", text.toLocal8Bit().constData());
}

QStringList itemTexts(const RadioGroup* group) {
    QStringList texts;
    for (int i = 0; i < group->Count(); ++i)
        texts << group->ItemText(i);
    return texts;
}

QString quotedList(const QStringList& texts) {
    return '"' + texts.join(QStringLiteral("\", \"")) + '"';
}

bool waitFor(const std::function<bool()>& done, int timeoutMs = 15000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Raised for a choice the data set does not offer (status 2) or for data that cannot
// be read or written (status 1).
struct Stop {
    int status;
    QString why;
};

// Collects what would go into message boxes, for as long as it lives.
class MessageCollector {
public:
    MessageCollector() {
        SetMessageSink(
            [this](const std::string& text) { messages << QString::fromStdString(text); });
    }
    ~MessageCollector() { SetMessageSink(nullptr); }
    MessageCollector(const MessageCollector&) = delete;
    MessageCollector& operator=(const MessageCollector&) = delete;

    // A message is the reason the run cannot go on.
    void stopOnMessage() const {
        if (!messages.isEmpty())
            throw Stop{1, messages.join(QStringLiteral("; "))};
    }
    QStringList messages;
};

// The picture a command line asks for, made through the windows' own handlers in the
// order a user clicks it, so that the window and the export show what the clicks show.
// Everything that can be refused without drawing is refused by choose(), before the
// main window shows.
// DIR is the opened run; each --compare directory is compared with it, as "Add…" adds it.
// The evidence laid beside the runs: the texts were checked with the command line; a
// measured file that cannot be read or is refused is the data's fault.
void AddEvidence(const CommandLine& line) {
    Evidence& evidence = Form1->comparison->evidence;
    for (const QString& file : line.measured) {
        if (const auto refused =
                evidence.addMeasured(PathBytes(QFileInfo(file).absoluteFilePath())))
            throw Stop{
                1, QStringLiteral("--measured %1: %2").arg(file, QString::fromStdString(*refused))};
        const MeasuredFile& added = evidence.measured().back();
        for (std::size_t i = 0; i < added.matches.size(); ++i)
            if (!added.matches[i])
                printError(QStringLiteral("--measured %1: column %2 \"%3\" matches no quantity; "
                                          "it is left out")
                               .arg(file)
                               .arg(added.table.series[i].column)
                               .arg(QString::fromStdString(added.table.series[i].name)));
    }
    const auto usage = [](const std::optional<std::string>& refused) {
        if (refused)
            throw Stop{2, QString::fromStdString(*refused)};
    };
    if (!line.phases.isEmpty())
        usage(evidence.setPhases(line.phases.toStdString()));
    std::vector<std::string> texts;
    for (const QString& text : line.thresholds)
        texts.push_back(text.toStdString());
    usage(evidence.setThresholds(texts));
    texts.clear();
    for (const QString& text : line.tolerances)
        texts.push_back(text.toStdString());
    usage(evidence.setTolerances(texts));
}

bool HasEvidence(const CommandLine& line) {
    return !line.measured.isEmpty() || !line.phases.isEmpty() || !line.thresholds.isEmpty();
}

void AddComparedRuns(const CommandLine& line) {
    Comparison& comparison = *Form1->comparison;
    if (!line.directory.isEmpty() && comparison.openedDirectory().empty())
        comparison.setOpenedRun(PathBytes(QFileInfo(line.directory).absoluteFilePath()));
    for (const QString& other : line.compare) {
        const std::string directory = PathBytes(QFileInfo(other).absoluteFilePath());
        if (const auto refused = comparison.add(directory)) {
            // Only a directory without result tables is the data's fault; the opened run,
            // a run named twice or too many runs are the command line's.
            const int status = ListResultFiles(directory).hasFabrics ? 2 : 1;
            throw Stop{status, other + QStringLiteral(": ") + QString::fromStdString(*refused)};
        }
    }
    AddEvidence(line);
}

class PictureChoice {
public:
    explicit PictureChoice(const CommandLine& line) : m_line(line) {}

    // The chooser's "Open", the layer or fibre file and the colours; the quantity and a
    // typed section time checked against what the page offers. A table Open could not
    // read (told to `collector`) is the reason, not the choices it left out.
    void choose(const MessageCollector& collector) {
        open();
        collector.stopOnMessage();
        AddComparedRuns(m_line);
        chooseDifference();
        chooseSource();
        chooseColours();
        chooseReading();
        if (variableItem() < 0)
            throw Stop{2, QStringLiteral("no variable %1 on the %2 page; its variables are %3")
                              .arg(m_line.variable, m_line.page,
                                   quotedList(itemTexts(pageParts().group)))};
        if (m_line.sectionKind == "TimePos" && !ParseSectionNumber(m_line.sectionValue))
            throw Stop{2, InvalidNumberMessage(m_line.sectionValue)};
    }

    // With the main window shown: the page, its "Show Data" and the view steps. Returns
    // the page's panel.
    GlPanel* show() {
        TForm1& f = *Form1;
        const PageParts parts = pageParts();
        f.SetActivePage(parts.page);
        if (!waitFor([&] {
                return parts.panel->hasContext() && !parts.panel->bindingPending() &&
                       !f.RedrawPending;
            }))
            throw Stop{1, QStringLiteral("the %1 page could not be drawn").arg(m_line.page)};
        parts.group->SetItemIndex(variableItem());
        parts.show();
        for (const QString& step : m_line.viewSteps)
            viewSteps().at(m_line.page).at(step)();
        if (m_line.viewMatrix)
            SetFieldView(f, *m_line.viewMatrix);
        return parts.panel;
    }

    // Sets the section's controls on the shown page (the position among those its
    // "Show Data" listed); returns the "Show 2D Data" button to press.
    QAbstractButton* chooseSection() {
        TForm1& f = *Form1;
        const bool fabric = m_line.page == "Fabric";
        if (m_line.sectionKind == "TimePos") {
            (fabric ? f.RadioButton1 : f.RadioButton3)->click();
            (fabric ? f.ComboBox1 : f.ComboBox3)->setEditText(m_line.sectionValue);
        } else {
            (fabric ? f.RadioButton2 : f.RadioButton4)->click();
            QComboBox* positions = fabric ? f.ComboBox2 : f.ComboBox4;
            const int index = positions->findText(m_line.sectionValue);
            if (index < 0)
                throw Stop{2, QStringLiteral("no position %1; the positions are %2")
                                  .arg(m_line.sectionValue, quotedList(ItemTexts(positions)))};
            positions->setCurrentIndex(index);
        }
        return fabric ? f.BitBtn3 : f.BitBtn6;
    }

private:
    void open() {
        const QString directory = QFileInfo(m_line.directory).absoluteFilePath();
        Form4->DirectoryListBox1->SetDirectory(directory);
        if (!Form4->HasFabrics)
            throw Stop{1, m_line.directory + QStringLiteral(": Lack Of Data Files!")};
        Form4->Button1Click();
    }

    void chooseSource() {
        if (m_line.page == "Fabric") {
            const int layers = Form1->ComboBox5->count();
            if (m_line.layer > layers)
                throw Stop{2, QStringLiteral("no layer %1; %2 has layers 1 to %3")
                                  .arg(m_line.layer)
                                  .arg(m_line.directory)
                                  .arg(layers)};
            Form1->ComboBox5->setCurrentIndex(m_line.layer - 1);
        } else if (m_line.page == "Fibers") {
            QComboBox* files = Form1->ComboBox6;
            if (files->count() == 0)
                throw Stop{1, m_line.directory + QStringLiteral(" has no fibre files")};
            const int index = m_line.fibre.isEmpty() ? 0 : files->findText(m_line.fibre);
            if (index < 0)
                throw Stop{2, QStringLiteral("no fibre file %1; the fibre files are %2")
                                  .arg(m_line.fibre, quotedList(ItemTexts(files)))};
            files->setCurrentIndex(index);
            Form1->Label7->setText(files->itemText(index));
        } else if (m_line.page == "BodyProperty" && !Form4->HasBodyProperty) {
            throw Stop{1, m_line.directory + QStringLiteral(" has no BodyProperty.dat")};
        }
    }

    // "Difference From" as the menu chooses it: a compared run by its name or by the
    // directory --compare gave.
    void chooseDifference() {
        if (m_line.differenceFrom.isEmpty())
            return;
        const Comparison& comparison = *Form1->comparison;
        QStringList names;
        std::uint64_t chosen = 0;
        for (std::size_t i = 0; i < comparison.size(); ++i) {
            const QString name = QString::fromStdString(comparison.run(i).name);
            names << name;
            const QString given = i < static_cast<std::size_t>(m_line.compare.size())
                                      ? m_line.compare[static_cast<qsizetype>(i)]
                                      : QString();
            if (name == m_line.differenceFrom ||
                (!given.isEmpty() && QFileInfo(given).absoluteFilePath() ==
                                         QFileInfo(m_line.differenceFrom).absoluteFilePath()))
                chosen = comparison.run(i).serial;
        }
        if (chosen == 0)
            throw Stop{2, QStringLiteral("no compared run %1; the compared runs are %2")
                              .arg(m_line.differenceFrom, quotedList(names))};
        ChooseDifferenceFrom(*Form1, chosen);
    }

    void chooseColours() {
        const auto choose = [](ColorBox* box, const QString& name) {
            const int index = box->findText(name, Qt::MatchFixedString);
            if (index < 0)
                throw Stop{2, QStringLiteral("no colour %1; the colours are %2")
                                  .arg(name, quotedList(ItemTexts(box)))};
            box->setCurrentIndex(index);
        };
        if (!m_line.fromColor.isEmpty()) {
            choose(Form2->ColorBox1, m_line.fromColor);
            choose(Form2->ColorBox2, m_line.toColor);
        }
        if (!m_line.colorAxis.isEmpty()) {
            const int axis = static_cast<int>(QStringLiteral("ZXY").indexOf(m_line.colorAxis));
            (axis == 0   ? Form2->RadioButton1
             : axis == 1 ? Form2->RadioButton2
                         : Form2->RadioButton3)
                ->setChecked(true);
            Form2->ColorAxis = axis;
        }
    }

    // The key and a range fixed for the chosen quantity, as its menu items set them.
    void chooseReading() {
        ReadingState& reading = *Form1->readingState;
        reading.colourKeyShown = m_line.colourKey;
        reading.markedTime = m_line.markedTime;
        if (m_line.range)
            reading.fixedRange = ReadingState::FixedRange{static_cast<float>(m_line.range->first),
                                                          static_cast<float>(m_line.range->second),
                                                          m_line.variable.toLatin1().toStdString()};
    }

    struct PageParts {
        QWidget* page;
        GlPanel* panel;
        RadioGroup* group;
        std::function<void()> show; // the page's "Show Data"
    };

    PageParts pageParts() const {
        TForm1& f = *Form1;
        if (m_line.page == "Fibers")
            return {f.TabSheet2, f.Panel5, f.RadioGroup2, [&f] { f.BitBtn4Click(); }};
        if (m_line.page == "BodyProperty")
            return {f.TabSheet3, f.Panel8, f.RadioGroup3, [&f] { f.BitBtn7Click(); }};
        if (m_line.page == "BodyComfort")
            return {f.TabSheet4, f.Panel16, f.RadioGroup4, [&f] {
                        // A large file is read over several ticks.
                        f.Timer2Timer();
                        while (f.ComfortReadPending() && f.ActivePage() == f.TabSheet4)
                            f.Timer2Timer();
                    }};
        return {f.TabSheet1, f.Panel1, f.RadioGroup1, [&f] { f.BitBtn1Click(); }};
    }

    int variableItem() const {
        return static_cast<int>(itemTexts(pageParts().group).indexOf(m_line.variable));
    }

    using Steps = std::map<QString, std::function<void()>>;
    static const std::map<QString, Steps>& viewSteps() {
        static const std::map<QString, Steps> steps = {
            {"Fabric",
             {{"Up", [] { Form1->ToolButton3Click(); }},
              {"Down", [] { Form1->ToolButton4Click(); }},
              {"Right", [] { Form1->ToolButton5Click(); }},
              {"Left", [] { Form1->ToolButton6Click(); }},
              {"Small", [] { Form1->ToolButton7Click(); }},
              {"Large", [] { Form1->ToolButton8Click(); }},
              {"Reset", [] { Form1->ToolButton1Click(); }}}},
            {"Fibers",
             {{"Up", [] { Form1->ToolButton2Click(); }},
              {"Down", [] { Form1->ToolButton9Click(); }},
              {"Right", [] { Form1->ToolButton10Click(); }},
              {"Left", [] { Form1->ToolButton11Click(); }},
              {"Small", [] { Form1->ToolButton12Click(); }},
              {"Large", [] { Form1->ToolButton13Click(); }},
              {"Reset", [] { Form1->ToolButton14Click(); }}}}};
        return steps;
    }

    const CommandLine& m_line;
};

class ExportRun {
public:
    explicit ExportRun(const CommandLine& line) : m_line(line), m_choice(line) {}

    int run() {
        MessageCollector collector;
        try {
            if (!CreateForms())
                throw Stop{1, QStringLiteral("no OpenGL surface could be made")};
            // Shown to the toolkit, so the panels get their OpenGL contexts, never on
            // the screen.
            for (QWidget* window : {static_cast<QWidget*>(Form1), static_cast<QWidget*>(Form3),
                                    static_cast<QWidget*>(Form4)})
                window->setAttribute(Qt::WA_DontShowOnScreen);
            m_choice.choose(collector);
            Form1->show();
            GlPanel* surface = m_choice.show();
            // A compared table that could not be read is told once the picture is drawn.
            if (Form1->comparison->difference.unreadable)
                waitFor([&] { return !collector.messages.isEmpty(); });
            collector.stopOnMessage();
            if (!m_line.sectionKind.isEmpty())
                writeSection(collector.messages);
            else
                write(surface);
            collector.stopOnMessage();
        } catch (const Stop& stop) {
            printError(stop.why);
            return stop.status;
        }
        return m_written ? 0 : 1;
    }

private:
    void write(GlPanel* surface) {
        const ExportTarget target = ExportTargetOf(surface);
        QString error;
        bool done = false;
        if (m_line.format == "csv") {
            done = WriteWholeFile(
                m_line.file,
                QByteArray::fromStdString(CsvTable(target.header, target.columns, target.runs)),
                &error);
        } else {
            const PictureFormat format = m_line.format == "svg"   ? PictureFormat::Svg
                                         : m_line.format == "pdf" ? PictureFormat::Pdf
                                                                  : PictureFormat::Png;
            done = SavePicture(target.picture, m_line.file, format, m_line.scale, &error);
        }
        if (!done)
            throw Stop{1, m_line.file + QStringLiteral(": ") + error};
        m_written = true;
    }

    // The section is the 2D window's picture: the window is shown (off the screen) by
    // "Show 2D Data" and written from inside its modal showing.
    void writeSection(const QStringList& messages) {
        QAbstractButton* show2d = m_choice.chooseSection();
        std::optional<Stop> failed;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!Form3->isVisible())
                return;
            if (!messages.isEmpty()) {
                Form3->close();
                return;
            }
            if (!Form3->ImageDC->hasContext() || Form1->RedrawPending)
                return;
            poll.stop();
            try {
                write(Form3->ImageDC);
            } catch (const Stop& stop) {
                failed = stop;
            }
            Form3->close();
        });
        poll.start(5);
        show2d->click();
        if (failed)
            throw *failed;
    }

    const CommandLine& m_line;
    PictureChoice m_choice;
    bool m_written = false;
};

} // namespace

int RunHeadlessExport(const CommandLine& line) {
    ExportRun run(line);
    const int status = run.run();
    DestroyForms();
    return status;
}

int StartWindow(const CommandLine& given) {
    CommandLine line = given;
    if (!line.picture && (!line.compare.isEmpty() || HasEvidence(line))) {
        // Runs compared with no picture asked for: the first sensation of every run over
        // each other and the table of runs filled, not an empty Fabric frame.
        line.picture = true;
        line.page = QStringLiteral("BodyComfort");
        line.variable = Form1->RadioGroup4->ItemText(0);
    }
    if (!line.picture) {
        try {
            AddComparedRuns(line);
        } catch (const Stop& stop) {
            printError(stop.why);
            return stop.status;
        }
        Form1->show();
        if (!line.compare.isEmpty() || HasEvidence(line))
            ShowCompareRunsWindow(*Form1);
        if (!line.directory.isEmpty()) {
            const QString directory = line.directory;
            QTimer::singleShot(0, Form1, [directory] { OpenDirectoryAsChooserDoes(directory); });
        }
        return 0;
    }
    PictureChoice choice(line);
    try {
        {
            // Until the window shows, a table Open cannot read ends the start as a
            // refused choice does: on the error output, not in a box over nothing.
            MessageCollector collector;
            choice.choose(collector);
        }
        Form1->show();
        if (!line.compare.isEmpty() || HasEvidence(line))
            ShowCompareRunsWindow(*Form1);
        choice.show();
        if (!line.sectionKind.isEmpty()) {
            QAbstractButton* show2d = choice.chooseSection();
            // Pressed from the event loop, as a click is: the main window is drawn
            // first, and the modal 2D window does not hold up the caller.
            QTimer::singleShot(0, show2d, [show2d] { show2d->click(); });
        }
    } catch (const Stop& stop) {
        printError(stop.why);
        Form1->hide();
        return stop.status;
    }
    return 0;
}

void OpenDirectoryAsChooserDoes(const QString& directory) {
    Form1->File1Click();
    Form4->DirectoryListBox1->SetDirectory(QFileInfo(directory).absoluteFilePath());
    Form4->Button1Click();
}

bool DisplayAvailable() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace tessaplot
