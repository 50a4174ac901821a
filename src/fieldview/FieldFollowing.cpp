// The field pages follow a running simulation: a picture whose table changed on disk
// is drawn again from the table as it is now, in the same view and with what it was
// drawn with (variable, layer, colours), as a navigation step would draw it. The
// table is read in slices between other events, so the window answers meanwhile and
// no dialog appears that nobody asked for; the picture before stays until the new
// read is whole.
#include "app/MessageBoxes.h"
#include "app/ReadProgressDialog.h"
#include "app/Temp.h"
#include "dataset/ReadProblemText.h"
#include "dataset/Unit4.h"
#include "fieldview/FieldOverlays.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <utility>

namespace tessaplot {

namespace {

// The most a slice of a following read holds the window.
constexpr std::chrono::milliseconds kFollowSliceTime{5};

} // namespace

void TForm1::followShownTable() {
    FieldViewState& state = *fieldViewState;
    // Never into a read, a pending redraw or a dialog the user is answering.
    if (state.followRead.active() || ReadInProgress() || RedrawPending ||
        QApplication::activeModalWidget() != nullptr)
        return;
    QWidget* page = ActivePage();
    if (page != TabSheet1 && page != TabSheet2 && page != TabSheet3)
        return;
    if (!Form4->DataSetOpen || !panelShowsLoadedField())
        return;
    // The shown table unchanged: what is laid over it may have changed (another run's
    // table, the runs compared).
    if (!state.keptTable.changedOnDisk()) {
        for (const auto& overlay : state.overlays)
            if (overlay->follow(*this))
                return;
        return;
    }
    const std::string path = state.keptTable.path();
    state.followIdentity = KeptFieldTable::IdentityBeforeRead(path);
    state.followGeneration = state.keptTable.generation();
    state.followRead.start(path, state.keptTable.request());
    state.followSlotTimer->start();
}

void TForm1::continueFollowRead() {
    FieldViewState& state = *fieldViewState;
    if (!state.followRead.active()) {
        state.followSlotTimer->stop();
        return;
    }
    // A read with its dialog runs: it will have stopped this one if it was of the store.
    if (ReadInProgress())
        return;
    if (!state.followRead.advance(SlicedFieldLoad::Clock::now() + kFollowSliceTime))
        return;
    state.followSlotTimer->stop();
    // The picture the read was to replace must still be the one shown, drawn from the
    // same filling of the store.
    if (!panelShowsLoadedField() || state.keptTable.generation() != state.followGeneration)
        return;
    const std::string path = state.followRead.path();
    FieldLoad& load = state.followRead.result();
    if (const std::string message = ReadProblemMessage(path, load.problem); !message.empty()) {
        state.keptTable.readFailed(path, state.followRead.request(), state.followIdentity);
        ShowMessage(message);
        return;
    }
    if (ViewDC == nullptr || !ViewDC->makeSurfaceCurrent())
        return;
    const FieldDrawInputs inputs = *state.shownField;
    FieldPoints.swap(state.followRead.points());
    adoptLoad(load);
    state.keptTable.keep(path, state.followRead.request(), state.followIdentity, std::move(load));
    DrawAxes();
    state.shownPanel = ViewDC;
    state.shownField = inputs;
    drawField(inputs);
    ViewDC->present();
}

void StartFollowingFieldTables(TForm1& form) {
    auto* timer = new QTimer(&form);
    timer->setObjectName(QStringLiteral("FieldFollowTimer"));
    // A look at the file's identity five times a second; nothing is read unless it
    // changed.
    timer->setInterval(200);
    QObject::connect(timer, &QTimer::timeout, &form, &TForm1::followShownTable);
    timer->start();
    form.fieldViewState->followTimer = timer;

    // Whenever the event loop has nothing else to do, one slice of the re-read.
    auto* slicer = new QTimer(&form);
    slicer->setObjectName(QStringLiteral("FieldFollowReadTimer"));
    slicer->setInterval(0);
    QObject::connect(slicer, &QTimer::timeout, &form, &TForm1::continueFollowRead);
    form.fieldViewState->followSlotTimer = slicer;
}

} // namespace tessaplot
