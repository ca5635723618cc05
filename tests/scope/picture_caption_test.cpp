#include "scope/picture_caption.h"

#include "engine/settings.h"

#include <gtest/gtest.h>

namespace signova {
namespace {

struct CaptionCase {
    const char* name;
    int speedButton; // 0 to 3: X 10 ... X 10k
    int dial;
    const char* waveform;
    int amplitude;
    const char* bits;
    const char* sampleRate;
    int gainPosition;
    CaptionReadings readings;
    const char* caption;
};

// The state as the window's handlers leave it for those control positions.
SimulatorState StateFor(const CaptionCase& c) {
    SimulatorState state;
    std::array<bool, 4> down{};
    down[static_cast<std::size_t>(c.speedButton)] = true;
    SpeedButtonClick(state, down, c.dial);
    VormChange(state, c.waveform);
    GainsbChange(state, c.gainPosition);
    SampleChange(state, c.sampleRate, c.bits);
    BitsChange(state, c.bits, c.sampleRate, c.amplitude);
    return state;
}

class Caption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(Caption, SaysWhatProducedThePicture) {
    EXPECT_EQ(PictureCaption(StateFor(GetParam()), GetParam().readings), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, Caption,
    ::testing::Values(
        CaptionCase{"Defaults",
                    0,
                    1000,
                    "Sine",
                    100,
                    "12",
                    "48000",
                    100,
                    {100, "0.4 ms/div", FilterKind::Fir, ""},
                    "10 Hz Sine, Amp 100 %, 12 bits, 48000 Hz, 0.4 ms/div, Gain 1.00\n"
                    "FIR filter"},
        CaptionCase{"IirWithTitleKilohertzAndBlanks",
                    2,
                    1000,
                    "Triangle",
                    50,
                    "8",
                    "22050",
                    99,
                    {50, "  1 ms/div", FilterKind::Iir, " Resonator at 1 kHz "},
                    "1.00 kHz Triangle, Amp 50 %, 8 bits, 22050 Hz, 1 ms/div, Gain 1.04\n"
                    "IIR filter: Resonator at 1 kHz"},
        CaptionCase{"TenBitsSmallGainHighRange",
                    3,
                    11000,
                    "Noise",
                    200,
                    "10",
                    "1000",
                    200,
                    {200, "20 ms/div", FilterKind::Fir, "   "},
                    "110.00 kHz Noise, Amp 200 %, 10 bits, 1000 Hz, 20 ms/div, Gain 0.02\n"
                    "FIR filter"},
        CaptionCase{"InnerBlanksOfTheTimebaseStay",
                    1,
                    900,
                    "Pulse",
                    1,
                    "12",
                    "44100",
                    0,
                    {1, "0.5  ms/div", FilterKind::Fir, "Moving average, four taps"},
                    "90 Hz Pulse, Amp 1 %, 12 bits, 44100 Hz, 0.5  ms/div, Gain 50.50\n"
                    "FIR filter: Moving average, four taps"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace signova
