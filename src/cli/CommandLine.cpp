#include "cli/CommandLine.h"

#include "app/PathStrings.h"
#include "evidence/Phases.h"
#include "evidence/Thresholds.h"
#include "evidence/Tolerance.h"
#include "platform/FileSystem.h"
#include "readout/ColourKey.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace tessaplot {

namespace {

CommandLine failure(const QString& why) {
    CommandLine line;
    line.action = CommandLine::Action::Fail;
    line.exitStatus = 2;
    line.message = QStringLiteral("plotvane: ") + why;
    return line;
}

QString choices(const QStringList& names) {
    return names.join(QStringLiteral(", "));
}

const char kDescription[] =
    "A viewer for the results of a simulation of heat and moisture moving through "
    "clothing.\n\n"
    "plotvane [DIR] starts the viewer; with DIR it opens that result directory as the "
    "chooser's \"Open\" does.\n"
    "plotvane DIR --variable TEXT [options] starts it on that picture, chosen as the same "
    "clicks choose it: the page, layer or fibre file, colours, \"Show Data\", the view "
    "steps; --section also opens the \"2D Image\" window as \"Show 2D Data\" does. A "
    "choice DIR does not offer is told before the window shows.\n"
    "plotvane --export FILE [options] DIR draws one picture or writes one table of DIR "
    "into FILE and ends, showing no window. The format is FILE's extension: .png, .svg, "
    ".pdf or .csv. Exit status: 0 done, 1 the data set or FILE could not be read or "
    "written, 2 wrong usage.";

// The evidence options' texts, checked as the core reads them; the first refusal, or
// empty. The measured files are read where they are used.
QString evidenceProblem(const CommandLine& line, bool phasesGiven) {
    if (phasesGiven) {
        const PhaseList phases = ParsePhases(line.phases.toStdString());
        if (!phases.ok())
            return QStringLiteral("--phases: ") + QString::fromStdString(phases.problem);
    }
    for (const QString& text : std::as_const(line.thresholds)) {
        const ThresholdParse threshold = ParseThreshold(text.toStdString());
        if (!threshold.threshold)
            return QStringLiteral("--threshold: ") + QString::fromStdString(threshold.problem);
    }
    std::vector<EvidenceQuantity> tolerated;
    for (const QString& text : std::as_const(line.tolerances)) {
        const ToleranceParse tolerance = ParseTolerance(text.toStdString());
        if (!tolerance.tolerance)
            return QStringLiteral("--tolerance: ") + QString::fromStdString(tolerance.problem);
        if (std::find(tolerated.begin(), tolerated.end(), tolerance.tolerance->quantity) !=
            tolerated.end())
            return QStringLiteral("--tolerance: \"%1\" has a tolerance already")
                .arg(QString::fromUtf8(EvidenceQuantityName(tolerance.tolerance->quantity)));
        tolerated.push_back(tolerance.tolerance->quantity);
    }
    return {};
}

} // namespace

const QStringList& PageNames() {
    static const QStringList names = {"Fabric", "Fibers", "BodyProperty", "BodyComfort"};
    return names;
}

const QStringList& ViewStepNames() {
    static const QStringList names = {"Up", "Down", "Right", "Left", "Small", "Large", "Reset"};
    return names;
}

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "Shows this help and ends.");
    const QCommandLineOption version({"v", "version"}, "Shows the version and ends.");
    const QCommandLineOption exportFile(
        "export",
        "Writes FILE from DIR and ends; without it the options below (but --scale) "
        "choose the picture the window starts on.",
        "FILE");
    const QCommandLineOption page("page", "The page: " + choices(PageNames()) + " (Fabric).",
                                  "PAGE");
    const QCommandLineOption layer("layer",
                                   "Fabric: the layer, 1 for \"The 1th layer Fabric\" (1).", "N");
    const QCommandLineOption fibre("fibre", "Fibers: the fibre file, as listed (the first).",
                                   "NAME");
    const QCommandLineOption variable(
        "variable", "The quantity as the page's list names it, e.g. \"Temperature(degree of C)\".",
        "TEXT");
    const QCommandLineOption section(
        "section",
        "The 2D section, TimePos:T (a time) or SpacePos:P (a listed position): exported "
        "instead of the page's picture, or opened over it.",
        "KIND:VALUE");
    const QCommandLineOption view(
        "view",
        "Fabric, Fibers: tool-button steps from the first view, e.g. Left,Left,Up,Small; of " +
            choices(ViewStepNames()) + ".",
        "STEPS");
    const QCommandLineOption colors("colors", "The colour ramp's two ends, e.g. Navy,Yellow.",
                                    "FROM,TO");
    const QCommandLineOption colorAxis("color-axis", "The axis the ramp runs along: Z, X or Y.",
                                       "AXIS");
    const QCommandLineOption colourKey(
        "color-key", "Fabric, Fibers: the colour key beside the mesh, as \"Show Colour Key\".");
    const QCommandLineOption range(
        "range",
        "Fabric, Fibers: the values the ramp runs over, e.g. 20,40 (a '.' for decimals); "
        "beyond them the end colours, as \"Fix Colour Range\".",
        "MIN,MAX");
    const QCommandLineOption compare(
        "compare",
        "Compares DIR with this result directory too (repeatable, up to 7): curves drawn "
        "over each other, conclusions per run. Without picture options the window starts on "
        "the BodyComfort page's first sensation.",
        "DIR2");
    const QCommandLineOption differenceFrom(
        "difference-from",
        "Fabric, Fibers: draws DIR minus this compared run (its name or its --compare "
        "directory), as \"Difference From\".",
        "RUN");
    const QCommandLineOption summary(
        "summary", "Prints one CSV row per DIR (any number of them): whole time, extremes and band "
                   "shares of each sensation, lowest, highest, mean and final value of each body "
                   "quantity, and the figures of --phases, --threshold and --measured; shows no "
                   "window. Exit status 1 when a directory or a measured file could not be read.");
    const QCommandLineOption measured(
        "measured",
        "Measured data to check the runs against (repeatable): a table of the time in minutes "
        "and columns headed by a body quantity or sensation, \"<name> SD\" for a spread.",
        "FILE");
    const QCommandLineOption phases(
        "phases",
        "Named spans of the protocol, e.g. Rest:0-30,Exercise:30-90,Recovery:90-180 (minutes); "
        "every figure is also given over each.",
        "PHASES");
    const QCommandLineOption threshold(
        "threshold",
        "A limit on a body quantity or sensation, e.g. \"temperature of core>=38\" (>=, >, <=, "
        "<; repeatable): the first time beyond it, the time beyond and the entries.",
        "LIMIT");
    const QCommandLineOption tolerance(
        "tolerance",
        "With --measured: the share of measured points the run is within VALUE of, e.g. "
        "\"temperature of core=0.3\" (repeatable, one per quantity).",
        "NAME=VALUE");
    const QCommandLineOption scale("scale",
                                   "--export to PNG: 1, 2 or 4 device pixels per pixel (1).", "N");
    parser.addOptions({help,      version,   exportFile,     page,    layer,     fibre,
                       variable,  section,   view,           colors,  colorAxis, colourKey,
                       range,     compare,   differenceFrom, summary, measured,  phases,
                       threshold, tolerance, scale});
    parser.addPositionalArgument("DIR", "A result directory (--summary: any number).", "[DIR]");

    if (!parser.parse(arguments))
        return failure(parser.errorText());

    CommandLine line;
    if (parser.isSet(help)) {
        line.action = CommandLine::Action::Help;
        // The parser names the program from the application object, which does not exist
        // yet while the command line is read: name it as it is installed.
        line.message = parser.helpText().replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                                                 QStringLiteral("Usage: plotvane"));
        return line;
    }
    if (parser.isSet(version)) {
        line.action = CommandLine::Action::Version;
        line.message = QStringLiteral("plotvane %1").arg(QStringLiteral(TESSAPLOT_VERSION));
        return line;
    }
    const QStringList positional = parser.positionalArguments();
    line.measured = parser.values(measured);
    line.phases = parser.value(phases);
    line.thresholds = parser.values(threshold);
    line.tolerances = parser.values(tolerance);
    if (const QString why = evidenceProblem(line, parser.isSet(phases)); !why.isEmpty())
        return failure(why);
    if (!line.tolerances.isEmpty() && line.measured.isEmpty())
        return failure(QStringLiteral("--tolerance goes with --measured"));
    if (parser.isSet(summary)) {
        for (const QCommandLineOption* option :
             {&exportFile, &page, &layer, &fibre, &variable, &section, &view, &colors, &colorAxis,
              &colourKey, &range, &compare, &differenceFrom, &scale})
            if (parser.isSet(*option))
                return failure(QStringLiteral("--summary takes directories only, not --%1")
                                   .arg(option->names().front()));
        if (positional.isEmpty())
            return failure(QStringLiteral("--summary needs at least one result directory"));
        line.action = CommandLine::Action::Summary;
        line.summaryDirectories = positional;
        return line;
    }
    if (positional.size() > 1)
        return failure(
            QStringLiteral("one result directory at most, not %1").arg(positional.size()));
    if (positional.isEmpty()) {
        for (const QCommandLineOption* option : {&measured, &phases, &threshold})
            if (parser.isSet(*option))
                return failure(QStringLiteral("--%1 needs the result directory DIR or --summary")
                                   .arg(option->names().front()));
    } else {
        line.directory = positional.front();
        if (!IsDirectory(PathBytes(line.directory))) {
            // A data set that cannot be read, as a directory without its tables is.
            CommandLine missing = failure(QStringLiteral("%1 is no directory").arg(line.directory));
            missing.exitStatus = 1;
            return missing;
        }
    }

    line.compare = parser.values(compare);
    for (const QString& other : std::as_const(line.compare))
        if (!IsDirectory(PathBytes(other)))
            return failure(QStringLiteral("--compare %1: no directory").arg(other));
    if (!line.compare.isEmpty() && line.directory.isEmpty())
        return failure(QStringLiteral("--compare needs the result directory DIR"));
    if (line.compare.size() > 7)
        return failure(QStringLiteral("--compare: at most 8 runs in all, DIR and 7 more"));
    line.differenceFrom = parser.value(differenceFrom);
    if (parser.isSet(differenceFrom) && line.compare.isEmpty())
        return failure(QStringLiteral("--difference-from names a run given by --compare"));

    const bool exporting = parser.isSet(exportFile);
    if (parser.isSet(scale) && !exporting)
        return failure(QStringLiteral("--scale goes with --export"));
    // The option that asks for a picture, to name in what it still needs.
    QString asking = exporting ? QStringLiteral("--export") : QString();
    for (const QCommandLineOption* option :
         {&variable, &page, &layer, &fibre, &section, &view, &colors, &colorAxis, &colourKey,
          &range, &differenceFrom})
        if (asking.isEmpty() && parser.isSet(*option))
            asking = "--" + option->names().front();
    if (asking.isEmpty())
        return line;

    if (exporting) {
        line.action = CommandLine::Action::Export;
        line.file = parser.value(exportFile);
        line.format = QFileInfo(line.file).suffix().toLower();
        if (!QStringList{"png", "svg", "pdf", "csv"}.contains(line.format))
            return failure(
                QStringLiteral(
                    "%1: the file's extension gives the format: .png, .svg, .pdf or .csv")
                    .arg(line.file));
    } else {
        line.picture = true;
    }
    if (line.directory.isEmpty())
        return failure(QStringLiteral("%1 needs the result directory DIR").arg(asking));
    if (parser.isSet(page)) {
        line.page = parser.value(page);
        if (!PageNames().contains(line.page))
            return failure(QStringLiteral("no page %1; the pages are %2")
                               .arg(line.page, choices(PageNames())));
    }
    if (parser.isSet(layer)) {
        bool number = false;
        line.layer = parser.value(layer).toInt(&number);
        if (!number || line.layer < 1)
            return failure(QStringLiteral("--layer wants a layer number from 1, not %1")
                               .arg(parser.value(layer)));
    }
    line.fibre = parser.value(fibre);
    if (!parser.isSet(variable))
        return failure(QStringLiteral("%1 needs --variable, the quantity to show").arg(asking));
    line.variable = parser.value(variable);
    if (parser.isSet(section)) {
        const QString value = parser.value(section);
        const qsizetype colon = value.indexOf(':');
        line.sectionKind = value.left(colon);
        line.sectionValue = colon < 0 ? QString() : value.mid(colon + 1);
        if (colon < 0 || (line.sectionKind != "TimePos" && line.sectionKind != "SpacePos"))
            return failure(
                QStringLiteral("--section wants TimePos:T or SpacePos:P, not %1").arg(value));
    }
    if (parser.isSet(view)) {
        line.viewSteps = parser.value(view).split(',', Qt::SkipEmptyParts);
        for (const QString& step : line.viewSteps)
            if (!ViewStepNames().contains(step))
                return failure(QStringLiteral("no view step %1; the steps are %2")
                                   .arg(step, choices(ViewStepNames())));
    }
    if (parser.isSet(colors)) {
        const QStringList ends = parser.value(colors).split(',');
        if (ends.size() != 2)
            return failure(QStringLiteral("--colors wants two colour names, FROM,TO"));
        line.fromColor = ends[0].trimmed();
        line.toColor = ends[1].trimmed();
    }
    if (parser.isSet(colorAxis)) {
        line.colorAxis = parser.value(colorAxis).toUpper();
        if (!QStringList{"Z", "X", "Y"}.contains(line.colorAxis))
            return failure(QStringLiteral("no colour axis %1; the axes are Z, X, Y")
                               .arg(parser.value(colorAxis)));
    }
    line.colourKey = parser.isSet(colourKey);
    if (parser.isSet(range)) {
        const QStringList ends = parser.value(range).split(',');
        bool lowOk = false, highOk = false;
        const double low = ends.value(0).trimmed().toDouble(&lowOk);
        const double high = ends.value(1).trimmed().toDouble(&highOk);
        if (ends.size() != 2 || !lowOk || !highOk)
            return failure(QStringLiteral("--range wants two numbers, MIN,MAX, not %1")
                               .arg(parser.value(range)));
        if (const std::string why = ColourRangeProblem(low, high); !why.empty())
            return failure(QStringLiteral("--range %1: %2")
                               .arg(parser.value(range), QString::fromStdString(why)));
        line.range = std::pair{low, high};
        if (!line.colorAxis.isEmpty() && line.colorAxis != "Z")
            return failure(QStringLiteral("--range fixes the values' colours; it goes with "
                                          "--color-axis Z, not %1")
                               .arg(line.colorAxis));
    }
    if (parser.isSet(scale)) {
        line.scale = parser.value(scale).toInt();
        if (line.scale != 1 && line.scale != 2 && line.scale != 4)
            return failure(QStringLiteral("--scale is 1, 2 or 4, not %1").arg(parser.value(scale)));
    }
    const bool field = line.page == "Fabric" || line.page == "Fibers";
    if (!line.viewSteps.isEmpty() && !field)
        return failure(QStringLiteral("--view turns the Fabric and Fibers pages only"));
    if (!line.sectionKind.isEmpty() && !field)
        return failure(QStringLiteral("--section cuts the Fabric and Fibers pages only"));
    if (!line.differenceFrom.isEmpty() && (!field || !line.sectionKind.isEmpty()))
        return failure(QStringLiteral("--difference-from draws the Fabric and Fibers meshes "
                                      "only, not a --section"));
    if ((line.colourKey || line.range) && (!field || (exporting && !line.sectionKind.isEmpty())))
        return failure(QStringLiteral("--color-key and --range colour the Fabric and Fibers "
                                      "meshes only, not a --section"));
    return line;
}

} // namespace tessaplot
