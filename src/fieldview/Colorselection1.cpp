#include "fieldview/Colorselection1.h"

#include "app/ClassicControls.h"
#include "app/Glyphs.h"
#include "app/Temp.h"
#include "app/Widgets.h"
#include "fieldview/ColorBox.h"
#include "fieldview/Swatches.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace tessaplot {

TForm2* Form2 = nullptr;

TForm2::TForm2() {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("ColorSelection"));
    setFont(DefaultFormFont());
    setModal(true);
    resize(472, 351);

    // A doubled '&' in a title shows as one '&' (a single one marks a shortcut key).
    GroupBox1 = new QGroupBox(QStringLiteral("Color&&&&Direction"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 449, 249);

    QFont bold = font();
    bold.setBold(true);
    const auto radio = [&](const char* name, const char* text, int top) {
        auto* button = new QRadioButton(QLatin1String(text), GroupBox1);
        button->setObjectName(QLatin1String(name));
        button->setFont(bold);
        button->move(112, top);
        button->adjustSize();
        return button;
    };
    RadioButton1 = radio("RadioButton1", "Color Ranges along Z-axis", 56);
    RadioButton2 = radio("RadioButton2", "Color Ranges along X-axis", 88);
    RadioButton3 = radio("RadioButton3", "Color Ranges along Y-axis", 120);
    RadioButton1->setChecked(true);

    ColorBox1 = new ColorBox(GroupBox1);
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    ColorBox1->setGeometry(16, 184, 65, 24);
    ColorBox1->SetSelectedColor(QColor(0, 0, 255));
    ColorBox2 = new ColorBox(GroupBox1);
    ColorBox2->setObjectName(QStringLiteral("ColorBox2"));
    ColorBox2->setGeometry(360, 184, 73, 24);
    ColorBox2->SetSelectedColor(QColor(255, 0, 0));
    for (ColorBox* box : {ColorBox1, ColorBox2}) {
        // A narrower swatch leaves the closed box room for the chosen colour's name, and
        // the open list is as wide as its longest name asks, however narrow the box.
        box->setIconSize(QSize(12, 9));
        box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0));
    }

    for (int i = 0; i < 10; ++i) {
        auto* shape = new QFrame(GroupBox1);
        shape->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
        shape->setFrameStyle(QFrame::Box | QFrame::Plain);
        shape->setGeometry(104 + 24 * i, 192, 17, 17);
        shape->setAutoFillBackground(true);
        Shapes[static_cast<size_t>(i)] = shape;
    }

    BitBtn1 = new QPushButton(OkGlyph(), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(104, 264, 73, 25);
    BitBtn2 = new QPushButton(CancelGlyph(), QStringLiteral("CANCEL"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(296, 264, 75, 25);

    connect(ColorBox1, &QComboBox::currentIndexChanged, this, &TForm2::ColorBox1Change);
    connect(ColorBox2, &QComboBox::currentIndexChanged, this, &TForm2::ColorBox2Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
    AdoptClassicControlBehaviour(this);
    FormCreate();
}

void TForm2::FormCreate() {
    ColorBox2Change();
}

namespace {

void fillSwatches(const std::array<QFrame*, 10>& shapes, unsigned start, unsigned end) {
    const std::array<unsigned, 10> colors = SwatchColors(start, end);
    for (size_t i = 0; i < shapes.size(); ++i) {
        const unsigned c = colors[i];
        QPalette palette = shapes[i]->palette();
        palette.setColor(QPalette::Window,
                         QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                                static_cast<int>((c >> 16) & 0xFF)));
        shapes[i]->setPalette(palette);
    }
}

void requestRedraw() {
    if (Form1 == nullptr)
        return;
    Form1->Timer1->start();
    Form1->RedrawPending = true;
}

} // namespace

void TForm2::ColorBox1Change() {
    fillSwatches(Shapes, ColorBox1->SelectedRgb24(), ColorBox2->SelectedRgb24());
}

void TForm2::ColorBox2Change() {
    fillSwatches(Shapes, ColorBox1->SelectedRgb24(), ColorBox2->SelectedRgb24());
}

void TForm2::BitBtn1Click() {
    ColorAxis = RadioButton1->isChecked() ? 0 : RadioButton2->isChecked() ? 1 : 2;
    accept();
    requestRedraw();
}

void TForm2::BitBtn2Click() {
    reject();
    requestRedraw();
}

} // namespace tessaplot
