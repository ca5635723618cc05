#include "design/filter_design.h"

#include "analysis/frequency_response.h"
#include "design/coefficient_text.h"
#include "toolkit/number_text.h"

#include <complex>
// liquid.h takes std::complex when <complex> comes first.
#include <liquid/liquid.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace signova {
namespace {

constexpr double Pi = std::numbers::pi;

std::string Hz(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string Db(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

bool IsBand(BandShape band) { return band == BandShape::BandPass || band == BandShape::BandStop; }

const char* BandName(BandShape band) {
    switch (band) {
    case BandShape::LowPass: return "Low-pass";
    case BandShape::HighPass: return "High-pass";
    case BandShape::BandPass: return "Band-pass";
    case BandShape::BandStop: return "Band-stop";
    }
    return "";
}

const char* WindowName(DesignWindow window) {
    switch (window) {
    case DesignWindow::Hamming: return "Hamming";
    case DesignWindow::Hann: return "Hann";
    case DesignWindow::BlackmanHarris: return "Blackman-Harris";
    case DesignWindow::Kaiser: return "Kaiser";
    case DesignWindow::FlatTop: return "flat-top";
    case DesignWindow::Triangular: return "triangular";
    }
    return "";
}

const char* MethodName(DesignMethod method) {
    switch (method) {
    case DesignMethod::Window: return "window";
    case DesignMethod::Equiripple: return "equiripple";
    case DesignMethod::Butterworth: return "Butterworth";
    case DesignMethod::ChebyshevI: return "Chebyshev I";
    case DesignMethod::ChebyshevII: return "Chebyshev II";
    case DesignMethod::Elliptic: return "elliptic";
    case DesignMethod::Bessel: return "Bessel";
    case DesignMethod::Resonator: return "resonator";
    }
    return "";
}

liquid_window_type LiquidWindow(DesignWindow window) {
    switch (window) {
    case DesignWindow::Hamming: return LIQUID_WINDOW_HAMMING;
    case DesignWindow::Hann: return LIQUID_WINDOW_HANN;
    case DesignWindow::BlackmanHarris: return LIQUID_WINDOW_BLACKMANHARRIS;
    case DesignWindow::Kaiser: return LIQUID_WINDOW_KAISER;
    case DesignWindow::FlatTop: return LIQUID_WINDOW_FLATTOP;
    case DesignWindow::Triangular: return LIQUID_WINDOW_TRIANGULAR;
    }
    return LIQUID_WINDOW_HAMMING;
}

// The centre of a band (cycles per sample), in the sense of the band
// transform: cos(2 pi f0) = cos(pi (f1 + f2)) / cos(pi (f2 - f1)).
double BandCentre(const DesignRequest& request) {
    const double f1 = request.edge / request.sampleRate;
    const double f2 = request.upperEdge / request.sampleRate;
    return std::acos(std::cos(Pi * (f1 + f2)) / std::cos(Pi * (f2 - f1))) / (2 * Pi);
}

// The normalised frequency (cycles per sample) where each shape's gain is 1.
double ReferenceFrequency(const DesignRequest& request) {
    switch (request.band) {
    case BandShape::LowPass:
    case BandShape::BandStop: return 0.0;
    case BandShape::HighPass: return 0.5;
    case BandShape::BandPass: break;
    }
    return BandCentre(request);
}

// Scales taps so the gain at `frequency` (cycles per sample) is 1, then
// rounds them to the single precision the design is made in.
std::vector<float> ToUnitGain(const std::vector<double>& taps, double frequency) {
    std::complex<double> sum = 0.0;
    for (std::size_t i = 0; i < taps.size(); ++i)
        sum += taps[i] * std::polar(1.0, -2 * Pi * frequency * static_cast<double>(i));
    const double gain = std::abs(sum);
    std::vector<float> result;
    for (double tap : taps)
        result.push_back(static_cast<float>(gain > 0 ? tap / gain : tap));
    return result;
}

// The ideal low-pass of cut-off fc (cycles per sample) at offset t from the
// centre: 2 fc sinc(2 fc t).
double IdealLowPass(double fc, double t) {
    if (t == 0.0)
        return 2 * fc;
    return std::sin(2 * Pi * fc * t) / (Pi * t);
}

std::vector<float> WindowDesign(const DesignRequest& request) {
    const int n = request.taps;
    const double f1 = request.edge / request.sampleRate;
    const double f2 = request.upperEdge / request.sampleRate;
    std::vector<double> taps;
    for (int i = 0; i < n; ++i) {
        const double t = i - (n - 1) / 2.0;
        const double impulse = t == 0.0 ? 1.0 : 0.0;
        double ideal = 0.0;
        switch (request.band) {
        case BandShape::LowPass: ideal = IdealLowPass(f1, t); break;
        case BandShape::HighPass: ideal = impulse - IdealLowPass(f1, t); break;
        case BandShape::BandPass: ideal = IdealLowPass(f2, t) - IdealLowPass(f1, t); break;
        case BandShape::BandStop: ideal = impulse - IdealLowPass(f2, t) + IdealLowPass(f1, t); break;
        }
        // liquid's window of length 1 divides by 0; a single tap needs none.
        const float argument = request.window == DesignWindow::Kaiser      ? static_cast<float>(request.kaiserBeta)
                               : request.window == DesignWindow::Triangular ? static_cast<float>(n)
                                                                         : 0.0f;
        const double weight =
            n == 1 ? 1.0
                   : liquid_windowf(LiquidWindow(request.window), static_cast<unsigned>(i),
                                    static_cast<unsigned>(n), argument);
        taps.push_back(ideal * weight);
    }
    return ToUnitGain(taps, ReferenceFrequency(request));
}

std::vector<float> EquirippleDesign(const DesignRequest& request) {
    const double half = request.transition / request.sampleRate / 2;
    const double f1 = request.edge / request.sampleRate;
    const double f2 = request.upperEdge / request.sampleRate;
    std::vector<float> bands;
    std::vector<float> desired;
    switch (request.band) {
    case BandShape::LowPass:
        bands = {0.0f, float(f1 - half), float(f1 + half), 0.5f};
        desired = {1, 0};
        break;
    case BandShape::HighPass:
        bands = {0.0f, float(f1 - half), float(f1 + half), 0.5f};
        desired = {0, 1};
        break;
    case BandShape::BandPass:
    case BandShape::BandStop:
        bands = {0.0f, float(f1 - half), float(f1 + half), float(f2 - half), float(f2 + half), 0.5f};
        desired = request.band == BandShape::BandPass ? std::vector<float>{0, 1, 0}
                                                    : std::vector<float>{1, 0, 1};
        break;
    }
    const unsigned count = static_cast<unsigned>(desired.size());
    std::vector<float> weights(count, 1.0f);
    std::vector<liquid_firdespm_wtype> weighting(count, LIQUID_FIRDESPM_FLATWEIGHT);
    std::vector<float> h(static_cast<std::size_t>(request.taps));
    firdespm_run(static_cast<unsigned>(request.taps), count, bands.data(), desired.data(),
                 weights.data(), weighting.data(), LIQUID_FIRDESPM_BANDPASS, h.data());
    return ToUnitGain(std::vector<double>(h.begin(), h.end()), ReferenceFrequency(request));
}

liquid_iirdes_filtertype LiquidType(DesignMethod method) {
    switch (method) {
    case DesignMethod::ChebyshevI: return LIQUID_IIRDES_CHEBY1;
    case DesignMethod::ChebyshevII: return LIQUID_IIRDES_CHEBY2;
    case DesignMethod::Elliptic: return LIQUID_IIRDES_ELLIP;
    case DesignMethod::Bessel: return LIQUID_IIRDES_BESSEL;
    default: return LIQUID_IIRDES_BUTTER;
    }
}

liquid_iirdes_bandtype LiquidBand(BandShape band) {
    switch (band) {
    case BandShape::LowPass: return LIQUID_IIRDES_LOWPASS;
    case BandShape::HighPass: return LIQUID_IIRDES_HIGHPASS;
    case BandShape::BandPass: return LIQUID_IIRDES_BANDPASS;
    case BandShape::BandStop: return LIQUID_IIRDES_BANDSTOP;
    }
    return LIQUID_IIRDES_LOWPASS;
}

// Numerator and denominator (highest power of z first, a[0] = 1) of an IIR
// design, and its roots. liquid hands out second-order sections in single
// precision; their roots are well placed (each section holds at most one
// conjugate pair), and the product of the sections is taken here in double.
// liquid's own transfer-function output multiplies in single precision,
// which misplaces clustered poles at high orders and low cut-offs.
struct IirProduct {
    std::vector<double> numerator{1.0};
    std::vector<double> denominator{1.0};
    FilterRoots roots;
};

IirProduct LiquidIirDesign(const DesignRequest& request) {
    const bool band = IsBand(request.band);
    const unsigned order = static_cast<unsigned>(band ? 2 * request.order : request.order);
    const unsigned sections = (order + 1) / 2;
    std::vector<float> b(3 * sections), a(3 * sections);
    const float fc = static_cast<float>(request.edge / request.sampleRate);
    const float f0 = band ? static_cast<float>(BandCentre(request)) : 0.0f;
    liquid_iirdes(LiquidType(request.method), LiquidBand(request.band), LIQUID_IIRDES_SOS,
                  static_cast<unsigned>(request.order), fc, f0, static_cast<float>(request.rippleDb),
                  static_cast<float>(request.attenuationDb), b.data(), a.data());
    IirProduct product;
    product.roots.zeros.lead = 1.0;
    product.roots.poles.lead = 1.0;
    for (unsigned s = 0; s < sections; ++s) {
        std::vector<double> bs{b[3 * s], b[3 * s + 1], b[3 * s + 2]};
        std::vector<double> as{a[3 * s], a[3 * s + 1], a[3 * s + 2]};
        const double a0 = as[0];
        for (double& v : bs)
            v /= a0;
        for (double& v : as)
            v /= a0;
        // A first-order section is padded with zeros.
        if (bs[2] == 0.0 && as[2] == 0.0) {
            bs.pop_back();
            as.pop_back();
        }
        const PolynomialRoots zeros = RootsOf(bs);
        const PolynomialRoots poles = RootsOf(as);
        product.roots.zeros.lead *= zeros.lead;
        for (const Root& r : zeros.roots)
            product.roots.zeros.roots.push_back(r);
        for (const Root& r : poles.roots)
            product.roots.poles.roots.push_back(r);
        auto multiply = [](std::vector<double>& p, const std::vector<double>& f) {
            std::vector<double> out(p.size() + f.size() - 1, 0.0);
            for (std::size_t i = 0; i < p.size(); ++i)
                for (std::size_t j = 0; j < f.size(); ++j)
                    out[i + j] += p[i] * f[j];
            p = std::move(out);
        };
        multiply(product.numerator, bs);
        multiply(product.denominator, as);
    }
    return product;
}

IirProduct ResonatorDesign(const DesignRequest& request) {
    const double w0 = 2 * Pi * request.edge / request.sampleRate;
    const double r = request.radius;
    // |1 - 2r cos(w0) e^-jw0 + r^2 e^-2jw0| at w0: b0 makes the gain there 1.
    const std::complex<double> z1 = std::polar(1.0, -w0);
    const std::complex<double> response = 1.0 - 2 * r * std::cos(w0) * z1 + r * r * z1 * z1;
    // The square root of the sum of squares rounds the same on every processor;
    // libm's hypot (std::abs) ends in another last bit on x86-64 than on arm64.
    const double b0 = std::sqrt(response.real() * response.real() + response.imag() * response.imag());
    IirProduct product;
    product.numerator = {b0, 0.0, 0.0};
    product.denominator = {1.0, -2 * r * std::cos(w0), r * r};
    product.roots.zeros = {b0, 0, {Root(0, 0), Root(0, 0)}};
    const Root pole = std::polar(r, w0);
    product.roots.poles = {1.0, 0, {pole, std::conj(pole)}};
    return product;
}

} // namespace

bool IsFirMethod(DesignMethod method) {
    return method == DesignMethod::Window || method == DesignMethod::Equiripple;
}

bool HasBands(DesignMethod method) { return method != DesignMethod::Resonator; }

std::string DesignError(const DesignRequest& request) {
    const double half = request.sampleRate / 2;
    const bool band = HasBands(request.method) && IsBand(request.band);
    if (!(request.sampleRate > 0))
        return "The sample rate must be above 0 Hz.";
    if (!(request.edge > 0 && request.edge < half))
        return "The frequency " + Hz(request.edge) + " Hz must lie between 0 Hz and half the sample rate (" +
               Hz(half) + " Hz).";
    if (band && !(request.upperEdge > request.edge && request.upperEdge < half))
        return "The upper edge " + Hz(request.upperEdge) + " Hz must lie above the lower edge and below "
               "half the sample rate (" + Hz(half) + " Hz).";
    if (IsFirMethod(request.method)) {
        if (request.taps < 1 || request.taps > MaxDesignTaps)
            return "The number of taps must be 1 to 300.";
        if ((request.band == BandShape::HighPass || request.band == BandShape::BandStop) && request.taps % 2 == 0)
            return "A high-pass or band-stop FIR needs an odd number of taps.";
        if (request.method == DesignMethod::Window && request.window == DesignWindow::Kaiser &&
            !(request.kaiserBeta >= 0 && request.kaiserBeta <= 50))
            return "Kaiser's beta must be 0 to 50.";
        if (request.method == DesignMethod::Equiripple) {
            const double t = request.transition / 2;
            const bool fits = request.transition > 0 && request.edge - t > 0 &&
                              (band ? request.upperEdge - t > request.edge + t && request.upperEdge + t < half
                                    : request.edge + t < half);
            if (!fits)
                return "The transition width " + Hz(request.transition) +
                       " Hz does not fit around the edges between 0 Hz and " + Hz(half) + " Hz.";
        }
        return "";
    }
    if (request.method == DesignMethod::Resonator) {
        if (!(request.radius > 0 && request.radius < 1))
            return "The pole radius must lie between 0 and 1.";
        return "";
    }
    const int most = band ? MaxBandPrototypeOrder : MaxLowHighPassOrder;
    if (request.order < 1 || request.order > most)
        return band ? "The prototype order of a band-pass or band-stop filter must be 1 to 5."
                    : "The order must be 1 to 10.";
    const bool ripple = request.method == DesignMethod::ChebyshevI || request.method == DesignMethod::Elliptic;
    const bool attenuation = request.method == DesignMethod::ChebyshevII || request.method == DesignMethod::Elliptic;
    if (ripple && !(request.rippleDb > 0 && request.rippleDb <= 20))
        return "The pass-band ripple must be above 0 dB and at most 20 dB.";
    if (attenuation && !(request.attenuationDb > (ripple ? request.rippleDb : 0.0) && request.attenuationDb <= 200))
        return "The stop-band attenuation must exceed the ripple and be at most 200 dB.";
    return "";
}

std::string DesignTitle(const DesignRequest& request) {
    if (request.method == DesignMethod::Resonator)
        return "Resonator " + Hz(request.edge) + " Hz, r " + Hz(request.radius);
    std::string title = BandName(request.band);
    title.append(" ").append(Hz(request.edge));
    if (IsBand(request.band))
        title.append("-").append(Hz(request.upperEdge));
    title.append(" Hz, ");
    if (IsFirMethod(request.method)) {
        title += std::to_string(request.taps) + " taps, ";
        if (request.method == DesignMethod::Equiripple)
            title += "equiripple";
        else if (request.window == DesignWindow::Kaiser)
            title += "Kaiser beta " + Hz(request.kaiserBeta);
        else
            title += WindowName(request.window);
    } else {
        title += "order " + std::to_string(IsBand(request.band) ? 2 * request.order : request.order) + ", " +
                 MethodName(request.method);
    }
    return title;
}

DesignedFilter DesignFilter(const DesignRequest& request) {
    DesignedFilter result;
    result.error = DesignError(request);
    if (!result.error.empty())
        return result;
    result.title = DesignTitle(request);
    if (IsFirMethod(request.method)) {
        result.kind = FilterKind::Fir;
        const std::vector<float> taps =
            request.method == DesignMethod::Window ? WindowDesign(request) : EquirippleDesign(request);
        for (float tap : taps) {
            result.bTexts.push_back(ShortestFloatText(tap));
            result.coefficients.b.push_back(StrToFloat(result.bTexts.back()));
        }
    } else {
        result.kind = FilterKind::Iir;
        IirProduct product =
            request.method == DesignMethod::Resonator ? ResonatorDesign(request) : LiquidIirDesign(request);
        for (std::size_t k = 0; k < product.numerator.size(); ++k) {
            result.bTexts.push_back(ShortestDoubleText(product.numerator[k]));
            result.coefficients.b.push_back(StrToFloat(result.bTexts.back()));
            // The program adds the feedback: its a[k] is the negated denominator.
            const double a = k == 0 ? 0.0 : -product.denominator[k];
            result.aTexts.push_back(k == 0 ? "0" : ShortestDoubleText(a));
            result.coefficients.a.push_back(k == 0 ? 0.0 : StrToFloat(result.aTexts.back()));
        }
        result.roots = std::move(product.roots);
    }
    const std::string miss = RequirementMiss(request, result.coefficients);
    if (!miss.empty()) {
        DesignedFilter failed;
        failed.error = miss;
        return failed;
    }
    return result;
}

// The rules, measured on 4096 points from 0 to fs/2 plus the edges:
//  - every shape but the rippled ones (Chebyshev I, elliptic) has gain 1
//    (0 dB, within 0.01 dB) at its reference: 0 Hz
//    for low-pass and band-stop, fs/2 for high-pass, the centre for band-pass
//    (the resonator: at f0, within 1e-9);
//  - Butterworth: -3.01 dB (within 0.05 dB) at each edge, the pass band
//    between -3.06 dB and +0.01 dB;
//  - Chebyshev I, elliptic: the pass band within the ripple (0.02 dB slack);
//  - Chebyshev II: the stop band at or below -attenuation (0.1 dB slack);
//  - elliptic: every peak inside the stop band at or below -attenuation;
//  - equiripple: the largest stop-band gain at most 1.5 times the pass band's
//    largest deviation from 1 (equal weights make them equal), and below 1.
std::string RequirementMiss(const DesignRequest& request, const FilterCoefficients& filter) {
    const double fs = request.sampleRate;
    auto gainDb = [&](double hz) { return ResponseAt(filter, hz, fs).MagnitudeDb(); };
    std::vector<double> frequencies = FrequenciesUpToHalfRate(4097, fs);
    frequencies.push_back(request.edge);
    if (IsBand(request.band))
        frequencies.push_back(request.upperEdge);
    std::sort(frequencies.begin(), frequencies.end());
    frequencies.erase(std::unique(frequencies.begin(), frequencies.end()), frequencies.end());
    if (request.method == DesignMethod::Resonator) {
        const double peak = ResponseAt(filter, request.edge, fs).magnitude;
        if (!(std::abs(peak - 1.0) <= 1e-9))
            return "The gain at " + Hz(request.edge) + " Hz is " + Db(20 * std::log10(peak)) + " dB, not 0 dB.";
        return "";
    }
    // Chebyshev I and elliptic designs of even order start at the bottom of
    // their ripple: their pass band is checked against the ripple instead.
    const bool rippled = request.method == DesignMethod::ChebyshevI || request.method == DesignMethod::Elliptic;
    const double reference = ReferenceFrequency(request) * fs;
    // A design of high order and low edge can leave the single direct form's
    // denominator within its rounding of zero: its gain cannot be measured
    // there, and a gain of "inf dB" would tell the teacher nothing.
    const std::vector<ResponsePoint> points = FrequencyResponse(filter, frequencies, fs);
    for (const ResponsePoint& point : points)
        if (point.infinite)
            return "At " + Hz(point.frequency) + " Hz these coefficients cannot be told from a pole on the unit circle: " +
                   "lower the order or move the edge away from 0 Hz and half the sample rate.";
    const double referenceDb = gainDb(reference);
    if (!rippled && !(std::abs(referenceDb) <= 0.01))
        return "The gain at " + Hz(reference) + " Hz is " + Db(referenceDb) + " dB, not 0 dB.";
    const double lo = request.edge;
    const double hi = IsBand(request.band) ? request.upperEdge : request.edge;
    auto inPass = [&](double f) {
        switch (request.band) {
        case BandShape::LowPass: return f <= lo;
        case BandShape::HighPass: return f >= lo;
        case BandShape::BandPass: return f >= lo && f <= hi;
        case BandShape::BandStop: return f <= lo || f >= hi;
        }
        return false;
    };
    auto inStop = [&](double f) {
        switch (request.band) {
        case BandShape::LowPass: return f >= lo;
        case BandShape::HighPass: return f <= lo;
        case BandShape::BandPass: return f <= lo || f >= hi;
        case BandShape::BandStop: return f >= lo && f <= hi;
        }
        return false;
    };
    std::vector<double> db;
    for (const ResponsePoint& point : points)
        db.push_back(point.MagnitudeDb());
    double passLow = INFINITY, passHigh = -INFINITY, stopHigh = -INFINITY, stopPeak = -INFINITY;
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        if (inPass(frequencies[i])) {
            passLow = std::min(passLow, db[i]);
            passHigh = std::max(passHigh, db[i]);
        }
        if (inStop(frequencies[i])) {
            stopHigh = std::max(stopHigh, db[i]);
            const bool peak = i > 0 && i + 1 < db.size() && db[i] >= db[i - 1] && db[i] >= db[i + 1] &&
                              inStop(frequencies[i - 1]) && inStop(frequencies[i + 1]);
            if (peak)
                stopPeak = std::max(stopPeak, db[i]);
        }
    }
    switch (request.method) {
    case DesignMethod::Butterworth:
        for (double edge : {lo, hi})
            if (!(std::abs(gainDb(edge) + 3.0103) <= 0.05))
                return "The gain at the edge " + Hz(edge) + " Hz is " + Db(gainDb(edge)) + " dB, not -3.01 dB.";
        if (passLow < -3.06 || passHigh > 0.01)
            return "The pass band spans " + Db(passLow) + " to " + Db(passHigh) + " dB.";
        return "";
    case DesignMethod::ChebyshevI:
    case DesignMethod::Elliptic:
        if (passLow < -request.rippleDb - 0.02 || passHigh > 0.02)
            return "The pass band spans " + Db(passLow) + " to " + Db(passHigh) + " dB, more than the ripple of " +
                   Db(request.rippleDb) + " dB.";
        if (request.method == DesignMethod::Elliptic && stopPeak > -request.attenuationDb + 0.1)
            return "The stop band rises to " + Db(stopPeak) + " dB, above -" + Db(request.attenuationDb) + " dB.";
        return "";
    case DesignMethod::ChebyshevII:
        if (stopHigh > -request.attenuationDb + 0.1)
            return "The stop band rises to " + Db(stopHigh) + " dB, above -" + Db(request.attenuationDb) + " dB.";
        return "";
    case DesignMethod::Equiripple: {
        double passDeviation = 0.0, stopGain = 0.0;
        const double half = request.transition / 2;
        for (double f : frequencies) {
            const double g = ResponseAt(filter, f, fs).magnitude;
            const bool transition = std::abs(f - lo) < half || std::abs(f - hi) < half;
            if (transition)
                continue;
            if (inPass(f))
                passDeviation = std::max(passDeviation, std::abs(g - 1.0));
            else
                stopGain = std::max(stopGain, g);
        }
        if (!(stopGain < 1.0) || stopGain > 1.5 * passDeviation + 1e-6)
            return "The stop band rises to " + Db(20 * std::log10(stopGain)) +
                   " dB: the taps do not reach an equiripple design for this transition.";
        return "";
    }
    default: return "";
    }
}

} // namespace signova
