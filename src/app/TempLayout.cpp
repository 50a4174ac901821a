// Construction of the main window's controls: names, texts and places.
#include "app/Glyphs.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "app/Widgets.h"
#include "dataset/BodyQuantities.h"
#include "gl/GlPanel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace tessaplot {

namespace {

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text,
                        const QRect& geometry, const QIcon& glyph = QIcon()) {
    auto* button = new QPushButton(glyph, text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

QComboBox* makeComboBox(QWidget* parent, const QString& name, bool editable, const QRect& geometry,
                        const QString& text = QString()) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(editable);
    box->setGeometry(geometry);
    if (editable)
        box->setEditText(text);
    return box;
}

QGroupBox* makeGroupBox(QWidget* parent, const QString& name, const QString& title,
                        const QRect& geometry) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QRadioButton* makeRadioButton(QWidget* parent, const QString& name, const QString& text, QPoint at,
                              bool checked = false) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(name);
    button->move(at);
    button->adjustSize();
    button->setChecked(checked);
    return button;
}

RadioGroup* makeRadioGroup(QWidget* parent, const QString& name, const QString& title,
                           const QStringList& items, const QRect& geometry) {
    auto* group = new RadioGroup(title, items, parent);
    group->setObjectName(name);
    group->setGeometry(geometry);
    return group;
}

QFrame* whitePanel(QWidget* parent, const QString& name, const QRect& geometry) {
    QFrame* panel = MakePanel(parent, name, geometry, QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    return panel;
}

// A label whose text changes at run time gets a fixed width so that longer texts
// are not clipped to the design-time text.
QLabel* makeValueLabel(QWidget* parent, const QString& name, const QString& text,
                       const QRect& geometry) {
    QLabel* label = MakeLabel(parent, name, text, geometry.topLeft());
    label->setGeometry(geometry);
    return label;
}

const QStringList kFabricItems = {"Water Vapor Concentration(kg/m^3)",
                                  "Mean Water Vapor Concentration(kg/m^3)",
                                  "Evaporation&Condensation Rate(kg/m^3/s^1)",
                                  "Relative Humidity(%)",
                                  "Mean Moisture Sorption Rate(kg/m^3/s^1)",
                                  "Temperature(degree of C)",
                                  "Liquid Volume Fraction(%)"};

const QStringList kFiberItems = {"Water Vapor Concentration(kg/m^3)",
                                 "Moisture Sorption Rate(kg/m^3/s^1)", "Moisture Content(kg/m^2)"};

QStringList bodyItems() {
    QStringList items;
    for (const std::string_view name : BodyQuantityNames())
        items << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    return items;
}

} // namespace

GlPanel* TForm1::makeGlPanel(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* panel = new GlPanel(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    return panel;
}

QToolBar* TForm1::buildNavigationBar(QWidget* page, const QString& name, int buttonWidth,
                                     const QList<NavigationButton>& buttons,
                                     const QStringList& hints) {
    auto* bar = new QToolBar(page);
    bar->setObjectName(name);
    bar->setGeometry(0, 0, 841, 29);
    bar->setIconSize(QSize(16, 16));
    bar->setMovable(false);
    for (int i = 0; i < buttons.size(); ++i) {
        auto* button = new QToolButton(bar);
        *buttons[i].slot = button;
        button->setObjectName(buttons[i].name);
        button->setIcon(ImageList2.value(i));
        button->setFixedSize(buttonWidth, 26);
        if (!hints.isEmpty())
            button->setToolTip(hints[i]);
        bar->addWidget(button);
    }
    return bar;
}

void TForm1::buildWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvel Tessaplot"));
    setFont(DefaultFormFont());
    // Outer 856 x 650 (at least 812 x 612) less the window frame of the desktop.
    resize(848, 623);
    setMinimumSize(804, 585);
    setMaximumSize(848, 623);
    ImageList2 = NavigationImages();

    File1 = menuBar()->addAction(QStringLiteral("Open"));
    File1->setObjectName(QStringLiteral("File1"));
    Exit1 = menuBar()->addAction(QStringLiteral("Exit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(10);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(true);
    setCentralWidget(PageControl1);
    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->hide();

    TabSheet1 = new TabPage;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new TabPage;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    TabSheet3 = new TabPage;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    TabSheet4 = new TabPage;
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Fabric"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Fibers"));
    PageControl1->addTab(TabSheet3, QStringLiteral("BodyProperty"));
    PageControl1->addTab(TabSheet4, QStringLiteral("BodyComfort"));

    buildFabricPage();
    buildFibersPage();
    buildBodyPropertyPage();
    buildBodyComfortPage();
}

void TForm1::buildFabricPage() {
    QWidget* page = TabSheet1;
    ToolBar2 = buildNavigationBar(page, "ToolBar2", 38,
                                  {{&ToolButton3, "ToolButton3"},
                                   {&ToolButton4, "ToolButton4"},
                                   {&ToolButton5, "ToolButton5"},
                                   {&ToolButton6, "ToolButton6"},
                                   {&ToolButton7, "ToolButton7"},
                                   {&ToolButton8, "ToolButton8"},
                                   {&ToolButton1, "ToolButton1"}},
                                  {"Up", "Down", "Right", "Left", "Small", "Large", "Reset"});

    Panel1 = makeGlPanel(page, "Panel1", {0, 32, 569, 513});

    QFrame* panel2 = MakePanel(page, "Panel2", {576, 32, 265, 65}, QFrame::Panel | QFrame::Sunken);
    Label1 = MakeLabel(panel2, "Label1", QStringLiteral("Current Fabric Number："), {8, 6}, true);
    ComboBox5 = makeComboBox(panel2, "ComboBox5", true, {8, 30, 249, 24});
    Label2 = MakeLabel(panel2, "Label2", "None", {200, 6});
    Label2->hide();

    GroupBox1 = makeGroupBox(page, "GroupBox1", "3D Image", {576, 104, 265, 257});
    Label3 = MakeLabel(GroupBox1, "Label3", "Data In This File:", {8, 20}, true);
    QFrame* panel3 = whitePanel(GroupBox1, "Panel3", {8, 40, 249, 176});
    RadioGroup1 = makeRadioGroup(panel3, "RadioGroup1", QString(), kFabricItems, {2, 2, 245, 172});
    BitBtn1 = makeButton(GroupBox1, "BitBtn1", "Show Data", {16, 222, 105, 27}, ShowDataGlyph());
    BitBtn2 =
        makeButton(GroupBox1, "BitBtn2", "Color Select", {144, 222, 105, 27}, ColorSelectGlyph());

    GroupBox2 = makeGroupBox(page, "GroupBox2", "2D Section", {576, 368, 265, 129});
    RadioButton1 = makeRadioButton(GroupBox2, "RadioButton1", "TimePos", {16, 24});
    RadioButton2 = makeRadioButton(GroupBox2, "RadioButton2", "SpacePos", {16, 56}, true);
    ComboBox1 = makeComboBox(GroupBox2, "ComboBox1", true, {120, 22, 129, 24}, "0.0");
    ComboBox2 = makeComboBox(GroupBox2, "ComboBox2", false, {120, 54, 129, 24});
    BitBtn3 = makeButton(GroupBox2, "BitBtn3", "Show 2D Data", {72, 92, 121, 27}, ShowDataGlyph());
    BitBtn3->setEnabled(false);

    QFrame* panel4 = MakePanel(page, "Panel4", {576, 504, 265, 41});
    MakeLabel(panel4, "Panel4Caption", "Showing Data:" + QString(44, ' '), {8, 12}, true);
    Label4 = makeValueLabel(panel4, "Label4", "none", {112, 12, 150, 17});

    StatusBar1 = MakeStatusBar(page, "StatusBar1",
                               {{"FabricNumber:", 100},
                                {"X:Thickness", 60},
                                {"Y:Time", 80},
                                {"Z:", 180},
                                {"Current Directory:", 50}});
    TabSheet1->setBottomBar(StatusBar1);
}

void TForm1::buildFibersPage() {
    QWidget* page = TabSheet2;
    ToolBar1 = buildNavigationBar(page, "ToolBar1", 39,
                                  {{&ToolButton2, "ToolButton2"},
                                   {&ToolButton9, "ToolButton9"},
                                   {&ToolButton10, "ToolButton10"},
                                   {&ToolButton11, "ToolButton11"},
                                   {&ToolButton12, "ToolButton12"},
                                   {&ToolButton13, "ToolButton13"},
                                   {&ToolButton14, "ToolButton14"}},
                                  {});

    Panel5 = makeGlPanel(page, "Panel5", {1, 32, 577, 513});

    QFrame* panel6 = MakePanel(page, "Panel6", {584, 32, 249, 65});
    Label6 = MakeLabel(panel6, "Label6", "Current Data File:   ", {8, 6}, true);
    ComboBox6 = makeComboBox(panel6, "ComboBox6", true, {8, 30, 233, 24});
    Label7 = MakeLabel(panel6, "Label7", "None", {180, 6});
    Label7->hide();

    GroupBox3 = makeGroupBox(page, "GroupBox3", "3D Image", {584, 104, 249, 225});
    Label8 = MakeLabel(GroupBox3, "Label8", "Data In This File:", {8, 20});
    QFrame* panel9 = whitePanel(GroupBox3, "Panel9", {8, 40, 233, 144});
    RadioGroup2 = makeRadioGroup(panel9, "RadioGroup2", QString(), kFiberItems, {2, 2, 229, 140});
    BitBtn4 = makeButton(GroupBox3, "BitBtn4", "Show Data", {12, 190, 105, 27}, ShowDataGlyph());
    BitBtn5 =
        makeButton(GroupBox3, "BitBtn5", "Color Select", {132, 190, 105, 27}, ColorSelectGlyph());

    GroupBox4 = makeGroupBox(page, "GroupBox4", "2D Section", {584, 336, 249, 129});
    RadioButton3 = makeRadioButton(GroupBox4, "RadioButton3", "TimePos", {16, 24});
    RadioButton4 = makeRadioButton(GroupBox4, "RadioButton4", "SpacePos", {16, 56}, true);
    ComboBox3 = makeComboBox(GroupBox4, "ComboBox3", true, {112, 22, 129, 24}, "0.0");
    ComboBox4 = makeComboBox(GroupBox4, "ComboBox4", false, {112, 54, 129, 24});
    ComboBox4->addItems({"0.00", "0.05", "0.10", "0.15", "0.20", "0.25"});
    BitBtn6 = makeButton(GroupBox4, "BitBtn6", "Show 2D Data", {64, 92, 121, 27}, ShowDataGlyph());
    BitBtn6->setEnabled(false);

    QFrame* panel7 = MakePanel(page, "Panel7", {584, 472, 249, 41});
    MakeLabel(panel7, "Panel7Caption", QString(6, ' ') + "Showing Data:" + QString(44, ' '),
              {2, 12}, true);
    Label9 = makeValueLabel(panel7, "Label9", "none", {120, 12, 126, 17});

    StatusBar2 = MakeStatusBar(
        page, "StatusBar2",
        {{"X:Thickness", 60}, {"Y:Time", 80}, {"Z:", 180}, {"Current Directory:", 50}});
    TabSheet2->setBottomBar(StatusBar2);
}

void TForm1::buildBodyPropertyPage() {
    QWidget* page = TabSheet3;
    Panel8 = makeGlPanel(page, "Panel8", {0, 8, 545, 529});

    QFrame* panel10 = MakePanel(page, "Panel10", {552, 16, 289, 41});
    Label10 = MakeLabel(panel10, "Label10", "Current Data File:   ", {8, 4}, true);
    Label11 = makeValueLabel(panel10, "Label11", QString(), {8, 21, 277, 17});

    GroupBox5 = makeGroupBox(page, "GroupBox5", "Data in this file", {552, 64, 289, 481});
    QFrame* panel11 = whitePanel(GroupBox5, "Panel11", {8, 20, 273, 453});
    RadioGroup3 = makeRadioGroup(panel11, "RadioGroup3", QString(), bodyItems(), {2, 2, 269, 410});
    BitBtn7 = makeButton(panel11, "BitBtn7", "Show Data", {84, 418, 105, 27}, ShowDataGlyph());

    StatusBar3 = MakeStatusBar(page, "StatusBar3",
                               {{"X:Time", 60}, {"Y:", 260}, {"Current Directory:", 50}});
    TabSheet3->setBottomBar(StatusBar3);
}

void TForm1::buildBodyComfortPage() {
    QWidget* page = TabSheet4;
    QFrame* panel17 = MakePanel(page, "Panel17", {0, 8, 425, 345});
    Panel16 = makeGlPanel(panel17, "Panel16", {8, 8, 409, 329});
    Panel16->setToolTip(QStringLiteral("Sensation and comfort"));

    QFrame* panel18 = MakePanel(page, "Panel18", {432, 8, 409, 345});
    QFrame* panel12 = MakePanel(panel18, "Panel12", {8, 8, 393, 329});
    panel12->setToolTip(QStringLiteral("Animation"));
    Image1 = new QLabel(panel12);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap::fromImage(AnimationPicture()));
    Image1->setGeometry(-8, 4, 393, 321);

    RadioGroup4 = makeRadioGroup(page, "RadioGroup4", "Sensations and comfort",
                                 {"Thermal Sensation", "Dampness Sensation", "Comfort Value"},
                                 {616, 384, 201, 145});

    GroupBox6 = makeGroupBox(page, "GroupBox6", "Conclusions", {0, 352, 585, 209});
    // Label15 ... Label26 with their places in the group box.
    const QPoint places[12] = {{360, 32},  {360, 56},  {360, 80},  {360, 112},
                               {360, 128}, {360, 144}, {360, 160}, {360, 176},
                               {16, 112},  {16, 32},   {16, 56},   {16, 80}};
    QFont conclusionFont = font();
    conclusionFont.setPixelSize(13);
    for (int i = 0; i < 12; ++i) {
        const int width = places[i].x() == 16 ? 340 : 220;
        QLabel* label = makeValueLabel(GroupBox6, QStringLiteral("Label%1").arg(15 + i), QString(),
                                       {places[i].x(), places[i].y(), width, 16});
        label->setFont(conclusionFont);
        ConclusionLabels[static_cast<size_t>(i)] = label;
    }
    Label12 = MakeLabel(page, "Label12", QString(), {0, 0});
    Label13 = MakeLabel(page, "Label13", QString(), {0, 0});
    Label14 = MakeLabel(page, "Label14", QString(), {0, 0});
    Label12->hide();
    Label13->hide();
    Label14->hide();
}

} // namespace tessaplot
