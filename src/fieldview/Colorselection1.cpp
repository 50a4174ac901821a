#include "fieldview/Colorselection1.h"

#include "app/Glyphs.h"
#include "fieldview/ColorBox.h"

#include "app/Widgets.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace tessaplot {

TForm2* Form2 = nullptr;

TForm2::TForm2() {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("ColorSelection"));
    setFont(DefaultFormFont());
    setModal(true);
    resize(472, 351);

    GroupBox1 = new QGroupBox(QStringLiteral("Color&&Direction"), this);
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
}

} // namespace tessaplot
