#pragma once

#include <QComboBox>
#include <QPalette>

namespace tessaplot {

// A drop-down list of named colours with swatches: the sixteen standard colours,
// four extended ones and the desktop's named interface colours. An interface colour
// is resolved to its RGB value when it is read, so it follows the desktop theme.
class ColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorBox(QWidget* parent = nullptr);

    QColor SelectedColor() const;
    // Selects the entry with this RGB value (the first named colour that has it).
    void SetSelectedColor(const QColor& color);
    // The selected colour as a 24-bit value: red in the lowest byte, blue highest.
    unsigned SelectedRgb24() const;

private:
    void addColor(const QString& name, const QColor& color);
    void addInterfaceColor(const QString& name, QPalette::ColorRole role);
};

} // namespace tessaplot
