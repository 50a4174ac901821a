#include "app/Temp.h"
#include "section2d/SectionState.h"

#include <QPushButton>
#include <QRadioButton>

namespace tessaplot {

void TForm1::wireSections() {
    sectionState = std::make_shared<SectionState>();
    // A radio button's handler runs whenever it becomes checked, by click or by code.
    const auto onChecked = [this](QRadioButton* button, void (TForm1::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onChecked(RadioButton1, &TForm1::RadioButton1Click);
    onChecked(RadioButton2, &TForm1::RadioButton2Click);
    onChecked(RadioButton3, &TForm1::RadioButton3Click);
    onChecked(RadioButton4, &TForm1::RadioButton4Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
}

} // namespace tessaplot
