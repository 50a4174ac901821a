#include "app/Widgets.h"

#include "gl/BitmapFont.h"

#include <QComboBox>
#include <QResizeEvent>

#include <algorithm>

namespace tessaplot {

QStringList ItemTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QFont DefaultFormFont() {
    // The layout's places and widths were made for a bitmap sans whose 8-point cell is
    // 13 pixels high with an 11-pixel em and about 5 pixels a lowercase letter. This face
    // at the same em has that cell; over the forms' own texts it runs about 6 % narrower,
    // and the widest quantity name still fits the radio item the layout leaves it.
    QFont font{QString::fromLatin1(kFormSansFamily)};
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

void TabPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_bottomBar != nullptr) {
        const int height = m_bottomBar->sizeHint().height();
        m_bottomBar->setGeometry(0, this->height() - height, width(), height);
    }
}

QStatusBar* MakeStatusBar(QWidget* parent, const QString& name,
                          std::initializer_list<std::pair<QString, int>> panels) {
    auto* bar = new QStatusBar(parent);
    bar->setObjectName(name);
    bar->setSizeGripEnabled(false);
    int index = 0;
    const int last = static_cast<int>(panels.size()) - 1;
    for (const auto& [text, width] : panels) {
        auto* panel = new QLabel(text, bar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(index));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // A panel is never narrower than its first text, so no caption is clipped.
        const int needed = panel->fontMetrics().horizontalAdvance(text) + 10;
        if (index == last) {
            panel->setMinimumWidth(width);
            bar->addWidget(panel, 1);
        } else {
            panel->setFixedWidth(std::max(width, needed));
            bar->addWidget(panel);
        }
        ++index;
    }
    return bar;
}

QLabel* StatusPanel(QStatusBar* bar, int index) {
    return bar->findChild<QLabel*>(QStringLiteral("Panel%1").arg(index));
}

QFrame* MakePanel(QWidget* parent, const QString& name, const QRect& geometry, int frameStyle) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(frameStyle);
    panel->setGeometry(geometry);
    return panel;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QPoint at, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace tessaplot
