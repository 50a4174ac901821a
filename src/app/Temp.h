#pragma once

#include "app/Widgets.h"
#include "comfort/ComfortRecord.h"
#include "dataset/FieldPoint.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;
class QOpenGLContext;

namespace tessaplot {

class GlPanel;
class RadioGroup;
struct FieldViewState;
struct FieldDrawInputs;
struct FieldLoad;
struct FieldLoadRequest;
struct FileIdentity;
struct SectionState;
struct ComfortState;
struct ReadingState;
class Comparison;

// The main window: four tab pages (Fabric, Fibers, BodyProperty, BodyComfort), the
// menu, the two timers and every view of the data set.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    // True when the window could not get its drawing surface and asked to close.
    bool CloseRequested() const { return m_closeRequested; }

    // --- Data members ---------------------------------------------------------
    int DataColumn = 0;
    char FieldSeparator = '\t';
    std::string TimeCaption, ThicknessCaption, VariableCaption;
    int ThreeDView = 3;
    GlPanel* ViewDC = nullptr;
    QOpenGLContext* ViewRC = nullptr;
    GlPanel* ComfortDC = nullptr;
    QOpenGLContext* ComfortRC = nullptr;
    bool RedrawPending = true;
    // The loaded field. Reserved once for 150,000 records; a larger table grows it
    // rather than losing records.
    std::vector<FieldPoint> FieldPoints;
    // Where a load puts its records, swapped with FieldPoints once the load succeeded:
    // a load that fails leaves the shown records as they were.
    std::vector<FieldPoint> LoadingPoints;
    std::vector<ComfortRecord> ComfortRecords;
    int PointCount = 0;
    int LayerCount = 0;
    int LayerLines = 0;

    // Extents of the last load; a span that is not positive is 1.0.
    float TimeMin = 0, TimeMax = 0, TimeSpan = 1;
    float PositionMin = 0, PositionMax = 0, PositionSpan = 1;
    float ValueMin = 0, ValueMax = 0, ValueSpan = 1;
    float FirstPosition = -1;
    int PositionsPerStep = 0;
    bool PositionsPerStepFound = false;
    bool LeadingLinesSkipped = false;

    // Tick labels of the last field draw.
    std::array<std::string, 6> TimeTickLabels, PositionTickLabels, ValueTickLabels;

    // Where a mouse button last went down on Panel1, Panel5 or ToolBar1 (client pixels).
    int DragStartX = 0;
    int DragStartY = 0;

    // Comfort results of the last read.
    int ComfortCount = 0;
    float ComfortEndTime = 0;

    // --- Controls, by their names ---------------------------------------------
    QAction* File1 = nullptr;
    QAction* Exit1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QList<QIcon> ImageList2;
    QLabel* Label5 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    TabPage* TabSheet1 = nullptr;
    TabPage* TabSheet2 = nullptr;
    TabPage* TabSheet3 = nullptr;
    TabPage* TabSheet4 = nullptr;

    // Fabric
    QToolBar* ToolBar2 = nullptr;
    QToolButton *ToolButton3 = nullptr, *ToolButton4 = nullptr, *ToolButton5 = nullptr,
                *ToolButton6 = nullptr, *ToolButton7 = nullptr, *ToolButton8 = nullptr,
                *ToolButton1 = nullptr;
    GlPanel* Panel1 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr, *BitBtn3 = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    // Fibers
    QToolBar* ToolBar1 = nullptr;
    QToolButton *ToolButton2 = nullptr, *ToolButton9 = nullptr, *ToolButton10 = nullptr,
                *ToolButton11 = nullptr, *ToolButton12 = nullptr, *ToolButton13 = nullptr,
                *ToolButton14 = nullptr;
    GlPanel* Panel5 = nullptr;
    QLabel *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr;
    QComboBox* ComboBox6 = nullptr;
    QGroupBox *GroupBox3 = nullptr, *GroupBox4 = nullptr;
    RadioGroup* RadioGroup2 = nullptr;
    QPushButton *BitBtn4 = nullptr, *BitBtn5 = nullptr, *BitBtn6 = nullptr;
    QRadioButton *RadioButton3 = nullptr, *RadioButton4 = nullptr;
    QComboBox *ComboBox3 = nullptr, *ComboBox4 = nullptr;
    QStatusBar* StatusBar2 = nullptr;

    // BodyProperty
    GlPanel* Panel8 = nullptr;
    QLabel *Label10 = nullptr, *Label11 = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    RadioGroup* RadioGroup3 = nullptr;
    QPushButton* BitBtn7 = nullptr;
    QStatusBar* StatusBar3 = nullptr;

    // BodyComfort
    GlPanel* Panel16 = nullptr;
    QLabel* Image1 = nullptr;
    RadioGroup* RadioGroup4 = nullptr;
    QGroupBox* GroupBox6 = nullptr;
    std::array<QLabel*, 12> ConclusionLabels{}; // Label15 ... Label26
    QLabel *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr;

    // --- Operations -------------------------------------------------------------
    // Makes `panel` the view surface: a fresh view state with the initial view for
    // `threeD`. With a context not made yet, the set-up runs once it exists.
    bool BindViewPanel(GlPanel* panel, int threeD, bool setPixelFormat = true);
    // Makes Panel16 the chart surface (half extent 0.95, the chart's offset, cleared).
    bool BindComfortPanel();
    void DrawAxes();

    // The page the tab control shows. Pages are told apart by page, never by index.
    QWidget* ActivePage() const;
    void SetActivePage(QWidget* page);
    // The surface the shown page draws into (ViewDC, or ComfortDC on BodyComfort).
    GlPanel* ShownSurface() const;

    // --- Handlers ---------------------------------------------------------------
    void FormCreate();
    void FormDestroy();
    void File1Click();
    void Exit1Click();
    void TabSheet1Show();
    void TabSheet2Show();
    void TabSheet3Show();
    void TabSheet4Show();
    void TabSheet1Hide();
    void TabSheet2Hide();
    void TabSheet3Hide();
    void TabSheet4Hide();
    void PageControl1Change();
    void ComboBox6Change();
    void FormClick();
    void FormMouseMove();
    void Timer1Timer();

    // Field view: loading and drawing (the load half reads Label5's file). The frame
    // and the field are drawn only when the table could be read; false when not.
    bool LoadAndDrawField();
    void DrawLoadedField();
    // Redraws the shown field picture when its table changed on disk: the table is read
    // again over the next idle slots of the event loop, and drawn once whole.
    void followShownTable();
    void continueFollowRead();

    // What a read of the shown page's table came to. A read that fails or is cancelled
    // (the user told why, once) keeps the picture the panel shows, records and names,
    // when the panel shows one (a redraw, a navigation step, Show Data); otherwise (a
    // page or file not shown yet) the store is emptied, so that no record of another
    // table is shown, sectioned or exported under the new page's names.
    enum class FieldRead { Loaded, KeptAsBefore, Emptied };
    // Loads the current data file (Label5) by the rules of the shown page.
    FieldRead loadField();
    FieldRead loadField(const std::string& path, const FieldLoadRequest& request);
    // The same for the deferred redraw: a table whose read failed, unchanged since, is
    // neither read nor told again.
    FieldRead loadFieldForRedraw();
    // The store holds nothing: no records, extents or positions, nothing followed. For
    // a page whose picture is gone (another data set, another page).
    void forgetLoadedField();
    // Whether the shown page's panel shows a picture of the store (not its frame alone).
    bool panelShowsLoadedField() const;
    // The controls a field picture is drawn from, as they are now.
    FieldDrawInputs fieldDrawInputs() const;
    // The loaded field with its texts, from `inputs` instead of the controls.
    void drawField(const FieldDrawInputs& inputs);
    // Navigation.
    void ToolButton1Click();
    void ToolButton3Click();
    void ToolButton4Click();
    void ToolButton5Click();
    void ToolButton6Click();
    void ToolButton7Click();
    void ToolButton8Click();
    void ToolButton2Click();
    void ToolButton9Click();
    void ToolButton10Click();
    void ToolButton11Click();
    void ToolButton12Click();
    void ToolButton13Click();
    void ToolButton14Click();
    void Panel1MouseDown(int x, int y);
    void Panel5MouseDown(int x, int y);
    void ToolBar1MouseDown(int x, int y);
    void Panel1MouseMove(int x, int y, bool leftButtonHeld);
    void Panel5MouseMove(int x, int y, bool leftButtonHeld);
    void Panel1DblClick();
    void Panel5DblClick();
    // Show Data and the colour dialog.
    void BitBtn1Click();
    void BitBtn4Click();
    void BitBtn7Click();
    void RadioGroup1Click();
    void BitBtn2Click();

    // 2D sections.
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void BitBtn3Click();

    // Sensation and comfort.
    void Timer2Timer();
    void ReadComfortFile();
    // A read of Comfort.dat too long for one tick goes on at the next ones; the chart
    // keeps showing the last complete read meanwhile.
    bool ComfortReadPending() const;
    void DrawComfortChart();
    // The chart alone (texts, stripes, curve), without the conclusions or showing it.
    void drawComfortPicture();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildWindow();
    // The point lies on the window's own client area, where no control covers it.
    bool onOwnSurface(const QMouseEvent* event) const;
    void buildFabricPage();
    void buildFibersPage();
    void buildBodyPropertyPage();
    void buildBodyComfortPage();
    // A tool button to make, and the member that is to hold it.
    struct NavigationButton {
        QToolButton** slot;
        const char* name;
    };
    QToolBar* buildNavigationBar(QWidget* page, const QString& name, int buttonWidth,
                                 const QList<NavigationButton>& buttons, const QStringList& hints);
    GlPanel* makeGlPanel(QWidget* parent, const QString& name, const QRect& geometry);
    void onPageChanged(int index);
    // Each subsystem connects its own controls to its handlers.
    void wireFieldView();
    void wireSections();
    void wireComfort();
    // What the shown page's table is to be read by: its rules, column and layer.
    FieldLoadRequest fieldLoadRequest() const;
    // Takes over the extents, figures and position lists of a load.
    void adoptLoad(const FieldLoad& load);
    // The user was told why `path` could not be read; what the store keeps of it.
    FieldRead readFailed(const std::string& path, const FieldLoadRequest& request,
                         const FileIdentity& identity, const std::string& message);
    // Makes the surface a drawing goes to current again after a load; false without it.
    bool redrawTargetCurrent(GlPanel* surface);
    void showHandler(QWidget* page);
    void hideHandler(QWidget* page);

    bool m_closeRequested = false;
    QWidget* m_shownPage = nullptr;

public:
    // State of the subsystems that no named member holds; each subsystem owns its
    // struct (declared in its own folder) so the main window need not know its parts.
    std::shared_ptr<FieldViewState> fieldViewState;
    std::shared_ptr<SectionState> sectionState;
    std::shared_ptr<ComfortState> comfortState;
    // What the user asked for to read numbers off the pictures (key, range, marked time).
    std::shared_ptr<ReadingState> readingState;
    // The runs compared with the opened one (none at start).
    std::shared_ptr<Comparison> comparison;
};

extern TForm1* Form1;

// The full path of `fileName` in the chooser's current directory.
QString PathInChooserDirectory(const QString& fileName);

} // namespace tessaplot
