#pragma once

#include <QPoint>
#include <QStringList>

#include <functional>

class QMenu;
class QWidget;

namespace tessaplot::test {

// Opens `widget`'s context menu at `at` by a real event; `inMenu` sees it open. Returns
// the texts of its items (a separator's is empty); a menu `inMenu` left open is closed.
QStringList WithContextMenu(QWidget* widget, const std::function<void(QMenu*)>& inMenu,
                            QPoint at = QPoint(100, 100));

// Chooses the enabled item whose text starts with `text`, as Enter on it does: triggered
// once the menu's own loop has ended. A failure when there is none.
void ChooseMenuItem(QMenu* menu, const QString& text);

} // namespace tessaplot::test
