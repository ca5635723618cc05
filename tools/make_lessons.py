#!/usr/bin/env python3
"""Writes the lessons of docs/TEACHING.md, one file per step, into lessons/.

The tables come from the example coefficient files, cleaned as the Load button
cleans them. Run it again after changing a step:  python3 tools/make_lessons.py
"""
import json
import pathlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
HERE = ROOT / "lessons"
EXAMPLES = ROOT / "examples"


def load(name):
    """The title and the values of an example file, as Load reads them."""
    title = ""
    values = []
    for line in (EXAMPLES / name).read_text().splitlines():
        if "//TITLE" in line:
            title = line[len("//TITLE"):]
        if line.startswith("//"):
            continue
        at = line.find("//")
        if at >= 0:
            line = line[:at] + line[at + 50:]
        values.append(line.replace(",", ".", 1))
    return title, values


def fir_table(name):
    title, values = load(name)
    return title, {"title": title, "rows": [[f"h{i}", v] for i, v in enumerate(values)],
                   "beyond": []}


def iir_table(name):
    title, values = load(name)
    order = len(values) // 2
    rows = [[str(n), "  - - -" if n == 0 else values[n], values[order + n]] for n in range(order)]
    return title, {"title": title, "rows": rows}


def write(name, notes, settings, fir=None, iir=None, file_title=""):
    lesson = {"notes": notes, **settings, "file_title": file_title}
    tables = {}
    if fir:
        tables["fir"] = fir
    if iir:
        tables["iir"] = iir
    if tables:
        lesson["tables"] = tables
    body = ",\n".join(f"  {json.dumps(k)}: {json.dumps(v, ensure_ascii=False)}"
                      for k, v in lesson.items())
    (HERE / name).write_text('{"signova_lesson": "1.0",\n' + body + "\n}\n")


low_title, low_pass = fir_table("fir_low_pass_3k.txt")
res_title, resonator = iir_table("iir_resonator_1k.txt")

write("1_moving_average.signova",
      "Step 1: a filter that cancels a sine.\n"
      "Press Run (F5). Above: the 1 kHz sine going in. Below: a flat line.\n"
      "The 48 coefficients of 1/48 average exactly one period of 1 kHz at 48 000 samples "
      "per second.\nThen try the dial at 2.000, 3.000 and 1.500.",
      {"page": "FIR Filters", "range": "X 1k"})
write("2_aliasing.signova",
      "Step 2: aliasing.\nThe generator is at 47 kHz, the sample rate 48 kHz. Press Run: "
      "the class sees a 1 kHz sine, cancelled like the 1 kHz of step 1.",
      {"page": "FIR Filters", "range": "X 10k", "dial": 4700})
write("3_quantisation.signova",
      "Step 3: quantisation.\nAmp 3, 8 bits, the input drawn stretched (xn (norm.)), "
      "Filter unticked so that every sample is a step. Press Run: seven levels.\n"
      "Then Settings, 10 bits, FIR Filters, Run; and 12 bits.",
      {"page": "FIR Filters", "range": "X 1k", "amp": 3, "bits": 8, "timebase_item": 0,
       "input": "xn (norm.)", "filter": False})
write("4_low_pass.signova",
      "Step 4: low-pass and high-pass on a square wave.\nPress Run: the 3 kHz low-pass "
      "rounds the corners of the 500 Hz square wave. Then Stop, load fir_high_pass_6k.txt "
      "from the examples and Run again.",
      {"page": "FIR Filters", "range": "X 100", "dial": 5000, "waveform": "Square", "amp": 50},
      fir=low_pass, file_title=low_title)
write("5_wrap_around.signova",
      "Step 5: DAC wrap-around.\nOne coefficient, 1.5. Press Run: the tops wrap around and "
      "the DAC overflow lamp is red. Turn Amp down while it runs: at 66 the peaks fit.",
      {"page": "FIR Filters", "range": "X 1k"},
      fir={"title": "", "rows": [["h0", "1.5"], ["h1", ""]] +
           [[f"h{i}", "0.0208333333333333"] for i in range(2, 48)] +
           [["", ""]] * 152, "beyond": []})
write("6_resonator.signova",
      "Step 6: an IIR resonator rings.\nPress Run: after each edge of the 100 Hz square wave "
      "the output rings at 1 kHz and dies away.\nThen Stop, set the a value of row 2 to "
      "-1.0201 and Run again: the poles are outside the unit circle.",
      {"page": "IIR Filters", "range": "X 100", "waveform": "Square", "gain": 70},
      iir=resonator, file_title=res_title)
write("7_response_and_spectrum.signova",
      "Step 7: what the filter should do, and what comes out.\nThe response window shows "
      "the 3 kHz low-pass's gain and phase; press Run and the spectrum window shows the "
      "1 kHz square wave's harmonics before (lime) and after (green) the filter.",
      {"page": "FIR Filters", "range": "X 1k", "amp": 50, "waveform": "Square",
       "views": {"response": "FIR", "spectrum": True}},
      fir=low_pass, file_title=low_title)
