// One-off measurement, not part of the build or the suite: do the ADC codes
// of the generator depend on the C library's sin? Runs every waveform in
// every frequency range at 8, 10 and 12 bits, 10 M samples each, with the
// dial, the sample rate and the amplitude changed every 65,536 samples
// (drawn from a fixed sequence, so every platform runs the same settings).
// Prints a digest of the codes (and of the raw sin values) per run. With
// --write FILE the raw sin values and the codes of the sine runs go to FILE;
// with --compare FILE, written by another platform, it counts the samples
// whose sin or code differs.
//
// Native (x86-64, glibc; each command on one line):
//   g++ -std=c++20 -O2 -I. tools/sine_codes.cpp build-core/engine/libsignova_engine.a
//       build-core/toolkit/libsignova_toolkit.a -o /tmp/sine_codes
// WebAssembly (emscripten, run with node --no-experimental-fetch):
//   em++ -std=c++20 -O2 -fexceptions -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -I.
//       tools/sine_codes.cpp build-wasm/engine/libsignova_engine.a
//       build-wasm/toolkit/libsignova_toolkit.a -o /tmp/sine_codes.js
#include "engine/sample_pipeline.h"
#include "engine/settings.h"
#include "engine/signal_generator.h"
#include "engine/simulator_state.h"
#include "toolkit/bit_cast.h"

#include <array>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string>

using namespace signova;

namespace {

constexpr long Samples = 10'000'000;
constexpr long SettingsEvery = 65'536;
constexpr std::array<const char*, 3> Bits{"8", "10", "12"};
constexpr std::array<const char*, 8> Rates{"48000", "44100", "22050", "11025",
                                           "8000",  "5000",  "1200",  "1000"};
constexpr std::array<const char*, 6> Waveforms{"Sine",   "Triangle", "Sawtooth",
                                               "Square", "Pulse",    "Noise"};

struct Fnv {
    std::uint64_t hash = 14695981039346656037ULL;
    void Mix(std::uint64_t word) {
        hash ^= word;
        hash *= 1099511628211ULL;
    }
};

// The same settings on every platform.
struct Lcg {
    std::uint64_t state;
    std::uint32_t Below(std::uint32_t n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(((state >> 32) * n) >> 32);
    }
};

// The distance of a generator value from the nearest half code (a rounding
// boundary of the ADC).
double FromHalf(double value) {
    const double shifted = value - 0.5;
    return std::fabs(shifted - std::round(shifted));
}

} // namespace

int main(int argc, char** argv) {
    std::FILE* out = nullptr;
    std::FILE* in = nullptr;
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0)
        out = std::fopen(argv[2], "wb");
    else if (argc == 3 && std::strcmp(argv[1], "--compare") == 0)
        in = std::fopen(argv[2], "rb");
    if (argc != 1 && !out && !in) {
        std::fprintf(stderr, "usage: sine_codes [--write FILE | --compare FILE]\n");
        return 2;
    }
    long sinDifferences = 0;
    long codeDifferences = 0;
    double largestUlps = 0;
    double nearestHalf = 1;
    for (std::size_t waveform = 0; waveform < Waveforms.size(); ++waveform) {
        const bool sine = waveform == 0;
        for (int range = 0; range < 4; ++range) {
            std::array<SimulatorState, 3> states{};
            std::array<Fnv, 3> codeDigests{};
            Fnv sinDigest;
            Lcg settings{static_cast<std::uint64_t>(waveform * 4 + range) + 1};
            std::array<bool, 4> down{};
            down[static_cast<std::size_t>(range)] = true;
            int amplitudePosition = 100;
            for (std::size_t b = 0; b < Bits.size(); ++b) {
                SpeedButtonClick(states[b], down, 1000);
                VormChange(states[b], Waveforms[waveform]);
            }
            for (long n = 0; n < Samples; ++n) {
                if (n % SettingsEvery == 0) {
                    const int dial = 900 + static_cast<int>(settings.Below(10101));
                    const char* rate = Rates[settings.Below(8)];
                    amplitudePosition = 1 + static_cast<int>(settings.Below(200));
                    for (std::size_t b = 0; b < Bits.size(); ++b) {
                        DialChange(states[b], dial);
                        SampleChange(states[b], rate, Bits[b]);
                        BitsChange(states[b], Bits[b], rate, amplitudePosition);
                    }
                }
                std::array<std::int16_t, 3> codes{};
                for (std::size_t b = 0; b < Bits.size(); ++b) {
                    codes[b] = static_cast<std::int16_t>(AdcCode(GenerateSample(states[b])));
                    codeDigests[b].Mix(static_cast<std::uint64_t>(codes[b]));
                }
                if (!sine)
                    continue;
                // The generator's own expression, for the raw value.
                const double s = std::sin(2 * std::numbers::pi * states[0].Phase);
                sinDigest.Mix(std::bit_cast<std::uint64_t>(s));
                if (out) {
                    std::fwrite(&s, sizeof s, 1, out);
                    std::fwrite(codes.data(), sizeof codes, 1, out);
                } else if (in) {
                    double reference = 0;
                    std::array<std::int16_t, 3> referenceCodes{};
                    if (std::fread(&reference, sizeof reference, 1, in) != 1 ||
                        std::fread(referenceCodes.data(), sizeof referenceCodes, 1, in) != 1) {
                        std::fprintf(stderr, "reference file too short\n");
                        return 1;
                    }
                    if (std::bit_cast<std::uint64_t>(reference) !=
                        std::bit_cast<std::uint64_t>(s)) {
                        ++sinDifferences;
                        const double ulp =
                            std::nextafter(std::fabs(reference), 2.0) - std::fabs(reference);
                        largestUlps = std::fmax(largestUlps, std::fabs(s - reference) / ulp);
                        for (std::size_t b = 0; b < Bits.size(); ++b) {
                            const double a = states[b].Amplitude;
                            if (std::fabs(a * reference) < states[b].MaxCode)
                                nearestHalf = std::fmin(nearestHalf, FromHalf(a * reference));
                        }
                    }
                    for (std::size_t b = 0; b < Bits.size(); ++b)
                        if (codes[b] != referenceCodes[b]) {
                            ++codeDifferences;
                            std::printf(
                                "code differs: %s range %d bits %s sample %ld: %d against %d\n",
                                Waveforms[waveform], range, Bits[b], n, codes[b],
                                referenceCodes[b]);
                        }
                }
            }
            std::printf("%-8s X%-5d codes 8/10/12 bits %016" PRIx64 " %016" PRIx64 " %016" PRIx64,
                        Waveforms[waveform], static_cast<int>(std::pow(10, range + 1)),
                        codeDigests[0].hash, codeDigests[1].hash, codeDigests[2].hash);
            if (sine)
                std::printf("  sin %016" PRIx64, sinDigest.hash);
            std::printf("\n");
            std::fflush(stdout);
        }
    }
    if (in)
        std::printf("against the reference: %ld of %ld sin values differ (at most %.0f ulp); "
                    "%ld ADC codes differ; the nearest of the differing values to a half code: "
                    "%.3g codes\n",
                    sinDifferences, 4 * Samples, largestUlps, codeDifferences, nearestHalf);
    if (out)
        std::fclose(out);
    if (in)
        std::fclose(in);
}
