// Every text of the four windows within the room its control gives it, and every axis
// title of the pictures clear of the tick labels beside it. The suite runs at 100 % and
// again at 150 % and 200 % (QT_SCALE_FACTOR, see the test list): the layout stays the
// same in window pixels, the fonts are measured as the scaled screen lays them out.
#include "app/RadioGroup.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "fieldview/Colorselection1.h"
#include "gl/BitmapFont.h"
#include "gl/DrawingState.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"
#include "section2d/SectionPlot.h"
#include "support/fieldview_fixture.h"

#include "SampleData.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tessaplot::test {
namespace {

// One text against its room, in pixels: window pixels for controls, device pixels
// (need: one window pixel of gap) for a title beside a tick label.
struct Fit {
    QString where;
    QString text;
    int need;
    int room;
};

// Texts that cannot fit by design, with the reason.
struct Allowance {
    const char* control;
    const char* why;
};
const Allowance kAllowed[] = {
    {"Form1/Label4", "the shown quantity: the 150 pixels the panel leaves are narrower than the "
                     "longer names, the picture's title shows them whole"},
    {"Form1/Label9", "the shown quantity, as Label4"},
    {"Form1/StatusBar1/Panel3", "\"Z:\" and the shown quantity in a panel 180 pixels wide"},
    {"Form1/StatusBar2/Panel2", "\"Z:\" and the shown quantity in a panel 180 pixels wide"},
};

bool allowed(const QString& where) {
    for (const Allowance& allowance : kAllowed)
        if (where == QLatin1String(allowance.control))
            return true;
    return false;
}

double screenScale() {
    bool ok = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok && factor > 0 ? factor : 1.0;
}

// The text as a control shows it: "&&" is one '&', a single '&' marks a shortcut key.
QString shownText(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '&')
            shown += text[i];
        else if (i + 1 < text.size() && text[i + 1] == '&')
            shown += text[++i];
    }
    return shown;
}

QString nameOf(const QWidget* widget) {
    QString name = widget->objectName();
    if (qobject_cast<const QLabel*>(widget) && widget->parentWidget() &&
        qobject_cast<const QStatusBar*>(widget->parentWidget()))
        name = widget->parentWidget()->objectName() + "/" + name;
    return widget->window()->objectName() + "/" + name;
}

// The part of `widget` (its own coordinates) that its ancestors up to the window leave
// visible.
QRect visibleRect(const QWidget* widget) {
    QRect visible = widget->rect();
    QPoint offset(0, 0);
    for (const QWidget* w = widget; !w->isWindow(); w = w->parentWidget()) {
        offset += w->pos();
        const QWidget* parent = w->parentWidget();
        visible &= parent->contentsRect().translated(-offset);
    }
    return visible;
}

int advance(const QWidget* widget, const QString& text) {
    return widget->fontMetrics().horizontalAdvance(text);
}

void measureLabel(QLabel* label, std::vector<Fit>& fits) {
    if (label->text().isEmpty() || !label->pixmap().isNull())
        return;
    // Trailing spaces pad a caption; other controls may lie over them.
    QString text = label->text();
    while (text.endsWith(' '))
        text.chop(1);
    const QRect contents = label->contentsRect();
    const int start = contents.left() + std::max(label->margin(), 0);
    const int end = start + advance(label, text);
    int room = std::min(contents.right(), visibleRect(label).right()) + 1;
    // A visible control beside the label on the same line covers its text.
    const QRect line = label->geometry().adjusted(start, 0, 0, 0);
    for (QWidget* sibling :
         label->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (sibling == label || sibling->isHidden() || qobject_cast<QLabel*>(sibling))
            continue;
        const QRect other = sibling->geometry();
        if (other.left() >= line.left() && other.top() < line.bottom() &&
            other.bottom() > line.top())
            room = std::min(room, other.left() - label->x());
    }
    fits.push_back({nameOf(label), text, end, room});
    // Upright, the text's own ink must show (the line's leading may be cut).
    fits.push_back({nameOf(label) + " (height)", text,
                    label->fontMetrics().tightBoundingRect(text).height(),
                    std::min(contents.height(), visibleRect(label).height())});
}

void measureButton(QAbstractButton* button, std::vector<Fit>& fits) {
    if (button->text().isEmpty())
        return;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    const QString text = shownText(button->text());
    int need = advance(button, text);
    QRect contents;
    if (qobject_cast<QPushButton*>(button)) {
        contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        if (!button->icon().isNull())
            need += button->iconSize().width() + 4; // the style's gap after the icon
    } else {
        contents = button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
        contents.setRight(std::min(contents.right(), visibleRect(button).right()));
    }
    fits.push_back({nameOf(button), text, need, contents.width()});
}

void measureGroupBox(QGroupBox* box, std::vector<Fit>& fits) {
    if (box->title().isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    fits.push_back({nameOf(box), shownText(box->title()),
                    label.left() + advance(box, shownText(box->title())),
                    std::min(box->width(), visibleRect(box).right() + 1)});
}

// The shown text in the closed box, and every item in the open list.
void measureComboBox(QComboBox* box, std::vector<Fit>& fits) {
    const QString where = nameOf(box);
    const int icon = box->currentIndex() >= 0 && !box->itemIcon(box->currentIndex()).isNull()
                         ? box->iconSize().width() + 4
                         : 0;
    int field = 0;
    if (box->isEditable()) {
        field = box->lineEdit()->contentsRect().width() - 4; // the line edit's inner margins
    } else {
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = false;
        option.subControls = QStyle::SC_All;
        field =
            box->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
                .width();
    }
    fits.push_back({where, box->currentText(), icon + advance(box, box->currentText()), field});
    if (box->count() == 0)
        return;
    box->showPopup();
    QAbstractItemView* view = box->view();
    EXPECT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); })) << where.toStdString();
    const int room = view->viewport()->width();
    for (int i = 0; i < box->count(); ++i)
        fits.push_back({where + " (list)", box->itemText(i),
                        view->sizeHintForIndex(view->model()->index(i, box->modelColumn())).width(),
                        room});
    box->hidePopup();
}

void measureWidgets(QWidget* root, std::vector<Fit>& fits) {
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (!widget->isVisibleTo(root->window()) || widget->objectName().isEmpty())
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget))
            measureLabel(label, fits);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            measureButton(button, fits);
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            measureComboBox(combo, fits);
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            measureGroupBox(group, fits);
    }
}

// Where each text of a picture lands (device pixels, y up), read from OpenGL while the
// picture is drawn.
class TextRecorder : public DrawingObserver {
public:
    struct Placed {
        std::string text;
        unsigned base;
        QPointF at;
    };
    std::vector<Placed> placed;
    void text(std::string_view latin1, unsigned fontBase) override {
        GLfloat position[4];
        GLboolean valid = GL_FALSE;
        glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
        glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
        if (valid == GL_TRUE)
            placed.push_back({std::string(latin1), fontBase, {position[0], position[1]}});
    }
    void stippleChanged(bool) override {}
    void lineWidthChanged(float) override {}
};

// The ink of a bitmap text drawn from `at` (device pixels, y up) in the font of `base`.
QRect inkOf(const std::string& text, unsigned base, QPointF at, double ratio) {
    const QFontMetrics metrics(
        ScaledFont(base == kViewFontBase ? ViewFont() : SystemFont(), ratio));
    const QRect box =
        metrics.boundingRect(QString::fromLatin1(text.data(), qsizetype(text.size())));
    const int x = static_cast<int>(std::lround(at.x())), y = static_cast<int>(std::lround(at.y()));
    return QRect(QPoint(x + box.left(), y - box.bottom()), QPoint(x + box.right(), y - box.top()));
}

// Pixels between two rectangles along the axis on which they are apart; zero or less
// when they touch or overlap.
int gapBetween(const QRect& a, const QRect& b) {
    const int dx = std::max(a.left() - b.right(), b.left() - a.right()) - 1;
    const int dy = std::max(a.top() - b.bottom(), b.top() - a.bottom()) - 1;
    return std::max(dx, dy);
}

struct PlacedInk {
    std::string text;
    QRect ink;
};

void measureTitles(const QString& where, const std::vector<PlacedInk>& titles,
                   const std::vector<PlacedInk>& ticks, double ratio, std::vector<Fit>& fits) {
    const int onePixel = static_cast<int>(std::ceil(ratio));
    for (const PlacedInk& title : titles)
        for (const PlacedInk& tick : ticks)
            fits.push_back({where + " title vs tick " + QString::fromStdString(tick.text),
                            QString::fromStdString(title.text), onePixel,
                            gapBetween(title.ink, tick.ink)});
}

// Draws the shown field page once with the recorder watching; titles are the captions
// in the system font, tick labels the texts in the view font.
void measureFieldPicture(const QString& where, size_t tickLabels, const std::function<void()>& draw,
                         std::vector<Fit>& fits) {
    TextRecorder recorder;
    SetDrawingObserver(&recorder);
    draw();
    SetDrawingObserver(nullptr);
    const double ratio = Form1->ViewDC->devicePixelRatioF();
    std::vector<PlacedInk> titles, ticks;
    for (const TextRecorder::Placed& p : recorder.placed) {
        const PlacedInk ink{p.text, inkOf(p.text, p.base, p.at, ratio)};
        if (p.base == kViewFontBase)
            ticks.push_back(ink);
        else if (p.text == Form1->ThicknessCaption || p.text == Form1->TimeCaption ||
                 p.text == Form1->VariableCaption)
            titles.push_back(ink);
    }
    EXPECT_EQ(ticks.size(), tickLabels) << where.toStdString();
    EXPECT_GE(titles.size(), 2u) << where.toStdString();
    measureTitles(where, titles, ticks, ratio, fits);
}

// The 2D image window's picture from its plain geometry, placed by its fixed projection
// and viewport; titles and tick texts are all in the system font.
void measureSectionPicture(const QString& where, const Section& section,
                           const SectionExtents& extents, std::vector<Fit>& fits) {
    const double ratio = screenScale();
    const SectionPicture picture =
        BuildSectionPicture(section, extents, "Evaporation&Condensation Rate(kg/m^3/s^1)", ".");
    const QMatrix4x4 projection =
        ExpectedProjection(kSectionProjectionWidth, kSectionProjectionHeight, 1.15f);
    const auto place = [&](const PlotLabel& label) {
        const QVector3D ndc = projection.map(
            QVector3D(label.x + kSectionFrameOrigin[0], label.y + kSectionFrameOrigin[1], 0));
        const QPointF at((ndc.x() + 1) / 2 * kSectionViewportWidth * ratio,
                         (ndc.y() + 1) / 2 * kSectionViewportHeight * ratio);
        return PlacedInk{label.text, inkOf(label.text, kSystemFontBase, at, ratio)};
    };
    std::vector<PlacedInk> titles{place(picture.xTitle), place(picture.yTitle)}, ticks;
    for (size_t i = 0; i < 6; ++i) {
        ticks.push_back(place(picture.xTicks[i]));
        ticks.push_back(place(picture.yTicks[i]));
    }
    measureTitles(where, titles, ticks, ratio, fits);
}

// A one-layer fabric of six nodes 0 ... 0.08 thick over eleven steps of six minutes,
// its water vapour column (the first quantity) from 1.23E-2 upwards.
QString writeThinFabric(const QString& directory) {
    std::string table;
    char line[256];
    for (int step = 0; step < 11; ++step)
        for (int node = 0; node < 6; ++node) {
            std::snprintf(line, sizeof line, "%d\t%g\t1\t%.6g\t1.1E-02\t0\t55\t1E-05\t21\t0.5\n",
                          6 * step, 0.016 * node, 0.0123 + 0.0004 * (step + node));
            table += line;
        }
    EXPECT_TRUE(QDir().mkpath(directory));
    EXPECT_TRUE(sample::WriteTextFile(
        std::filesystem::path(directory.toStdString()) / "Fabrics.dat", table));
    return directory;
}

// Selects the longest item of a radio group, so that what shows it gets the longest.
void chooseLongest(RadioGroup* group) {
    int longest = 0;
    for (int i = 1; i < group->Count(); ++i)
        if (group->ItemText(i).size() > group->ItemText(longest).size())
            longest = i;
    group->SetItemIndex(longest);
}

using ShellTextFitTest = FieldViewTest;

TEST_F(ShellTextFitTest, EveryTextFitsItsControlAndEveryAxisTitleClearsTheTickLabels) {
    openDataSet(writeSampleDataSet());
    std::vector<Fit> fits;

    // The main window's pages, each shown with its longest quantity on show.
    const struct Page {
        QWidget* page;
        RadioGroup* group;
        QPushButton* show;
    } pages[] = {{Form1->TabSheet1, Form1->RadioGroup1, Form1->BitBtn1},
                 {Form1->TabSheet2, Form1->RadioGroup2, Form1->BitBtn4},
                 {Form1->TabSheet3, Form1->RadioGroup3, Form1->BitBtn7},
                 {Form1->TabSheet4, nullptr, nullptr}};
    for (const Page& page : pages) {
        Form1->SetActivePage(page.page);
        ASSERT_TRUE(waitForRedraw());
        if (page.group != nullptr) {
            chooseLongest(page.group);
            page.show->click();
            ASSERT_TRUE(waitForRedraw());
        }
        measureWidgets(page.page, fits);
        if (page.page == Form1->TabSheet3)
            measureFieldPicture(
                "Form1/Panel8", 12, [] { Form1->BitBtn7Click(); }, fits);
    }
    QTabBar* tabs = Form1->PageControl1->tabBar();
    for (int i = 0; i < tabs->count(); ++i)
        fits.push_back({"Form1/PageControl1 tab", tabs->tabText(i),
                        tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) +
                            tabs->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, tabs),
                        tabs->tabRect(i).width()});
    for (QAction* action : Form1->menuBar()->actions())
        fits.push_back({"Form1/MainMenu1", action->text(),
                        Form1->menuBar()->fontMetrics().horizontalAdvance(action->text()),
                        Form1->menuBar()->actionGeometry(action).width()});

    // For a person to look at: TESSAPLOT_PICTURE_DIR=/some/dir keeps the Fabric page.
    Form1->SetActivePage(Form1->TabSheet1);
    ASSERT_TRUE(waitForRedraw());
    if (const QString dir = qEnvironmentVariable("TESSAPLOT_PICTURE_DIR"); !dir.isEmpty())
        Form1->grab().save(
            QStringLiteral("%1/fonts-%2.png").arg(dir).arg(qRound(screenScale() * 100)));

    // The chooser, the colour dialog and the 2D image window as they first show.
    for (QWidget* window : std::initializer_list<QWidget*>{Form4, Form2, Form3}) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        measureWidgets(window, fits);
        window->hide();
    }

    // The axis titles of a thin fabric, whose thickness ticks lie close below its title.
    openDataSet(writeThinFabric(dataDir.filePath("thin-fabric")));
    Form1->RadioGroup1->SetItemIndex(0);
    measureFieldPicture(
        "Form1/Panel1", 18, [] { Form1->BitBtn1Click(); }, fits);
    Section time{SectionKind::Time, 0, {{0, 0.001f}, {0.25f, 0.006f}}};
    measureSectionPicture("Form3 time section", time, {0, 0.25f, 0.25f, 0.001f, 0.006f, 0.005f},
                          fits);
    Section position{SectionKind::Position, 0, {{0, 0.001f}, {120, 0.006f}}};
    measureSectionPicture("Form3 position section", position, {0, 120, 120, 0.001f, 0.006f, 0.005f},
                          fits);

    int checked = 0;
    for (const Fit& fit : fits) {
        if (allowed(fit.where))
            continue;
        ++checked;
        EXPECT_LE(fit.need, fit.room) << fit.where.toStdString() << " \"" << fit.text.toStdString()
                                      << "\" at " << screenScale() * 100 << " %";
    }
    EXPECT_GT(checked, 150);
}

} // namespace
} // namespace tessaplot::test
