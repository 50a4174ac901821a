#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"

#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace tessaplot {

namespace {

QPoint clientPoint(const QMouseEvent* event) {
    return event->position().toPoint();
}

// Presses on the Fibers tool bar itself (not on its buttons), and clicks on the
// "Conclusions" group box itself (not on its labels).
class FieldViewEventFilter : public QObject {
public:
    explicit FieldViewEventFilter(TForm1& form) : QObject(&form), m_form(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = clientPoint(mouse);
        if (watched == m_form.ToolBar1 && type == QEvent::MouseButtonPress) {
            m_form.ToolBar1MouseDown(at.x(), at.y());
        } else if (watched == m_form.GroupBox6) {
            FieldViewState& state = *m_form.fieldViewState;
            const bool uncovered = m_form.GroupBox6->childAt(at) == nullptr;
            if (type == QEvent::MouseButtonPress) {
                state.conclusionsPressed = uncovered && mouse->button() == Qt::LeftButton;
            } else if (state.conclusionsPressed && mouse->button() == Qt::LeftButton) {
                state.conclusionsPressed = false;
                // The click shows the Fabric page's message and captions; the chart
                // surface it would draw into belongs to the comfort chart.
                if (m_form.GroupBox6->rect().contains(at) && uncovered)
                    ShowFabricData(m_form, false);
            }
        }
        return false;
    }

private:
    TForm1& m_form;
};

} // namespace

void TForm1::wireFieldView() {
    fieldViewState = std::make_shared<FieldViewState>();

    const auto click = [this](QToolButton* button, void (TForm1::*handler)()) {
        connect(button, &QToolButton::clicked, this, handler);
    };
    click(ToolButton3, &TForm1::ToolButton3Click);
    click(ToolButton4, &TForm1::ToolButton4Click);
    click(ToolButton5, &TForm1::ToolButton5Click);
    click(ToolButton6, &TForm1::ToolButton6Click);
    click(ToolButton7, &TForm1::ToolButton7Click);
    click(ToolButton8, &TForm1::ToolButton8Click);
    click(ToolButton1, &TForm1::ToolButton1Click);
    click(ToolButton2, &TForm1::ToolButton2Click);
    click(ToolButton9, &TForm1::ToolButton9Click);
    click(ToolButton10, &TForm1::ToolButton10Click);
    click(ToolButton11, &TForm1::ToolButton11Click);
    click(ToolButton12, &TForm1::ToolButton12Click);
    click(ToolButton13, &TForm1::ToolButton13Click);
    click(ToolButton14, &TForm1::ToolButton14Click);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
    connect(BitBtn7, &QPushButton::clicked, this, &TForm1::BitBtn7Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(RadioGroup1, &RadioGroup::Clicked, this, &TForm1::RadioGroup1Click);

    // Mouse on the two 3D panels. A press first runs a move still waiting, so that
    // move is judged against the press point it belongs to.
    for (GlPanel* panel : {Panel1, Panel5}) {
        const bool fabric = panel == Panel1;
        panel->onMousePress = [this, fabric](QMouseEvent* event) {
            FlushPendingMove(*this);
            const QPoint at = clientPoint(event);
            if (fabric)
                Panel1MouseDown(at.x(), at.y());
            else
                Panel5MouseDown(at.x(), at.y());
        };
        panel->onMouseMove = [this, panel](QMouseEvent* event) {
            const QPoint at = clientPoint(event);
            auto& pending = fieldViewState->pendingMove;
            const bool queued = pending.has_value();
            pending = FieldViewState::PendingMove{panel, at.x(), at.y(),
                                                  (event->buttons() & Qt::LeftButton) != 0};
            if (!queued)
                QMetaObject::invokeMethod(
                    this, [this] { FlushPendingMove(*this); }, Qt::QueuedConnection);
        };
        // The second press of a double click is a press too. Only the left button
        // double-clicks; with another button it is just a second press.
        panel->onDoubleClick = [this, fabric](QMouseEvent* event) {
            FlushPendingMove(*this);
            const QPoint at = clientPoint(event);
            const bool left = event->button() == Qt::LeftButton;
            if (fabric) {
                Panel1MouseDown(at.x(), at.y());
                if (left)
                    Panel1DblClick();
            } else {
                Panel5MouseDown(at.x(), at.y());
                if (left)
                    Panel5DblClick();
            }
        };
    }

    auto* filter = new FieldViewEventFilter(*this);
    ToolBar1->installEventFilter(filter);
    GroupBox6->installEventFilter(filter);

    StartFollowingFieldTables(*this);
}

} // namespace tessaplot
