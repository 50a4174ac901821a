// "Mark This Time" and "Clear Time Mark" on every picture with a time axis.
#include "app/LocaleText.h"
#include "app/Temp.h"
#include "comfort/ComfortState.h"
#include "gl/GlPanel.h"
#include "readout/ReadingMenu.h"
#include "readout/ReadingState.h"
#include "readout/TimeMarkView.h"
#include "section2d/Image2d.h"

#include <QCursor>
#include <QInputDialog>
#include <QMenu>

namespace tessaplot {

namespace {

// Asks for the time when the pointer gives none; nothing when the user cancels.
std::optional<float> askForTime(GlPanel* surface) {
    QInputDialog dialog(surface);
    dialog.setObjectName(QStringLiteral("MarkTimeDialog"));
    dialog.setWindowTitle(QStringLiteral("Mark a Time"));
    dialog.setLabelText(QStringLiteral("Time (min.):"));
    dialog.setInputMode(QInputDialog::DoubleInput);
    dialog.setDoubleDecimals(3);
    dialog.setDoubleRange(-1e9, 1e9);
    const std::optional<float> marked = Form1->readingState->markedTime;
    dialog.setDoubleValue(marked ? *marked : (Form1->PointCount > 0 ? Form1->TimeMin : 0.0f));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return static_cast<float>(dialog.doubleValue());
}

} // namespace

void AddTimeMarkItems(GlPanel* surface, QMenu& menu) {
    if (Form1 == nullptr || !Form1->readingState)
        return;
    // Offered on the pictures that can have a time axis, whether or not they hold
    // records yet: a time typed there is shown on the pages that do.
    const bool timePicture = surface == Form1->Panel1 || surface == Form1->Panel5 ||
                             surface == Form1->Panel8 || surface == Form1->Panel16 ||
                             (Form3 != nullptr && surface == Form3->ImageDC &&
                              Form3->ShownSection.kind == SectionKind::Position);
    if (!timePicture)
        return;
    const QVariant requested = menu.property("requestedAt");
    const QPoint at =
        requested.isValid() ? requested.toPoint() : surface->mapFromGlobal(QCursor::pos());
    const std::optional<float> pointed = TimeUnderPointer(surface, at);

    menu.addSeparator();
    QAction* mark = menu.addAction(pointed ? QStringLiteral("Mark This Time")
                                           : QStringLiteral("Mark This Time…"));
    QObject::connect(mark, &QAction::triggered, surface, [surface, pointed] {
        const std::optional<float> t = pointed ? pointed : askForTime(surface);
        if (t)
            SetMarkedTime(t);
    });
    QAction* clear = menu.addAction(QStringLiteral("Clear Time Mark"));
    clear->setEnabled(Form1->readingState->markedTime.has_value());
    QObject::connect(clear, &QAction::triggered, surface, [] { SetMarkedTime(std::nullopt); });
}

void SetMarkedTime(std::optional<float> t) {
    TForm1& form = *Form1;
    form.readingState->markedTime = t;
    // Each page through its own redraw: the shown field page by the deferred redraw
    // (the other field pages draw anew when shown), the chart by its refresh tick,
    // which draws again once the picture it kept is forgotten.
    QWidget* page = form.ActivePage();
    if (page == form.TabSheet1 || page == form.TabSheet2 || page == form.TabSheet3)
        form.RedrawPending = true;
    form.comfortState->shownPicture.clear();
    if (Form3 != nullptr && Form3->isVisible())
        Form3->ImageDC->update();
    if (t)
        ShowValuesAtTime(*t);
    else if (QWidget* window = ValuesAtTimeWindow())
        window->close();
}

} // namespace tessaplot
