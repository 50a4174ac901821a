#include "support/ProgramRun.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace tessaplot::test {

ProgramRun RunProgram(const QStringList& arguments, const QString& program) {
    QProcess process;
    // In the sanitized build the program's leak check at exit meets the OpenGL driver
    // unloaded, and its memory with no module to suppress it by (the window tests keep
    // the driver loaded for that reason). The same drawing and writing is leak-checked
    // in the window tests' own process.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        return run;
    }
    run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace tessaplot::test
