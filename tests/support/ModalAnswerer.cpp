#include "support/ModalAnswerer.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace tessaplot::test {

ModalAnswerer::ModalAnswerer() {
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start(5);
}

void ModalAnswerer::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible())
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        texts << box->text();
        titles << box->windowTitle();
        box->button(QMessageBox::Ok)->click();
        return;
    }
    if (qobject_cast<QProgressDialog*>(modal) != nullptr && !answersProgress)
        return;
    if (onDialog)
        onDialog(modal);
    else
        modal->close();
}

} // namespace tessaplot::test
