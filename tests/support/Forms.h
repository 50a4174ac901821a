#pragma once

#include "app/Application.h"
#include "app/Temp.h"
#include "app/Widgets.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class QComboBox;

namespace tessaplot::test {

// Types `text` over the whole text of an editable combo box, key by key, as a user does
// (select all, then the keys); Enter afterwards when `enter` is set.
void TypeOver(QComboBox* box, const QString& text, bool enter = false);

// Builds the four windows as the program does and shows the main window; destroys
// them after the test. The working directory is a fresh temporary directory so the
// chooser starts somewhere known and empty.
class FormsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the event loop until `done` holds or `timeoutMs` passed; returns `done()`.
    static bool waitFor(const std::function<bool()>& done, int timeoutMs = 5000);
    // Lets the deferred redraw run: waits until no redraw is pending.
    static bool waitForRedraw();
    // Runs the event loop for `ms` milliseconds (timers, ticks, following).
    static void runEventsFor(int ms);

    QTemporaryDir workDir;
    QString previousWorkDir;
};

} // namespace tessaplot::test
