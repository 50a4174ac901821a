// The load half of the field views: reads the current data file (Label5) by the
// rules of the page shown, into the main window's store and extents.
#include "app/LocaleText.h"
#include "app/MessageBoxes.h"
#include "app/PathStrings.h"
#include "app/ReadProgressDialog.h"
#include "app/Temp.h"
#include "dataset/FieldLoader.h"
#include "dataset/KeptFieldTable.h"
#include "dataset/ReadProblemText.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"
#include "text/GeneralForm.h"

#include <functional>
#include <utility>

#include <QComboBox>

namespace tessaplot {

namespace {

// The layer chosen in the Fabric page's list; -1 when its text was typed over.
int chosenLayer(const QComboBox* box) {
    const int index = box->currentIndex();
    if (index < 0 || box->currentText() != box->itemText(index))
        return -1;
    return index;
}

// Each load fills the list anew and selects its first position. A reload that gives the
// very same list (a redraw of the same table) keeps the position the user chose, so a
// redraw never changes what the next section shows.
void fillPositionList(QComboBox* list, const QStringList& positions) {
    if (list->currentIndex() >= 0 && list->count() == positions.size()) {
        bool same = true;
        for (int i = 0; same && i < list->count(); ++i)
            same = list->itemText(i) == positions[i];
        if (same)
            return;
    }
    list->clear();
    list->addItems(positions);
    list->setCurrentIndex(positions.isEmpty() ? -1 : 0);
}

} // namespace

bool TForm1::redrawTargetCurrent(GlPanel* surface) {
    // A long read keeps its progress dialog alive by handling events, and painting
    // may have made another context current meanwhile.
    return surface != nullptr && surface->makeSurfaceCurrent();
}

bool TForm1::LoadAndDrawField() {
    // Read first, draw after: a table that cannot be read leaves the picture as it was.
    if (loadField() != FieldRead::Loaded || !redrawTargetCurrent(ViewDC))
        return false;
    DrawAxes();
    DrawLoadedField();
    return true;
}

FieldLoadRequest TForm1::fieldLoadRequest() const {
    QWidget* page = ActivePage();
    FieldLoadRequest request;
    request.rules = page == TabSheet1   ? ReadingRules::Fabric
                    : page == TabSheet2 ? ReadingRules::Fibers
                                        : ReadingRules::BodyProperty;
    request.dataColumn = DataColumn;
    request.layerIndex = chosenLayer(ComboBox5);
    request.layerCount = LayerCount;
    request.layerLines = LayerLines;
    return request;
}

TForm1::FieldRead TForm1::loadField() {
    return loadField(PathBytes(Label5->text()), fieldLoadRequest());
}

TForm1::FieldRead TForm1::loadField(const std::string& path, const FieldLoadRequest& request) {
    KeptFieldTable& kept = fieldViewState->keptTable;
    // A read the user asked for supersedes one that following started.
    fieldViewState->followRead.stop();
    // A redraw of the table the store already holds, unchanged on disk, reads nothing.
    if (const FieldLoad* same = kept.reusable(path, request)) {
        adoptLoad(*same);
        return FieldRead::Loaded;
    }
    const FileIdentity identity = KeptFieldTable::IdentityBeforeRead(path);
    ReadProgressDialog progress(QString::fromStdString(path), this);
    FieldLoad load = LoadField(path, request, LoadingPoints, std::ref(progress));
    // An absent table (or a directory in its place) shows as an empty picture, as it
    // always has; any other failure is reported.
    if (const std::string message = ReadProblemMessage(path, load.problem); !message.empty())
        return readFailed(path, request, identity, message);
    FieldPoints.swap(LoadingPoints);
    adoptLoad(load);
    kept.keep(path, request, identity, std::move(load));
    return FieldRead::Loaded;
}

TForm1::FieldRead TForm1::loadFieldForRedraw() {
    const std::string path = PathBytes(Label5->text());
    const FieldLoadRequest request = fieldLoadRequest();
    // A redraw nobody asked to read (a window shown over the page, the pointer over the
    // main window) does not read again a table whose read just failed, unchanged since,
    // nor tell the failure a second time. What failed to read left the store as the
    // failure did: the picture before it, or nothing.
    if (fieldViewState->keptTable.failedAsBefore(path, request))
        return panelShowsLoadedField() ? FieldRead::KeptAsBefore : FieldRead::Emptied;
    return loadField(path, request);
}

TForm1::FieldRead TForm1::readFailed(const std::string& path, const FieldLoadRequest& request,
                                     const FileIdentity& identity, const std::string& message) {
    const bool keep = panelShowsLoadedField();
    if (!keep)
        forgetLoadedField();
    fieldViewState->keptTable.readFailed(path, request, identity);
    // Told after the store is settled, so that nothing painted behind the message box
    // shows records under names they do not have.
    ShowMessage(message);
    return keep ? FieldRead::KeptAsBefore : FieldRead::Emptied;
}

bool TForm1::panelShowsLoadedField() const {
    const FieldViewState& state = *fieldViewState;
    return ViewDC != nullptr && state.shownPanel == ViewDC && state.shownField.has_value();
}

void TForm1::forgetLoadedField() {
    FieldViewState& state = *fieldViewState;
    state.followRead.stop();
    state.keptTable.forget();
    state.shownField.reset();
    FieldPoints.clear();
    adoptLoad(FieldLoad{});
}

void TForm1::adoptLoad(const FieldLoad& load) {
    PointCount = load.PointCount;
    TimeMin = load.TimeMin;
    TimeMax = load.TimeMax;
    TimeSpan = load.TimeSpan;
    PositionMin = load.PositionMin;
    PositionMax = load.PositionMax;
    PositionSpan = load.PositionSpan;
    ValueMin = load.ValueMin;
    ValueMax = load.ValueMax;
    ValueSpan = load.ValueSpan;
    FirstPosition = load.FirstPosition;
    PositionsPerStep = load.PositionsPerStep;
    PositionsPerStepFound = load.PositionsPerStepFound;
    LeadingLinesSkipped = load.LeadingLinesSkipped;

    QStringList positions;
    const std::string separator = LocaleDecimalSeparator();
    positions.reserve(static_cast<qsizetype>(load.listedPositions.size()));
    for (float position : load.listedPositions)
        positions << QString::fromStdString(PositionText(position, separator));
    fillPositionList(ComboBox2, positions);
    fillPositionList(ComboBox4, positions);
}

} // namespace tessaplot
