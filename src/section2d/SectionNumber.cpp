#include "section2d/SectionNumber.h"

#include <QLocale>
#include <QString>

namespace tessaplot {

namespace {

std::optional<double> parseWith(QLocale locale, const QString& text) {
    // "1,5" must not read as fifteen where ',' groups thousands.
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> ParseSectionNumber(const QString& text) {
    const QString number = text.trimmed();
    if (auto value = parseWith(QLocale::system(), number))
        return value;
    return parseWith(QLocale::c(), number);
}

QString InvalidNumberMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

} // namespace tessaplot
