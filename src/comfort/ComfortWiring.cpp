#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "comfort/ComfortState.h"

#include <QRadioButton>
#include <QTimer>

namespace tessaplot {

void TForm1::wireComfort() {
    comfortState = std::make_shared<ComfortState>();
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    // Any change of the selection (a click on another quantity, or Open clearing it)
    // makes a missing file worth telling once more.
    for (int i = 0; i < RadioGroup4->Count(); ++i)
        connect(RadioGroup4->Button(i), &QRadioButton::toggled, this,
                [this] { comfortState->missingFileReported = false; });
}

} // namespace tessaplot
