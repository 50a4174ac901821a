#include "section2d/Image2d.h"

#include "app/Widgets.h"
#include "gl/GlPanel.h"

#include <QPushButton>
#include <QResizeEvent>

namespace tessaplot {

TForm3* Form3 = nullptr;

namespace {
constexpr int kStatusBarHeight = 19;
constexpr int kButtonPanelHeight = 41;
} // namespace

TForm3::TForm3() {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("2D Image"));
    setFont(DefaultFormFont());
    setModal(true);
    resize(468, 400);
    move(382, 121);

    ImageDC = new GlPanel(this);
    ImageDC->setObjectName(QStringLiteral("ImageSurface"));

    StatusBar1 = MakeStatusBar(this, "StatusBar1", {{"X:", 70}, {"Y:", 200}, {"File:", 50}});
    Panel1 =
        MakePanel(this, "Panel1", {0, 0, 468, kButtonPanelHeight}, QFrame::Panel | QFrame::Sunken);
    BitBtn1 = new QPushButton(QStringLiteral("save image"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(88, 8, 89, 25);
    BitBtn2 = new QPushButton(QStringLiteral("exit"), Panel1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(288, 8, 89, 25);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TForm3::~TForm3() = default;

void TForm3::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The drawing covers the whole client area; the button panel and the status bar
    // lie over its bottom.
    ImageDC->setGeometry(0, 0, width(), height());
    StatusBar1->setGeometry(0, height() - kStatusBarHeight, width(), kStatusBarHeight);
    Panel1->setGeometry(0, height() - kStatusBarHeight - kButtonPanelHeight, width(),
                        kButtonPanelHeight);
    Panel1->raise();
    StatusBar1->raise();
}

} // namespace tessaplot
