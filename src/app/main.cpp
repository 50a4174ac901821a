#include "app/Application.h"
#include "app/MessageBoxes.h"
#include "app/PathStrings.h"
#include "app/Temp.h"
#include "cli/CommandLine.h"
#include "cli/CommandLineRun.h"
#include "cli/SummaryRun.h"
#include "reproduce/ShownPictureChoices.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
#ifdef _WIN32
        arguments << QString::fromLocal8Bit(argv[i]);
#else
        // A result directory named in bytes that are no UTF-8 must still open.
        arguments << tessaplot::PathFromBytes(argv[i]);
#endif
    const tessaplot::CommandLine line = tessaplot::ParseCommandLine(arguments);
    using Action = tessaplot::CommandLine::Action;
    if (line.action == Action::Help || line.action == Action::Version) {
        std::printf("%s\n", line.message.toLocal8Bit().constData());
        return 0;
    }
    if (line.action == Action::Fail) {
        std::fprintf(stderr, "%s\n", line.message.toLocal8Bit().constData());
        return line.exitStatus;
    }
    if (line.printCommand) {
        const std::string command =
            tessaplot::PictureCommandText(tessaplot::CommandLineChoices(line));
        std::printf("%s\n", command.c_str());
        return 0;
    }
    if (line.action == Action::Summary)
        return tessaplot::RunSummary(line);
    if (line.action == Action::Export && !tessaplot::DisplayAvailable()) {
        std::fprintf(stderr, "plotvane: --export draws with OpenGL and needs a display, and "
                             "there is none; on a machine without one run it as: xvfb-run -a "
                             "plotvane --export ...\n");
        return 1;
    }
    if (line.action == Action::Start && !tessaplot::DisplayAvailable()) {
        // Said as for an export, not as the toolkit's abort that blames the installation.
        std::fprintf(stderr, "plotvane: the window needs a display, and there is none; on a "
                             "machine without one start it on a virtual one: xvfb-run -a "
                             "plotvane ...\n");
        return 1;
    }

    if (line.action == Action::Export)
        // Success prints nothing: the toolkit's notes on its environment stay unsaid.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "plotvane: %s\n", text.toLocal8Bit().constData());
        });
    tessaplot::SetDefaultSurfaceFormat();
    tessaplot::TApplication app(argc, argv);
    if (line.action == Action::Export)
        return tessaplot::RunHeadlessExport(line);
    int status = 0;
    try {
        if (tessaplot::CreateForms()) {
            status = tessaplot::StartWindow(line);
            if (status == 0)
                app.exec();
        }
    } catch (const std::exception& error) {
        tessaplot::ShowMessage(tessaplot::HandlerFailureText(error));
    } catch (...) {
        tessaplot::ShowMessage(tessaplot::HandlerFailureText());
    }
    tessaplot::DestroyForms();
    return status;
}
