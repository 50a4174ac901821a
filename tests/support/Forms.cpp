#include "support/Forms.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTest>

namespace tessaplot::test {

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

bool FormsTest::waitForRedraw() {
    return waitFor([] { return !Form1->RedrawPending; });
}

} // namespace tessaplot::test
