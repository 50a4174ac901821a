#pragma once

#include "support/Forms.h"
#include "support/PictureProbe.h"

#include <QColor>
#include <QString>
#include <QTemporaryDir>

#include <functional>

namespace tessaplot::test {

// A main window with a data set at hand, for the field view's window tests.
class FieldViewTest : public FormsTest {
protected:
    // A one-layer Fabrics.dat of six nodes (positions 0 ... 0.25) and `steps` time
    // steps, time = 6 minutes per step. Column 8 (temperature) holds value(step, node),
    // column 9 (liquid volume fraction) the constant 0.5.
    QString writeFabrics(int steps, const std::function<double(int, int)>& value);
    // The full sample data set (three layers, fibre files, body and comfort tables).
    QString writeSampleDataSet();
    // Opens `directory` with the chooser's Open and waits until the Fabric panel is
    // bound and the deferred redraw has run.
    void openDataSet(const QString& directory);

    // Fabric "Show Data" of the quantity `item`, waited for until drawn.
    void showFabricQuantity(int item);
    // Shows `page` and waits until its panel is bound and drawn.
    void showPage(QWidget* page, GlPanel* panel);
    // The BodyComfort page with thermal sensation chosen, once its records are read.
    void showComfort();

    // Reads files as if written two seconds before they are looked at, so that a table
    // the test just wrote is kept as a settled one is; until the next call with false.
    static void seeFilesAsSettled(bool settled);

    // The probe of a 3D or 2D field panel in its current view.
    static PictureProbe probeOf(GlPanel* panel, bool threeD);
    static PictureProbe probeWithCurrentView(GlPanel* panel);
    // Whether a pixel within `radius` of the model point has this colour, each channel
    // within `tolerance`.
    static bool colorNear(const PictureProbe& probe, float x, float y, float z, QColor expected,
                          int radius = 2, int tolerance = 1);

    QTemporaryDir dataDir;
};

} // namespace tessaplot::test
