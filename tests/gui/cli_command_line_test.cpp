// The command line: its parsing, and the program run as a user runs it, with --export
// and with a result directory to open.
#include "app/Application.h"
#include "app/PathStrings.h"
#include "app/RadioGroup.h"
#include "app/Widgets.h"
#include "cli/CommandLine.h"
#include "cli/CommandLineRun.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "fieldview/ColorBox.h"
#include "fieldview/Colorselection1.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"
#include "support/Forms.h"
#include "support/ModalAnswerer.h"
#include "support/ProgramRun.h"

#include "SampleData.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tessaplot::test {
namespace {

CommandLine parse(const QStringList& arguments) {
    return ParseCommandLine(QStringList{"plotvane"} + arguments);
}

TEST(CommandLineParsing, ChoicesAndTheirRefusals) {
    QTemporaryDir dir;
    const QString d = dir.path();
    EXPECT_EQ(parse({}).action, CommandLine::Action::Start);
    EXPECT_EQ(parse({d}).directory, d);
    EXPECT_EQ(parse({"--help"}).action, CommandLine::Action::Help);
    EXPECT_TRUE(parse({"--help"}).message.contains("--export"));
    EXPECT_TRUE(parse({"--help"}).message.startsWith("Usage: plotvane [options] [DIR]\n"));
    EXPECT_EQ(parse({"--version"}).message, "plotvane " TESSAPLOT_TEST_VERSION);

    const CommandLine full =
        parse({"--export", "out.PDF", "--page", "Fibers", "--fibre", "fabric1_fiber_2.dat",
               "--variable", "Moisture Content(kg/m^2)", "--view", "Left,Left,Up,Large", "--colors",
               "Navy,Yellow", "--color-axis", "x", "--section", "SpacePos:0.0500", d});
    ASSERT_EQ(full.action, CommandLine::Action::Export) << full.message.toStdString();
    EXPECT_EQ(full.format, "pdf");
    EXPECT_EQ(full.page, "Fibers");
    EXPECT_EQ(full.viewSteps, (QStringList{"Left", "Left", "Up", "Large"}));
    EXPECT_EQ(full.colorAxis, "X");
    EXPECT_EQ(full.sectionKind, "SpacePos");
    EXPECT_EQ(full.sectionValue, "0.0500");

    // Without --export the same options choose the picture the window starts on.
    const CommandLine start = parse({d, "--layer", "2", "--variable", "Relative Humidity(%)",
                                     "--view", "Up", "--section", "TimePos:60"});
    ASSERT_EQ(start.action, CommandLine::Action::Start) << start.message.toStdString();
    EXPECT_TRUE(start.picture);
    EXPECT_EQ(start.layer, 2);
    EXPECT_EQ(start.sectionKind, "TimePos");
    EXPECT_FALSE(parse({d}).picture);

    const CommandLine evidence =
        parse({"--summary", "--measured", "a.csv", "--phases", "Rest:0-30,Walk:30-90",
               "--threshold", "temperature of core>=38", "--measured", "b.csv", "--threshold",
               "Comfort Value<30", "--tolerance", "Temperature of core (degree of C)=0.3", d});
    ASSERT_EQ(evidence.action, CommandLine::Action::Summary) << evidence.message.toStdString();
    EXPECT_EQ(evidence.measured, (QStringList{"a.csv", "b.csv"}));
    EXPECT_EQ(evidence.phases, "Rest:0-30,Walk:30-90");
    EXPECT_EQ(evidence.thresholds, (QStringList{"temperature of core>=38", "Comfort Value<30"}));
    EXPECT_EQ(evidence.tolerances, QStringList{"Temperature of core (degree of C)=0.3"});
    EXPECT_EQ(evidence.summaryDirectories, QStringList{d});

    struct Refusal {
        QStringList arguments;
        const char* says;
    };
    const Refusal refusals[] = {
        {{"--bogus"}, "bogus"},
        {{d, d}, "one result directory"},
        {{"--page", "Fabric", d}, "--page needs --variable"},
        {{"--variable", "x"}, "--variable needs the result directory"},
        {{"--scale", "2", "--variable", "x", d}, "--scale goes with --export"},
        {{"--export", "a.gif", "--variable", "x", d}, ".png, .svg, .pdf or .csv"},
        {{"--export", "a.png", "--variable", "x"}, "needs the result directory"},
        {{"--export", "a.png", d}, "needs --variable"},
        {{"--export", "a.png", "--variable", "x", "--page", "Body", d},
         "Fabric, Fibers, BodyProperty, BodyComfort"},
        {{"--export", "a.png", "--variable", "x", "--layer", "0", d}, "--layer"},
        {{"--export", "a.png", "--variable", "x", "--view", "Left,Spin", d}, "Up, Down, Right"},
        {{"--export", "a.png", "--variable", "x", "--scale", "3", d}, "1, 2 or 4"},
        {{"--export", "a.png", "--variable", "x", "--color-axis", "W", d}, "Z, X, Y"},
        {{"--export", "a.png", "--variable", "x", "--colors", "Navy", d}, "FROM,TO"},
        {{"--export", "a.png", "--variable", "x", "--section", "At:1", d}, "TimePos:T"},
        {{"--export", "a.png", "--variable", "x", "--page", "BodyComfort", "--view", "Up", d},
         "Fabric and Fibers"},
        // Each end a float, but their span is none: the ramp would colour all alike.
        {{"--export", "a.png", "--variable", "x", "--range", "-3e38,3e38", d}, "span less than"},
        {{"--export", "a.png", "--variable", "x", "--range", "1,1e39", d}, "within +/-3.4E38"},
        {{"--variable", "x", "--range", "30,37", "--color-axis", "y", d}, "--color-axis Z, not Y"},
        // The evidence options: the core's reason, naming the option.
        {{"--summary", "--phases", "Rest:0-30,Walk:20-90", d}, "--phases: phase \"Walk\" starts"},
        {{"--summary", "--phases", "", d}, "--phases: no phase is given"},
        {{"--summary", "--threshold", "core>=38", d}, "--threshold: \"core\" names no body"},
        {{"--summary", "--threshold", "skin wetness=0.3", d}, "has no comparison"},
        {{"--summary", "--threshold", "skin wetness>0,3", d}, "\"0,3\" of \"skin wetness\" is not"},
        {{"--summary", "--measured", "m.csv", "--tolerance", "skin wetness=-1", d},
         "--tolerance: the tolerance \"-1\""},
        {{"--summary", "--measured", "m.csv", "--tolerance", "skin wetness", d}, "NAME=VALUE"},
        {{"--summary", "--measured", "m.csv", "--tolerance", "skin wetness=1", "--tolerance",
          "Skin Wetness=2", d},
         "\"skin wetness\" has a tolerance already"},
        {{"--summary", "--tolerance", "skin wetness=1", d}, "--tolerance goes with --measured"},
        {{"--threshold", "skin wetness>0.3"}, "--threshold needs the result directory DIR or"},
        {{"--measured", "m.csv"}, "--measured needs the result directory DIR or --summary"},
    };
    for (const Refusal& refusal : refusals) {
        const CommandLine line = parse(refusal.arguments);
        EXPECT_EQ(line.action, CommandLine::Action::Fail) << refusal.says;
        EXPECT_EQ(line.exitStatus, 2) << refusal.says;
        EXPECT_TRUE(line.message.contains(refusal.says)) << line.message.toStdString();
        EXPECT_FALSE(line.message.contains('\n')) << "one line";
    }
    // A directory that does not exist is a data set that cannot be read, not wrong usage.
    const CommandLine missing = parse({d + "/missing"});
    EXPECT_EQ(missing.action, CommandLine::Action::Fail);
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_TRUE(missing.message.contains("is no directory")) << missing.message.toStdString();
}

class ExportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        sample::DataSetOptions options;
        options.timeSteps = 12;
        options.comfortLines = 40;
        ASSERT_TRUE(sample::WriteDataSet(dataSet().toStdString(), options));
    }
    void TearDown() override {
        // Qt does not see a name that is no UTF-8, so QTemporaryDir would leave it behind.
        std::error_code ignored;
        std::filesystem::remove_all(PathBytes(root.path()), ignored);
    }
    QString dataSet() const { return root.filePath("cli-run"); }
    QString out(const QString& name) const { return root.filePath(name); }
    QTemporaryDir root;
};

TEST_F(ExportCommandTest, EveryPageAndASectionToEveryFormatSilently) {
    struct Case {
        QStringList arguments;
        QString file;
    };
    const QString temperature = "Temperature(degree of C)";
    const Case cases[] = {
        {{"--variable", temperature, "--layer", "2", "--view", "Left,Up,Large", "--colors",
          "Navy,Yellow", "--color-axis", "X"},
         "fabric.png"},
        {{"--variable", temperature, "--scale", "2"}, "fabric2.png"},
        {{"--page", "Fibers", "--variable", "Moisture Content(kg/m^2)"}, "fibers.svg"},
        {{"--page", "BodyProperty", "--variable", "skin wetness"}, "body.pdf"},
        {{"--page", "BodyComfort", "--variable", "Thermal Sensation"}, "comfort.pdf"},
        {{"--page", "BodyComfort", "--variable", "Comfort Value"}, "comfort.csv"},
        {{"--variable", temperature, "--section", "TimePos:60"}, "section.svg"},
        {{"--page", "Fibers", "--variable", "Moisture Content(kg/m^2)", "--section",
          "SpacePos:0.0500"},
         "section.csv"},
    };
    for (const Case& c : cases) {
        const ProgramRun run =
            RunProgram(QStringList{"--export", out(c.file)} + c.arguments + QStringList{dataSet()});
        EXPECT_EQ(run.status, 0) << c.file.toStdString() << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty() && run.err.isEmpty())
            << c.file.toStdString() << ": " << run.err.toStdString();
        EXPECT_GT(QFileInfo(out(c.file)).size(), 0) << c.file.toStdString();
    }
    EXPECT_EQ(QImage(out("fabric2.png")).size(), QImage(out("fabric.png")).size() * 2);
    QFile svg(out("section.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(svg.readAll());
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError());
    QFile csv(out("section.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    EXPECT_EQ(lines.front().trimmed(), "Time(s),Moisture Content(kg/m^2)");
    EXPECT_EQ(lines.size(), 12 + 2) << "a header, a row per time step, the last line end";
}

TEST_F(ExportCommandTest, WrongChoicesNameTheValidOnesAndFailuresLeaveNothing) {
    struct Case {
        QStringList arguments;
        int status;
        const char* says;
    };
    const QString d = dataSet();
    const Case cases[] = {
        {{"--variable", "Humidity", d}, 2, "\"Relative Humidity(%)\""},
        {{"--variable", "skin wetness", d}, 2, "\"Temperature(degree of C)\""},
        {{"--layer", "4", "--variable", "Temperature(degree of C)", d}, 2, "layers 1 to 3"},
        {{"--page", "Fibers", "--fibre", "fabric9_fiber_9.dat", "--variable",
          "Moisture Content(kg/m^2)", d},
         2,
         "fabric1_fiber_1.dat"},
        {{"--colors", "Navy,Yelow", "--variable", "Temperature(degree of C)", d}, 2, "\"Yellow\""},
        {{"--section", "SpacePos:9", "--variable", "Temperature(degree of C)", d}, 2, "\"0.0160\""},
        {{"--section", "TimePos:soon", "--variable", "Temperature(degree of C)", d},
         2,
         "not a valid floating point value"},
        {{"--view", "Spin", "--variable", "Temperature(degree of C)", d}, 2, "Reset"},
        {{"--variable", "Temperature(degree of C)", root.path()}, 1, "Lack Of Data Files!"},
        // The opened run or one named twice is wrong usage; a run without tables, the data.
        {{"--compare", d, "--variable", "Temperature(degree of C)", d}, 2, "the opened run"},
        {{"--compare", root.path(), "--variable", "Temperature(degree of C)", d},
         1,
         "Lack Of Data Files!"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = RunProgram(QStringList{"--export", out("x.png")} + c.arguments);
        EXPECT_EQ(run.status, c.status) << c.says << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out("x.png"))) << c.says;
    }
    // A data set whose Fabrics.dat is no table (a sparse file of 10 GB): the reason, once.
    const QString broken = root.filePath("broken-run");
    ASSERT_TRUE(QDir().mkpath(broken));
    {
        QFile sparse(QDir(broken).filePath("Fabrics.dat"));
        ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
        ASSERT_TRUE(sparse.resize(qint64{10} << 30));
    }
    const ProgramRun noTable =
        RunProgram({"--export", out("x.png"), "--variable", "Temperature(degree of C)", broken});
    EXPECT_EQ(noTable.status, 1);
    EXPECT_EQ(noTable.err.count("is not a result table: no line end in its first 64 MB."), 1)
        << noTable.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out("x.png")));

    const ProgramRun unwritable = RunProgram(
        {"--export", out("no-such-dir/x.pdf"), "--variable", "Temperature(degree of C)", d});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(unwritable.err.contains("no-such-dir")) << unwritable.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out("no-such-dir")));

    const ProgramRun help = RunProgram({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("--section"));
}

#ifndef _WIN32
TEST_F(ExportCommandTest, ResultDirectoryNamedInBytesThatAreNoUtf8) {
    // "café" in Latin-1. The shell passes its byte E9 on; QProcess would send UTF-8.
    const std::string bytes = PathBytes(root.path()) + "/caf\xE9";
    sample::DataSetOptions options;
    options.timeSteps = 4;
    ASSERT_TRUE(sample::WriteDataSet(bytes, options));
    EXPECT_EQ(parse({PathFromBytes(bytes)}).action, CommandLine::Action::Start);

    const ProgramRun run = RunProgram(
        {"-c", "exec \"$0\" --export \"$1\" --variable \"$2\" \"$3/$(printf 'caf\\351')\"",
         QStringLiteral(PLOTVANE_PROGRAM), out("cafe.csv"), "Temperature(degree of C)",
         root.path()},
        QStringLiteral("/bin/sh"));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_GT(QFileInfo(out("cafe.csv")).size(), 0);
}
#endif

TEST_F(ExportCommandTest, WithoutADisplayItSaysHowToRunIt) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    // An export, and the window: told how, with status 1, never the toolkit's abort.
    for (const QStringList& arguments : {QStringList{"--export", out("x.png"), "--variable",
                                                     "Temperature(degree of C)", dataSet()},
                                         QStringList{dataSet()}}) {
        process.start(QStringLiteral(PLOTVANE_PROGRAM), arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitCode(), 1);
        EXPECT_TRUE(process.readAllStandardError().contains("xvfb-run"));
    }
}

// "plotvane DIR" goes through the same entry as the program's start.
class StartOnDirectoryTest : public FormsTest {};

TEST_F(StartOnDirectoryTest, OpensAsTheChoosersOpenDoesOrRefusesOnce) {
    const QString directory = workDir.filePath("run");
    ASSERT_TRUE(sample::WriteDataSet(directory.toStdString(), sample::DataSetOptions{}));
    OpenDirectoryAsChooserDoes(directory);
    EXPECT_TRUE(Form4->DataSetOpen);
    EXPECT_EQ(Form4->CurrentDirectory(), QDir::toNativeSeparators(directory));
    EXPECT_EQ(Form1->ComboBox5->count(), 3);
    EXPECT_EQ(StatusPanel(Form1->StatusBar1, 4)->text(), "Current Directory:" + directory);
    EXPECT_TRUE(Form1->Label5->text().endsWith("Fabrics.dat"));
    EXPECT_FALSE(Form4->isVisible());

    ModalAnswerer answerer;
    OpenDirectoryAsChooserDoes(workDir.path());
    EXPECT_EQ(answerer.texts, QStringList{"Lack Of Data Files!"});
    EXPECT_TRUE(Form4->isVisible()) << "the chooser stays open, as after a refused Open";
}

// "plotvane DIR --variable ..." starts through StartWindow, as main does: the forms
// created and the main window not yet shown.
class StartOnPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousWorkDir = QDir::currentPath();
        ASSERT_TRUE(workDir.isValid());
        QDir::setCurrent(workDir.path());
        ASSERT_TRUE(sample::WriteDataSet(dataSet().toStdString(), sample::DataSetOptions{}));
    }
    void TearDown() override {
        DestroyForms();
        QDir::setCurrent(previousWorkDir);
    }
    QString dataSet() const { return workDir.filePath("run"); }

    static bool waitFor(const std::function<bool()>& done) {
        QDeadlineTimer deadline(15000);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(5);
        }
        return true;
    }
    // The 2D window's picture once it is drawn; the window is then closed.
    static QImage sectionPicture(ModalAnswerer& answerer, const std::function<void()>& press) {
        QImage picture;
        answerer.onDialog = [&picture](QWidget* modal) {
            if (modal != Form3 || !Form3->ImageDC->hasContext() || Form1->RedrawPending)
                return;
            picture = Form3->ImageDC->grabFramebuffer();
            Form3->BitBtn2->click();
        };
        press();
        EXPECT_TRUE(waitFor([&picture] { return !picture.isNull(); }));
        answerer.onDialog = nullptr;
        return picture;
    }

    QTemporaryDir workDir;
    QString previousWorkDir;
};

TEST_F(StartOnPictureTest, TheWindowStartsOnThePictureTheSameClicksShow) {
    struct Case {
        QStringList arguments;
        // The clicks that make the same picture, the chooser's Open done.
        std::function<void(ModalAnswerer&)> clicks;
        bool section = false;
    };
    // Near the left end, where a radio button's mark is, whatever the width of its text.
    const auto click = [](QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
    };
    const auto chooseColours = [click](ModalAnswerer& answerer, QPushButton* colorSelect) {
        answerer.onDialog = [click](QWidget*) {
            Form2->ColorBox1->setCurrentIndex(Form2->ColorBox1->findText("Navy"));
            Form2->ColorBox2->setCurrentIndex(Form2->ColorBox2->findText("Yellow"));
            click(Form2->RadioButton2);
            click(Form2->BitBtn1);
        };
        click(colorSelect);
        answerer.onDialog = nullptr;
    };
    TForm1*& f = Form1;
    // A user looks at a page before clicking on it: it has its surface and frame.
    const auto turnTo = [&f](QWidget* page, GlPanel* panel) {
        f->PageControl1->setCurrentWidget(page);
        ASSERT_TRUE(waitFor([&f, panel] {
            return panel->hasContext() && !panel->bindingPending() && !f->RedrawPending;
        }));
    };
    const Case cases[] = {
        {{"--layer", "2", "--variable", "Temperature(degree of C)", "--view", "Left,Left,Up,Small",
          "--colors", "Navy,Yellow", "--color-axis", "X"},
         [&](ModalAnswerer& answerer) {
             f->ComboBox5->setCurrentIndex(1);
             chooseColours(answerer, f->BitBtn2);
             click(f->RadioGroup1->Button(5));
             click(f->BitBtn1);
             for (QWidget* step : {f->ToolButton6, f->ToolButton6, f->ToolButton3, f->ToolButton7})
                 click(step);
         }},
        {{"--page", "Fibers", "--fibre", "fabric1_fiber_2.dat", "--variable",
          "Moisture Content(kg/m^2)", "--view", "Right,Down,Large"},
         [&](ModalAnswerer&) {
             turnTo(f->TabSheet2, f->Panel5);
             f->ComboBox6->setCurrentIndex(1);
             f->ComboBox6Change();
             click(f->RadioGroup2->Button(2));
             click(f->BitBtn4);
             for (QWidget* step : {f->ToolButton10, f->ToolButton9, f->ToolButton13})
                 click(step);
         }},
        {{"--page", "BodyProperty", "--variable", "skin wetness"},
         [&](ModalAnswerer&) {
             turnTo(f->TabSheet3, f->Panel8);
             for (int i = 0; i < f->RadioGroup3->Count(); ++i)
                 if (f->RadioGroup3->ItemText(i) == "skin wetness")
                     click(f->RadioGroup3->Button(i));
             click(f->BitBtn7);
         }},
        {{"--variable", "Relative Humidity(%)", "--section", "TimePos:60"},
         [&](ModalAnswerer&) {
             click(f->RadioGroup1->Button(3));
             click(f->BitBtn1);
             click(f->RadioButton1);
             TypeOver(f->ComboBox1, "60");
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        ModalAnswerer answerer;
        const CommandLine line = ParseCommandLine(QStringList{"plotvane", dataSet()} + c.arguments);
        ASSERT_TRUE(line.picture) << line.message.toStdString();
        ASSERT_TRUE(CreateForms());
        ASSERT_EQ(StartWindow(line), 0);
        ASSERT_TRUE(Form1->isVisible());
        const QImage started = c.section ? sectionPicture(answerer, [] {})
                                         : (waitFor([] { return !Form1->RedrawPending; }),
                                            Form1->ShownSurface()->grabFramebuffer());
        const QString startedVariable = StatusPanel(Form1->StatusBar1, 2)->text();
        DestroyForms();

        ASSERT_TRUE(CreateForms());
        Form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
        Form1->File1->trigger();
        Form4->DirectoryListBox1->SetDirectory(dataSet());
        click(Form4->Button1);
        ASSERT_TRUE(waitFor([] { return !Form1->RedrawPending; }));
        const QImage frameAlone = Form1->ShownSurface()->grabFramebuffer();
        c.clicks(answerer);
        const QImage clicked = c.section ? sectionPicture(answerer, [f] { f->BitBtn3->click(); })
                                         : (waitFor([] { return !Form1->RedrawPending; }),
                                            Form1->ShownSurface()->grabFramebuffer());
        EXPECT_FALSE(started.isNull());
        if (started != clicked) {
            started.save(workDir.filePath("started.png"));
            clicked.save(workDir.filePath("clicked.png"));
            workDir.setAutoRemove(false);
            ADD_FAILURE() << "the start differs from the clicks' picture; both are in "
                          << workDir.path().toStdString();
        }
        EXPECT_TRUE(c.section || started != frameAlone) << "a picture, not the frame alone";
        EXPECT_EQ(startedVariable, StatusPanel(Form1->StatusBar1, 2)->text());
        EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join('|').toStdString();
        DestroyForms();
    }
}

TEST_F(StartOnPictureTest, AChoiceTheDataSetLacksIsToldBeforeTheWindowShows) {
    struct Case {
        QStringList arguments;
        int status;
        const char* says;
        bool windowShown = false; // the position list exists only once the layer is read
    };
    const QString temperature = "Temperature(degree of C)";
    const Case cases[] = {
        {{"--variable", "Humidity"}, 2, "\"Relative Humidity(%)\""},
        {{"--page", "BodyProperty", "--variable", temperature}, 2, "\"skin wetness\""},
        {{"--layer", "4", "--variable", temperature}, 2, "layers 1 to 3"},
        {{"--page", "Fibers", "--fibre", "fabric9_fiber_9.dat", "--variable",
          "Moisture Content(kg/m^2)"},
         2,
         "fabric1_fiber_1.dat"},
        {{"--colors", "Navy,Yelow", "--variable", temperature}, 2, "\"Yellow\""},
        {{"--section", "TimePos:soon", "--variable", temperature},
         2,
         "not a valid floating point value"},
        {{"--section", "SpacePos:9", "--variable", temperature}, 2, "\"0.0160\"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        ASSERT_TRUE(CreateForms());
        struct ShowCounter : QObject {
            int shown = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                shown += event->type() == QEvent::Show;
                return false;
            }
        } counter;
        Form1->installEventFilter(&counter);
        ModalAnswerer answerer;
        ::testing::internal::CaptureStderr();
        const int status =
            StartWindow(ParseCommandLine(QStringList{"plotvane", dataSet()} + c.arguments));
        const QString told = QString::fromStdString(::testing::internal::GetCapturedStderr());
        EXPECT_EQ(status, c.status);
        EXPECT_TRUE(told.contains(c.says)) << told.toStdString();
        EXPECT_EQ(told.count('\n'), 1) << "one line: " << told.toStdString();
        EXPECT_EQ(counter.shown > 0, c.windowShown);
        EXPECT_FALSE(Form1->isVisible());
        EXPECT_TRUE(answerer.texts.isEmpty()) << "no message box";
        Form1->removeEventFilter(&counter);
        DestroyForms();
    }
    // A directory without Fabrics.dat, and the program itself ending on a refused choice.
    ASSERT_TRUE(CreateForms());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(StartWindow(ParseCommandLine(
                  {"plotvane", workDir.path(), "--variable", "Temperature(degree of C)"})),
              1);
    EXPECT_TRUE(QString::fromStdString(::testing::internal::GetCapturedStderr())
                    .contains("Lack Of Data Files!"));
    const ProgramRun run = RunProgram({dataSet(), "--variable", "Humidity"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("its variables are")) << run.err.toStdString();
}

} // namespace
} // namespace tessaplot::test
