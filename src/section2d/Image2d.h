#pragma once

#include <QDialog>

#include <array>
#include <string>

class QFrame;
class QOpenGLContext;
class QPushButton;
class QStatusBar;

namespace tessaplot {

class GlPanel;

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
    std::string XTitle, YTitle;
    std::array<std::string, 6> XTickText, YTickText;

    QStatusBar* StatusBar1 = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

extern TForm3* Form3;

} // namespace tessaplot
