#include "dataset/DirectoryListBox.h"

#include "app/PathStrings.h"
#include "platform/FileSystem.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

#include <algorithm>

namespace tessaplot {

namespace {

constexpr int kPathRole = Qt::UserRole + 1;

// The working directory as the system names it: Qt's own reading of it loses the bytes
// of a name that is no UTF-8.
QString workingDirectory() {
    const std::string bytes = WorkingDirectory();
    return bytes.empty() ? QDir::currentPath() : PathFromBytes(bytes);
}

QString absolutePath(const QString& path) {
#ifdef _WIN32
    return QFileInfo(path).absoluteFilePath();
#else
    return QDir::isAbsolutePath(path) ? path : workingDirectory() + '/' + path;
#endif
}

// The directory and its ancestors from the root down, from the text alone: QDir::cdUp
// asks Qt whether each one exists, which fails for an ancestor named in bytes that are
// no UTF-8.
QStringList ancestorsFromRoot(const QString& directory) {
    QStringList chain{directory};
    while (!QDir(chain.front()).isRoot()) {
        const QString parent = QFileInfo(chain.front()).path();
        if (parent == chain.front())
            break;
        chain.prepend(parent);
    }
    return chain;
}

// The readable subdirectories, hidden ones left out, in the order QDir::Name with
// QDir::IgnoreCase gives.
QStringList subdirectories(const QString& directory) {
    QStringList names;
    for (const std::string& name : ListDirectoryNames(PathBytes(directory)))
        if (name.front() != '.')
            names << PathFromBytes(name);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

} // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemDoubleClicked, this, &DirectoryListBox::enterItem);
    connect(this, &QListWidget::itemActivated, this, &DirectoryListBox::enterItem);
    m_directory = QDir::cleanPath(workingDirectory());
    fill();
}

bool DirectoryListBox::SetDirectory(const QString& path) {
    if (path.isEmpty())
        return false;
    const QString directory = QDir::cleanPath(absolutePath(path));
    if (!IsReadableDirectory(PathBytes(directory)))
        return false;
    m_directory = directory;
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
    int depth = 0;
    for (const QString& path : ancestorsFromRoot(m_directory)) {
        const QString name =
            QDir(path).isRoot() ? QDir::toNativeSeparators(path) : QFileInfo(path).fileName();
        auto* item = new QListWidgetItem(openIcon, QString(depth * 2, ' ') + ShownPath(name), this);
        item->setData(kPathRole, path);
        ++depth;
    }
    setCurrentRow(count() - 1);

    for (const QString& child : subdirectories(m_directory)) {
        auto* item =
            new QListWidgetItem(closedIcon, QString(depth * 2, ' ') + ShownPath(child), this);
        item->setData(kPathRole, QDir(m_directory).filePath(child));
    }
}

} // namespace tessaplot
