#include "app/RadioGroup.h"
#include "app/ReadProgressDialog.h"
#include "app/Temp.h"
#include "dataset/Unit4.h"
#include "gl/GlPanel.h"

namespace tessaplot {

void TForm1::Timer1Timer() {
    // A tick that comes while a long read keeps its dialog alive waits for the next.
    if (!RedrawPending || ReadInProgress())
        return;
    GlPanel* surface = ShownSurface();
    // A surface without its context yet keeps the request: the redraw happens at
    // the first tick after the context exists, it is never dropped.
    if (surface == nullptr || !surface->makeSurfaceCurrent())
        return;
    int column = -1;
    int view = ThreeDView;
    if (Form4->DataSetOpen) {
        QWidget* page = ActivePage();
        if (page == TabSheet1 && RadioGroup1->ItemIndex() >= 0) {
            column = RadioGroup1->ItemIndex() + 3;
            view = 1;
        } else if (page == TabSheet2 && RadioGroup2->ItemIndex() >= 0) {
            column = RadioGroup2->ItemIndex() + 2;
            view = 1;
        } else if (page == TabSheet3 && RadioGroup3->ItemIndex() >= 0) {
            column = RadioGroup3->ItemIndex() + 1;
            view = 0;
        }
    }
    if (column < 0) {
        DrawAxes();
    } else {
        const int previousColumn = DataColumn;
        DataColumn = column;
        // The table is read before anything is drawn: a table that cannot be read
        // leaves the panel's picture as it was, or, where the panel showed none of it
        // (another page), shows the page's frame alone.
        const FieldRead read = loadFieldForRedraw();
        if (read != FieldRead::Loaded)
            DataColumn = previousColumn;
        if (read == FieldRead::KeptAsBefore || !redrawTargetCurrent(surface)) {
            RedrawPending = false;
            return;
        }
        // The frame takes the view of the picture before, the field the page's own.
        DrawAxes();
        if (read == FieldRead::Loaded) {
            ThreeDView = view;
            DrawLoadedField();
        }
    }
    if (ActivePage() != TabSheet4)
        ViewDC->present();
    RedrawPending = false;
}

} // namespace tessaplot
