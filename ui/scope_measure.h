#pragma once

#include "engine/simulator_state.h"
#include "scope/drawn_sweep.h"
#include "scope/reference_trace.h"
#include "scope/scope_controls.h"
#include "scope/scope_cursors.h"

#include <QObject>

#include <functional>
#include <optional>

class ChartWidget;
class QAbstractButton;
class QAction;
class QComboBox;
class QMenu;
class RadioGroup;

// What measuring on the scope reads and follows in the main window.
struct ScopeMeasureSources {
    ChartWidget& scope;
    const signova::SimulatorState& state;
    // A change of any of these clears the reference trace.
    RadioGroup& timebase;
    RadioGroup& input;
    QComboBox& bits;
    QComboBox& sampleRate;
    // Run as the Run button does, and stop as the Stop button does.
    std::function<void()> run;
    std::function<void()> stop;
    std::function<bool()> running;
};

// Measuring on the scope, from its menu: "Cursors" (two time and two level
// cursors dragged with the mouse, snapped to plotted samples, with their
// read-out and the scale of a division), "Single sweep", "Hold as reference"
// and "Clear reference". The scope keeps its four series: the cursors and the
// reference are layers of the chart widget.
class ScopeMeasure : public QObject {
    Q_OBJECT
public:
    explicit ScopeMeasure(ScopeMeasureSources sources);
    ~ScopeMeasure() override;

    // Adds the entries to the scope's menu.
    void AddTo(QMenu& menu);

    // The run has drawn a sweep; `controls` are those it was drawn with.
    void SweepDrawn(const signova::ScopeControls& controls);
    // The run was stopped, whatever stopped it.
    void Stopped() { singleSweepArmed_ = false; }

    void SetCursorsShown(bool shown);
    bool CursorsShown() const { return cursors_.shown; }
    void SingleSweep();
    void HoldReference();
    void ClearReference();

    const signova::DrawnSweep& Sweep() const { return sweep_; }
    const signova::CursorPlaces& Places() const { return cursors_.places; }
    const signova::ReferenceTrace& Reference() const { return reference_; }
    QAction* CursorsAction() const { return cursorsAction_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Grip { Time1, Time2, Level1, Level2 };
    std::optional<Grip> GripNear(QPointF pixel) const;
    void Drag(Grip grip, QPointF pixel);
    void Repaint();

    ScopeMeasureSources sources_;
    signova::DrawnSweep sweep_;
    signova::CursorLayer cursors_{sweep_};
    signova::ReferenceTrace reference_;
    bool cursorsPlaced_ = false;
    bool singleSweepArmed_ = false;
    std::optional<Grip> dragging_;
    QAction* cursorsAction_ = nullptr;
};
