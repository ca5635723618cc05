#!/usr/bin/python3
"""Writes tests/data/lfilter_examples.txt: the impulse and step responses of
every example in examples/, computed by scipy.signal.lfilter, for the test that
compares them with the program's own filter step.

Run it once by hand (python3-scipy from Debian): /usr/bin/python3
tools/make_lfilter_data.py. The build never runs it; the numbers are kept.

Example files: "//" lines are header and comments, the rest one value a line.
A FIR file holds the taps; an IIR file of N rows holds N a-lines (a0 first,
never used) and then N b-lines, with the feedback ADDED:
    y[n] = b0 x[n] + ... + a1 y[n-1] + ...
so scipy's denominator is [1, -a1, -a2, ...].

Output, per example: "example <file> <count>", then "impulse" and the values
one a line, then "step" and its values (%.17g).
"""

import os

import numpy
import scipy.signal

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def values(path):
    with open(path) as f:
        return [float(line) for line in f if line.strip() and not line.startswith("//")]


def main():
    out = []
    folder = os.path.join(ROOT, "examples")
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".txt"):
            continue
        v = values(os.path.join(folder, name))
        if name.startswith("fir_"):
            b, a = v, [1.0]
            count = max(64, len(v) + 16)
        else:
            rows = len(v) // 2
            b = v[rows:]
            a = [1.0] + [-x for x in v[1:rows]]
            count = 256
        impulse = numpy.zeros(count)
        impulse[0] = 1.0
        out.append("example %s %d" % (name, count))
        for kind, x in (("impulse", impulse), ("step", numpy.ones(count))):
            out.append(kind)
            out += ["%.17g" % y for y in scipy.signal.lfilter(b, a, x)]
    with open(os.path.join(ROOT, "tests", "data", "lfilter_examples.txt"), "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
