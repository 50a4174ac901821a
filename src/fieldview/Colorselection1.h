#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tessaplot {

class ColorBox;

// The colour selection dialog: the two end colours of the field views' colour ramp
// and the axis along which it runs, with ten swatches previewing the ramp.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2();

    // Shows the default ramp's swatches.
    void FormCreate();
    // A colour chosen in either box: all ten swatches anew from both boxes.
    void ColorBox1Change();
    void ColorBox2Change();
    // OK: stores the axis, closes, asks the main window for a redraw.
    void BitBtn1Click();
    // CANCEL: closes and asks for a redraw; the axis stays, the colours chosen stay.
    // (The title bar's close box closes alike but asks for no redraw.)
    void BitBtn2Click();

    // 0: along the value (Z) axis, 1: along time ("X-axis"), 2: along position.
    int ColorAxis = 0;

    QGroupBox* GroupBox1 = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr, *RadioButton3 = nullptr;
    ColorBox *ColorBox1 = nullptr, *ColorBox2 = nullptr;
    std::array<QFrame*, 10> Shapes{}; // Shape1 ... Shape10
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;
};

extern TForm2* Form2;

} // namespace tessaplot
