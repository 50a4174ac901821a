#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "dataset/Unit4.h"
#include "gl/GlPanel.h"

namespace tessaplot {

void TForm1::Timer1Timer() {
    if (!RedrawPending)
        return;
    GlPanel* surface = ShownSurface();
    // A surface without its context yet keeps the request: the redraw happens at
    // the first tick after the context exists, it is never dropped.
    if (surface == nullptr || !surface->makeSurfaceCurrent())
        return;
    DrawAxes();
    if (Form4->DataSetOpen) {
        QWidget* page = ActivePage();
        if (page == TabSheet1 && RadioGroup1->ItemIndex() >= 0) {
            DataColumn = RadioGroup1->ItemIndex() + 3;
            ThreeDView = 1;
            LoadAndDrawField();
        } else if (page == TabSheet2 && RadioGroup2->ItemIndex() >= 0) {
            DataColumn = RadioGroup2->ItemIndex() + 2;
            ThreeDView = 1;
            LoadAndDrawField();
        } else if (page == TabSheet3 && RadioGroup3->ItemIndex() >= 0) {
            DataColumn = RadioGroup3->ItemIndex() + 1;
            ThreeDView = 0;
            LoadAndDrawField();
        }
    }
    if (ActivePage() != TabSheet4)
        ViewDC->present();
    RedrawPending = false;
}

} // namespace tessaplot
