#!/usr/bin/env python3
"""Writes the example coefficient files in this folder.

Run it from anywhere: python3 examples/make_examples.py
Every file is designed for a sample frequency of 48000 Hz unless it says
otherwise. Values are written with 15 significant digits.

IIR files follow this program's difference equation, in which the feedback
terms are ADDED:
    y[n] = b0*x[n] + b1*x[n-1] + ... + a1*y[n-1] + a2*y[n-2] + ...
A file holds N a-lines (a0 first, a placeholder the filter never uses) and
then N b-lines.
"""

import cmath
import math
import os

SAMPLE_RATE = 48000
HERE = os.path.dirname(os.path.abspath(__file__))


def number(value):
    if abs(value) < 1e-15:
        return "0"
    return "%.15g" % value


def write(name, kind, title, comments, values):
    lines = ["//SIGNOVA", "//TYPE " + kind, "//TITLE " + title]
    lines += ["// " + text if text else "//" for text in comments]
    lines += [number(v) for v in values]
    with open(os.path.join(HERE, name), "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


# ---- FIR designs ------------------------------------------------------------

def fir_gain(h, frequency):
    w = 2 * math.pi * frequency / SAMPLE_RATE
    return abs(sum(c * cmath.exp(-1j * w * k) for k, c in enumerate(h)))


def hamming(n, taps):
    return 0.54 - 0.46 * math.cos(2 * math.pi * n / (taps - 1))


def blackman(n, taps):
    # Sampled without its zero end points, so that no tap is wasted.
    x = 2 * math.pi * (n + 1) / (taps + 1)
    return 0.42 - 0.5 * math.cos(x) + 0.08 * math.cos(2 * x)


def sinc_low_pass(cutoff, taps, window):
    """Windowed ideal low-pass, centred, DC gain exactly 1."""
    middle = (taps - 1) / 2
    fc = cutoff / SAMPLE_RATE
    h = []
    for n in range(taps):
        t = n - middle
        ideal = 2 * fc if t == 0 else math.sin(2 * math.pi * fc * t) / (math.pi * t)
        h.append(ideal * window(n, taps))
    total = sum(h)
    return [c / total for c in h]


def write_fir_examples():
    write("fir_moving_average_4.txt", "FIR", "Moving average, 4 taps",
          ["y[n] = (x[n] + x[n-1] + x[n-2] + x[n-3]) / 4",
           "DC gain 1; first zero at fs/4 (12 kHz at 48 kHz)."],
          [0.25] * 4)
    write("fir_moving_average_16.txt", "FIR", "Moving average, 16 taps",
          ["Sum of the last 16 inputs divided by 16.",
           "DC gain 1; zeros at multiples of fs/16 (3 kHz at 48 kHz)."],
          [1 / 16] * 16)

    low = sinc_low_pass(3000, 63, hamming)
    write("fir_low_pass_3k.txt", "FIR", "Low-pass 3 kHz, 63 taps, Hamming (fs 48 kHz)",
          ["Windowed-sinc low-pass for a sample frequency of 48000 Hz.",
           "Cut-off 3000 Hz, 63 taps, Hamming window, DC gain 1.",
           "Gain about 1 below 2 kHz, below 0.01 above 5 kHz.",
           "Linear phase: the delay is 31 samples."],
          low)

    inner = sinc_low_pass(6000, 63, hamming)
    high = [-c for c in inner]
    high[31] += 1.0
    write("fir_high_pass_6k.txt", "FIR", "High-pass 6 kHz, 63 taps, Hamming (fs 48 kHz)",
          ["Spectral inversion of a 6000 Hz windowed-sinc low-pass:",
           "h[n] = d[n-31] - lowpass[n]. Sample frequency 48000 Hz.",
           "Gain about 0 at DC, below 0.01 under 3 kHz, about 1 above 9 kHz."],
          high)

    upper = sinc_low_pass(10000, 63, blackman)
    lower = sinc_low_pass(4000, 63, blackman)
    band = [u - l for u, l in zip(upper, lower)]
    write("fir_band_pass_4k_10k.txt", "FIR",
          "Band-pass 4-10 kHz, 63 taps, Blackman (fs 48 kHz)",
          ["Difference of two Blackman-windowed sinc low-passes",
           "with cut-offs 10000 Hz and 4000 Hz; fs = 48000 Hz.",
           "Gain about 1 around 7 kHz, below 0.01 under 1 kHz",
           "and above 14 kHz."],
          band)

    write("fir_differentiator.txt", "FIR", "Differentiator (first difference)",
          ["y[n] = x[n] - x[n-1]",
           "Gain 2*sin(pi*f/fs): rises with frequency, 0 at DC, 2 at fs/2."],
          [1.0, -1.0])

    delay = 48
    comb = [0.0] * (delay + 1)
    comb[0] = 0.5
    comb[delay] = 0.5
    write("fir_comb_48.txt", "FIR", "Comb, delay 48 (notches at 500 Hz, 1500 Hz, ...)",
          ["y[n] = (x[n] + x[n-48]) / 2",
           "Gain |cos(pi*f*48/fs)|: at 48000 Hz 1 at DC and every 1000 Hz,",
           "0 at 500 Hz, 1500 Hz, 2500 Hz, ..."],
          comb)
    return {"low": low, "high": high, "band": band}


# ---- IIR designs ------------------------------------------------------------

def iir_gain(a, b, frequency):
    """a and b as written in the file (a[0] unused, feedback added)."""
    z = cmath.exp(-2j * math.pi * frequency / SAMPLE_RATE)
    numerator = sum(c * z ** k for k, c in enumerate(b))
    denominator = 1 - sum(c * z ** k for k, c in enumerate(a) if k > 0)
    return abs(numerator / denominator)


def write_iir(name, title, comments, a, b):
    write(name, "IIR", title, comments + ["a0 (never used), a1, ... then b0, b1, ..."], a + b)


def write_iir_examples():
    cutoff = 1000
    alpha = math.exp(-2 * math.pi * cutoff / SAMPLE_RATE)
    first = ([0.0, alpha], [1 - alpha, 0.0])
    write_iir("iir_low_pass_first_order.txt", "First-order low-pass 1 kHz (fs 48 kHz)",
              ["y[n] = (1 - p)*x[n] + p*y[n-1] with p = exp(-2*pi*1000/48000).",
               "DC gain 1; gain 0.707 near 1 kHz at fs = 48000 Hz."],
              *first)

    # Butterworth biquad (bilinear transform, Q = 1/sqrt(2)). The textbook form
    # subtracts its feedback, so its a1 and a2 are written negated.
    w0 = 2 * math.pi * cutoff / SAMPLE_RATE
    q = 1 / math.sqrt(2)
    al = math.sin(w0) / (2 * q)
    c = math.cos(w0)
    a0 = 1 + al
    b = [(1 - c) / 2 / a0, (1 - c) / a0, (1 - c) / 2 / a0]
    second = ([0.0, 2 * c / a0, -(1 - al) / a0], b)
    write_iir("iir_low_pass_second_order.txt",
              "Second-order Butterworth low-pass 1 kHz (fs 48 kHz)",
              ["Bilinear-transform Butterworth biquad, cut-off 1000 Hz,",
               "Q = 0.7071, fs = 48000 Hz. DC gain 1, -3 dB at 1 kHz,",
               "-40 dB per decade above it.",
               "y[n] = b0*x[n] + b1*x[n-1] + b2*x[n-2] + a1*y[n-1] + a2*y[n-2]"],
              *second)

    f0 = 1000
    r = 0.99
    theta = 2 * math.pi * f0 / SAMPLE_RATE
    feedback = [0.0, 2 * r * math.cos(theta), -r * r]
    peak = 1 / iir_gain(feedback, [1.0, 0.0, 0.0], f0)
    resonator = (feedback, [peak, 0.0, 0.0])
    write_iir("iir_resonator_1k.txt", "Resonator 1 kHz, pole radius 0.99 (fs 48 kHz)",
              ["Two poles at radius 0.99 and angle 2*pi*1000/48000:",
               "y[n] = b0*x[n] + 2*r*cos(w0)*y[n-1] - r*r*y[n-2].",
               "b0 makes the gain exactly 1 at 1000 Hz; far less elsewhere.",
               "Rings for about 100 samples after a change."],
              *resonator)
    return {"first": first, "second": second, "resonator": resonator}


def main():
    fir = write_fir_examples()
    iir = write_iir_examples()
    print("FIR low-pass 3k: 500 Hz %.6f, 15 kHz %.6f" %
          (fir_gain(fir["low"], 500), fir_gain(fir["low"], 15000)))
    print("FIR high-pass 6k: 500 Hz %.6f, 15 kHz %.6f" %
          (fir_gain(fir["high"], 500), fir_gain(fir["high"], 15000)))
    print("FIR band-pass: 500 Hz %.6f, 7 kHz %.6f, 20 kHz %.6f" %
          (fir_gain(fir["band"], 500), fir_gain(fir["band"], 7000),
           fir_gain(fir["band"], 20000)))
    for key, (a, b) in iir.items():
        print("IIR %s: DC %.9f, 1 kHz %.9f, 10 kHz %.9f" %
              (key, iir_gain(a, b, 0), iir_gain(a, b, 1000), iir_gain(a, b, 10000)))


if __name__ == "__main__":
    main()
