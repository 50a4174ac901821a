#pragma once

#include <QString>
#include <QStringList>

namespace tessaplot::test {

// How a run of the program (or another) ended and what it printed.
struct ProgramRun {
    int status = -1; // -1: it did not end within two minutes
    QString out, err;
};

// Runs `program` (the viewer by default) with `arguments` to its end.
ProgramRun RunProgram(const QStringList& arguments,
                      const QString& program = QStringLiteral(PLOTVANE_PROGRAM));

} // namespace tessaplot::test
