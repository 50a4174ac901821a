#include "app/MessageBoxes.h"

#include <new>

#include <QApplication>
#include <QMessageBox>

namespace tessaplot {

namespace {

std::function<void(const std::string&)> g_sink;

void showBox(const QString& title, const std::string& text, QMessageBox::Icon icon) {
    if (g_sink) {
        g_sink(text);
        return;
    }
    QMessageBox box(icon, title, QString::fromStdString(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

} // namespace

void SetMessageSink(std::function<void(const std::string&)> sink) {
    g_sink = std::move(sink);
}

void ShowMessage(const std::string& text) {
    showBox(QApplication::applicationName(), text, QMessageBox::NoIcon);
}

std::string HandlerFailureText(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return "Not enough memory to finish this.";
    return HandlerFailureText();
}

std::string HandlerFailureText() {
    return "This could not be finished because of an internal error.";
}

void ShowErrorMessage(const std::string& text) {
    showBox(QStringLiteral("Error"), text, QMessageBox::Critical);
}

} // namespace tessaplot
