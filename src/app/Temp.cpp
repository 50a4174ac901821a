#include "app/Temp.h"

#include "app/ClassicControls.h"
#include "app/RadioGroup.h"
#include "app/ReadProgressDialog.h"
#include "app/Widgets.h"
#include "compare/CompareMenu.h"
#include "compare/Comparison.h"
#include "compare/DifferenceView.h"
#include "dataset/Unit4.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"
#include "gl/Surface.h"
#include "gl/ViewSetup.h"
#include "readout/ReadingState.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include <GL/gl.h>

namespace tessaplot {

TForm1* Form1 = nullptr;

namespace {

// Room for the records of a large run, taken once so that loads do not reallocate.
constexpr size_t kStoreCapacity = 150000;

} // namespace

QString PathInChooserDirectory(const QString& fileName) {
    const QString directory = Form4 != nullptr ? Form4->CurrentDirectory() : QDir::currentPath();
    return QDir::toNativeSeparators(
        QDir(directory).filePath(ExistingFileName(directory, fileName)));
}

TForm1::TForm1() {
    buildWindow();
    AdoptClassicControlBehaviour(this);
    TimeCaption.reserve(60);
    ThicknessCaption.reserve(60);
    VariableCaption.reserve(60);

    connect(File1, &QAction::triggered, this, &TForm1::File1Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    // Only the user changes the chosen fibre file through the box, by typing or picking;
    // the lists the chooser fills and empties leave Label7 to the chooser.
    connect(ComboBox6->lineEdit(), &QLineEdit::textEdited, this, &TForm1::ComboBox6Change);
    connect(ComboBox6, &QComboBox::textActivated, this, &TForm1::ComboBox6Change);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::onPageChanged);

    // A panel whose framebuffer was made anew (first showing, resize) shows no
    // picture until the next draw: ask for one.
    for (GlPanel* panel : {Panel1, Panel5, Panel8})
        panel->setFramebufferRecreatedHandler([this] { RedrawPending = true; });

    wireFieldView();
    wireSections();
    wireComfort();
    readingState = std::make_shared<ReadingState>();
    comparison = std::make_shared<Comparison>();
    AddCompareMenu(*this);
    WireDifference(*this);

    m_shownPage = TabSheet1;
    FormCreate();
    Timer1->start();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm1::~TForm1() {
    FormDestroy();
}

void TForm1::FormCreate() {
    if (!BindViewPanel(Panel1, ThreeDView)) {
        m_closeRequested = true;
        return;
    }
    FieldPoints.reserve(kStoreCapacity);
    LoadingPoints.reserve(kStoreCapacity);
    ComfortRecords.reserve(kStoreCapacity);
    PointCount = 0;
    ComboBox2->clear();
    ComboBox4->clear();
    SetActivePage(TabSheet1);
}

void TForm1::FormDestroy() {
    Timer1->stop();
    Timer2->stop();
    if (ViewDC != nullptr && ViewDC->makeSurfaceCurrent()) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        ViewDC->doneCurrent();
    }
    ViewDC = nullptr;
    ViewRC = nullptr;
    ComfortDC = nullptr;
    ComfortRC = nullptr;
}

bool TForm1::BindViewPanel(GlPanel* panel, int threeD, bool setPixelFormat) {
    // A panel bound afresh shows nothing of the store until its next draw, and no
    // re-read started for the picture before goes on.
    fieldViewState->shownField.reset();
    fieldViewState->followRead.stop();
    ViewDC = panel;
    ThreeDView = threeD;
    if (setPixelFormat && !SetupPixelFormat(panel))
        return false;
    ViewRC = panel->context();
    const int threeDView = ThreeDView;
    panel->BindSurface([panel, threeDView] {
        ResetSurfaceState();
        SetupViewProjection(DevicePixels(panel->width(), panel),
                            DevicePixels(panel->height(), panel), kViewHalfExtent);
        SetInitialView(threeDView);
    });
    ViewRC = panel->context();
    return true;
}

bool TForm1::BindComfortPanel() {
    ComfortDC = Panel16;
    ThreeDView = 0;
    if (!SetupPixelFormat(Panel16))
        return false;
    GlPanel* panel = Panel16;
    panel->BindSurface([panel] {
        ResetSurfaceState();
        SetupViewProjection(DevicePixels(panel->width(), panel),
                            DevicePixels(panel->height(), panel), kChartHalfExtent);
        glTranslatef(kChartTranslate[0], kChartTranslate[1], kChartTranslate[2]);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    });
    ComfortRC = panel->context();
    return true;
}

QWidget* TForm1::ActivePage() const {
    return PageControl1->currentWidget();
}

void TForm1::SetActivePage(QWidget* page) {
    PageControl1->setCurrentWidget(page);
}

GlPanel* TForm1::ShownSurface() const {
    return ActivePage() == TabSheet4 ? ComfortDC : ViewDC;
}

void TForm1::onPageChanged(int) {
    // The tab control reports only the change; the show handler of the new page,
    // the hide handler of the old one and then the change handler run in this order.
    QWidget* previous = m_shownPage;
    m_shownPage = ActivePage();
    if (m_shownPage == previous)
        return;
    showHandler(m_shownPage);
    hideHandler(previous);
    PageControl1Change();
}

void TForm1::showHandler(QWidget* page) {
    if (page == TabSheet1)
        TabSheet1Show();
    else if (page == TabSheet2)
        TabSheet2Show();
    else if (page == TabSheet3)
        TabSheet3Show();
    else if (page == TabSheet4)
        TabSheet4Show();
}

void TForm1::hideHandler(QWidget* page) {
    if (page == TabSheet1)
        TabSheet1Hide();
    else if (page == TabSheet2)
        TabSheet2Hide();
    else if (page == TabSheet3)
        TabSheet3Hide();
    else if (page == TabSheet4)
        TabSheet4Hide();
}

void TForm1::TabSheet1Show() {
    Timer1->start();
}
void TForm1::TabSheet2Show() {
    Timer1->start();
}
void TForm1::TabSheet3Show() {
    Timer1->start();
}
void TForm1::TabSheet4Show() {
    Timer1->start();
}
void TForm1::TabSheet1Hide() {
    RedrawPending = true;
}
void TForm1::TabSheet2Hide() {
    RedrawPending = true;
}
void TForm1::TabSheet3Hide() {
    RedrawPending = true;
}
void TForm1::TabSheet4Hide() {
    RedrawPending = true;
}

void TForm1::PageControl1Change() {
    QWidget* page = ActivePage();
    if (page == TabSheet1) {
        if (!BindViewPanel(Panel1, 1)) {
            close();
            return;
        }
        Label5->setText(PathInChooserDirectory(QStringLiteral("Fabrics.dat")));
    } else if (page == TabSheet2) {
        if (!BindViewPanel(Panel5, 1)) {
            close();
            return;
        }
        Label5->setText(PathInChooserDirectory(Label7->text()));
    } else if (page == TabSheet3) {
        if (!BindViewPanel(Panel8, 0)) {
            close();
            return;
        }
        Label5->setText(PathInChooserDirectory(QStringLiteral("BodyProperty.dat")));
    } else if (page == TabSheet4) {
        if (!BindComfortPanel()) {
            close();
            return;
        }
        Timer2->start();
    }
}

void TForm1::File1Click() {
    if (Form4->isVisible()) {
        // Back to the front, also from the task bar; the list stays as it is.
        Form4->setWindowState(Form4->windowState() & ~Qt::WindowMinimized);
        Form4->raise();
        Form4->activateWindow();
        return;
    }
    Form4->show(); // showing lists the current directory
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::ComboBox6Change() {
    Label7->setText(ComboBox6->currentText());
}

void TForm1::FormClick() {
    RedrawPending = true;
}

void TForm1::FormMouseMove() {
    RedrawPending = true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program: the other windows go with it, and a
    // read in progress stops at its next piece.
    CancelReadInProgress();
    Timer1->stop();
    Timer2->stop();
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        QCoreApplication::quit();
}

bool TForm1::onOwnSurface(const QMouseEvent* event) const {
    // Events that a control left unhandled are passed on to the window too; they
    // arrive at points the control covers.
    const QPoint at = event->position().toPoint();
    return rect().contains(at) && childAt(at) == nullptr;
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    if (onOwnSurface(event))
        FormClick();
    QMainWindow::mousePressEvent(event);
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
    if (onOwnSurface(event))
        FormMouseMove();
    QMainWindow::mouseMoveEvent(event);
}

} // namespace tessaplot
