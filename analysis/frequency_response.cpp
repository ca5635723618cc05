#include "analysis/frequency_response.h"

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace signova {
namespace {

using Complex = std::complex<double>;

// e^(-j 2 pi cycles), reduced by quarter turns first so that the quarter
// points (0, fs/4, fs/2 ...) come out exact and a zero there is exactly 0.
Complex UnitPhasor(double cycles) {
    double turn = cycles - std::floor(cycles); // [0, 1]
    double quarters = std::floor(turn * 4.0);  // exact: scaling by 4 is exact
    const double rest = (turn * 4.0 - quarters) * (std::numbers::pi / 2.0);
    const double c = std::cos(rest);
    const double s = std::sin(rest);
    Complex rotation;
    switch (static_cast<int>(quarters) % 4) {
    case 0:
        rotation = {c, s};
        break;
    case 1:
        rotation = {-s, c};
        break;
    case 2:
        rotation = {-c, -s};
        break;
    default:
        rotation = {s, -c};
        break;
    }
    return std::conj(rotation);
}

// sum c[k] e^(-j w k) from k = `first`, together with sum |c[k]|: the scale of
// the rounding error of the sum.
Complex Polynomial(const std::vector<double>& c, std::size_t first, double cyclesPerSample,
                   double& magnitudeSum) {
    Complex sum = 0.0;
    magnitudeSum = 0.0;
    for (std::size_t k = first; k < c.size(); ++k) {
        if (c[k] == 0.0)
            continue;
        // The angle is reduced in cycles before it becomes radians, so that
        // high taps keep their accuracy.
        sum += c[k] * UnitPhasor(std::fmod(static_cast<double>(k) * cyclesPerSample, 1.0));
        magnitudeSum += std::abs(c[k]);
    }
    return sum;
}

} // namespace

double ResponsePoint::MagnitudeDb() const {
    if (infinite)
        return std::numeric_limits<double>::infinity();
    return 20.0 * std::log10(magnitude); // -inf for 0
}

ResponsePoint ResponseAt(const FilterCoefficients& filter, double frequency, double sampleRate) {
    if (!(sampleRate > 0.0))
        throw std::invalid_argument("sample rate must be positive");
    const double cyclesPerSample = frequency / sampleRate;
    double numeratorScale = 0.0;
    double feedbackScale = 0.0;
    const Complex numerator = Polynomial(filter.b, 0, cyclesPerSample, numeratorScale);
    const Complex denominator = 1.0 - Polynomial(filter.a, 1, cyclesPerSample, feedbackScale);

    ResponsePoint point;
    point.frequency = frequency;
    // A denominator within its own rounding error of zero is zero: the pole
    // lies on the circle as far as doubles can tell.
    const double terms = static_cast<double>(filter.a.size()) + 1.0;
    const double roundingBound =
        8.0 * terms * std::numeric_limits<double>::epsilon() * (1.0 + feedbackScale);
    if (std::abs(denominator) <= roundingBound) {
        point.infinite = true;
        point.magnitude = std::numeric_limits<double>::infinity();
        point.phase = std::numeric_limits<double>::quiet_NaN();
        return point;
    }
    const Complex h = numerator / denominator;
    point.magnitude = std::abs(h);
    point.phase = std::arg(h);
    if (point.phase == -std::numbers::pi)
        point.phase = std::numbers::pi;
    return point;
}

std::vector<ResponsePoint> FrequencyResponse(const FilterCoefficients& filter,
                                             std::span<const double> frequencies,
                                             double sampleRate) {
    std::vector<ResponsePoint> points;
    points.reserve(frequencies.size());
    for (const double frequency : frequencies)
        points.push_back(ResponseAt(filter, frequency, sampleRate));
    return points;
}

std::vector<double> FrequenciesUpToHalfRate(int count, double sampleRate) {
    if (count < 2)
        throw std::invalid_argument("at least two frequencies");
    std::vector<double> frequencies(static_cast<std::size_t>(count));
    const double last = count - 1;
    for (int i = 0; i < count; ++i)
        frequencies[static_cast<std::size_t>(i)] = sampleRate / 2.0 * (i / last);
    return frequencies;
}

double FoldedFrequency(double frequency, double sampleRate) {
    const double folded = std::fmod(std::abs(frequency), sampleRate); // [0, fs)
    return folded > sampleRate / 2.0 ? sampleRate - folded : folded;
}

} // namespace signova
