// The run's core chain (generator, ADC, filter, DAC, trigger, capture and the
// plot of every sweep) in samples per second of CPU time: the FIR run with its
// sums computed a block at a time against the chain computed one sample at a
// time, and the IIR run against a plain per-sample loop. Each figure is the
// median of five runs, the variants taking turns so that a busy machine slows
// them alike.

#include "bench/bench_support.h"
#include "chart/chart.h"
#include "coefficients/fir_table.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "engine/sample_pipeline.h"
#include "scope/fir_look_ahead.h"
#include "scope/sample_loop.h"
#include "scope/scope_chart_setup.h"
#include "scope/sweep_capture.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace signova {
namespace {

constexpr int Repeats = 5;
// When set (a second argument), only this variant of each part runs: for profiling.
int onlyVariant = -1;

using bench::NoDialogs;
using bench::ThreadCpuSeconds;

// A start-up run at 500 Hz with the scope chart of the window.
struct Bench {
    SimulatorState state;
    CellStore fir = NewFirGrid();
    CellStore iir{3, 102, 1, 1};
    TChart chart;
    ScopeChartSeries series = ConfigureScopeChart(chart);
    ScopeControls controls;
    long samples = 0;
    long limit = 0;
    long wraps = 0;
    long sweeps = 0;

    Bench() {
        bench::SetUpRunAt500Hz(state, controls);
        chart.SetInvalidateHandler([] {});
    }

    // The window's part: lamps, message processing, and here the stop after
    // `limit` samples.
    ScopeControls ReadScopeControls() const { return controls; }
    void SampleDone(const SampleOutcome& outcome) {
        wraps += outcome.dacWrapped;
        sweeps += outcome.scope.sweepPlotted;
    }
    void ProcessMessages() {
        if (++samples == limit)
            state.StopRequested = true;
    }

    void SetFirTaps(int taps) {
        if (taps == 48) {
            SetDefaultFirTable(fir, state);
            return;
        }
        fir.SetRowCount(taps + 1);
        for (int row = 0; row < taps; ++row)
            fir.SetCell(FirValueColumn, row, "0.00333333333333333");
    }

    // A stable filter of `order` rows: small feedback, spread feed-forward.
    void SetIirOrder(int order) {
        iir.SetCell(1, 1, "  - - -");
        iir.SetCell(2, 1, "0.5");
        for (int r = 2; r <= order; ++r) {
            iir.SetCell(1, r, order == 2 ? "0.25" : "0.001");
            iir.SetCell(2, r, order == 2 ? "0.5" : "0.01");
        }
        state.IirOrder = order;
    }

    // What RunClick does before its loop.
    void StartRun(FilterKind filter, long sampleCount) {
        state.StopRequested = false;
        state.Capturing = false;
        state.SweepIndex = 0;
        state.Phase = 0;
        samples = 0;
        limit = sampleCount;
        if (filter == FilterKind::Fir) {
            ReadFIRCoefficients(state, fir);
        } else {
            NoDialogs dialogs;
            ReadIIRCoefficients(state, iir, dialogs);
        }
    }

    // The chain one sample at a time, as the window ran it before the
    // look-ahead.
    void RunOneAtATime(FilterKind filter) {
        do {
            SampleOutcome outcome;
            outcome.dacWrapped = ComputeSample(state, filter);
            outcome.scope = ScopeSample(state, state.InputSample, state.OutputSample,
                                        ReadScopeControls(), series);
            SampleDone(outcome);
            ProcessMessages();
        } while (!state.StopRequested);
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Variant {
    const char* name;
    std::function<void(Bench&)> run;
};

// Samples per second of CPU time of each variant: the median of five runs of
// `sampleCount` samples, the variants taking turns.
std::vector<double> Measure(Bench& bench, FilterKind filter, long sampleCount,
                            const std::vector<Variant>& variants) {
    std::vector<std::vector<double>> rates(variants.size());
    for (int repeat = 0; repeat < Repeats; ++repeat) {
        for (std::size_t v = 0; v < variants.size(); ++v) {
            if (onlyVariant >= 0 && static_cast<int>(v) != onlyVariant) {
                rates[v].push_back(1.0);
                continue;
            }
            bench.StartRun(filter, sampleCount);
            const double start = ThreadCpuSeconds();
            variants[v].run(bench);
            rates[v].push_back(static_cast<double>(sampleCount) / (ThreadCpuSeconds() - start));
        }
    }
    std::vector<double> medians;
    for (const auto& r : rates)
        medians.push_back(Median(r));
    return medians;
}

void Report(const char* title, const std::vector<Variant>& variants,
            const std::vector<double>& rates) {
    std::printf("%s\n", title);
    for (std::size_t v = 0; v < variants.size(); ++v)
        std::printf("  %-34s %7.2f M samples/s  %5.2fx\n", variants[v].name, rates[v] / 1e6,
                    rates[v] / rates[0]);
}

void FirChains(int taps, long sampleCount) {
    Bench bench;
    bench.SetFirTaps(taps);
    auto four = std::make_unique<FirLookAhead>(4);
    auto eight = std::make_unique<FirLookAhead>(8);
    const std::vector<Variant> variants{
        {"one sample at a time", [](Bench& b) { b.RunOneAtATime(FilterKind::Fir); }},
        {"block look-ahead, 4 chains",
         [&](Bench& b) { RunFirSamples(b.state, *four, b.series, b); }},
        {"block look-ahead, 8 chains",
         [&](Bench& b) { RunFirSamples(b.state, *eight, b.series, b); }},
    };
    const std::string title = "FIR run, " + std::to_string(taps) + " taps";
    Report(title.c_str(), variants, Measure(bench, FilterKind::Fir, sampleCount, variants));
}

void IirChain(int order, long sampleCount) {
    Bench bench;
    bench.SetIirOrder(order);
    const std::vector<Variant> variants{
        {"plain per-sample loop", [](Bench& b) { b.RunOneAtATime(FilterKind::Iir); }},
        {"the run's IIR loop", [](Bench& b) { RunIirSamples(b.state, b.series, b); }},
    };
    const std::string title = "IIR run, N = " + std::to_string(order);
    Report(title.c_str(), variants, Measure(bench, FilterKind::Iir, sampleCount, variants));
}

} // namespace
} // namespace signova

// With an argument (fir48, fir300, iir2 or iir100) only that part runs; fir1,
// a one-tap table, shows what the look-ahead costs beside the filter. With a
// second argument (a variant's number, 0 first) only that variant runs, for
// profiling.
int main(int argc, char* argv[]) {
    const std::string only = argc > 1 ? argv[1] : "";
    if (argc > 2)
        signova::onlyVariant = std::stoi(argv[2]);
    auto wanted = [&](const char* part) { return only.empty() || only == part; };
    std::printf("Core chain, samples per second of CPU time, median of %d alternating runs\n",
                signova::Repeats);
    if (wanted("fir48"))
        signova::FirChains(48, 2'000'000);
    if (only == "fir1")
        signova::FirChains(1, 2'000'000);
    if (wanted("fir300"))
        signova::FirChains(300, 400'000);
    if (wanted("iir2"))
        signova::IirChain(2, 4'000'000);
    if (wanted("iir100"))
        signova::IirChain(100, 500'000);
    return 0;
}
