#include "app/ClassicControls.h"

#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabBar>

namespace tessaplot {

namespace {

class ClassicControlFilter : public QObject {
public:
    explicit ClassicControlFilter(QWidget* window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Wheel) {
            // Swallowed, not passed on: the window behind has nothing to scroll either.
            if (qobject_cast<QTabBar*>(watched) != nullptr)
                return true;
            const auto* control = qobject_cast<QWidget*>(watched);
            return control != nullptr && !control->hasFocus();
        }
        if (event->type() == QEvent::KeyPress && watched == m_window) {
            // A focused button takes its own Enter before it gets here; what arrives is
            // an Enter on some other control, which the dialog would hand to its
            // default button.
            const int key = static_cast<QKeyEvent*>(event)->key();
            return key == Qt::Key_Return || key == Qt::Key_Enter;
        }
        return false;
    }

private:
    QWidget* m_window;
};

} // namespace

void AdoptClassicControlBehaviour(QWidget* window) {
    auto* filter = new ClassicControlFilter(window);
    for (QComboBox* box : window->findChildren<QComboBox*>()) {
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(filter);
        if (box->isEditable()) {
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setCompleter(nullptr);
        }
    }
    for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        edit->setAcceptDrops(false);
    for (QTabBar* bar : window->findChildren<QTabBar*>())
        bar->installEventFilter(filter);
    if (qobject_cast<QDialog*>(window) != nullptr)
        window->installEventFilter(filter);
}

} // namespace tessaplot
