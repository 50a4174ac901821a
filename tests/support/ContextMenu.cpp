#include "support/ContextMenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace tessaplot::test {

QStringList WithContextMenu(QWidget* widget, const std::function<void(QMenu*)>& inMenu, QPoint at) {
    bool seen = false;
    QStringList texts;
    QTimer::singleShot(20, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        seen = true;
        for (QAction* action : menu->actions())
            texts << action->text();
        inMenu(menu);
        if (menu->isVisible())
            menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QCoreApplication::sendEvent(widget, &event);
    EXPECT_TRUE(seen);
    return texts;
}

void ChooseMenuItem(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
        if (action->text().startsWith(text) && !action->isSeparator()) {
            ASSERT_TRUE(action->isEnabled()) << text.toStdString();
            menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
            return;
        }
    menu->close();
    ADD_FAILURE() << "no item " << text.toStdString();
}

} // namespace tessaplot::test
