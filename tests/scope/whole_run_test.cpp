// Whole runs (generator, ADC, filter, DAC, trigger, capture and plot) digested
// sample by sample: every input code, filter output, DAC wrap and plotted point.
// The digests are written down here as the x87 build computed them; every
// platform and both paths of the extended arithmetic must give them.
//
// With SIGNOVA_WHOLE_RUNS=all the test runs every table, waveform, bit width
// and sample rate for SIGNOVA_WHOLE_RUN_SAMPLES (1 M unless given) samples each
// and prints the digests instead, to compare two builds' outputs; with
// SIGNOVA_WHOLE_RUNS=print it prints the digests of the cases below.

#include "chart/chart.h"
#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "engine/settings.h"
#include "scope/fir_look_ahead.h"
#include "scope/sample_loop.h"
#include "scope/scope_chart_setup.h"
#include "tests/support/digest.h"
#include "tests/support/scripted_dialogs.h"
#include "toolkit/bit_cast.h"
#include "toolkit/line_buffer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace signova {
namespace {

constexpr std::array<const char*, 12> Tables{
    "default FIR",           "fir_band_pass_4k_10k.txt",  "fir_comb_48.txt",
    "fir_differentiator.txt", "fir_high_pass_6k.txt",      "fir_low_pass_3k.txt",
    "fir_moving_average_16.txt", "fir_moving_average_4.txt", "default IIR",
    "iir_low_pass_first_order.txt", "iir_low_pass_second_order.txt", "iir_resonator_1k.txt"};
constexpr std::array<const char*, 6> Waveforms{"Sine",   "Triangle", "Sawtooth",
                                               "Square", "Pulse",    "Noise"};
constexpr std::array<const char*, 3> BitWidths{"8", "10", "12"};
constexpr std::array<const char*, 8> SampleRates{"48000", "44100", "22050", "11025",
                                                 "8000",  "5000",  "1200",  "1000"};

struct RunCase {
    int table;
    int waveform;
    int bits;
    int rate;
    long samples;
};

using signova::testing::Digest;

// The window's part of the loop: fixed controls, a digest of every sample and
// every plotted sweep, the stop after the case's samples.
class DigestingRun {
public:
    explicit DigestingRun(const RunCase& c) : case_(c) {
        series_ = ConfigureScopeChart(chart_);
        chart_.SetInvalidateHandler([] {});
        controls_.chartWidth = 369;
        controls_.amplitudePosition = c.waveform % 2 == 0 ? 100 : 180; // some runs wrap
        const char* rate = SampleRates[static_cast<std::size_t>(c.rate)];
        const char* bits = BitWidths[static_cast<std::size_t>(c.bits)];
        SampleChange(state_, rate, bits);
        BitsChange(state_, bits, rate, controls_.amplitudePosition);
        VormChange(state_, Waveforms[static_cast<std::size_t>(c.waveform)]);
        state_.SignalFrequency = state_.SampleRate * (0.011 + 0.037 * ((c.table + c.waveform) % 5));
        LoadTable();
    }

    std::uint64_t Run() {
        state_.StopRequested = false;
        if (iir_) {
            RunIirSamples(state_, series_, *this);
        } else {
            FirLookAhead lookAhead(8);
            RunFirSamples(state_, lookAhead, series_, *this);
        }
        return digest_.Value();
    }

    ScopeControls ReadScopeControls() const { return controls_; }
    void SampleDone(const SampleOutcome& outcome) {
        digest_.Mix(std::bit_cast<std::uint64_t>(state_.InputSample));
        digest_.Mix(std::bit_cast<std::uint64_t>(state_.OutputSample));
        digest_.Mix(outcome.dacWrapped);
        if (outcome.scope.sweepPlotted) {
            for (const TChartSeries* s : {static_cast<const TChartSeries*>(series_.Series1),
                                          static_cast<const TChartSeries*>(series_.Series2),
                                          static_cast<const TChartSeries*>(series_.Series3),
                                          static_cast<const TChartSeries*>(series_.Series4)}) {
                digest_.Mix(s->Count());
                for (std::size_t i = 0; i < s->Count(); ++i) {
                    digest_.Mix(std::bit_cast<std::uint64_t>(s->XValues()[i]));
                    digest_.Mix(std::bit_cast<std::uint64_t>(s->YValues()[i]));
                }
            }
        }
    }
    void ProcessMessages() {
        if (++done_ == case_.samples)
            state_.StopRequested = true;
    }

private:
    void LoadTable() {
        const std::string table = Tables[static_cast<std::size_t>(case_.table)];
        iir_ = table.find("IIR") != std::string::npos || table.rfind("iir", 0) == 0;
        testing::ScriptedDialogs dialogs;
        CellStore fir = NewFirGrid();
        CellStore iir = NewIirGrid();
        SetDefaultFirTable(fir, state_);
        SetDefaultIirTable(iir, state_);
        if (table.find(".txt") != std::string::npos) {
            LineBuffer lines;
            ASSERT_EQ(lines.ReadFile(std::string(SIGNOVA_EXAMPLES_DIR) + "/" + table),
                      FileReadResult::Read);
            const TableLoad load = iir_ ? LoadIIRTable(state_, iir, lines, dialogs)
                                        : LoadFIRTable(state_, fir, lines, dialogs);
            ASSERT_TRUE(load.accepted) << table;
        }
        if (iir_)
            ReadIIRCoefficients(state_, iir, dialogs);
        else
            ReadFIRCoefficients(state_, fir);
    }

    RunCase case_;
    SimulatorState state_;
    TChart chart_;
    ScopeChartSeries series_;
    ScopeControls controls_;
    Digest digest_;
    long done_ = 0;
    bool iir_ = false;
};

std::string Name(const RunCase& c) {
    return std::string(Tables[static_cast<std::size_t>(c.table)]) + " " +
           Waveforms[static_cast<std::size_t>(c.waveform)] + " " +
           BitWidths[static_cast<std::size_t>(c.bits)] + " bits " +
           SampleRates[static_cast<std::size_t>(c.rate)] + " Hz";
}

struct PinnedRun {
    RunCase run;
    std::uint64_t digest;
};

// Every table with every waveform, the widths and rates taking turns, 20,000
// samples each.
constexpr long PinnedSamples = 20000;
constexpr std::array<std::uint64_t, 72> PinnedDigests{
#include "whole_run_digests.inc"
};

RunCase PinnedCase(int index) {
    const int table = index / 6;
    const int waveform = index % 6;
    return {table, waveform, (table + waveform) % 3, (table + 3 * waveform) % 8, PinnedSamples};
}

TEST(WholeRun, DigestsAreTheX87Builds) {
    const char* mode = std::getenv("SIGNOVA_WHOLE_RUNS");
    const std::string wanted = mode == nullptr ? "" : mode;
    if (wanted == "all") {
        const char* count = std::getenv("SIGNOVA_WHOLE_RUN_SAMPLES");
        const long samples = count == nullptr ? 1'000'000 : std::atol(count);
        for (int t = 0; t < static_cast<int>(Tables.size()); ++t)
            for (int w = 0; w < 6; ++w)
                for (int b = 0; b < 3; ++b)
                    for (int r = 0; r < 8; ++r) {
                        const RunCase c{t, w, b, r, samples};
                        std::printf("%s %016llx\n", Name(c).c_str(),
                                    static_cast<unsigned long long>(DigestingRun(c).Run()));
                        std::fflush(stdout);
                    }
        return;
    }
    for (int i = 0; i < static_cast<int>(PinnedDigests.size()); ++i) {
        const RunCase c = PinnedCase(i);
        const std::uint64_t digest = DigestingRun(c).Run();
        if (wanted == "print")
            std::printf("    0x%016llxULL, // %s\n", static_cast<unsigned long long>(digest),
                        Name(c).c_str());
        else
            EXPECT_EQ(digest, PinnedDigests[static_cast<std::size_t>(i)]) << Name(c);
    }
}

} // namespace
} // namespace signova
