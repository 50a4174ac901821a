#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace tessaplot {

// What the command line asks for. Checked here as far as it can be without the data
// set; what depends on the data set (layers, variables, fibre files, positions,
// colours) is checked when it is open.
struct CommandLine {
    enum class Action { Start, Help, Version, Export, Summary, Fail };
    Action action = Action::Start;
    int exitStatus = 0; // for Help, Version and Fail
    QString message;    // printed for Help, Version and Fail
    QString directory;  // DIR, or empty: start as before, in the chooser's place
    // Start with DIR and picture options: the window starts on the picture they choose.
    bool picture = false;

    // The picture: for --export, and for Start when `picture` is set.
    QString file;   // --export only
    QString format; // "png", "svg", "pdf" or "csv", from the file's extension
    QString page = QStringLiteral("Fabric");
    int layer = 1;
    QString fibre; // empty: the first fibre file
    QString variable;
    QString sectionKind; // empty, "TimePos" or "SpacePos"
    QString sectionValue;
    QStringList viewSteps;
    QString fromColor, toColor;
    QString colorAxis; // empty, "Z", "X" or "Y"
    bool colourKey = false;
    std::optional<std::pair<double, double>> range; // the ramp's values, lower first
    int scale = 1;                                  // --export only

    // Result directories compared with DIR (--compare, in order), for a start or an export.
    QStringList compare;
    // Fabric, Fibers: the mesh is DIR minus this compared run (its name or directory).
    QString differenceFrom;
    // Evidence over the runs: measured files (--measured, in order), protocol phases
    // (--phases), thresholds (--threshold, in order) and tolerances (--tolerance NAME=VALUE).
    QStringList measured;
    QString phases;
    QStringList thresholds;
    QStringList tolerances;

    // --summary: one row per directory, in order; they are checked when read.
    QStringList summaryDirectories;
};

// `arguments` as main receives them, the program's name first.
CommandLine ParseCommandLine(const QStringList& arguments);

// The pages and the view steps as the window names them.
const QStringList& PageNames();
const QStringList& ViewStepNames();

} // namespace tessaplot
