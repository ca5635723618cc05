#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace signova {

constexpr int FirCoefficientCount = 300;
constexpr int DelayLineLength = 303;
constexpr int IirCoefficientCount = 103;
constexpr int CaptureLength = 401;

// Waveform numbers as the generator knows them.
enum WaveformKind : std::int32_t {
    SineWave = 1,
    TriangleWave = 2,
    SawtoothWave = 3,
    SquareWave = 4,
    PulseWave = 5,
    NoiseWave = 6,
};

// The one record of simulation variables, alive for the whole program.
// Every field starts at zero, false or empty, so that every start of the
// program begins alike: nothing is kept between starts. The window's start-up
// (TForm1::FormCreate) then runs each settings handler with the controls'
// first positions, so that the settings fields agree with what the controls
// show before the first run, sets the generator's and the sweep's start, and,
// with the default tables, FirLastTap and IirOrder. The fields it leaves alone
// keep their zeros until a run or a load writes them: the first run's filter
// starts from silent delay lines, the noise from RandomState 0.
struct SimulatorState {
    double SignalFrequency = 0.0;     // Hz
    double FrequencyMultiplier = 0.0; // 10, 100, 1000 or 10000
    std::int32_t BlinkState = 0;      // 0 or 1
    std::int32_t Amplitude = 0;       // generator peak value in codes
    std::int32_t SampleRate = 0;      // Hz
    std::int32_t SweepIndex = 0;
    double Phase = 0.0; // generator phase in cycles
    bool StopRequested = false;
    bool Capturing = false;
    bool LoadError = false;
    bool PulseFired = false;
    double InputSample = 0.0;  // ADC code
    double OutputSample = 0.0; // DAC value after the wrap
    std::int32_t FirLastTap = 0;
    double DisplayGain = 0.0;
    std::int32_t Waveform = 0;
    std::int32_t IirOrder = 0;
    std::int32_t MaxCode = 0; // 127, 511 or 2047
    std::string FileTitle;
    std::int32_t SweepLength = 0;
    std::int32_t OutputOffset = 0;
    double SweepSpacing = 0.0;
    double SampleSpacing = 0.0;
    std::int32_t TimebaseFactor = 0;
    std::int32_t DacScale = 0;

    // Oscilloscope capture buffers.
    std::array<double, CaptureLength> InputCapture{};
    std::array<double, CaptureLength> OutputCapture{};

    // Filters. InputDelay is shared by the FIR and the IIR filter.
    std::array<double, FirCoefficientCount> FirCoefficients{};
    std::array<double, DelayLineLength> InputDelay{};
    std::array<double, IirCoefficientCount> IirACoefficients{};
    std::array<double, IirCoefficientCount> IirBCoefficients{};
    std::array<double, DelayLineLength> OutputDelay{};

    // The noise generator's state: 0 at program start, never seeded.
    std::uint32_t RandomState = 0;
};

} // namespace signova
