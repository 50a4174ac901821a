#include "reproduce/ShownPictureChoices.h"

#include "app/PathStrings.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "cli/CommandLine.h"
#include "compare/Comparison.h"
#include "dataset/Unit4.h"
#include "fieldview/ColorBox.h"
#include "fieldview/Colorselection1.h"
#include "fieldview/FieldViewState.h"
#include "readout/ReadingState.h"
#include "section2d/Image2d.h"
#include "section2d/SectionState.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>

#include <charconv>

namespace tessaplot {

namespace {

std::string absolutePath(const QString& path) {
    return PathBytes(QFileInfo(path).absoluteFilePath());
}

std::string itemText(const RadioGroup* group) {
    const int item = group->ItemIndex();
    return item < 0 ? std::string() : group->ItemText(item).toStdString();
}

// The layer or fibre file and the quantity of the field page shown last with "Show
// Data", as its captions name them.
void readFieldSource(TForm1& f, bool fabric, PictureChoices& c) {
    c.page = fabric ? "Fabric" : "Fibers";
    c.variable = (fabric ? f.Label4 : f.Label9)->text().toStdString();
    if (fabric) {
        c.layer = std::max(f.ComboBox5->currentIndex(), 0) + 1;
    } else if (const QString fibre = f.Label7->text(); f.ComboBox6->itemText(0) != fibre) {
        c.fibre = fibre.toStdString();
    }
}

void readColours(PictureChoices& c) {
    c.fromColor = Form2->ColorBox1->currentText().toStdString();
    c.toColor = Form2->ColorBox2->currentText().toStdString();
    c.colorAxis = std::string(1, "ZXY"[std::clamp(Form2->ColorAxis, 0, 2)]);
}

void readMesh(TForm1& f, PictureChoices& c) {
    const ReadingState& reading = *f.readingState;
    c.colourKey = reading.colourKeyShown;
    if (reading.fixedRange &&
        reading.fixedRange->quantity == QString::fromStdString(c.variable).toLatin1().toStdString())
        c.range = std::pair{reading.fixedRange->min, reading.fixedRange->max};
    if (const auto view = ShownFieldView(f); view && view->shown != view->initial)
        c.viewMatrix = view->shown;
    // The run itself, by its serial: a name may have passed to another run.
    const std::uint64_t difference = f.comparison->difference.runSerial;
    for (std::size_t i = 0; i < f.comparison->size(); ++i)
        if (difference != 0 && f.comparison->run(i).serial == difference)
            c.differenceFrom = f.comparison->run(i).directory;
}

// The shortest text that reads back as `value`.
std::string shortestText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

// The evidence as the options that lay it: a column matched by hand is not among them
// (the command matches columns by their headers).
void readEvidence(const Evidence& evidence, PictureChoices& c) {
    for (const MeasuredFile& file : evidence.measured())
        c.measured.push_back(absolutePath(PathFromBytes(file.path)));
    for (const Phase& phase : evidence.phases())
        c.phases += (c.phases.empty() ? "" : ",") + phase.name + ":" + shortestText(phase.from) +
                    "-" + shortestText(phase.to);
    c.thresholds = evidence.thresholdTexts();
    for (const Tolerance& tolerance : evidence.tolerances())
        c.tolerances.push_back(std::string(EvidenceQuantityName(tolerance.quantity)) + "=" +
                               shortestText(tolerance.value));
}

} // namespace

std::optional<PictureChoices> ShownPictureChoices(GlPanel* surface) {
    if (Form1 == nullptr || Form2 == nullptr || Form4 == nullptr || surface == nullptr)
        return std::nullopt;
    TForm1& f = *Form1;
    PictureChoices c;
    c.exportFile = "FIGURE.png";
    c.directory = absolutePath(Form4->CurrentDirectory());
    for (std::size_t i = 0; i < f.comparison->size(); ++i)
        c.compare.push_back(f.comparison->run(i).directory);
    c.markedTime = f.readingState->markedTime;
    readEvidence(f.comparison->evidence, c);

    if (Form3 != nullptr && surface == Form3->ImageDC) {
        const SectionState& section = *f.sectionState;
        if (!section.requested)
            return std::nullopt;
        readFieldSource(f, section.fabricPage, c);
        readColours(c);
        c.sectionKind = section.request.kind == SectionKind::Time ? "TimePos" : "SpacePos";
        c.sectionValue = section.sectionText;
    } else if (surface == f.Panel1 || surface == f.Panel5) {
        readFieldSource(f, surface == f.Panel1, c);
        readColours(c);
        readMesh(f, c);
    } else if (surface == f.Panel8) {
        c.page = "BodyProperty";
        c.variable = itemText(f.RadioGroup3);
    } else if (surface == f.Panel16) {
        c.page = "BodyComfort";
        c.variable = itemText(f.RadioGroup4);
    } else {
        return std::nullopt;
    }
    if (c.variable.empty())
        return std::nullopt;
    return c;
}

PictureChoices CommandLineChoices(const CommandLine& line) {
    PictureChoices c;
    c.exportFile = line.file.toStdString();
    c.scale = line.scale;
    c.page = line.page.toStdString();
    c.layer = line.layer;
    c.fibre = line.fibre.toStdString();
    c.variable = line.variable.toStdString();
    c.sectionKind = line.sectionKind.toStdString();
    c.sectionValue = line.sectionValue.toStdString();
    if (!line.fromColor.isEmpty()) {
        c.fromColor = line.fromColor.toStdString();
        c.toColor = line.toColor.toStdString();
    }
    if (!line.colorAxis.isEmpty())
        c.colorAxis = line.colorAxis.toStdString();
    for (const QString& step : line.viewSteps)
        c.viewSteps.push_back(step.toStdString());
    c.viewMatrix = line.viewMatrix;
    for (const QString& other : line.compare) {
        c.compare.push_back(absolutePath(other));
        if (QFileInfo(other).absoluteFilePath() ==
            QFileInfo(line.differenceFrom).absoluteFilePath())
            c.differenceFrom = c.compare.back();
    }
    if (c.differenceFrom.empty())
        c.differenceFrom = line.differenceFrom.toStdString();
    c.colourKey = line.colourKey;
    if (line.range)
        c.range = std::pair{static_cast<float>(line.range->first),
                            static_cast<float>(line.range->second)};
    c.markedTime = line.markedTime;
    for (const QString& file : line.measured)
        c.measured.push_back(absolutePath(file));
    c.phases = line.phases.toStdString();
    for (const QString& threshold : line.thresholds)
        c.thresholds.push_back(threshold.toStdString());
    for (const QString& tolerance : line.tolerances)
        c.tolerances.push_back(tolerance.toStdString());
    if (!line.directory.isEmpty())
        c.directory = absolutePath(line.directory);
    return c;
}

} // namespace tessaplot
