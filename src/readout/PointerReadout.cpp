#include "readout/PointerReadout.h"

#include "app/LocaleText.h"
#include "app/RadioGroup.h"
#include "app/ReadProgressDialog.h"
#include "app/Temp.h"
#include "comfort/ComfortChartGeometry.h"
#include "comfort/ComfortState.h"
#include "comfort/SensationBands.h"
#include "compare/ComparedOverlays.h"
#include "compare/Comparison.h"
#include "compare/DifferenceView.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"
#include "readout/ReadoutText.h"
#include "section2d/Image2d.h"
#include "text/GeneralForm.h"

#include <QColor>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

namespace tessaplot {

namespace {

// How far from a mesh vertex the pointer may be for it to count (logical pixels).
constexpr double kPickRadius = 6.0;
// The label's offset from the pointer, so it never lies under it.
constexpr int kLabelGap = 14;

QString latin1Text(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString lines(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "\n") + part;
    return latin1Text(text);
}

// Under the opened run's lines, each compared run's value nearest the same time, read
// from the records its curve was drawn from.
template <typename Record, typename ValueOf, typename Suffix>
void appendComparedRuns(std::string& text, const Comparison& comparison, float time,
                        const std::function<std::span<const Record>(const ComparedRun&)>& recordsOf,
                        float (*timeOf)(const Record&), ValueOf valueOf, Suffix suffix,
                        const std::string& separator) {
    for (std::size_t i = 0; i < comparison.size(); ++i) {
        const ComparedRun& run = comparison.run(i);
        const std::span<const Record> records = recordsOf(run);
        const std::optional<std::size_t> at = NearestInTime(records, time, timeOf);
        text += "\n";
        if (!at) {
            text += run.name + ": no records";
            continue;
        }
        const float value = valueOf(records[*at]);
        text += ComparedRunReadoutLine(run.name, value, suffix(value), timeOf(records[*at]), time,
                                       separator);
    }
}

float measuredTime(const double& t) {
    return static_cast<float>(t);
}

// Under the runs' lines, each measured series of the shown quantity: its point nearest
// the same time, with its deviation where it has one.
void appendMeasured(std::string& text, const Evidence& evidence, EvidenceQuantity quantity,
                    float time, const std::string& separator) {
    for (const MatchedSeries& matched : SeriesOf(evidence, quantity)) {
        const MeasuredSeries& series = *matched.series;
        const std::optional<std::size_t> at =
            NearestInTime(std::span<const double>(series.times), time, measuredTime);
        if (!at)
            continue;
        std::string note;
        if (*at < series.deviations.size() && std::isfinite(series.deviations[*at]))
            note = " +/- " +
                   ShortestDecimalForm(static_cast<float>(series.deviations[*at]), separator);
        text += "\n" + ComparedRunReadoutLine(matched.file->name,
                                              static_cast<float>(series.values[*at]), note,
                                              measuredTime(series.times[*at]), time, separator);
    }
}

float fieldPointTime(const FieldPoint& p) {
    return p.Time;
}

float comfortRecordTime(const ComfortRecord& r) {
    return r.Time;
}

ReadoutSource fieldSource(TForm1& form, GlPanel* panel) {
    ReadoutSource source;
    source.points = [&form, panel]() -> std::optional<ReadoutPoints> {
        const FieldViewState& state = *form.fieldViewState;
        const KeptFieldMesh& kept = state.keptMesh;
        if (state.shownPanel != panel || !state.shownField || !kept.built ||
            kept.storeGeneration != state.keptTable.generation() ||
            kept.threeD != state.shownField->threeD ||
            kept.mesh.vertexCount() > static_cast<int>(DrawnRecords(form).size()))
            return std::nullopt;
        ReadoutPoints points;
        // The mesh's vertices are the loaded records, one for one, never the thinned set.
        points.points = {kept.mesh.vertices.data(), 3,
                         static_cast<std::size_t>(kept.mesh.vertexCount())};
        points.alongTime = !kept.threeD;
        points.recordsKey = kept.builds;
        return points;
    };
    source.text = [&form, panel](unsigned index) {
        const FieldPoint& p = DrawnRecords(form)[index];
        const FieldDrawInputs& inputs = *form.fieldViewState->shownField;
        const std::string separator = LocaleDecimalSeparator();
        const std::string time = ReadoutLine("Time (min.)", p.Time, separator);
        // A flat Fabric or Fibers picture titles its value axis with the thickness;
        // the value still is the quantity's.
        const std::string& valueTitle =
            panel == form.Panel8 ? inputs.thicknessCaption : inputs.variableCaption;
        if (!inputs.threeD) {
            std::string text = time + "\n" + ReadoutLine(valueTitle, p.Value, separator);
            const FieldLoadRequest& request = form.fieldViewState->keptTable.request();
            if (panel == form.Panel8)
                appendComparedRuns<FieldPoint>(
                    text, *form.comparison, p.Time,
                    [&request](const ComparedRun& run) {
                        // Only a table read by the same request holds this quantity.
                        return run.bodyTable.kept.request().dataColumn == request.dataColumn
                                   ? run.bodyTable.records()
                                   : std::span<const FieldPoint>();
                    },
                    fieldPointTime, [](const FieldPoint& r) { return r.Value; },
                    [](float) { return std::string(); }, separator);
            if (panel == form.Panel8)
                appendMeasured(text, form.comparison->evidence,
                               {EvidenceQuantity::Source::Body, request.dataColumn - 1}, p.Time,
                               separator);
            return latin1Text(text);
        }
        // A difference is in the quantity's unit, whatever its caption ends in.
        const DrawnValueTitle drawn = DrawnValueTitleOf(form, inputs);
        TitleParts value = SplitTitle(drawn.quantity);
        value.name += drawn.differenceSuffix;
        return lines({time, ReadoutLine("Thickness (cm)", p.Position, separator),
                      ReadoutLine(value, p.Value, separator)});
    };
    return source;
}

ReadoutSource comfortSource(TForm1& form) {
    ReadoutSource source;
    source.points = [&form]() -> std::optional<ReadoutPoints> {
        const ComfortState& state = *form.comfortState;
        const int item = form.RadioGroup4->ItemIndex();
        if (!IsComfortQuantity(item) || !state.drawnValid || state.drawnQuantity != item ||
            state.curve.size() != static_cast<std::size_t>(form.ComfortCount) ||
            form.ComfortRecords.size() < state.curve.size())
            return std::nullopt;
        ReadoutPoints points;
        points.points = {reinterpret_cast<const float*>(state.curve.data()), 2, state.curve.size(),
                         CurveZ};
        points.alongTime = true;
        points.recordsKey = static_cast<std::uint64_t>(item);
        return points;
    };
    source.text = [&form](unsigned index) {
        const auto quantity = static_cast<ComfortQuantity>(form.RadioGroup4->ItemIndex());
        const ComfortRecord& record = form.ComfortRecords[index];
        const float value = QuantityValue(record, quantity);
        const std::string separator = LocaleDecimalSeparator();
        const auto bandOf = [quantity](float v) {
            return " (" +
                   std::string(
                       SensationBandsOf(
                           quantity)[static_cast<std::size_t>(SensationBandIndex(quantity, v))]
                           .name) +
                   ")";
        };
        std::string text = ReadoutLine("Time (min.)", record.Time, separator) + "\n" +
                           ReadoutLine(ComfortChartTitle(quantity), value, separator) +
                           bandOf(value);
        appendComparedRuns<ComfortRecord>(
            text, *form.comparison, record.Time,
            [](const ComparedRun& run) { return run.comfort.records(); }, comfortRecordTime,
            [quantity](const ComfortRecord& r) { return QuantityValue(r, quantity); }, bandOf,
            separator);
        appendMeasured(text, form.comparison->evidence,
                       {EvidenceQuantity::Source::Comfort, static_cast<int>(quantity)}, record.Time,
                       separator);
        return latin1Text(text);
    };
    return source;
}

ReadoutSource sectionSource(TForm3& form) {
    ReadoutSource source;
    source.points = [&form]() -> std::optional<ReadoutPoints> {
        if (form.ShownCurve.size() != form.ShownSection.points.size())
            return std::nullopt;
        ReadoutPoints points;
        points.points = {reinterpret_cast<const float*>(form.ShownCurve.data()), 2,
                         form.ShownCurve.size()};
        points.alongTime = true;
        return points;
    };
    source.text = [&form](unsigned index) {
        const SectionPoint& p = form.ShownSection.points[index];
        const std::string separator = LocaleDecimalSeparator();
        std::string text = ReadoutLine(form.XTitle, p.x, separator) + "\n" +
                           ReadoutLine(form.YTitle, p.y, separator);
        // Each compared run's cut as drawn beside it, at its point nearest the same place
        // (a cut need not be in order of place: every point is looked at).
        const std::string xUnit = SplitTitle(form.XTitle).unit;
        for (const ComparedCurve& curve : ShownComparedSections(form)) {
            text += "\n" + curve.name + ": ";
            if (curve.points.empty()) {
                text += curve.problem.empty() ? "no records" : curve.problem;
                continue;
            }
            const SectionPoint* nearest = &curve.points.front();
            for (const SectionPoint& q : curve.points)
                if (std::abs(q.x - p.x) < std::abs(nearest->x - p.x))
                    nearest = &q;
            text += ShortestDecimalForm(nearest->y, separator);
            if (nearest->x != p.x)
                text += " at " + ShortestDecimalForm(nearest->x, separator) +
                        (xUnit.empty() ? "" : " " + xUnit);
        }
        return latin1Text(text);
    };
    return source;
}

void attach(GlPanel* panel, ReadoutSource source) {
    if (panel == nullptr)
        return;
    panel->setMouseTracking(true);
    new PointerReadout(panel, std::move(source));
}

} // namespace

PointerReadout::PointerReadout(GlPanel* panel, ReadoutSource source)
    : QObject(panel), m_panel(panel), m_source(std::move(source)) {
    // A window of its own: showing or moving it paints nothing of the panel below.
    m_label = new QLabel(panel, Qt::ToolTip | Qt::FramelessWindowHint |
                                    Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
    m_label->setObjectName(QStringLiteral("PointerReadout"));
    m_label->setAttribute(Qt::WA_ShowWithoutActivating);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setFrameShape(QFrame::Box);
    m_label->setMargin(2);
    m_label->setAutoFillBackground(true);
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 225));
    palette.setColor(QPalette::WindowText, Qt::black);
    m_label->setPalette(palette);
    m_label->setFont(panel->window()->font());
    m_label->hide();
    panel->installEventFilter(this);
    // A new picture under a resting pointer (following, a step from a tool button):
    // its grid is made in the next idle slot, so the first move over it costs no more
    // than any other, and a label still showing is read again. Not while a drag takes
    // one step after another.
    panel->onPictureShown = [this] {
        if (m_label->isVisible() ||
            (m_pointerInside && QGuiApplication::mouseButtons() == Qt::NoButton))
            prepareSoon();
    };
}

PointerReadout::~PointerReadout() = default;

bool PointerReadout::prepare(const ReadoutPoints& points) {
    if (m_panel->shownGeneration() == 0 || points.points.count == 0)
        return false;
    // Built per view and per load, never per move.
    if (!m_built || m_builtGeneration != m_panel->shownGeneration() ||
        m_builtKey != points.recordsKey || m_builtCoords != points.points.coords ||
        m_builtCount != points.points.count) {
        m_picker.build(points.points, m_panel->shownMapping(),
                       points.alongTime ? ScreenPicker::Question::AlongX
                                        : ScreenPicker::Question::Nearest,
                       kPickRadius * m_panel->devicePixelRatioF());
        m_built = true;
        m_builtGeneration = m_panel->shownGeneration();
        m_builtKey = points.recordsKey;
        m_builtCoords = points.points.coords;
        m_builtCount = points.points.count;
    }
    return true;
}

void PointerReadout::prepareSoon() {
    if (m_prepareQueued)
        return;
    m_prepareQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_prepareQueued = false;
            if (ReadInProgress() || !m_pointerInside) {
                hide();
                return;
            }
            // A label left showing reads the new picture at the resting pointer.
            if (m_label->isVisible())
                pointerAt(m_lastPointer);
            else if (const std::optional<ReadoutPoints> points = m_source.points())
                prepare(*points);
        },
        Qt::QueuedConnection);
}

std::optional<unsigned> PointerReadout::pick(QPoint at) {
    const std::optional<ReadoutPoints> points = m_source.points ? m_source.points() : std::nullopt;
    if (!points || !prepare(*points))
        return std::nullopt;
    const double ratio = m_panel->devicePixelRatioF();
    const double radius = kPickRadius * ratio;
    // The pixel's centre, in OpenGL's window coordinates (origin lower left).
    const double x = (at.x() + 0.5) * ratio;
    const double y = DeviceSize(m_panel).height() - (at.y() + 0.5) * ratio;
    if (!points->alongTime)
        return m_picker.nearest(x, y, radius);
    const std::optional<unsigned> found = m_picker.nearestAlongX(x, y);
    // Beyond either end of the curve there is no time to read.
    const WindowMapping& mapping = m_panel->shownMapping();
    if (found) {
        const float* p = points->points.coords + *found * points->points.stride;
        const float z = points->points.stride > 2 ? p[2] : points->points.z;
        if (std::abs(mapping.windowX(p[0], p[1], z) - x) > radius)
            return std::nullopt;
    }
    return found;
}

void PointerReadout::pointerAt(QPoint at) {
    m_lastPointer = at;
    // A read in progress may be refilling the records the picker points into.
    const std::optional<unsigned> index = ReadInProgress() ? std::nullopt : pick(at);
    if (!index) {
        hide();
        return;
    }
    m_label->setText(m_source.text(*index));
    m_label->adjustSize();
    const QSize size = m_label->size();
    QPoint place = at + QPoint(kLabelGap, kLabelGap);
    if (place.x() + size.width() > m_panel->width())
        place.setX(at.x() - kLabelGap - size.width());
    if (place.y() + size.height() > m_panel->height())
        place.setY(at.y() - kLabelGap - size.height());
    place.setX(std::max(place.x(), 0));
    place.setY(std::max(place.y(), 0));
    m_label->move(m_panel->mapToGlobal(place));
    m_label->show();
}

void PointerReadout::hide() {
    if (m_label->isVisible())
        m_label->hide();
}

// Only watches: every event goes on to the panel as before.
bool PointerReadout::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_panel)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        m_pointerInside = move->buttons() == Qt::NoButton;
        if (m_pointerInside)
            pointerAt(move->position().toPoint());
        else
            hide();
        break;
    }
    case QEvent::Leave:
    case QEvent::Hide:
        m_pointerInside = false;
        hide();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        hide();
        break;
    default:
        break;
    }
    return false;
}

void AttachPointerReadouts() {
    if (Form1 != nullptr) {
        for (GlPanel* panel : {Form1->Panel1, Form1->Panel5, Form1->Panel8})
            attach(panel, fieldSource(*Form1, panel));
        attach(Form1->Panel16, comfortSource(*Form1));
    }
    if (Form3 != nullptr)
        attach(Form3->ImageDC, sectionSource(*Form3));
}

PointerReadout* ReadoutOf(GlPanel* panel) {
    return panel == nullptr
               ? nullptr
               : panel->findChild<PointerReadout*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace tessaplot
