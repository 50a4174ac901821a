#include "cli/CommandLineRun.h"

#include "app/Application.h"
#include "app/MessageBoxes.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "app/Widgets.h"
#include "cli/CommandLine.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "export/CsvTable.h"
#include "export/ExportTargets.h"
#include "fieldview/ColorBox.h"
#include "fieldview/Colorselection1.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"

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

class ExportRun {
public:
    explicit ExportRun(const CommandLine& line) : m_line(line) {}

    int run() {
        QStringList messages;
        SetMessageSink(
            [&messages](const std::string& text) { messages << QString::fromStdString(text); });
        try {
            prepareWindows();
            open();
            // A table Open could not read is the reason, not the choices it left out.
            if (!messages.isEmpty())
                throw Stop{1, messages.join(QStringLiteral("; "))};
            chooseSource();
            chooseColours();
            GlPanel* surface = showPage();
            if (!messages.isEmpty())
                throw Stop{1, messages.join(QStringLiteral("; "))};
            for (const QString& step : m_line.viewSteps)
                m_steps.at(m_line.page).at(step)();
            if (!m_line.sectionKind.isEmpty())
                writeSection(messages);
            else
                write(surface);
            if (!messages.isEmpty())
                throw Stop{messages.front().contains("valid floating point") ? 2 : 1,
                           messages.join(QStringLiteral("; "))};
        } catch (const Stop& stop) {
            SetMessageSink(nullptr);
            printError(stop.why);
            return stop.status;
        }
        SetMessageSink(nullptr);
        return m_written ? 0 : 1;
    }

private:
    void prepareWindows() {
        if (!CreateForms())
            throw Stop{1, QStringLiteral("no OpenGL surface could be made")};
        // Shown to the toolkit, so the panels get their OpenGL contexts, never on the
        // screen.
        for (QWidget* window : {static_cast<QWidget*>(Form1), static_cast<QWidget*>(Form3),
                                static_cast<QWidget*>(Form4)})
            window->setAttribute(Qt::WA_DontShowOnScreen);
        Form1->show();
        if (!waitFor([] { return Form1->Panel1->hasContext(); }))
            throw Stop{1, QStringLiteral("no OpenGL context could be made")};
    }

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

    // The page with the variable shown, drawn by its own "Show Data".
    GlPanel* showPage() {
        TForm1& f = *Form1;
        struct PageParts {
            QWidget* page;
            GlPanel* panel;
            RadioGroup* group;
            std::function<void()> show;
        };
        const std::map<QString, PageParts> pages = {
            {"Fabric", {f.TabSheet1, f.Panel1, f.RadioGroup1, [&f] { f.BitBtn1Click(); }}},
            {"Fibers", {f.TabSheet2, f.Panel5, f.RadioGroup2, [&f] { f.BitBtn4Click(); }}},
            {"BodyProperty", {f.TabSheet3, f.Panel8, f.RadioGroup3, [&f] { f.BitBtn7Click(); }}},
            {"BodyComfort", {f.TabSheet4, f.Panel16, f.RadioGroup4, [&f] {
                                 // A large file is read over several ticks.
                                 f.Timer2Timer();
                                 while (f.ComfortReadPending() && f.ActivePage() == f.TabSheet4)
                                     f.Timer2Timer();
                             }}}};
        const PageParts& parts = pages.at(m_line.page);
        const int item = itemTexts(parts.group).indexOf(m_line.variable);
        if (item < 0)
            throw Stop{2,
                       QStringLiteral("no variable %1 on the %2 page; its variables are %3")
                           .arg(m_line.variable, m_line.page, quotedList(itemTexts(parts.group)))};
        f.SetActivePage(parts.page);
        if (!waitFor([&] {
                return parts.panel->hasContext() && !parts.panel->bindingPending() &&
                       !f.RedrawPending;
            }))
            throw Stop{1, QStringLiteral("the %1 page could not be drawn").arg(m_line.page)};
        parts.group->SetItemIndex(item);
        parts.show();
        return parts.panel;
    }

    void write(GlPanel* surface) {
        const ExportTarget target = ExportTargetOf(surface);
        QString error;
        bool done = false;
        if (m_line.format == "csv") {
            done = WriteWholeFile(
                m_line.file, QByteArray::fromStdString(CsvTable(target.header, target.columns)),
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
        std::optional<Stop> failed;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!Form3->isVisible())
                return;
            if (!messages.isEmpty()) {
                Form3->close();
                return;
            }
            if (!Form3->ImageDC->hasContext() || f.RedrawPending)
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
        (fabric ? f.BitBtn3 : f.BitBtn6)->click();
        if (failed)
            throw *failed;
    }

    const CommandLine& m_line;
    bool m_written = false;
    using Steps = std::map<QString, std::function<void()>>;
    const std::map<QString, Steps> m_steps = {{"Fabric",
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
};

} // namespace

int RunHeadlessExport(const CommandLine& line) {
    ExportRun run(line);
    const int status = run.run();
    DestroyForms();
    return status;
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
