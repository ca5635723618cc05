#pragma once

#include "chart/canvas.h"
#include "chart/chart_layer.h"
#include "chart/chart_layout.h"
#include "scope/drawn_sweep.h"

#include <string>

// The scope's measuring cursors: two time cursors and two level cursors,
// each on a plotted sample of the drawn sweep. Every value they read comes
// from the sweep's captured codes, never from pixels or plotted heights.
namespace signova {

// A cursor on sample `sample` of `trace`.
struct SampleCursor {
    Trace trace = Trace::Output;
    int sample = 0;
    friend bool operator==(const SampleCursor&, const SampleCursor&) = default;
};

struct CursorPlaces {
    int time1 = 0; // sample indices of the time cursors
    int time2 = 0;
    SampleCursor level1;
    SampleCursor level2;
};

// The sample whose plotted x is nearest `x` (chart units); the earlier one of two as near.
int NearestSample(const DrawnSweep& sweep, double x);

// The plotted sample of a drawn trace nearest (x, y) on the screen, where one
// chart unit is `xPixels` and `yPixels` pixels on the two axes.
SampleCursor NearestPlottedSample(const DrawnSweep& sweep, double x, double y, double xPixels,
                                  double yPixels);

// Seconds from the sweep's first sample to sample `n`.
double SampleTime(const DrawnSweep& sweep, int n);

// The cursor's sample in the trace's own unit: ADC codes for the input, or
// per cent of full scale for an input drawn as "xn (norm.)"; DAC codes for
// the output.
double CursorValue(const DrawnSweep& sweep, const SampleCursor& cursor);
// The same as a per cent of full scale (MaxCode).
double PercentOfFullScale(const DrawnSweep& sweep, const SampleCursor& cursor);

// The places moved onto samples the sweep has (a new sweep may be shorter).
CursorPlaces WithinSweep(const CursorPlaces& places, const DrawnSweep& sweep);

// The read-out, one line per string:
//   "t1 0.2083 ms  t2 1.2500 ms"
//   "Δt 1.0417 ms  1/Δt 960.0 Hz"
//   "L1 out 1023  L2 in -511"
//   "ΔL -1534 codes  -74.9 % FS"
// Values in per cent end in " %", and ΔL then gives only the per cent of full scale.
std::string CursorReadout(const DrawnSweep& sweep, const CursorPlaces& places);

// What one division is worth: "0.400 ms/div  in 3000 codes/div  out 1000 codes/div"
// (the input in "%/div" when normalised, and left out when not shown).
std::string ScaleReadout(const DrawnSweep& sweep);

// Draws the cursors (time cursors as vertical lines, level cursors as
// horizontal lines at their samples' heights) and the read-out lines in the
// plot's top left corner. `scale` multiplies line widths.
void PaintCursors(const DrawnSweep& sweep, const CursorPlaces& places, const ChartLayout& layout,
                  Canvas& canvas, int scale);

// The cursors as a layer over the scope's series, on the sweep on screen.
class CursorLayer : public ChartLayer {
public:
    explicit CursorLayer(const DrawnSweep& sweep) : sweep_(sweep) {}
    void Paint(const ChartLayout& layout, Canvas& canvas, int scale) override {
        if (shown)
            PaintCursors(sweep_, places, layout, canvas, scale);
    }

    bool shown = false;
    CursorPlaces places;

private:
    const DrawnSweep& sweep_;
};

} // namespace signova
