#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace tessaplot {

// A titled group of radio buttons that, unlike a plain button group, can have no
// item selected (ItemIndex() == -1).
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    int ItemIndex() const;
    void SetItemIndex(int index); // -1 clears the selection
    int Count() const;
    QString ItemText(int index) const;
    QRadioButton* Button(int index) const;

signals:
    // The user clicked an item.
    void Clicked(int index);

private:
    QStringList m_items;
    QButtonGroup* m_group;
};

} // namespace tessaplot
