#pragma once

#include "section2d/SectionExtraction.h"
#include "section2d/SectionPlot.h"

#include <QDialog>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QFileDialog;
class QFrame;
class QOpenGLContext;
class QPushButton;
class QStatusBar;

namespace tessaplot {

class GlPanel;
class SectionOverlay;

// The "2D Image" window: one section of the loaded field as a curve, drawn on its
// own OpenGL surface that covers the client area.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3();
    ~TForm3() override;

    GlPanel* ImageDC = nullptr;
    QOpenGLContext* ImageRC = nullptr;
    float SectionTime = 0.0f;
    int SectionStart = 0;
    // What the last paint drew, as drawn (Latin-1): at most 59 bytes per title and
    // 19 per tick text.
    std::string XTitle, YTitle;
    std::array<std::string, 6> XTickText, YTickText;
    // The section the last paint drew, in the table's units.
    Section ShownSection;
    // Its points as drawn, in model coordinates, one for each of ShownSection's.
    std::vector<SectionPoint> ShownCurve;
    // The extents it was drawn on (spanning the compared runs' tables too).
    SectionExtents ShownExtents;
    // What the features lay over the curve, in the order they draw.
    std::vector<std::shared_ptr<SectionOverlay>> Overlays;

    QStatusBar* StatusBar1 = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;
    // Made when "save image" is first pressed.
    QFileDialog* SavePictureDialog1 = nullptr;

    void FormShow();
    // Draws the section into ImageDC; runs as the surface's paint, which presents it.
    void FormPaint();
    // The picture with the surface's context current, cut from the main window as it is now.
    void DrawPicture();
    void FormClose();
    void FormDestroy();
    // "save image": asks for a file and writes the picture there as PNG. (With the
    // picture writers, in export/.)
    void BitBtn1Click();
    // "exit".
    void BitBtn2Click();

    // Writes the picture as drawn to `path`, as PNG (the surface's framebuffer), SVG or
    // PDF by its extension. On failure nothing is left at `path` and `error` says why.
    bool SaveImage(const QString& path, QString* error = nullptr);
    // The file name "save image" offers.
    QString SuggestedFileName() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

extern TForm3* Form3;

} // namespace tessaplot
