#pragma once

#include "chart/chart_layer.h"
#include "engine/simulator_state.h"
#include "scope/drawn_sweep.h"

#include <vector>

// A sweep's output kept to compare the next filter with: its codes, drawn in
// grey under the live traces with the scope's current gain.
namespace signova {

class ReferenceTrace : public ChartLayer {
public:
    explicit ReferenceTrace(const SimulatorState& state) : state_(state) {}

    // Keeps the output of `sweep`; nothing when no sweep has been drawn.
    void Hold(const DrawnSweep& sweep);
    void Clear() { held_ = false; }
    bool Held() const { return held_; }
    // Output codes times DacScale, as captured, of samples 0..lastSample.
    const DrawnSweep& Kept() const { return kept_; }

    // Where sample n is drawn, in chart units: at its time in the sweep, at the
    // height the output trace would give it now.
    double X(int n) const { return n * kept_.sweepSpacing; }
    double Y(int n) const;

    void Paint(const ChartLayout& layout, Canvas& canvas, int scale) override;

private:
    const SimulatorState& state_;
    DrawnSweep kept_;
    bool held_ = false;
    std::vector<CanvasPoint> points_;
};

} // namespace signova
