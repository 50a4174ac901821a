#include "app/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tessaplot {

namespace {

void showBox(const QString& title, const std::string& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, title, QString::fromStdString(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

} // namespace

void ShowMessage(const std::string& text) {
    showBox(QApplication::applicationName(), text, QMessageBox::NoIcon);
}

void ShowErrorMessage(const std::string& text) {
    showBox(QStringLiteral("Error"), text, QMessageBox::Critical);
}

} // namespace tessaplot
