#include "fieldview/ColorBox.h"

#include <QApplication>
#include <QPixmap>

namespace tessaplot {

namespace {

// Item data: a fixed colour is stored as its QColor; an interface colour as the
// palette role (an int), looked up at read time.
constexpr int kRoleData = Qt::UserRole + 1;

QIcon swatch(const QColor& color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    return QIcon(pixmap);
}

} // namespace

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent) {
    addColor("Black", QColor(0, 0, 0));
    addColor("Maroon", QColor(128, 0, 0));
    addColor("Green", QColor(0, 128, 0));
    addColor("Olive", QColor(128, 128, 0));
    addColor("Navy", QColor(0, 0, 128));
    addColor("Purple", QColor(128, 0, 128));
    addColor("Teal", QColor(0, 128, 128));
    addColor("Gray", QColor(128, 128, 128));
    addColor("Silver", QColor(192, 192, 192));
    addColor("Red", QColor(255, 0, 0));
    addColor("Lime", QColor(0, 255, 0));
    addColor("Yellow", QColor(255, 255, 0));
    addColor("Blue", QColor(0, 0, 255));
    addColor("Fuchsia", QColor(255, 0, 255));
    addColor("Aqua", QColor(0, 255, 255));
    addColor("White", QColor(255, 255, 255));
    addColor("Money Green", QColor(192, 220, 192));
    addColor("Sky Blue", QColor(166, 202, 240));
    addColor("Cream", QColor(255, 251, 240));
    addColor("Medium Gray", QColor(160, 160, 164));
    addInterfaceColor("Window", QPalette::Window);
    addInterfaceColor("Window Text", QPalette::WindowText);
    addInterfaceColor("Base", QPalette::Base);
    addInterfaceColor("Text", QPalette::Text);
    addInterfaceColor("Button Face", QPalette::Button);
    addInterfaceColor("Button Text", QPalette::ButtonText);
    addInterfaceColor("Highlight", QPalette::Highlight);
    addInterfaceColor("Highlight Text", QPalette::HighlightedText);
    addInterfaceColor("Light", QPalette::Light);
    addInterfaceColor("Midlight", QPalette::Midlight);
    addInterfaceColor("Mid", QPalette::Mid);
    addInterfaceColor("Dark", QPalette::Dark);
    addInterfaceColor("Shadow", QPalette::Shadow);
    addInterfaceColor("Tool Tip", QPalette::ToolTipBase);
    addInterfaceColor("Tool Tip Text", QPalette::ToolTipText);
    addInterfaceColor("Link", QPalette::Link);
}

void ColorBox::addColor(const QString& name, const QColor& color) {
    addItem(swatch(color), name, color);
}

void ColorBox::addInterfaceColor(const QString& name, QPalette::ColorRole role) {
    addItem(swatch(QApplication::palette().color(role)), name);
    setItemData(count() - 1, static_cast<int>(role), kRoleData);
}

QColor ColorBox::SelectedColor() const {
    const int index = currentIndex();
    if (index < 0)
        return QColor(0, 0, 0);
    const QVariant role = itemData(index, kRoleData);
    if (role.isValid())
        return QApplication::palette().color(static_cast<QPalette::ColorRole>(role.toInt()));
    return itemData(index).value<QColor>();
}

void ColorBox::SetSelectedColor(const QColor& color) {
    for (int i = 0; i < count(); ++i) {
        if (!itemData(i, kRoleData).isValid() && itemData(i).value<QColor>().rgb() == color.rgb()) {
            setCurrentIndex(i);
            return;
        }
    }
}

unsigned ColorBox::SelectedRgb24() const {
    const QColor c = SelectedColor();
    return static_cast<unsigned>(c.red()) + 256u * static_cast<unsigned>(c.green()) +
           65536u * static_cast<unsigned>(c.blue());
}

} // namespace tessaplot
