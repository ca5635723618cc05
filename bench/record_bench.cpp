// What storing every sample in the sample record costs the run: samples per
// second of the core chain (generator, ADC, default 48-tap FIR, DAC, scope
// capture and plot) with and without the record's Store call. Five rounds,
// each timing both chains for at least 2 s, which one goes first alternating
// from round to round; prints every run, the medians and their ratio.
// Time is the thread's CPU time, so that other work on a shared machine
// disturbs the comparison as little as it can.

#include "analysis/sample_record.h"
#include "bench/bench_support.h"
#include "chart/chart.h"
#include "coefficients/fir_table.h"
#include "engine/fir_filter.h"
#include "engine/sample_pipeline.h"
#include "scope/scope_chart_setup.h"
#include "scope/sweep_capture.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>

namespace {

constexpr double RunSeconds = 2.0;
constexpr int Rounds = 5;
constexpr long ChunkSamples = 1 << 16;

// The chain as the run loop drives it at 500 Hz on the FIR page.
class CoreChain {
public:
    CoreChain() : series_(signova::ConfigureScopeChart(chart_)) {
        signova::bench::SetUpRunAt500Hz(state_, controls_);
        signova::bench::ReadDefaultFirTable(state_);
    }

    template <bool StoreInRecord> void Samples(long count) {
        for (long i = 0; i < count; ++i) {
            signova::ComputeSample(state_, signova::FilterKind::Fir);
            signova::ScopeSample(state_, state_.InputSample, state_.OutputSample, controls_,
                                 series_);
            if constexpr (StoreInRecord)
                record_.Store(state_.InputSample, state_.OutputSample);
        }
    }

    // Reads the record, so that its stores cannot be left out.
    double RecordSum() const {
        const signova::RecordedSamples samples = record_.OldestFirst();
        double sum = 0;
        for (const double x : samples.output)
            sum += x;
        return sum;
    }

private:
    signova::SimulatorState state_;
    signova::TChart chart_;
    signova::ScopeChartSeries series_;
    signova::ScopeControls controls_;
    signova::SampleRecord record_;
};

template <bool StoreInRecord> double SamplesPerSecond(double& recordSum) {
    CoreChain chain;
    long samples = 0;
    const double start = signova::bench::ThreadCpuSeconds();
    double elapsed = 0;
    do {
        chain.Samples<StoreInRecord>(ChunkSamples);
        samples += ChunkSamples;
        elapsed = signova::bench::ThreadCpuSeconds() - start;
    } while (elapsed < RunSeconds);
    recordSum += chain.RecordSum();
    return static_cast<double>(samples) / elapsed;
}

double Median(std::array<double, Rounds> values) {
    std::sort(values.begin(), values.end());
    return values[Rounds / 2];
}

} // namespace

int main() {
    std::array<double, Rounds> without{};
    std::array<double, Rounds> with{};
    double recordSum = 0;
    for (int round = 0; round < Rounds; ++round) {
        const auto r = static_cast<std::size_t>(round);
        if (round % 2 == 0) {
            without[r] = SamplesPerSecond<false>(recordSum);
            with[r] = SamplesPerSecond<true>(recordSum);
        } else {
            with[r] = SamplesPerSecond<true>(recordSum);
            without[r] = SamplesPerSecond<false>(recordSum);
        }
        std::printf("round %d: without record %.3f M samples/s, with record %.3f M samples/s\n",
                    round + 1, without[r] / 1e6, with[r] / 1e6);
    }
    const double medianWithout = Median(without);
    const double medianWith = Median(with);
    std::printf("median without record: %.3f M samples/s\n", medianWithout / 1e6);
    std::printf("median with record:    %.3f M samples/s\n", medianWith / 1e6);
    std::printf("with / without: %.1f %%  (record checksum %.0f)\n",
                100.0 * medianWith / medianWithout, recordSum);
    return 0;
}
