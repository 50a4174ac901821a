#pragma once

#include <QListWidget>

namespace tessaplot {

// A directory list in the classic style: the ancestors of the current directory
// from the root down, the current directory itself, then its subdirectories. A
// double click on an entry makes it the current directory. Paths are kept as
// app/PathStrings.h makes them, so a name that is no UTF-8 is listed and entered too.
class DirectoryListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryListBox(QWidget* parent = nullptr);

    QString Directory() const { return m_directory; }
    // Moves to `path` (made absolute and clean). A path that is not a readable
    // directory is refused and the list stays where it was; returns whether it moved.
    bool SetDirectory(const QString& path);

signals:
    // The current directory changed, by a double click or by SetDirectory.
    void Changed();

private:
    void fill();
    void enterItem(QListWidgetItem* item);

    QString m_directory;
};

} // namespace tessaplot
