#include "app/Application.h"

#include "app/MessageBoxes.h"
#include "app/Temp.h"
#include "compare/ComparedOverlays.h"
#include "compare/EvidenceOverlays.h"
#include "dataset/Unit4.h"
#include "export/ExportMenu.h"
#include "fieldview/Colorselection1.h"
#include "readout/PointerReadout.h"
#include "readout/ReadoutOverlays.h"
#include "section2d/Image2d.h"

#include <QSurfaceFormat>

#include <exception>

namespace tessaplot {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Plotvane"));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowMessage(HandlerFailureText(error));
    } catch (...) {
        ShowMessage(HandlerFailureText());
    }
    return false;
}

void SetDefaultSurfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(0);
    format.setDepthBufferSize(16);
    format.setStencilBufferSize(0);
    format.setSamples(0);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    QSurfaceFormat::setDefaultFormat(format);
}

bool CreateForms() {
    Form1 = new TForm1();
    Form2 = new TForm2();
    Form3 = new TForm3();
    Form4 = new TForm4();
    // The compared runs first: the marked time and the key are drawn over their curves.
    AttachComparedOverlays(*Form1, *Form3, *Form4);
    // Under the reading aids, which stay over everything.
    AttachEvidenceOverlays(*Form1, *Form3);
    AttachReadoutOverlays(*Form1, *Form3, *Form4);
    AttachExportMenus();
    AttachPointerReadouts();
    return !Form1->CloseRequested();
}

void DestroyForms() {
    delete Form4;
    Form4 = nullptr;
    delete Form3;
    Form3 = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
}

} // namespace tessaplot
