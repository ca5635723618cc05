#include "bench/bench_support.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "engine/sample_pipeline.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace signova {
namespace {

constexpr const char* DefaultTap = "0.0208333333333333";

// A spread of 12-bit codes fed to the filters in turn.
constexpr std::array<double, 8> Codes{2047, -1300, 512, -2047, 7, 1999, -640, 0};

void FillFir(SimulatorState& state, int taps) {
    CellStore grid(2, taps, 1, 0);
    for (int r = 0; r < taps; ++r)
        grid.SetCell(1, r, DefaultTap);
    ReadFIRCoefficients(state, grid);
}

using bench::NoDialogs;

// A stable filter of `order` rows: small feedback, spread feed-forward.
void FillIir(SimulatorState& state, int order) {
    CellStore grid(3, order + 1, 1, 1);
    grid.SetCell(1, 1, "  - - -");
    grid.SetCell(2, 1, "0.5");
    for (int r = 2; r <= order; ++r) {
        grid.SetCell(1, r, order == 2 ? "0.25" : "0.001");
        grid.SetCell(2, r, order == 2 ? "0.5" : "0.01");
    }
    state.IirOrder = order;
    NoDialogs dialogs;
    ReadIIRCoefficients(state, grid, dialogs);
}

void BenchFIRStep(benchmark::State& bench) {
    SimulatorState state;
    FillFir(state, static_cast<int>(bench.range(0)));
    std::size_t i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(FIRStep(state, Codes[i++ % Codes.size()]));
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BenchFIRStep)->Arg(48)->Arg(300);

// The FIR kernel over a block of 32 outputs, one, four or eight chains at a
// time; items are outputs.
template <int Chains> void BenchFirSums(benchmark::State& bench) {
    SimulatorState state;
    const int taps = static_cast<int>(bench.range(0));
    FillFir(state, taps);
    constexpr int Block = 32;
    std::array<double, Block + FirCoefficientCount> inputs{};
    for (std::size_t i = 0; i < inputs.size(); ++i)
        inputs[i] = Codes[i % Codes.size()];
    std::array<double, Block> sums{};
    for (auto _ : bench) {
        FirSums<Chains>(state.FirCoefficients.data(), taps - 1, inputs.data(), Block, sums.data());
        benchmark::DoNotOptimize(sums.data());
        benchmark::ClobberMemory();
    }
    bench.SetItemsProcessed(bench.iterations() * Block);
}
BENCHMARK(BenchFirSums<1>)->Arg(48)->Arg(300);
BENCHMARK(BenchFirSums<4>)->Arg(48)->Arg(300);
BENCHMARK(BenchFirSums<8>)->Arg(48)->Arg(300);

void BenchIIRStep(benchmark::State& bench) {
    SimulatorState state;
    FillIir(state, static_cast<int>(bench.range(0)));
    std::size_t i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(IIRStep(state, Codes[i++ % Codes.size()]));
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BenchIIRStep)->Arg(2)->Arg(100);

// Generator, ADC, the default 48-tap FIR, DAC: one sample of a start-up run.
void BenchComputeSampleDefaultFir(benchmark::State& bench) {
    SimulatorState state;
    state.Waveform = SineWave;
    state.Amplitude = 2047;
    state.MaxCode = 2047;
    state.SampleRate = 48000;
    state.SignalFrequency = 1000;
    FillFir(state, 48);
    for (auto _ : bench) {
        benchmark::DoNotOptimize(ComputeSample(state, FilterKind::Fir));
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BenchComputeSampleDefaultFir);

// The wrap takes the same time for a value just past the range and for one
// near the end of the 64-bit range.
void BenchWrapToConverterRange(benchmark::State& bench) {
    const double value = bench.range(0) == 0 ? 3000.0 : 1e18;
    bool wrapped = false;
    for (auto _ : bench) {
        double v = value;
        benchmark::DoNotOptimize(v);
        benchmark::DoNotOptimize(WrapToConverterRange(v, 2047, wrapped));
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BenchWrapToConverterRange)->ArgName("1e18")->Arg(0)->Arg(1);

} // namespace
} // namespace signova
