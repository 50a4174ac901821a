#include "dataset/Unit4.h"

#include "app/ClassicControls.h"
#include "app/MessageBoxes.h"
#include "app/PathStrings.h"
#include "app/RadioGroup.h"
#include "app/ReadProgressDialog.h"
#include "app/Temp.h"
#include "app/Widgets.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/LayerCount.h"
#include "dataset/PathShortening.h"
#include "dataset/ReadProblemText.h"
#include "dataset/ResultFileListing.h"

#include <functional>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QStorageInfo>
#include <QTabWidget>
#include <QTimer>

namespace tessaplot {

TForm4* Form4 = nullptr;

namespace {

constexpr int kDirectoryListWidth = 289;
const QString kFiberPattern = QStringLiteral("fabric?_fiber_?.dat");

QString separator() {
    return QString(QDir::separator());
}

} // namespace

QString ExistingFileName(const QString& directory, const QString& fileName) {
    const std::string found = OnDiskFileName(PathBytes(directory), PathBytes(fileName));
    return found.empty() ? fileName : PathFromBytes(found);
}

TForm4::TForm4() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("dir"));
    setFont(DefaultFormFont());
    resize(656, 508);

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(32, 16, kDirectoryListWidth, 24);
    QStringList roots;
    for (const QFileInfo& drive : QDir::drives())
        roots << QDir::toNativeSeparators(drive.absoluteFilePath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::toNativeSeparators(volume.rootPath());
        if (volume.isValid() && volume.isReady() && !roots.contains(root))
            roots << root;
    }
    DriveComboBox1->addItems(roots);

    DirectoryListBox1 = new DirectoryListBox(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setGeometry(32, 48, kDirectoryListWidth, 281);

    Label3 = MakeLabel(this, "Label3",
                       "Double Click the directrry icon  to choose your data files:", {32, 352});
    Label1 = MakeLabel(this, "Label1", QString(), {32, 384});
    QFont pathFont = Label1->font();
    pathFont.setPixelSize(19);
    Label1->setFont(pathFont);
    Label1->setGeometry(32, 384, 600, 24);
    Label5 = MakeLabel(this, "Label5", "======>", {320, 176});
    Label2 = MakeLabel(this, "Label2", "Data files in this directory:", {368, 24});
    QFont smallFont = Label2->font();
    smallFont.setPixelSize(13);
    Label2->setFont(smallFont);
    Label2->adjustSize();

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(368, 48, 201, 281);
    QPalette palette = ListBox1->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    ListBox1->setPalette(palette);

    Edit3 = new QLineEdit(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->hide();

    Button1 = new QPushButton(QStringLiteral("Open"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(464, 424, 75, 25);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(544, 424, 75, 25);

    connect(DirectoryListBox1, &DirectoryListBox::Changed, this, [this] {
        updateDirectoryLabel();
        DirectoryListBox1Change();
    });
    connect(DriveComboBox1, &QComboBox::activated, this, &TForm4::driveChosen);
    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm4::Button2Click);
    updateDirectoryLabel();
    AdoptClassicControlBehaviour(this);
}

QString TForm4::CurrentDirectory() const {
    return QDir::toNativeSeparators(DirectoryListBox1->Directory());
}

void TForm4::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window given back from the task bar was not shown anew: its list stays.
    if (!event->spontaneous())
        DirectoryListBox1Change();
}

void TForm4::driveChosen(int index) {
    DirectoryListBox1->SetDirectory(QDir::fromNativeSeparators(DriveComboBox1->itemText(index)));
}

void TForm4::updateDirectoryLabel() {
    const QFontMetrics metrics(Label1->font());
    const std::string shortened = ShortenDirectoryPath(
        ShownPath(CurrentDirectory()).toStdString(), kDirectoryListWidth,
        [&metrics](const std::string& text) {
            return metrics.horizontalAdvance(QString::fromStdString(text));
        },
        QDir::separator().toLatin1());
    Label1->setText(QString::fromStdString(shortened));
}

void TForm4::DirectoryListBox1Change() {
    const ResultFileListing listing = ListResultFiles(PathBytes(DirectoryListBox1->Directory()));
    FiberFileCount = 0;
    ListBox1->clear();
    HasFabrics = listing.hasFabrics;
    HasBodyProperty = listing.hasBodyProperty;
    HasFibers = listing.hasFibers;
    for (const std::string& name : listing.listedNames)
        ListBox1->addItem(ShownPath(PathFromBytes(name)));
    Edit3->setText(separator() + kFiberPattern);

    Form1->ComboBox6->clear();
    // The fibre names are kept as paths are: a chosen one is joined to the directory.
    for (const std::string& name : listing.fiberFileNames) {
        Form1->ComboBox6->addItem(PathFromBytes(name));
        ++FiberFileCount;
    }
    // Adding items to an editable box must not pick one: the text stays empty until
    // Open selects the first file.
    Form1->ComboBox6->setCurrentIndex(-1);
    Form1->ComboBox6->setEditText(QString());
    if (!listing.fiberFileNames.empty())
        Form1->Label7->setText(PathFromBytes(listing.fiberFileNames.front()));
}

void TForm4::Button1Click() {
    TForm1* main = Form1;
    const QString directory = CurrentDirectory();
    if (!HasFabrics) {
        ShowMessage("Lack Of Data Files!");
    } else {
        const ResultFileListing listing =
            ListResultFiles(PathBytes(DirectoryListBox1->Directory()));
        const auto inDirectory = [&directory](const QString& name) {
            return directory + separator() + name;
        };
        main->ComboBox5->clear();
        main->ComboBox6->clear();
        const QString directoryText = QStringLiteral("Current Directory:") + ShownPath(directory);
        StatusPanel(main->StatusBar1, 4)->setText(directoryText);
        StatusPanel(main->StatusBar2, 3)->setText(directoryText);
        StatusPanel(main->StatusBar3, 2)->setText(directoryText);
        main->Label2->setText(Label1->text() + separator() + QStringLiteral("Fabrics.dat"));
        main->Label11->setText(Label1->text() + separator() + QStringLiteral("BodyProperty.dat"));
        main->Label5->setText(inDirectory(ExistingFileName(directory, "Fabrics.dat")));
        main->Label14->setText(inDirectory(ExistingFileName(directory, "Comfort.dat")));
        emit DataSetOpened(PathBytes(directory));
        hide();

        ReadProblem problem;
        const std::string fabrics = PathBytes(main->Label5->text());
        ReadProgressDialog progress(main->Label5->text(), main);
        const LayerStructure layers = CountLayersInFile(fabrics, &problem, std::ref(progress));
        if (const std::string message = ReadProblemMessage(fabrics, problem); !message.empty())
            ShowMessage(message);
        LayerCount = layers.layerCount;
        main->LayerCount = layers.layerCount;
        main->LayerLines = layers.layerLines;
        for (int n = 1; n <= LayerCount; ++n)
            main->ComboBox5->addItem(QStringLiteral("The %1th layer Fabric").arg(n));

        Edit3->setText(separator() + kFiberPattern);
        for (const std::string& name : listing.fiberFileNames)
            main->ComboBox6->addItem(PathFromBytes(name));
        if (!listing.fiberFileNames.empty())
            main->Label7->setText(PathFromBytes(listing.fiberFileNames.front()));
        main->ComboBox6->setCurrentIndex(main->ComboBox6->count() > 0 ? 0 : -1);
        main->ComboBox5->setCurrentIndex(main->ComboBox5->count() > 0 ? 0 : -1);

        main->Timer1->start();
        main->RedrawPending = true;
        DataSetOpen = true;
        const int fibersTab = main->PageControl1->indexOf(main->TabSheet2);
        const int bodyTab = main->PageControl1->indexOf(main->TabSheet3);
        main->PageControl1->setTabVisible(fibersTab, HasFibers);
        main->PageControl1->setTabVisible(bodyTab, HasBodyProperty);
    }

    // Refused or not, the page shown before is gone: its records are neither shown,
    // sectioned, exported nor followed any more.
    main->forgetLoadedField();
    emit DataSetLeft();
    main->RadioGroup1->SetItemIndex(-1);
    main->RadioGroup2->SetItemIndex(-1);
    main->RadioGroup3->SetItemIndex(-1);
    main->RadioGroup4->SetItemIndex(-1);
    main->SetActivePage(main->TabSheet1);
    main->BindViewPanel(main->Panel1, 1, false);
    main->Label5->setText(directory + separator() + ExistingFileName(directory, "Fabrics.dat"));
}

void TForm4::Button2Click() {
    hide();
    Form1->Timer1->start();
    Form1->RedrawPending = true;
}

} // namespace tessaplot
