#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace tessaplot::test {

// Watches for modal windows while a test runs and answers them as a user would:
// a message box is recorded (title and text) and its OK pressed; any other modal
// window is handed to `onDialog`, or closed when none is set. The real windows,
// never stubs.
class ModalAnswerer : public QObject {
public:
    ModalAnswerer();
    QStringList texts;
    QStringList titles;
    std::function<void(QWidget*)> onDialog;
    // A read's progress dialog asks nothing and ends by itself; on a busy machine it
    // may show in any test. It is left alone unless a test wants to see it.
    bool answersProgress = false;

private:
    void poll();
    QTimer m_timer;
};

} // namespace tessaplot::test
