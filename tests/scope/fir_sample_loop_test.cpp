// The FIR run with its sums looked ahead a block at a time, against the chain
// computed one sample at a time, over many random sessions: runs pressed
// again and again, nested runs, settings, controls and table edits changing
// between any two samples, the generator and scope state poked, stops, and
// errors. Every sample's values and state, every plotted sweep, the errors and
// the final state must be the same bit for bit.

#include "chart/chart.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "engine/sample_pipeline.h"
#include "engine/settings.h"
#include "engine/signal_generator.h"
#include "scope/fir_look_ahead.h"
#include "scope/sample_loop.h"
#include "scope/scope_chart_setup.h"
#include "scope/sweep_capture.h"
#include "tests/support/digest.h"
#include "tests/support/scripted_dialogs.h"
#include "toolkit/bit_cast.h"
#include "toolkit/cell_store.h"
#include "toolkit/errors.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace signova {
namespace {

std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

// Everything a sample leaves behind that the loop could get wrong.
struct SampleRecord {
    std::uint64_t input = 0;
    std::uint64_t output = 0;
    std::uint64_t phase = 0;
    std::uint64_t sweepSpacing = 0;
    std::uint64_t plotDigest = 0; // the four series, when this sample plotted a sweep
    std::uint32_t randomState = 0;
    std::int32_t sweepIndex = 0;
    std::int32_t sweepLength = 0;
    std::int32_t timebaseFactor = 0;
    std::int32_t outputOffset = 0;
    int depth = 0;
    bool pulseFired = false;
    bool capturing = false;
    bool dacWrapped = false;
    bool triggered = false;
    bool sweepPlotted = false;
    std::array<std::uint64_t, DelayLineLength> delay{};
    bool operator==(const SampleRecord&) const = default;
};

std::string Describe(const SampleRecord& r) {
    std::ostringstream text;
    text << "in " << std::bit_cast<double>(r.input) << " out " << std::bit_cast<double>(r.output)
         << " phase " << std::bit_cast<double>(r.phase) << " pulse " << r.pulseFired << " random "
         << r.randomState << " capturing " << r.capturing << " index " << r.sweepIndex << " length "
         << r.sweepLength << " wrapped " << r.dacWrapped << " triggered " << r.triggered
         << " plotted " << r.sweepPlotted << " digest " << r.plotDigest << " depth " << r.depth;
    text << " delay[0..3] " << std::bit_cast<double>(r.delay[0]) << ' '
         << std::bit_cast<double>(r.delay[1]) << ' ' << std::bit_cast<double>(r.delay[2]) << ' '
         << std::bit_cast<double>(r.delay[3]);
    return text.str();
}

// Every field of the state, bit for bit, in one list.
std::vector<std::uint64_t> StateBits(const SimulatorState& s) {
    std::vector<std::uint64_t> bits{
        Bits(s.SignalFrequency),
        Bits(s.FrequencyMultiplier),
        static_cast<std::uint64_t>(s.BlinkState),
        static_cast<std::uint64_t>(s.Amplitude),
        static_cast<std::uint64_t>(s.SampleRate),
        static_cast<std::uint64_t>(s.SweepIndex),
        Bits(s.Phase),
        s.StopRequested,
        s.Capturing,
        s.LoadError,
        s.PulseFired,
        Bits(s.InputSample),
        Bits(s.OutputSample),
        static_cast<std::uint64_t>(s.FirLastTap),
        Bits(s.DisplayGain),
        static_cast<std::uint64_t>(s.Waveform),
        static_cast<std::uint64_t>(s.IirOrder),
        static_cast<std::uint64_t>(s.MaxCode),
        static_cast<std::uint64_t>(s.SweepLength),
        static_cast<std::uint64_t>(s.OutputOffset),
        Bits(s.SweepSpacing),
        Bits(s.SampleSpacing),
        static_cast<std::uint64_t>(s.TimebaseFactor),
        static_cast<std::uint64_t>(s.DacScale),
        s.RandomState,
    };
    auto append = [&](const auto& values) {
        for (double v : values)
            bits.push_back(Bits(v));
    };
    append(s.InputCapture);
    append(s.OutputCapture);
    append(s.FirCoefficients);
    append(s.InputDelay);
    append(s.IirACoefficients);
    append(s.IirBCoefficients);
    append(s.OutputDelay);
    return bits;
}

using signova::testing::Digest;

std::uint64_t DelayDigest(const std::array<double, DelayLineLength>& delay) {
    Digest digest;
    for (double d : delay)
        digest.Mix(Bits(d));
    return digest.Value();
}

// The points and colours of the scope's four series.
std::uint64_t SeriesDigest(const ScopeChartSeries& series) {
    Digest digest;
    auto mix = [&](std::uint64_t word) { digest.Mix(word); };
    for (const TChartSeries* s : std::initializer_list<const TChartSeries*>{
             series.Series1, series.Series2, series.Series3, series.Series4}) {
        mix(s->Count());
        for (std::size_t i = 0; i < s->Count(); ++i) {
            mix(Bits(s->XValues()[i]));
            mix(Bits(s->YValues()[i]));
            mix(s->Colors()[i]);
        }
    }
    mix(series.Series1->LinePen().Color());
    mix(static_cast<std::uint64_t>(series.Series3->Pointer().HorizSize()));
    return digest.Value();
}

enum class Loop { OneSampleAtATime, LookAhead };

constexpr std::array<const char*, 6> Waveforms{"Sine",   "Triangle", "Sawtooth",
                                               "Square", "Pulse",    "Noise"};
constexpr std::array<const char*, 8> SampleRates{"48000", "44100", "22050", "11025",
                                                 "8000",  "5000",  "1200",  "1000"};
constexpr std::array<const char*, 3> BitWidths{"8", "10", "12"};

// A session at the window, played from a seed: the window's part of the run
// loop (controls, lamps, message processing) with random events between
// samples. Two sessions of one seed make the same moves as long as their
// loops compute the same samples.
class Session {
public:
    Session(std::uint64_t seed, Loop loop) : random_(seed), loop_(loop) {
        series_ = ConfigureScopeChart(chart_);
        chart_.SetInvalidateHandler([] {});
        sampleText_ = Pick(SampleRates);
        bitsText_ = Pick(BitWidths);
        controls_.amplitudePosition = Uniform(1, 200);
        controls_.timebaseItem = Uniform(0, 1);
        controls_.inputItem = Uniform(0, 2);
        controls_.filterChecked = Chance(2);
        controls_.chartWidth = Uniform(200, 700);
        SampleChange(state_, sampleText_, bitsText_);
        BitsChange(state_, bitsText_, sampleText_, controls_.amplitudePosition);
        GainsbChange(state_, Uniform(1, 200));
        VormChange(state_, Pick(Waveforms));
        state_.SignalFrequency = RandomFrequency();
        state_.RandomState = static_cast<std::uint32_t>(random_());
        for (int field = 0; field < OtherFields; ++field)
            PokeOtherField(field);
        chains_ = std::array{1, 4, 8}[static_cast<std::size_t>(Uniform(0, 2))];
        FillTable();
        // A stable IIR table for the runs on the IIR page.
        for (int row = 1; row <= IirCoefficientCount; ++row) {
            iirGrid_.SetCell(IirAColumn, row, SmallCoefficientText());
            iirGrid_.SetCell(IirBColumn, row, SmallCoefficientText());
        }
        budget_ = Uniform(500, 3000);
    }

    void Play() {
        for (int run = 0; run < 40 && !finished_; ++run) {
            try {
                RunClick();
            } catch (const SignovaError& error) {
                // What the failing sample committed: the generator step, and
                // for an output error InputSample and the delay line too.
                std::ostringstream committed;
                committed << error.what() << " phase " << Bits(state_.Phase) << " pulse "
                          << state_.PulseFired << " random " << state_.RandomState << " in "
                          << Bits(state_.InputSample) << " out " << Bits(state_.OutputSample)
                          << " delay " << DelayDigest(state_.InputDelay);
                Log("error: " + committed.str());
                if (std::isnan(state_.Phase))
                    ++adcErrors_;
                RepairAfter(error);
            }
        }
    }

    const std::vector<SampleRecord>& Records() const { return records_; }
    const std::vector<std::string>& Events() const { return events_; }
    const SimulatorState& State() const { return state_; }
    const ScopeChartSeries& Series() const { return series_; }
    int Taps() const { return taps_; }
    // Errors where the ADC met a generator value it cannot round.
    int AdcErrors() const { return adcErrors_; }

    // The window's part of the loop.
    ScopeControls ReadScopeControls() const { return controls_; }

    void SampleDone(const SampleOutcome& outcome) {
        SampleRecord& r = records_.emplace_back();
        r.input = Bits(state_.InputSample);
        r.output = Bits(state_.OutputSample);
        r.phase = Bits(state_.Phase);
        r.sweepSpacing = Bits(state_.SweepSpacing);
        r.randomState = state_.RandomState;
        r.sweepIndex = state_.SweepIndex;
        r.sweepLength = state_.SweepLength;
        r.timebaseFactor = state_.TimebaseFactor;
        r.outputOffset = state_.OutputOffset;
        r.depth = depth_;
        r.pulseFired = state_.PulseFired;
        r.capturing = state_.Capturing;
        r.dacWrapped = outcome.dacWrapped;
        r.triggered = outcome.scope.triggered;
        r.sweepPlotted = outcome.scope.sweepPlotted;
        if (outcome.scope.sweepPlotted)
            r.plotDigest = SeriesDigest(series_);
        for (std::size_t k = 0; k < r.delay.size(); ++k)
            r.delay[k] = Bits(state_.InputDelay[k]);
    }

    void ProcessMessages() {
        if (static_cast<int>(records_.size()) >= budget_) {
            finished_ = true;
            StopClick();
            return;
        }
        if (Chance(eventOdds_))
            OneEvent();
    }

private:
    int Uniform(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    double UniformReal(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random_);
    }
    bool Chance(int oneIn) { return Uniform(1, oneIn) == 1; }
    template <class List> typename List::value_type Pick(const List& list) {
        return list[static_cast<std::size_t>(Uniform(0, static_cast<int>(list.size()) - 1))];
    }

    void Log(const std::string& what) {
        events_.push_back(std::to_string(records_.size()) + " " + what);
    }

    double RandomFrequency() {
        switch (Uniform(0, 5)) {
        case 0:
            return UniformReal(9, 2000);
        case 1:
            return UniformReal(9, 110000);
        case 2: // above the sample rate, aliasing
            return UniformReal(1, 4) * state_.SampleRate;
        case 3: // whole multiples: the phase stands still
            return Uniform(1, 3) * static_cast<double>(state_.SampleRate);
        case 4: // so slow that the trigger fires at once
            return UniformReal(0.01, 5);
        default:
            return std::array{10.0, 500.0, 1000.0, 12000.0,
                              24000.0}[static_cast<std::size_t>(Uniform(0, 4))];
        }
    }

    std::string CoefficientText() { return NumberText(UniformReal(-1.2, 1.2)); }
    std::string SmallCoefficientText() { return NumberText(UniformReal(-0.004, 0.004)); }
    static std::string NumberText(double value) {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", value);
        return text;
    }

    void FillTable() {
        switch (Uniform(0, 7)) {
        case 0:
            taps_ = 0;
            break;
        case 1:
            taps_ = Uniform(1, 3);
            break;
        case 2:
            taps_ = 48;
            break;
        case 3:
            taps_ = 300;
            break;
        case 4:
            taps_ = Uniform(4, 60);
            break;
        default:
            taps_ = Uniform(61, 300);
            break;
        }
        const bool movingAverage = Chance(3);
        for (int row = 0; row < taps_; ++row)
            grid_.SetCell(FirValueColumn, row,
                          movingAverage ? "0.0208333333333333" : CoefficientText());
        // A tap so large that a loud enough input overflows the output.
        if (taps_ > 0 && Chance(4))
            grid_.SetCell(FirValueColumn, Uniform(0, taps_ - 1), Chance(2) ? "1e16" : "-3e16");
        eventOdds_ = std::array{8, 40, 300}[static_cast<std::size_t>(Uniform(0, 2))];
    }

    // RunClick on the FIR or the IIR page, at the core.
    void RunClick(FilterKind page = FilterKind::Fir) {
        if (depth_ >= 3)
            return;
        Log(page == FilterKind::Fir ? "run" : "run IIR");
        state_.StopRequested = false;
        state_.Capturing = false;
        state_.SweepIndex = 0;
        state_.Phase = 0;
        ++depth_;
        try {
            if (page == FilterKind::Iir) {
                state_.LoadError = false;
                ReadIIRCoefficients(state_, iirGrid_, dialogs_);
                if (loop_ == Loop::LookAhead)
                    RunIirSamples(state_, series_, *this);
                else
                    RunOneSampleAtATime(FilterKind::Iir);
            } else {
                ReadFIRCoefficients(state_, grid_);
                if (loop_ == Loop::LookAhead) {
                    // One look-ahead per run level, kept from run to run as
                    // the window keeps them.
                    std::unique_ptr<FirLookAhead>& lookAhead = lookAheads_[depth_ - 1];
                    if (!lookAhead)
                        lookAhead = std::make_unique<FirLookAhead>(chains_);
                    RunFirSamples(state_, *lookAhead, series_, *this);
                } else {
                    RunOneSampleAtATime(FilterKind::Fir);
                }
            }
        } catch (...) {
            --depth_;
            StopClick();
            throw;
        }
        --depth_;
    }

    // The reference: the chain one sample at a time, with FIRStep or IIRStep.
    void RunOneSampleAtATime(FilterKind filter) {
        do {
            SampleOutcome outcome;
            outcome.dacWrapped = ComputeSample(state_, filter);
            outcome.scope = ScopeSample(state_, state_.InputSample, state_.OutputSample,
                                        ReadScopeControls(), series_);
            SampleDone(outcome);
            ProcessMessages();
        } while (!state_.StopRequested);
    }

    void StopClick() {
        Log("stop");
        state_.StopRequested = true;
    }

    void RepairAfter(const SignovaError& error) {
        if (dynamic_cast<const ConversionError*>(&error))
            grid_.SetCell(FirValueColumn, badRow_, "0.5");
        if (!std::isfinite(state_.SignalFrequency))
            state_.SignalFrequency = 1000;
        if (Chance(2)) {
            controls_.amplitudePosition = Uniform(1, 20);
            AmpsbChange(state_, controls_.amplitudePosition);
        }
    }

    // A Load button: it stops the run, then reads its table into the filter.
    // An error is shown by the toolkit and the message processing goes on.
    void LoadTable(FilterKind table) {
        StopClick();
        Log(table == FilterKind::Fir ? "load" : "load IIR");
        try {
            if (table == FilterKind::Fir) {
                for (int edits = Uniform(1, 4); edits > 0; --edits)
                    EditTable();
                ReadFIRCoefficients(state_, grid_);
            } else {
                // The IIR read clears the delay line the filters share.
                state_.IirOrder = Uniform(1, IirCoefficientCount - 1);
                state_.LoadError = false;
                ReadIIRCoefficients(state_, iirGrid_, dialogs_);
            }
        } catch (const SignovaError& error) {
            Log(std::string("shown: ") + error.what());
            RepairAfter(error);
        }
    }

    // The fields that the session's other events leave alone; the window's
    // handlers and loop change them. A field of SimulatorState that no event
    // changes belongs here, so that a field the generator or the trigger comes
    // to read without being among the look-ahead's fields (LookAheadFields)
    // shows as a difference from the chain one sample at a time.
    static constexpr int OtherFields = 10;
    void PokeOtherField(int field) {
        switch (field) {
        case 0:
            state_.FrequencyMultiplier =
                std::array{10.0, 100.0, 1000.0, 10000.0}[static_cast<std::size_t>(Uniform(0, 3))];
            break;
        case 1:
            state_.BlinkState = 1 - state_.BlinkState;
            break;
        case 2:
            state_.LoadError = !state_.LoadError;
            break;
        case 3:
            state_.InputSample = Uniform(-2047, 2047);
            state_.OutputSample = Uniform(-2047, 2047);
            break;
        case 4:
            state_.DisplayGain = UniformReal(0.01, 2);
            break;
        case 5:
            state_.IirOrder = Uniform(1, IirCoefficientCount - 1);
            break;
        case 6:
            state_.FileTitle = std::string(static_cast<std::size_t>(Uniform(0, 20)), 'T');
            break;
        case 7:
            state_.OutputOffset = Uniform(0, 8000);
            state_.SweepSpacing = UniformReal(1, 8);
            state_.TimebaseFactor = Uniform(1, 2);
            break;
        case 8:
            state_.DacScale = Uniform(1, 16);
            break;
        default: {
            const auto k = static_cast<std::size_t>(Uniform(0, CaptureLength - 1));
            state_.InputCapture[k] = UniformReal(-8000, 8000);
            state_.OutputCapture[k] = UniformReal(-8000, 8000);
            state_.OutputDelay[k % DelayLineLength] = UniformReal(-8000, 8000);
            break;
        }
        }
    }

    void OneEvent() {
        switch (Uniform(0, 21)) {
        case 0:
        case 1:
            state_.SignalFrequency = RandomFrequency();
            break;
        case 2:
            VormChange(state_, Pick(Waveforms));
            break;
        case 3:
            controls_.amplitudePosition = Uniform(1, 200);
            AmpsbChange(state_, controls_.amplitudePosition);
            break;
        case 4:
            bitsText_ = Pick(BitWidths);
            BitsChange(state_, bitsText_, sampleText_, controls_.amplitudePosition);
            break;
        case 5:
            sampleText_ = Pick(SampleRates);
            SampleChange(state_, sampleText_, bitsText_);
            break;
        case 6:
            controls_.timebaseItem = Uniform(0, 1);
            break;
        case 7:
            controls_.inputItem = Uniform(0, 2);
            controls_.filterChecked = Chance(2);
            controls_.chartWidth = Uniform(200, 700);
            break;
        case 8:
            GainsbChange(state_, Uniform(1, 200));
            break;
        case 9:
            EditTable();
            break;
        case 10:
            StopClick();
            break;
        case 11:
            if (Chance(3))
                RunClick();
            break;
        case 12:
            state_.Phase = Chance(2) ? UniformReal(0, 1) : 0.999999995;
            break;
        case 13:
            if (Chance(2))
                state_.PulseFired = !state_.PulseFired;
            else
                state_.RandomState = static_cast<std::uint32_t>(random_());
            break;
        case 14:
            state_.Capturing = Chance(2);
            state_.SweepIndex = Uniform(0, 100);
            state_.SweepLength = Uniform(100, 240);
            break;
        case 15:
            // The same setting again changes nothing.
            SampleChange(state_, sampleText_, bitsText_);
            break;
        case 16:
            LoadTable(FilterKind::Fir);
            break;
        case 17:
            LoadTable(FilterKind::Iir);
            break;
        case 18:
            // The IIR page (the page change stops the run), then Run.
            StopClick();
            if (Chance(2))
                RunClick(FilterKind::Iir);
            break;
        case 19:
            // The table's length without a read, as start-up's default table
            // sets it: the filter sums that many of the coefficients it holds.
            state_.FirLastTap = Chance(2) ? 47 : Uniform(-1, FirCoefficientCount - 1);
            break;
        case 20:
            PokeOtherField(Uniform(0, OtherFields - 1));
            break;
        default:
            if (Chance(20))
                state_.SignalFrequency = std::numeric_limits<double>::infinity();
            break;
        }
    }

    // Edits take effect at the next read of the table: a nested run or the
    // next run.
    void EditTable() {
        const int row = Uniform(0, std::min(taps_ + 2, FirCoefficientCount - 1));
        switch (Uniform(0, 9)) {
        case 0:
            grid_.SetCell(FirValueColumn, row, "");
            break;
        case 1:
            badRow_ = row;
            grid_.SetCell(FirValueColumn, row, "abc");
            break;
        case 2:
            grid_.SetCell(FirValueColumn, row, "1e17");
            break;
        default:
            grid_.SetCell(FirValueColumn, row, CoefficientText());
            break;
        }
    }

    std::mt19937_64 random_;
    Loop loop_;
    SimulatorState state_;
    TChart chart_;
    ScopeChartSeries series_;
    ScopeControls controls_;
    CellStore grid_{2, FirCoefficientCount + 1, 1, 0};
    CellStore iirGrid_{3, IirCoefficientCount + 1, 1, 1};
    testing::ScriptedDialogs dialogs_;
    const char* sampleText_ = "48000";
    const char* bitsText_ = "12";
    int taps_ = 0;
    int chains_ = 8;
    int eventOdds_ = 40;
    int budget_ = 0;
    int depth_ = 0;
    int badRow_ = 0;
    int adcErrors_ = 0;
    bool finished_ = false;
    std::array<std::unique_ptr<FirLookAhead>, 3> lookAheads_;
    std::vector<SampleRecord> records_;
    std::vector<std::string> events_;
};

// --- The look-ahead on its own ----------------------------------------------

// A 2 kHz sine through a 5-tap table, waiting for the trigger: the block's
// trigger fires on the third sample, after two of creep.
SimulatorState WaitingState() {
    SimulatorState state;
    SampleChange(state, "48000", "12");
    BitsChange(state, "12", "48000", 100);
    VormChange(state, "Sine");
    state.SignalFrequency = 2000;
    state.Phase = 0.87547; // comes round on the third sample
    for (int k = 0; k < 5; ++k)
        state.FirCoefficients[static_cast<std::size_t>(k)] = 0.1 * (k + 1) + 0.013;
    state.FirLastTap = 4;
    for (int k = 0; k < 6; ++k)
        state.InputDelay[static_cast<std::size_t>(k)] = 100.0 * k - 250;
    return state;
}

TEST(FirLookAheadPlan, HoldsEachSamplesInputOutputAndGeneratorState) {
    SimulatorState state = WaitingState();
    ScopeControls controls;
    FirLookAhead lookAhead;
    lookAhead.Plan(state, controls);
    ASSERT_EQ(lookAhead.Samples(), FirLookAhead::BlockLength);
    int triggers = 0;
    for (int i = 0; i < FirLookAhead::BlockLength; ++i) {
        const double input = AdcCode(GenerateSample(state));
        EXPECT_TRUE(LookAheadFields::Same(state, lookAhead.Generated(i))) << i;
        EXPECT_EQ(lookAhead.Input(i), input) << i;
        EXPECT_EQ(Bits(lookAhead.FilterOutput(i)), Bits(FIRStep(state, input))) << i;
        triggers += AdvanceSweep(state, controls).triggered;
    }
    EXPECT_EQ(triggers, 1);
}

// The window keeps one look-ahead per run level from run to run: after a
// block that ended in a generator value the ADC cannot round, the next plan
// is clean, and every sample of it is the chain's.
TEST(FirLookAheadPlan, AfterAFailedBlockPlansTheNextAsANewOne) {
    FirLookAhead lookAhead;
    ScopeControls controls;
    SimulatorState failing = WaitingState();
    failing.SignalFrequency = std::numeric_limits<double>::infinity();
    lookAhead.Plan(failing, controls);
    ASSERT_EQ(lookAhead.Samples(), 1);
    EXPECT_THROW(lookAhead.CommitSample(failing, 0), InvalidOperationError);

    SimulatorState state = WaitingState();
    SimulatorState chain = state;
    lookAhead.Plan(state, controls);
    ASSERT_EQ(lookAhead.Samples(), FirLookAhead::BlockLength);
    for (int i = 0; i < FirLookAhead::BlockLength; ++i) {
        ASSERT_EQ(lookAhead.CommitSample(state, i), ComputeSample(chain, FilterKind::Fir)) << i;
        ScopeSample(state, state.InputSample, state.OutputSample, controls, ScopeChartSeries{});
        ScopeSample(chain, chain.InputSample, chain.OutputSample, controls, ScopeChartSeries{});
        ASSERT_EQ(StateBits(state), StateBits(chain)) << i;
        ASSERT_TRUE(lookAhead.StillHolds(state, controls, i)) << i;
    }
}

struct Change {
    const char* name;
    void (*apply)(SimulatorState&, ScopeControls&);
};

class FirLookAheadCheck : public ::testing::TestWithParam<Change> {};

// Whatever the coming inputs depend on: a change of any of it after a
// sample's messages drops the rest of the block.
TEST_P(FirLookAheadCheck, NoticesAChangeOf) {
    SimulatorState state = WaitingState();
    ScopeControls controls;
    FirLookAhead lookAhead;
    lookAhead.Plan(state, controls);
    for (int i = 0; i < 3; ++i) {
        lookAhead.CommitSample(state, i);
        ScopeSample(state, state.InputSample, state.OutputSample, controls, ScopeChartSeries{});
    }
    ASSERT_TRUE(lookAhead.StillHolds(state, controls, 2));
    GetParam().apply(state, controls);
    EXPECT_FALSE(lookAhead.StillHolds(state, controls, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FirLookAheadCheck,
    ::testing::Values(
        Change{"SignalFrequency",
               [](SimulatorState& s, ScopeControls&) { s.SignalFrequency = 2001; }},
        Change{"SampleRate", [](SimulatorState& s, ScopeControls&) { s.SampleRate = 44100; }},
        Change{"Waveform", [](SimulatorState& s, ScopeControls&) { s.Waveform = SquareWave; }},
        Change{"Amplitude", [](SimulatorState& s, ScopeControls&) { s.Amplitude = 2046; }},
        Change{"MaxCode", [](SimulatorState& s, ScopeControls&) { s.MaxCode = 511; }},
        Change{"SampleSpacing", [](SimulatorState& s, ScopeControls&) { s.SampleSpacing = 2.5; }},
        Change{"TimebaseItem", [](SimulatorState&, ScopeControls& c) { c.timebaseItem = 0; }},
        Change{"Phase", [](SimulatorState& s, ScopeControls&) { s.Phase = 0.5; }},
        Change{"PulseFired", [](SimulatorState& s, ScopeControls&) { s.PulseFired = true; }},
        Change{"RandomState", [](SimulatorState& s, ScopeControls&) { s.RandomState = 7; }},
        Change{"Capturing", [](SimulatorState& s, ScopeControls&) { s.Capturing = !s.Capturing; }},
        Change{"SweepIndex", [](SimulatorState& s, ScopeControls&) { s.SweepIndex = 9; }},
        Change{"SweepLength", [](SimulatorState& s, ScopeControls&) { s.SweepLength = 100; }},
        Change{"FirLastTap", [](SimulatorState& s, ScopeControls&) { s.FirLastTap = 3; }}),
    [](const ::testing::TestParamInfo<Change>& info) { return std::string(info.param.name); });

// What the sessions went through, to show that the random events reach the
// cases that matter.
struct Coverage {
    long samples = 0;
    int errors = 0; // output or ADC beyond the 64-bit range
    int adcErrors = 0;
    int nestedRuns = 0;
    int plotted = 0;
    int emptyTables = 0;
    int fullTables = 0;
    int firLoads = 0; // in mid-run, as every event
    int iirLoads = 0;
    int iirRuns = 0;
};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(FirLookAheadLoop, SameSamplesAsTheChainOneSampleAtATime) {
    constexpr int Seeds = 160;
    Coverage coverage;
    for (int seed = 0; seed < Seeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Session reference(static_cast<std::uint64_t>(seed), Loop::OneSampleAtATime);
        reference.Play();
        Session ahead(static_cast<std::uint64_t>(seed), Loop::LookAhead);
        ahead.Play();

        const auto& want = reference.Records();
        const auto& got = ahead.Records();
        for (std::size_t n = 0; n < std::min(want.size(), got.size()); ++n)
            ASSERT_TRUE(got[n] == want[n])
                << "sample " << n << "\n looked ahead: " << Describe(got[n])
                << "\n one at a time: " << Describe(want[n]);
        ASSERT_EQ(got.size(), want.size());
        ASSERT_EQ(ahead.Events(), reference.Events());
        ASSERT_EQ(StateBits(ahead.State()), StateBits(reference.State()));
        ASSERT_EQ(SeriesDigest(ahead.Series()), SeriesDigest(reference.Series()));

        coverage.samples += static_cast<long>(want.size());
        for (const std::string& event : reference.Events()) {
            coverage.errors += event.find("Invalid floating point operation") != std::string::npos;
            coverage.firLoads += EndsWith(event, " load");
            coverage.iirLoads += EndsWith(event, " load IIR");
            coverage.iirRuns += EndsWith(event, " run IIR");
        }
        for (const SampleRecord& r : want) {
            coverage.nestedRuns += r.depth > 1;
            coverage.plotted += r.sweepPlotted;
        }
        coverage.adcErrors += reference.AdcErrors();
        coverage.emptyTables += reference.Taps() == 0;
        coverage.fullTables += reference.Taps() == 300;
    }
    EXPECT_GT(coverage.samples, 100000);
    EXPECT_GT(coverage.errors - coverage.adcErrors, 10);
    EXPECT_GT(coverage.adcErrors, 3);
    EXPECT_GT(coverage.nestedRuns, 1000);
    EXPECT_GT(coverage.plotted, 200);
    EXPECT_GT(coverage.emptyTables, 5);
    EXPECT_GT(coverage.fullTables, 5);
    EXPECT_GT(coverage.firLoads, 20);
    EXPECT_GT(coverage.iirLoads, 20);
    EXPECT_GT(coverage.iirRuns, 10);
    std::printf("%ld samples, %d output and %d ADC errors, %d samples in nested runs, %d sweeps, "
                "%d FIR and %d IIR loads, %d IIR runs\n",
                coverage.samples, coverage.errors - coverage.adcErrors, coverage.adcErrors,
                coverage.nestedRuns, coverage.plotted, coverage.firLoads, coverage.iirLoads,
                coverage.iirRuns);
}

} // namespace
} // namespace signova
