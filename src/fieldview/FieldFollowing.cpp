// The field pages follow a running simulation: a picture whose table changed on disk
// is drawn again from the table as it is now, in the same view and with what it was
// drawn with (variable, layer, colours), as a navigation step would draw it.
#include "app/ReadProgressDialog.h"
#include "app/Temp.h"
#include "dataset/Unit4.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"

#include <QApplication>
#include <QTimer>

namespace tessaplot {

void TForm1::followShownTable() {
    // Never into a read, a pending redraw or a dialog the user is answering.
    if (ReadInProgress() || RedrawPending || QApplication::activeModalWidget() != nullptr)
        return;
    QWidget* page = ActivePage();
    if (page != TabSheet1 && page != TabSheet2 && page != TabSheet3)
        return;
    FieldViewState& state = *fieldViewState;
    if (!Form4->DataSetOpen || state.shownPanel != ViewDC || !state.shownField ||
        !state.keptTable.changedOnDisk())
        return;
    if (ViewDC == nullptr || !ViewDC->makeSurfaceCurrent())
        return;
    const FieldDrawInputs inputs = *state.shownField;
    const std::string path = state.keptTable.path();
    if (!loadField(path, state.keptTable.request()) || !redrawTargetCurrent(ViewDC))
        return;
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
}

} // namespace tessaplot
