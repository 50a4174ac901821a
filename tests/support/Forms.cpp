#include "support/Forms.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

namespace tessaplot::test {

void TypeOver(QComboBox* box, const QString& text, bool enter) {
    QLineEdit* edit = box->lineEdit();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
    if (enter)
        QTest::keyClick(edit, Qt::Key_Return);
}

void FormsTest::SetUp() {
    previousWorkDir = QDir::currentPath();
    ASSERT_TRUE(workDir.isValid());
    QDir::setCurrent(workDir.path());
    ASSERT_TRUE(CreateForms());
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
}

void FormsTest::TearDown() {
    DestroyForms();
    QDir::setCurrent(previousWorkDir);
}

bool FormsTest::waitFor(const std::function<bool()>& done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qWait(2);
    }
    return true;
}

void FormsTest::runEventsFor(int ms) {
    QElapsedTimer timer;
    timer.start();
    waitFor([&] { return timer.elapsed() >= ms; }, ms + 1000);
}

bool FormsTest::waitForRedraw() {
    return waitFor([] { return !Form1->RedrawPending; });
}

} // namespace tessaplot::test
