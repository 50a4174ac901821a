#pragma once

#include <QWidget>

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tessaplot {

class DirectoryListBox;

// The data directory chooser "dir": browse to a result directory, see which result
// tables it holds, and open it in the main window. Modeless.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    TForm4();

    int FiberFileCount = 0;
    bool DataSetOpen = false;
    int LayerCount = 0;
    bool HasFabrics = false;
    bool HasFibers = false;
    bool HasBodyProperty = false;

    QComboBox* DriveComboBox1 = nullptr;
    DirectoryListBox* DirectoryListBox1 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label5 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr;

    // The directory the user browsed to last; the views build their paths from it.
    QString CurrentDirectory() const;

    void DirectoryListBox1Change();
    void Button1Click();
    void Button2Click();

signals:
    // "Open" accepted `directory` (as the platform's file calls take it), before its
    // tables are read: what the features keep of the data set shown before is gone.
    void DataSetOpened(const std::string& directory);
    // "Open" was pressed, accepted or refused: the page shown before is gone.
    void DataSetLeft();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateDirectoryLabel();
    void driveChosen(int index);
};

extern TForm4* Form4;

// The on-disk name of `fileName` in `directory`, matched without regard to ASCII
// letter case; `fileName` itself when there is no such file.
QString ExistingFileName(const QString& directory, const QString& fileName);

} // namespace tessaplot
