#include "engine/settings.h"

#include "toolkit/number_text.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace signova {
namespace {

struct SampleRateRow {
    std::string_view text;
    std::int32_t rate;
    double spacing; // x-units per sample at timebase factor 1: 400 / samples per sweep
    std::string_view item0;
    std::string_view item1;
};

constexpr double Spacing48000 = 400.0 / 192;

constexpr std::array<SampleRateRow, 8> SampleRates{{
    {"48000", 48000, Spacing48000, "0.2 ms/div", "0.4 ms/div"},
    {"44100", 44100, 400.0 / 221, "0.25 ms/div", "0.5  ms/div"},
    {"22050", 22050, 400.0 / 221, "0.5 ms/div", "  1 ms/div"},
    {"11025", 11025, 400.0 / 221, "1 ms/div", "2 ms/div"},
    {"8000", 8000, 400.0 / 160, "1 ms/div", "2 ms/div"},
    {"5000", 5000, 400.0 / 200, "2 ms/div", "4 ms/div"},
    {"1200", 1200, 400.0 / 240, "10 ms/div", "20 ms/div"},
    {"1000", 1000, 400.0 / 200, "10 ms/div", "20 ms/div"},
}};

constexpr std::array<std::string_view, 6> WaveformNames{"Sine",   "Triangle", "Sawtooth",
                                                        "Square", "Pulse",    "Noise"};

std::int32_t AmplitudeFor(int amplitudePosition, std::int32_t maxCode) {
    return amplitudePosition * maxCode / 100;
}

} // namespace

FrequencyReadout FrequencyText(double frequency) {
    if (frequency >= 1000)
        return {FormatFixed(frequency / 1000, 5, 2), "kHz"};
    return {FormatFixed(frequency, 4, 0), "Hz"};
}

std::string_view WaveformName(std::int32_t waveform) {
    if (waveform < 1 || waveform > static_cast<std::int32_t>(WaveformNames.size()))
        return {};
    return WaveformNames[static_cast<std::size_t>(waveform - 1)];
}

FrequencyReadout UpdateSignalFrequency(SimulatorState& state, int dialPosition) {
    state.SignalFrequency = dialPosition * state.FrequencyMultiplier / 1000;
    return FrequencyText(state.SignalFrequency);
}

DialReadout DialChange(SimulatorState& state, int dialPosition) {
    std::string factor = FormatFixed(dialPosition / 1000.0, 4, 3);
    return {std::move(factor), UpdateSignalFrequency(state, dialPosition)};
}

FrequencyReadout SpeedButtonClick(SimulatorState& state, const std::array<bool, 4>& down,
                                  int dialPosition) {
    constexpr std::array<double, 4> multipliers{10, 100, 1000, 10000};
    for (std::size_t i = 0; i < down.size(); ++i)
        if (down[i])
            state.FrequencyMultiplier = multipliers[i];
    return UpdateSignalFrequency(state, dialPosition);
}

void VormChange(SimulatorState& state, std::string_view waveformText) {
    for (std::size_t i = 0; i < WaveformNames.size(); ++i)
        if (waveformText == WaveformNames[i])
            state.Waveform = static_cast<std::int32_t>(i + 1);
}

std::string AmpsbChange(SimulatorState& state, int amplitudePosition) {
    state.Amplitude = AmplitudeFor(amplitudePosition, state.MaxCode);
    return std::to_string(amplitudePosition);
}

std::string BitsChange(SimulatorState& state, std::string_view bitsText,
                       std::string_view sampleText, int amplitudePosition) {
    if (bitsText == "12")
        state.MaxCode = 2047;
    else if (bitsText == "10")
        state.MaxCode = 511;
    else if (bitsText == "8")
        state.MaxCode = 127;
    state.Amplitude = AmplitudeFor(amplitudePosition, state.MaxCode);
    state.DacScale = 2048 / state.MaxCode;
    return SettingsCaption(sampleText, bitsText);
}

SampleRateChange SampleChange(SimulatorState& state, std::string_view sampleText,
                              std::string_view bitsText) {
    SampleRateChange change;
    state.SampleSpacing = Spacing48000;
    for (const SampleRateRow& row : SampleRates) {
        if (sampleText == row.text) {
            state.SampleRate = row.rate;
            state.SampleSpacing = row.spacing;
            change.timebaseItems =
                std::array<std::string, 2>{std::string(row.item0), std::string(row.item1)};
        }
    }
    change.settingsCaption = SettingsCaption(sampleText, bitsText);
    return change;
}

namespace {

// 1.04 to the power (100 - position), by repeated squaring with the 64-bit
// significand (1.04 itself held with 64 bits, each square and product rounded
// to 64 bits, 1/power for the positions above 100), stored as double. Written
// out so every platform shows the same gains.
constexpr std::array<double, DisplayGainPositions> DisplayGains = {
    0x1.940a22460ce4cp+5, 0x1.847fe5e0e5036p+5, 0x1.758eabce660d1p+5,
    0x1.673091818982cp+5, 0x1.595fee5f0438cp+5, 0x1.4c175182bf22ep+5,
    0x1.3f517f9b41a19p+5, 0x1.330970da3542cp+5, 0x1.273a4ef933365p+5,
    0x1.1bdf735213b44p+5, 0x1.10f46509ff41p+5, 0x1.0674d74e8920fp+5,
    0x1.f8b94f4842c93p+4, 0x1.e54fb88a679a1p+4, 0x1.d2a545229eb1bp+4,
    0x1.c0b29b177134bp+4, 0x1.af70a8d19e152p+4, 0x1.9ed8a25366c59p+4,
    0x1.8ee3fe8b4547dp+4, 0x1.7f8c74c0fdb16p+4, 0x1.70cbfa1c07a0bp+4,
    0x1.629cbf42561a8p+4, 0x1.54f92e0e8dde7p+4, 0x1.47dbe75cc37d4p+4,
    0x1.3b3fc0ece35aep+4, 0x1.2f1fc359ee4d9p+4, 0x1.237728253dc0cp+4,
    0x1.184157d50a25ap+4, 0x1.0d79e82576108p+4, 0x1.031c9a4b67ad6p+4,
    0x1.f24ab2910274dp+3, 0x1.df20709f1fe68p+3, 0x1.ccb2e2719eac6p+3,
    0x1.bafac60ac9cd2p+3, 0x1.a9f120e2fd1dep+3, 0x1.998f3d290712ep+3,
    0x1.89cea71d9a7e7p+3, 0x1.7aa92a88c5c86p+3, 0x1.6c18d0486f68p+3,
    0x1.5e17dbf6e1468p+3, 0x1.50a0c9a876264p+3, 0x1.43ae4bbf854c2p+3,
    0x1.373b48d5b166cp+3, 0x1.2b42d9b9c81dep+3, 0x1.1fc0478167cdfp+3,
    0x1.14af09ada8bc3p+3, 0x1.0a0ac4620e8d9p+3, 0x1.ff9e8d5a1bfc9p+2,
    0x1.ebf111c2f3869p+2, 0x1.d905560060502p+2, 0x1.c6d3e662d2c33p+2,
    0x1.b555989a196cfp+2, 0x1.a48388e2f1102p+2, 0x1.945717505df2p+2,
    0x1.84c9e52fbccb2p+2, 0x1.75d5d286844d3p+2, 0x1.6774fba8ba4a3p+2,
    0x1.59a1b6e729475p+2, 0x1.4c5692546c9d3p+2, 0x1.3f8e519ff2486p+2,
    0x1.3343ec061a31fp+2, 0x1.27728a54a308ap+2, 0x1.1c1585029cc36p+2,
    0x1.1128625b20947p+2, 0x1.06a6d4ba157b1p+2, 0x1.f91971b49f768p+1,
    0x1.e5ac2868c0b6ep+1, 0x1.d2fe26dae0afdp+1, 0x1.c10811ab131f4p+1,
    0x1.afc2d5e96b008p+1, 0x1.9f27a64cbf807p+1, 0x1.8f2ff884df856p+1,
    0x1.7fd582a725b18p+1, 0x1.711238b4692aap+1, 0x1.62e04a37516dfp+1,
    0x1.553a1ffa1d111p+1, 0x1.481a59d2f4907p+1, 0x1.3b7bcc85eb287p+1,
    0x1.2f597fbbd8446p+1, 0x1.23aeac0d3c41cp+1, 0x1.1876b9206b2b9p+1,
    0x1.0dad3bda3fa9ep+1, 0x1.034df4a09fad3p+1, 0x1.f2a99b5c46c33p+0,
    0x1.df7bb2ec6b6cfp+0, 0x1.cd0aa23218864p+0, 0x1.bb4f25cdb51eap+0,
    0x1.aa4241e35589cp+0, 0x1.99dd3f5a972bep+0, 0x1.8a19a939915b6p+0,
    0x1.7af14a19d0b08p+0, 0x1.6c5e29b65c5afp+0, 0x1.5e5a8a91cef5p+0,
    0x1.50e0e7b395c43p+0, 0x1.43ebf27b7277bp+0, 0x1.3776908a6438p+0,
    0x1.2b7bd9c025499p+0, 0x1.1ff7164c729f6p+0, 0x1.14e3bcd35a858p+0,
    0x1.0a3d70a3d70a4p+0, 0x1p+0, 0x1.ec4ec4ec4ec4fp-1,
    0x1.d95f6e94731fdp-1, 0x1.c72a87dd82638p-1, 0x1.b5a8e519e9ae7p-1,
    0x1.a4d3a1367462dp-1, 0x1.94a41b032123fp-1, 0x1.8513f296b38eep-1,
    0x1.761d06cbfb6bdp-1, 0x1.67b972d7d4367p-1, 0x1.59e38bf6e996dp-1,
    0x1.4c95df3256c24p-1, 0x1.3fcb2f3a3fbadp-1, 0x1.337e72558c0c3p-1,
    0x1.27aad065f2f81p-1, 0x1.1c4ba0ff91023p-1, 0x1.115c699346822p-1,
    0x1.06d8dbab26421p-1, 0x1.f979a67084a66p-2, 0x1.e608a9e25829dp-2,
    0x1.d35719810600dp-2, 0x1.c15d9885e83bep-2, 0x1.b01512a824399p-2,
    0x1.9f76b952e7c13p-2, 0x1.8f7c00f719ebp-2, 0x1.801e9e7771896p-2,
    0x1.715884aded2b7p-2, 0x1.6323e209b2d13p-2, 0x1.557b1e4467043p-2,
    0x1.4858d82e1448fp-2, 0x1.3bb7e38ec4bc5p-2, 0x1.2f93471cf83efp-2,
    0x1.23e63a8829c65p-2, 0x1.18ac24969e526p-2, 0x1.0de09955bf9ep-2,
    0x1.037f585c4bf09p-2, 0x1.f308963b56f5fp-3, 0x1.dfd7069b84d8dp-3,
    0x1.cd6272a93ad08p-3, 0x1.bba395a2b88d6p-3, 0x1.aa9372578a11dp-3,
    0x1.9a2b5067dd5fep-3, 0x1.8a64b99ef266p-3, 0x1.7b3977679a4e7p-3,
    0x1.6ca39059c59a3p-3, 0x1.5e9d45e02a4f5p-3, 0x1.512111f514fd8p-3,
    0x1.4429a4f5807d9p-3, 0x1.37b1e38999165p-3, 0x1.2bb4e4a1d81f5p-3,
    0x1.202def87ed593p-3, 0x1.15187a02b2fd2p-3, 0x1.0a70268c71071p-3,
    0x1.0030c29abb732p-3, 0x1.ecac89ee7c2c2p-4, 0x1.d9b998519ec8p-4,
    0x1.c78139d853c04p-4, 0x1.b5fc41776438ep-4, 0x1.a523c8cb6a36bp-4,
    0x1.94f12d612134ap-4, 0x1.855e0e18788b3p-4, 0x1.766448a160371p-4,
    0x1.67fdf71152ab2p-4, 0x1.5a256d90a81abp-4, 0x1.4cd5381ec905fp-4,
    0x1.4008186c5ed48p-4, 0x1.33b903caa9f3bp-4, 0x1.27e3212f2d42fp-4,
    0x1.1c81c74ae699p-4, 0x1.11907ab453e1ep-4, 0x1.070aec238bbbap-4,
    0x1.f9d9ed7f6f2ddp-5, 0x1.e6653cfa8870fp-5, 0x1.d3b01d18481ddp-5,
    0x1.c1b32fab0a441p-5, 0x1.b0675f10c4f2bp-5, 0x1.9fc5db68bd5f8p-5,
    0x1.8fc817e4b616fp-5, 0x1.8067c83487b39p-5, 0x1.719ede0b20054p-5,
    0x1.636786bbed8efp-5, 0x1.55bc28efc6e21p-5, 0x1.48976270669e4p-5,
    0x1.3bf406099dbf9p-5, 0x1.2fcd197f66734p-5, 0x1.241dd39809e5p-5,
    0x1.18e19a39935c3p-5, 0x1.0e140099d29d9p-5, 0x1.03b0c58036d29p-5,
    0x1.f367a331a4814p-6, 0x1.e0326bafbbb76p-6, 0x1.cdba53da347f1p-6,
    0x1.bbf8158ce3b54p-6, 0x1.aae4b2428c2e5p-6, 0x1.9a797053ae2c8p-6,
    0x1.8aafd850763e8p-6, 0x1.7b81b274c0773p-6, 0x1.6ce904352f378p-6,
    0x1.5ee00de45ea1bp-6, 0x1.5161486f474cbp-6, 0x1.4467632febf12p-6
};

} // namespace

double DisplayGainFor(int gainPosition) {
    return DisplayGains[static_cast<std::size_t>(std::clamp(gainPosition, 0, DisplayGainPositions - 1))];
}

std::string GainsbChange(SimulatorState& state, int gainPosition) {
    state.DisplayGain = DisplayGainFor(gainPosition);
    return FormatFixed(state.DisplayGain, 4, 2);
}

std::string SettingsCaption(std::string_view sampleText, std::string_view bitsText) {
    std::string caption = "Settings  Samplerate: ";
    caption += sampleText;
    caption += ", ";
    caption += bitsText;
    caption += " Bits";
    return caption;
}

} // namespace signova
