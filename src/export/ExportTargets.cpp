// What each picture of the program is drawn from, for saving and copying it: the same
// drawing calls as the screen, from what the screen's last draw used.
#include "export/ExportTargets.h"

#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "comfort/ComfortRecord.h"
#include "compare/DifferenceView.h"
#include "compare/OverlayExport.h"
#include "dataset/Unit4.h"
#include "export/CsvTable.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include <algorithm>

namespace tessaplot {

namespace {

std::string dataSetName() {
    return Form4 != nullptr ? QDir(Form4->CurrentDirectory()).dirName().toStdString()
                            : std::string();
}

QString exportName(std::vector<std::string> parts) {
    parts.insert(parts.begin(), dataSetName());
    const std::string name = SuggestedExportName(parts, "x");
    return QString::fromStdString(name.substr(0, name.size() - 2));
}

// A view panel shows its frame and, when one was drawn, the loaded field over it.
ExportTarget viewTarget(TForm1& form, GlPanel* surface) {
    ExportTarget target;
    FieldViewState& state = *form.fieldViewState;
    const std::optional<FieldDrawInputs> field =
        state.shownPanel == surface ? state.shownField : std::nullopt;
    target.picture.surface = surface;
    target.picture.draw = [&form, surface, field] {
        FieldViewState& kept = *form.fieldViewState;
        form.DrawAxes();
        if (field)
            form.drawField(*field);
        // Drawing again is no new picture on the screen.
        kept.shownPanel = surface;
        kept.shownField = field;
    };

    const bool body = surface == form.Panel8;
    const QString page = body                     ? QStringLiteral("BodyProperty")
                         : surface == form.Panel1 ? QStringLiteral("Fabric")
                                                  : QStringLiteral("Fibers");
    target.picture.title = page;
    const std::string variable =
        field ? (field->threeD ? field->variableCaption : field->thicknessCaption) : std::string();
    std::string source;
    if (surface == form.Panel1)
        source = "layer" + std::to_string(std::max(form.ComboBox5->currentIndex(), 0) + 1);
    else if (surface == form.Panel5)
        source = QFileInfo(form.Label5->text()).completeBaseName().toStdString();
    // A difference mesh: the two runs' values beside their difference.
    if (DifferenceTable difference; field && ShownDifferenceTable(form, difference)) {
        std::vector<std::string> parts = {page.toStdString(), source, variable};
        parts.insert(parts.end(), difference.nameParts.begin(), difference.nameParts.end());
        target.baseName = exportName(parts);
        target.header = std::move(difference.header);
        target.columns = std::move(difference.columns);
        return target;
    }
    target.baseName = exportName({page.toStdString(), source, variable});
    if (body && ComparedBodyTable(form, field.has_value(), variable, target))
        return target;

    const std::size_t count = field
                                  ? std::min(form.FieldPoints.size(),
                                             static_cast<std::size_t>(std::max(form.PointCount, 0)))
                                  : 0;
    std::vector<float> times, positions, values;
    for (std::size_t i = 0; i < count; ++i) {
        times.push_back(form.FieldPoints[i].Time);
        positions.push_back(form.FieldPoints[i].Position);
        values.push_back(form.FieldPoints[i].Value);
    }
    if (body) {
        target.header = {"Time (min.)", variable};
        target.columns = {std::move(times), std::move(values)};
    } else {
        target.header = {"Time (min.)", "Thickness (cm)", variable};
        target.columns = {std::move(times), std::move(positions), std::move(values)};
    }
    return target;
}

ExportTarget comfortTarget(TForm1& form) {
    ExportTarget target;
    target.picture.surface = form.Panel16;
    target.picture.title = QStringLiteral("BodyComfort");
    target.picture.draw = [&form] {
        form.DrawAxes();
        form.drawComfortPicture();
    };
    const int item = form.RadioGroup4->ItemIndex();
    target.baseName =
        exportName({"BodyComfort", "", form.RadioGroup4->ItemText(item).toStdString()});
    if (ComparedComfortTable(form, item, target))
        return target;
    target.header = {"Time (min.)", "Thermal Sensation", "Dampness Sensation", "Comfort Value"};
    target.columns.resize(4);
    const std::size_t count = std::min(form.ComfortRecords.size(),
                                       static_cast<std::size_t>(std::max(form.ComfortCount, 0)));
    for (std::size_t i = 0; i < count; ++i) {
        const ComfortRecord& r = form.ComfortRecords[i];
        target.columns[0].push_back(r.Time);
        target.columns[1].push_back(r.ThermalSensation);
        target.columns[2].push_back(r.DampnessSensation);
        target.columns[3].push_back(r.ComfortValue);
    }
    return target;
}

ExportTarget sectionTarget(TForm3& window) {
    ExportTarget target;
    target.picture.surface = window.ImageDC;
    target.picture.title = QStringLiteral("2D Image");
    target.picture.draw = [&window] { window.DrawPicture(); };
    target.baseName = QFileInfo(window.SuggestedFileName()).completeBaseName();
    if (ComparedSectionTable(window, target))
        return target;
    target.header = {window.XTitle, window.YTitle};
    target.columns.resize(2);
    for (const SectionPoint& p : window.ShownSection.points) {
        target.columns[0].push_back(p.x);
        target.columns[1].push_back(p.y);
    }
    return target;
}

} // namespace

ExportTarget ExportTargetOf(GlPanel* surface) {
    if (Form3 != nullptr && surface == Form3->ImageDC)
        return sectionTarget(*Form3);
    if (Form1 != nullptr && surface == Form1->Panel16)
        return comfortTarget(*Form1);
    if (Form1 != nullptr)
        return viewTarget(*Form1, surface);
    return {};
}

} // namespace tessaplot
