#pragma once

#include "analysis/filter_coefficients.h"
#include "design/polynomial_roots.h"
#include "engine/sample_pipeline.h"

#include <string>
#include <vector>

namespace signova {

enum class DesignMethod {
    Window,      // FIR: windowed ideal response
    Equiripple,  // FIR: Parks-McClellan
    Butterworth, // IIR from here on
    ChebyshevI,
    ChebyshevII,
    Elliptic,
    Bessel,
    Resonator // IIR: two poles at radius r and angle 2*pi*f0/fs
};

enum class BandShape { LowPass, HighPass, BandPass, BandStop };

// The windows of the window method, as liquid-dsp defines them (its Hamming is
// 0.53836 - 0.46164 cos, its Hann and triangular reach 0 and 1/N at the ends).
enum class DesignWindow { Hamming, Hann, BlackmanHarris, Kaiser, FlatTop, Triangular };

constexpr int MaxDesignTaps = 300;
constexpr int MaxLowHighPassOrder = 10;
// A band-pass or band-stop design doubles the order of its prototype.
constexpr int MaxBandPrototypeOrder = 5;

// What the class asks for. Frequencies in Hz at `sampleRate`.
struct DesignRequest {
    DesignMethod method = DesignMethod::Window;
    BandShape band = BandShape::LowPass;
    double sampleRate = 48000.0;
    // Low- and high-pass: the cut-off. Band-pass and band-stop: the lower edge,
    // `upperEdge` the upper one. Resonator: f0.
    double edge = 3000.0;
    double upperEdge = 6000.0;
    int taps = 63;  // FIR
    int order = 4;  // IIR: the order, or the prototype's for band-pass and band-stop
    DesignWindow window = DesignWindow::Hamming;
    double kaiserBeta = 6.0;
    double transition = 1000.0; // Hz, equiripple: the width of each transition band
    double rippleDb = 1.0;       // Chebyshev I, elliptic: pass band
    double attenuationDb = 60.0; // Chebyshev II, elliptic: stop band
    double radius = 0.99;        // resonator
};

bool IsFirMethod(DesignMethod method);
bool HasBands(DesignMethod method); // every method but the resonator

// A design as the table will hold it.
struct DesignedFilter {
    // Why it cannot be made; when not empty nothing else is filled in.
    std::string error;
    FilterKind kind = FilterKind::Fir;
    // The texts of the table: b (FIR taps, or the IIR's b column) and, for an
    // IIR, a with a[0] unused. A single-precision design (the FIR ones) is
    // written as ShortestFloatText of each designed float; the IIR ones,
    // multiplied out in double, as ShortestDoubleText.
    std::vector<std::string> bTexts;
    std::vector<std::string> aTexts;
    // StrToFloat of the texts: what the filter will run.
    FilterCoefficients coefficients;
    // IIR: the roots the design placed (taken from liquid's second-order
    // sections), repeated roots exactly repeated. FIR: empty.
    FilterRoots roots;
    // "Low-pass 3000 Hz, 63 taps, Hamming"
    std::string title;

    bool Ok() const { return error.empty(); }
};

// Designs with liquid-dsp. Band edges map to liquid's IIR arguments as
//   fc = lower edge / fs,  f0 = acos(cos(pi (f1 + f2)) / cos(pi (f2 - f1))) / (2 pi)
// (f1, f2 the edges over fs): liquid's band transform puts one edge of the
// pass band at its prototype cut-off fc and the band's centre, in the cosine
// sense, at f0; the other edge then falls at f2.
// The edge means: Butterworth the -3.01 dB point, Chebyshev I and elliptic the
// end of the pass band's ripple, Chebyshev II the start of the stop band,
// Bessel where liquid's delay-normalised prototype puts its cut-off.
// Then checks the written coefficients against the request
// (RequirementMiss); a miss is an error too.
DesignedFilter DesignFilter(const DesignRequest& request);

// Why `request` cannot be designed (edges, taps, order, ripple out of range), or
// empty.
std::string DesignError(const DesignRequest& request);

// Measures `filter` with the program's frequency response and says how it
// misses the request, or returns empty. See filter_design.cpp for the
// rule of each method.
std::string RequirementMiss(const DesignRequest& request, const FilterCoefficients& filter);

// "Low-pass 3000 Hz, 63 taps, Hamming", "Band-stop 1000-3000 Hz, order 4,
// Elliptic", "Resonator 1000 Hz, r 0.99".
std::string DesignTitle(const DesignRequest& request);

} // namespace signova
