#include "app/LocaleText.h"

#include <QLocale>

namespace tessaplot {

std::string LocaleDecimalSeparator() {
    return QLocale::system().decimalPoint().toStdString();
}

} // namespace tessaplot
