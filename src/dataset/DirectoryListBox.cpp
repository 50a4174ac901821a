#include "dataset/DirectoryListBox.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace tessaplot {

namespace {
constexpr int kPathRole = Qt::UserRole + 1;
} // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemDoubleClicked, this, &DirectoryListBox::enterItem);
    connect(this, &QListWidget::itemActivated, this, &DirectoryListBox::enterItem);
    m_directory = QDir::currentPath();
    fill();
}

bool DirectoryListBox::SetDirectory(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable())
        return false;
    m_directory = QDir::cleanPath(info.absoluteFilePath());
    fill();
    emit Changed();
    return true;
}

void DirectoryListBox::enterItem(QListWidgetItem* item) {
    if (item != nullptr)
        SetDirectory(item->data(kPathRole).toString());
}

void DirectoryListBox::fill() {
    clear();
    const QIcon closedIcon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon openIcon = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);

    // Ancestors from the root down to the current directory, each indented one step.
    QStringList chain;
    QDir dir(m_directory);
    chain.prepend(dir.absolutePath());
    while (dir.cdUp())
        chain.prepend(dir.absolutePath());
    int depth = 0;
    for (const QString& path : chain) {
        const QString name =
            QDir(path).isRoot() ? QDir::toNativeSeparators(path) : QFileInfo(path).fileName();
        auto* item = new QListWidgetItem(openIcon, QString(depth * 2, ' ') + name, this);
        item->setData(kPathRole, path);
        ++depth;
    }
    setCurrentRow(count() - 1);

    const QStringList children = QDir(m_directory)
                                     .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable,
                                                QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(closedIcon, QString(depth * 2, ' ') + child, this);
        item->setData(kPathRole, QDir(m_directory).filePath(child));
    }
}

} // namespace tessaplot
