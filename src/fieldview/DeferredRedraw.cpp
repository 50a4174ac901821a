#include "app/Temp.h"
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
    if (ActivePage() != TabSheet4)
        ViewDC->present();
    RedrawPending = false;
}

} // namespace tessaplot
