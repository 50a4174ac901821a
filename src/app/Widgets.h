#pragma once

#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QStringList>

#include <initializer_list>
#include <utility>

class QComboBox;

namespace tessaplot {

// The texts of a list's items, in order.
QStringList ItemTexts(const QComboBox* box);

// The forms' default font: the platform's sans (kSansFamily) at an 11-pixel em, 8 points
// at 96 dpi.
QFont DefaultFormFont();

// A page of the main window's tab control whose status bar, if any, stays at the
// bottom whatever the page's height.
class TabPage : public QWidget {
public:
    explicit TabPage(QWidget* parent = nullptr) : QWidget(parent) {}
    void setBottomBar(QWidget* bar) { m_bottomBar = bar; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_bottomBar = nullptr;
};

// A status bar with fixed-width text panels named Panel0, Panel1, ... from the left;
// the last panel takes the rest of the bar.
QStatusBar* MakeStatusBar(QWidget* parent, const QString& name,
                          std::initializer_list<std::pair<QString, int>> panels);
// The text panel `index` of a status bar made by MakeStatusBar.
QLabel* StatusPanel(QStatusBar* bar, int index);

// A plain panel with a bevel (frame style as given).
QFrame* MakePanel(QWidget* parent, const QString& name, const QRect& geometry,
                  int frameStyle = QFrame::Panel | QFrame::Raised);
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QPoint at,
                  bool bold = false);

} // namespace tessaplot
