// tone_meter <raw s16le mono file> <rate> <frequency> <from s> <seconds>
// Prints "rms <r> tone <t>" for that stretch of the file: the root mean
// square in 16-bit steps, and the share of the power that a sine at
// `frequency` holds (1 for a pure tone, near 0 for silence or other tones).
// tone_meter <file> <rate>
// Prints "length <s> loud <first s> <last s>": the recording's length and
// where its first and last sample beyond 1000 steps lie (-1 -1: none).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>
#include <vector>

namespace {

std::int16_t SampleAt(const std::vector<char>& bytes, std::size_t i) {
    return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3) {
        std::ifstream file(argv[1], std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                      std::istreambuf_iterator<char>());
        const double rate = std::atof(argv[2]);
        const std::size_t count = bytes.size() / 2;
        long first = -1;
        long last = -1;
        for (std::size_t i = 0; i < count; ++i)
            if (std::abs(SampleAt(bytes, i)) > 1000) {
                if (first < 0)
                    first = static_cast<long>(i);
                last = static_cast<long>(i);
            }
        std::printf("length %.3f loud %.3f %.3f\n", static_cast<double>(count) / rate,
                    first < 0 ? -1.0 : static_cast<double>(first) / rate,
                    last < 0 ? -1.0 : static_cast<double>(last) / rate);
        return 0;
    }
    if (argc != 6) {
        std::fprintf(stderr, "usage: tone_meter FILE RATE FREQUENCY FROM SECONDS\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    const double rate = std::atof(argv[2]);
    const double frequency = std::atof(argv[3]);
    const auto first = static_cast<std::size_t>(std::atof(argv[4]) * rate);
    const auto count = static_cast<std::size_t>(std::atof(argv[5]) * rate);
    const std::size_t available = bytes.size() / 2;
    if (first + count > available) {
        std::fprintf(stderr, "only %zu samples recorded\n", available);
        return 1;
    }
    double power = 0.0;
    double re = 0.0;
    double im = 0.0;
    double windowSum = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double x = SampleAt(bytes, first + i);
        power += x * x;
        const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / count);
        const double phase = 2.0 * std::numbers::pi * frequency * static_cast<double>(i) / rate;
        re += window * x * std::cos(phase);
        im -= window * x * std::sin(phase);
        windowSum += window;
    }
    const double meanPower = power / static_cast<double>(count);
    const double amplitude = 2.0 * std::hypot(re, im) / windowSum;
    const double tone = meanPower > 0.0 ? amplitude * amplitude / 2.0 / meanPower : 0.0;
    std::printf("rms %.1f tone %.3f\n", std::sqrt(meanPower), tone);
    return 0;
}
