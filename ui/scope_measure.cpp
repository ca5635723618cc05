#include "ui/scope_measure.h"

#include "ui/chart_widget.h"
#include "ui/radio_group.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>

#include <cmath>

namespace {

// A cursor is taken up by a press this close to it, in pixels.
constexpr double GripDistance = 8;

double UnitsAt(const signova::AxisScale& scale, double pixel) {
    if (scale.endPixel == scale.startPixel)
        return scale.minimum;
    return scale.minimum + (pixel - scale.startPixel) * (scale.maximum - scale.minimum) /
                               (scale.endPixel - scale.startPixel);
}

double PixelsPerUnit(const signova::AxisScale& scale) {
    return std::fabs((scale.endPixel - scale.startPixel) / (scale.maximum - scale.minimum));
}

} // namespace

ScopeMeasure::ScopeMeasure(ScopeMeasureSources sources)
    : sources_(std::move(sources)), reference_(sources_.state) {
    sources_.scope.AddLayer(reference_, true);
    sources_.scope.AddLayer(cursors_, false);
    sources_.scope.installEventFilter(this);
    auto clear = [this] { ClearReference(); };
    for (RadioGroup* group : {&sources_.timebase, &sources_.input})
        for (QRadioButton* item : group->Items())
            connect(item, &QRadioButton::toggled, this, clear);
    for (QComboBox* combo : {&sources_.bits, &sources_.sampleRate})
        connect(combo, &QComboBox::editTextChanged, this, clear);
}

ScopeMeasure::~ScopeMeasure() = default;

void ScopeMeasure::AddTo(QMenu& menu) {
    cursorsAction_ = menu.addAction(QStringLiteral("Cursors"));
    cursorsAction_->setCheckable(true);
    cursorsAction_->setToolTip(QStringLiteral(
        "Two time and two level cursors on the samples of the sweep shown; drag them with the "
        "mouse. The read-out gives times, period, frequency, levels in codes and the scale of "
        "a division"));
    connect(cursorsAction_, &QAction::toggled, this, [this](bool on) { SetCursorsShown(on); });
    QAction* single = menu.addAction(QStringLiteral("Single sweep"));
    single->setToolTip(QStringLiteral(
        "Runs (or keeps the run going) until the next sweep has been drawn, then stops: on the "
        "FIR or IIR page"));
    connect(single, &QAction::triggered, this, [this] { SingleSweep(); });
    QAction* hold = menu.addAction(QStringLiteral("Hold as reference"));
    hold->setToolTip(QStringLiteral(
        "Keeps the output of the sweep shown, drawn in grey under the live traces; a change of "
        "timebase, sample rate, bits or input choice clears it"));
    connect(hold, &QAction::triggered, this, [this] { HoldReference(); });
    QAction* clear = menu.addAction(QStringLiteral("Clear reference"));
    clear->setToolTip(QStringLiteral("Removes the reference trace"));
    connect(clear, &QAction::triggered, this, [this] { ClearReference(); });
    menu.setToolTipsVisible(true);
}

void ScopeMeasure::SweepDrawn(const signova::ScopeControls& controls) {
    signova::KeepDrawnSweep(sweep_, sources_.state, controls);
    if (singleSweepArmed_) {
        singleSweepArmed_ = false;
        sources_.stop();
    }
}

void ScopeMeasure::SetCursorsShown(bool shown) {
    if (shown && !cursorsPlaced_ && sweep_.present) {
        const int last = sweep_.lastSample;
        cursors_.places = {last / 4,
                           3 * last / 4,
                           {signova::Trace::Output, last / 4},
                           {signova::Trace::Output, 3 * last / 4}};
        cursorsPlaced_ = true;
    }
    cursors_.shown = shown;
    if (cursorsAction_ && cursorsAction_->isChecked() != shown)
        cursorsAction_->setChecked(shown);
    Repaint();
}

void ScopeMeasure::SingleSweep() {
    singleSweepArmed_ = true;
    // Inside a run, the run goes on until the sweep is drawn. Else a run
    // starts here as Run starts it (on a page without a filter it stops at
    // once) and returns once it has stopped.
    if (sources_.running())
        return;
    sources_.run();
    singleSweepArmed_ = false;
}

void ScopeMeasure::HoldReference() {
    reference_.Hold(sweep_);
    Repaint();
}

void ScopeMeasure::ClearReference() {
    if (!reference_.Held())
        return;
    reference_.Clear();
    Repaint();
}

void ScopeMeasure::Repaint() {
    sources_.scope.Chart().RequestRepaint();
}

std::optional<ScopeMeasure::Grip> ScopeMeasure::GripNear(QPointF pixel) const {
    if (!cursors_.shown || !sweep_.present)
        return std::nullopt;
    const signova::ChartLayout layout = sources_.scope.CurrentLayout();
    const signova::AxisScale& across = layout.Axis(signova::AxisPosition::Bottom);
    const signova::AxisScale& up = layout.Axis(signova::AxisPosition::Left);
    const signova::CursorPlaces places = signova::WithinSweep(cursors_.places, sweep_);
    const struct {
        Grip grip;
        double distance;
    } grips[] = {
        {Grip::Time1,
         std::fabs(across.ToPixel(signova::PlottedX(sweep_, places.time1)) - pixel.x())},
        {Grip::Time2,
         std::fabs(across.ToPixel(signova::PlottedX(sweep_, places.time2)) - pixel.x())},
        {Grip::Level1, std::fabs(up.ToPixel(signova::PlottedY(sweep_, places.level1.trace,
                                                              places.level1.sample)) -
                                 pixel.y())},
        {Grip::Level2, std::fabs(up.ToPixel(signova::PlottedY(sweep_, places.level2.trace,
                                                              places.level2.sample)) -
                                 pixel.y())},
    };
    std::optional<Grip> nearest;
    double nearestDistance = GripDistance * sources_.scope.TraceScale();
    for (const auto& grip : grips)
        if (grip.distance <= nearestDistance) {
            nearest = grip.grip;
            nearestDistance = grip.distance;
        }
    return nearest;
}

void ScopeMeasure::Drag(Grip grip, QPointF pixel) {
    const signova::ChartLayout layout = sources_.scope.CurrentLayout();
    const signova::AxisScale& across = layout.Axis(signova::AxisPosition::Bottom);
    const signova::AxisScale& up = layout.Axis(signova::AxisPosition::Left);
    const double x = UnitsAt(across, pixel.x());
    const double y = UnitsAt(up, pixel.y());
    signova::CursorPlaces& places = cursors_.places;
    switch (grip) {
    case Grip::Time1:
        places.time1 = signova::NearestSample(sweep_, x);
        break;
    case Grip::Time2:
        places.time2 = signova::NearestSample(sweep_, x);
        break;
    case Grip::Level1:
    case Grip::Level2:
        (grip == Grip::Level1 ? places.level1 : places.level2) =
            signova::NearestPlottedSample(sweep_, x, y, PixelsPerUnit(across), PixelsPerUnit(up));
        break;
    }
    Repaint();
}

bool ScopeMeasure::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &sources_.scope)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        dragging_ = GripNear(mouse->position());
        if (!dragging_)
            return false;
        Drag(*dragging_, mouse->position());
        return true;
    }
    case QEvent::MouseMove:
        if (!dragging_)
            return false;
        Drag(*dragging_, static_cast<QMouseEvent*>(event)->position());
        return true;
    case QEvent::MouseButtonRelease:
        if (!dragging_)
            return false;
        dragging_.reset();
        return true;
    default:
        return false;
    }
}
