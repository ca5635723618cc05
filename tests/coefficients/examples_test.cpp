#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"

#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace signova {
namespace {

using testing::ScriptedDialogs;

constexpr double SampleRate = 48000.0;
constexpr double Amplitude = 1000.0;
// 0.1 s: every test frequency makes whole periods in it.
constexpr int SettleSamples = 4800;
constexpr int MeasureSamples = 4800;

enum class Kind { Fir, Iir };

struct GainCase {
    const char* name;
    const char* file;
    Kind kind;
    double frequency; // 0 for a constant input
    double gain;
    double tolerance;
};

// An example file loaded the way the Load button loads it, and its filter.
class LoadedExample {
public:
    explicit LoadedExample(const GainCase& example) : kind_(example.kind) {
        LineBuffer lines;
        const std::string path = std::string(SIGNOVA_EXAMPLES_DIR) + "/" + example.file;
        EXPECT_EQ(lines.ReadFile(path), FileReadResult::Read);
        ScriptedDialogs dialogs;
        if (kind_ == Kind::Fir) {
            SetDefaultFirTable(grid_, state_);
            result_ = LoadFIRTable(state_, grid_, lines, dialogs);
            if (result_.accepted)
                ReadFIRCoefficients(state_, grid_);
        } else {
            grid_ = NewIirGrid();
            SetDefaultIirTable(grid_, state_);
            result_ = LoadIIRTable(state_, grid_, lines, dialogs);
            if (result_.accepted)
                ReadIIRCoefficients(state_, grid_, dialogs);
        }
        calls_ = dialogs.shown;
    }

    const TableLoad& Result() const { return result_; }
    const std::vector<std::string>& Calls() const { return calls_; }
    const SimulatorState& State() const { return state_; }

    double Step(double x) { return kind_ == Kind::Fir ? FIRStep(state_, x) : IIRStep(state_, x); }

    // Steady-state gain: the output's component at the input frequency (or its
    // mean for a constant input) over whole periods, after the filter settled.
    double Gain(double frequency) {
        const double w = 2 * std::numbers::pi * frequency / SampleRate;
        auto input = [&](int n) {
            return frequency == 0 ? Amplitude : Amplitude * std::sin(w * n);
        };
        for (int n = 0; n < SettleSamples; ++n)
            Step(input(n));
        double inPhase = 0;
        double quadrature = 0;
        for (int n = SettleSamples; n < SettleSamples + MeasureSamples; ++n) {
            const double y = Step(input(n));
            inPhase += y * std::sin(w * n);
            quadrature += y * std::cos(w * n);
        }
        if (frequency == 0)
            return quadrature / MeasureSamples / Amplitude;
        return 2 * std::hypot(inPhase, quadrature) / MeasureSamples / Amplitude;
    }

private:
    Kind kind_;
    CellStore grid_ = NewFirGrid();
    SimulatorState state_;
    TableLoad result_;
    std::vector<std::string> calls_;
};

class Examples : public ::testing::TestWithParam<GainCase> {};

TEST_P(Examples, LoadsWithoutABoxAndFiltersWithTheDesignedGain) {
    LoadedExample example(GetParam());
    ASSERT_TRUE(example.Result().accepted);
    EXPECT_EQ(example.Calls(), std::vector<std::string>{});
    EXPECT_FALSE(example.State().LoadError);
    EXPECT_EQ(example.Result().label.substr(0, 1), " ");
    EXPECT_GT(example.Result().label.size(), 5u);
    EXPECT_NEAR(example.Gain(GetParam().frequency), GetParam().gain, GetParam().tolerance);
}

// Gains from the designs: printed by make_examples.py or in closed form.
INSTANTIATE_TEST_SUITE_P(
    Examples, Examples,
    ::testing::Values(
        GainCase{"MovingAverage4Dc", "fir_moving_average_4.txt", Kind::Fir, 0, 1, 1e-12},
        GainCase{"MovingAverage4At6k", "fir_moving_average_4.txt", Kind::Fir, 6000,
                 0.653281482438188, 1e-9},
        GainCase{"MovingAverage4At12k", "fir_moving_average_4.txt", Kind::Fir, 12000, 0, 1e-9},
        GainCase{"MovingAverage16Dc", "fir_moving_average_16.txt", Kind::Fir, 0, 1, 1e-12},
        GainCase{"MovingAverage16At3k", "fir_moving_average_16.txt", Kind::Fir, 3000, 0, 1e-9},
        GainCase{"LowPassAt500", "fir_low_pass_3k.txt", Kind::Fir, 500, 1.003541, 1e-5},
        GainCase{"LowPassAt15k", "fir_low_pass_3k.txt", Kind::Fir, 15000, 0, 0.01},
        GainCase{"HighPassAt500", "fir_high_pass_6k.txt", Kind::Fir, 500, 0, 0.01},
        GainCase{"HighPassAt15k", "fir_high_pass_6k.txt", Kind::Fir, 15000, 1, 0.01},
        GainCase{"BandPassAt500", "fir_band_pass_4k_10k.txt", Kind::Fir, 500, 0, 0.01},
        GainCase{"BandPassAt7k", "fir_band_pass_4k_10k.txt", Kind::Fir, 7000, 1, 0.01},
        GainCase{"BandPassAt20k", "fir_band_pass_4k_10k.txt", Kind::Fir, 20000, 0, 0.01},
        GainCase{"DifferentiatorDc", "fir_differentiator.txt", Kind::Fir, 0, 0, 1e-12},
        GainCase{"DifferentiatorAt1k", "fir_differentiator.txt", Kind::Fir, 1000, 0.130806258460286,
                 1e-9},
        GainCase{"DifferentiatorAt12k", "fir_differentiator.txt", Kind::Fir, 12000, 1.4142135623731,
                 1e-9},
        GainCase{"CombAt500", "fir_comb_48.txt", Kind::Fir, 500, 0, 1e-9},
        GainCase{"CombAt1k", "fir_comb_48.txt", Kind::Fir, 1000, 1, 1e-9},
        GainCase{"FirstOrderLowPassDc", "iir_low_pass_first_order.txt", Kind::Iir, 0, 1, 1e-9},
        GainCase{"FirstOrderLowPassAt1k", "iir_low_pass_first_order.txt", Kind::Iir, 1000,
                 0.707611438, 1e-6},
        GainCase{"SecondOrderLowPassDc", "iir_low_pass_second_order.txt", Kind::Iir, 0, 1, 1e-9},
        GainCase{"SecondOrderLowPassAt1k", "iir_low_pass_second_order.txt", Kind::Iir, 1000,
                 0.707106781, 1e-6},
        GainCase{"SecondOrderLowPassAt10k", "iir_low_pass_second_order.txt", Kind::Iir, 10000,
                 0.007296024, 1e-6},
        GainCase{"ResonatorDc", "iir_resonator_1k.txt", Kind::Iir, 0, 0.152552149, 1e-6},
        GainCase{"ResonatorAt1k", "iir_resonator_1k.txt", Kind::Iir, 1000, 1, 1e-6},
        GainCase{"ResonatorAt10k", "iir_resonator_1k.txt", Kind::Iir, 10000, 0.001791798, 1e-6}),
    [](const ::testing::TestParamInfo<GainCase>& info) { return info.param.name; });

} // namespace
} // namespace signova
