#include "app/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tessaplot {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), m_items(items), m_group(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, title.isEmpty() ? 4 : 16, 4, 4);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        // '&' would mark a shortcut key; the item names show it as it stands.
        auto* button = new QRadioButton(QString(items[i]).replace('&', QLatin1String("&&")), this);
        button->setObjectName(QStringLiteral("Item%1").arg(i));
        m_group->addButton(button, i);
        layout->addWidget(button);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::Clicked);
}

int RadioGroup::ItemIndex() const {
    return m_group->checkedId();
}

void RadioGroup::SetItemIndex(int index) {
    if (index >= 0 && index < Count()) {
        m_group->button(index)->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last button.
    m_group->setExclusive(false);
    for (QAbstractButton* button : m_group->buttons())
        button->setChecked(false);
    m_group->setExclusive(true);
}

int RadioGroup::Count() const {
    return static_cast<int>(m_group->buttons().size());
}

QString RadioGroup::ItemText(int index) const {
    return index >= 0 && index < m_items.size() ? m_items[index] : QString();
}

QRadioButton* RadioGroup::Button(int index) const {
    return qobject_cast<QRadioButton*>(m_group->button(index));
}

} // namespace tessaplot
