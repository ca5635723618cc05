#include "scope/run_take.h"

#include "scope/fir_look_ahead.h"
#include "scope/sample_loop.h"
#include "scope/scope_chart_setup.h"

#include <memory>

namespace signova {

namespace {

// Stands in for the window: fixed controls, keeps each sample, asks for a
// stop once it has `count`.
struct TakeSurroundings {
    SimulatorState& state;
    ScopeControls controls;
    TakeSource source;
    std::vector<double>& samples;
    std::size_t count;

    ScopeControls ReadScopeControls() const { return controls; }
    void SampleDone(const SampleOutcome&) {
        samples.push_back(source == TakeSource::Input ? state.InputSample : state.OutputSample);
    }
    void ProcessMessages() {
        if (samples.size() >= count)
            state.StopRequested = true;
    }
};

} // namespace

std::vector<double> TakeRunSamples(SimulatorState& state, FilterKind filter,
                                   const ScopeControls& controls, std::size_t count,
                                   TakeSource source) {
    std::vector<double> samples;
    if (count == 0)
        return samples;
    samples.reserve(count);
    TChart chart;
    const ScopeChartSeries series = ConfigureScopeChart(chart);
    TakeSurroundings surroundings{state, controls, source, samples, count};
    if (filter == FilterKind::Fir) {
        const auto lookAhead = std::make_unique<FirLookAhead>();
        RunFirSamples(state, *lookAhead, series, surroundings);
    } else {
        RunIirSamples(state, series, surroundings);
    }
    return samples;
}

} // namespace signova
