#include "analysis/group_delay.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace signova {
namespace {

// A polynomial in z^-1 this close to zero (relative to the sum of its
// coefficients' magnitudes) has a root on the circle here.
constexpr double VanishingFraction = 1e-9;

// Re(sum k c_k z^-k / sum c_k z^-k) at z = e^(j omega), or NaN where the sum
// vanishes.
double DelayOf(const std::vector<double>& c, double omega) {
    std::complex<double> sum;
    std::complex<double> weighted;
    double scale = 0.0;
    for (std::size_t k = 0; k < c.size(); ++k) {
        const std::complex<double> term = c[k] * std::polar(1.0, -omega * static_cast<double>(k));
        sum += term;
        weighted += static_cast<double>(k) * term;
        scale += std::abs(c[k]);
    }
    if (std::abs(sum) <= VanishingFraction * scale)
        return std::nan("");
    return (weighted / sum).real();
}

} // namespace

std::vector<double> GroupDelay(const FilterCoefficients& filter,
                               const std::vector<double>& frequencies, double sampleRate) {
    std::vector<double> denominator = {1.0};
    for (std::size_t k = 1; k < filter.a.size(); ++k)
        denominator.push_back(-filter.a[k]);
    std::vector<double> delays;
    delays.reserve(frequencies.size());
    for (const double f : frequencies) {
        const double omega = 2 * std::numbers::pi * f / sampleRate;
        delays.push_back(DelayOf(filter.b, omega) - DelayOf(denominator, omega));
    }
    return delays;
}

std::vector<double> UnwrappedDegrees(const std::vector<double>& wrapped) {
    std::vector<double> unwrapped;
    unwrapped.reserve(wrapped.size());
    double offset = 0.0;
    double previous = std::nan("");
    for (const double p : wrapped) {
        if (std::isnan(p)) {
            unwrapped.push_back(p);
            offset = 0.0;
            previous = p;
            continue;
        }
        if (!std::isnan(previous))
            offset -= 360.0 * std::round((p + offset - previous) / 360.0);
        previous = p + offset;
        unwrapped.push_back(previous);
    }
    return unwrapped;
}

} // namespace signova
