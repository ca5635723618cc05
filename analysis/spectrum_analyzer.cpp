#include "analysis/spectrum_analyzer.h"

#include <fftw3.h>

#include <cmath>
#include <new>
#include <numbers>
#include <stdexcept>

namespace signova {
namespace {

constexpr int MinimumRecordLength = 64;

// The periodic 4-term Blackman-Harris window of `length` points.
std::vector<double> BlackmanHarris(int length) {
    constexpr double A0 = 0.35875;
    constexpr double A1 = 0.48829;
    constexpr double A2 = 0.14128;
    constexpr double A3 = 0.01168;
    std::vector<double> window(static_cast<std::size_t>(length));
    for (int n = 0; n < length; ++n) {
        const double x = 2.0 * std::numbers::pi * n / length;
        window[static_cast<std::size_t>(n)] =
            A0 - A1 * std::cos(x) + A2 * std::cos(2.0 * x) - A3 * std::cos(3.0 * x);
    }
    return window;
}

template <typename T> struct FftwFree {
    void operator()(T* p) const { fftw_free(p); }
};

template <typename T> std::unique_ptr<T, FftwFree<T>> FftwArray(int count) {
    T* p = static_cast<T*>(fftw_malloc(sizeof(T) * static_cast<std::size_t>(count)));
    if (p == nullptr)
        throw std::bad_alloc();
    return std::unique_ptr<T, FftwFree<T>>(p);
}

} // namespace

struct SpectrumAnalyzer::Transform {
    int length;
    std::vector<double> window;
    double windowSum;
    std::unique_ptr<double, FftwFree<double>> samples;
    std::unique_ptr<fftw_complex, FftwFree<fftw_complex>> bins;
    fftw_plan plan;

    explicit Transform(int n)
        : length(n), window(BlackmanHarris(n)), windowSum(0.0), samples(FftwArray<double>(n)),
          bins(FftwArray<fftw_complex>(n / 2 + 1)) {
        for (const double w : window)
            windowSum += w;
        // FFTW_ESTIMATE plans without running trial transforms: quick, and the
        // same plan on every start.
        plan = fftw_plan_dft_r2c_1d(n, samples.get(), bins.get(), FFTW_ESTIMATE);
        if (plan == nullptr)
            throw std::runtime_error("no FFTW plan for this record length");
    }
    ~Transform() { fftw_destroy_plan(plan); }
    Transform(const Transform&) = delete;
    Transform& operator=(const Transform&) = delete;

    // The mean square in codes that bin k stands for: a sine of amplitude A
    // on bin k gives |X[k]| = A * windowSum / 2 (the other half lies in its
    // mirror image above half the sample rate), so A^2 / 2 is
    // 2 |X[k]|^2 / windowSum^2; a constant c gives |X[0]| = c * windowSum,
    // and so does c * (-1)^n in bin length / 2: c^2 is |X|^2 / windowSum^2.
    double Power(int k) const {
        const fftw_complex& bin = bins.get()[k];
        const double squared = (bin[0] * bin[0] + bin[1] * bin[1]) / (windowSum * windowSum);
        return k == 0 || k == length / 2 ? squared : 2.0 * squared;
    }
};

SpectrumAnalyzer::SpectrumAnalyzer(int recordLength) {
    if (recordLength < MinimumRecordLength || recordLength % 2 != 0)
        throw std::invalid_argument("record length must be even and at least 64");
    transform_ = std::make_unique<Transform>(recordLength);
}

SpectrumAnalyzer::~SpectrumAnalyzer() = default;

int SpectrumAnalyzer::Length() const {
    return transform_->length;
}

std::vector<double> SpectrumAnalyzer::BinPowers(std::span<const double> record) {
    Transform& t = *transform_;
    if (record.size() != static_cast<std::size_t>(t.length))
        throw std::invalid_argument("record length differs from the analyzer's");
    double* samples = t.samples.get();
    for (std::size_t n = 0; n < record.size(); ++n)
        samples[n] = record[n] * t.window[n];
    fftw_execute(t.plan);

    std::vector<double> powers(static_cast<std::size_t>(t.length / 2) + 1);
    for (std::size_t k = 0; k < powers.size(); ++k)
        powers[k] = t.Power(static_cast<int>(k));
    return powers;
}

Spectrum SpectrumAnalyzer::Analyze(std::span<const double> record, std::int32_t maxCode,
                                   double sampleRate) {
    if (maxCode <= 0)
        throw std::invalid_argument("full scale must be positive");
    return SpectrumOfPowers(BinPowers(record), maxCode, sampleRate);
}

} // namespace signova
