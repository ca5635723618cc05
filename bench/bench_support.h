#pragma once

// What the benchmarks share: the thread's CPU clock, a Dialogs that shows
// nothing, and the run the window makes at 500 Hz after start-up.

#include "coefficients/fir_table.h"
#include "engine/fir_filter.h"
#include "engine/simulator_state.h"
#include "scope/scope_controls.h"
#include "toolkit/dialogs.h"

#include <ctime>
#include <optional>
#include <string>

namespace signova::bench {

// CPU time of the calling thread, which another program's load disturbs less
// than the wall clock.
inline double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Shows nothing and answers every question with the one answer it is given.
class NoDialogs : public Dialogs {
public:
    explicit NoDialogs(DialogResult answer = DialogResult::Cancel) : answer_(answer) {}
    void ShowMessage(const std::string&) override {}
    DialogResult Confirm(const std::string&) override { return answer_; }
    DialogResult AskInformation(const std::string&) override { return answer_; }
    void Inform(const std::string&) override {}
    void ShowError(const std::string&) override {}
    std::optional<std::string> ChooseFile() override { return std::nullopt; }

private:
    DialogResult answer_;
};

// The settings and scope controls of a 500 Hz sine run after start-up: 12 bits,
// 48000 Hz, the window's chart width. The filter table is left to the caller.
inline void SetUpRunAt500Hz(SimulatorState& state, ScopeControls& controls) {
    state.SignalFrequency = 500;
    state.SampleRate = 48000;
    state.Waveform = SineWave;
    state.MaxCode = 2047;
    state.Amplitude = 2047;
    state.DacScale = 1;
    state.DisplayGain = 1;
    state.SampleSpacing = 400.0 / 192;
    controls.chartWidth = 369;
}

// The start-up 48-tap moving average, read into the filter.
inline void ReadDefaultFirTable(SimulatorState& state) {
    CellStore fir = NewFirGrid();
    SetDefaultFirTable(fir, state);
    ReadFIRCoefficients(state, fir);
}

} // namespace signova::bench
