#include "scope/scope_cursors.h"

#include "toolkit/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

namespace signova {
namespace {

constexpr double UnitsPerDivisionX = 40;   // the bottom axis' grid step
constexpr double UnitsPerDivisionY = 1000; // the left axis' grid step
constexpr double InputDivisor = 3;         // the input trace is drawn at a third
constexpr Rgb TimeCursorColor{255, 255, 0};
constexpr Rgb LevelCursorColor{0, 255, 255};
constexpr Rgb ReadoutColor{255, 255, 255};
// The read-out sits on a patch of the scope's own panel colour, so that the
// traces under it do not run through its text.
constexpr Rgb ReadoutBackground{0x00, 0x33, 0x33};
constexpr int ReadoutInset = 3;

// `value` with `digits` significant digits, at least none and at most 4 decimals.
std::string Significant(double value, int digits) {
    const double magnitude = std::fabs(value);
    const int before = magnitude > 0 ? static_cast<int>(std::floor(std::log10(magnitude))) + 1 : 1;
    return FormatFixed(value, 18, std::clamp(digits - before, 0, 4));
}

std::string Milliseconds(double seconds) {
    return FormatFixed(seconds * 1000, 18, 4) + " ms";
}

bool InPercent(const DrawnSweep& sweep, const SampleCursor& cursor) {
    return cursor.trace == Trace::Input && sweep.inputNormalised;
}

std::string ValueText(const DrawnSweep& sweep, const SampleCursor& cursor) {
    const char* trace = cursor.trace == Trace::Input ? "in " : "out ";
    if (InPercent(sweep, cursor))
        return trace + FormatFixed(CursorValue(sweep, cursor), 18, 1) + " %";
    return trace + FormatFixed(CursorValue(sweep, cursor), 18, 0);
}

int Clamped(const DrawnSweep& sweep, int n) {
    return std::clamp(n, 0, std::max(sweep.lastSample, 0));
}

} // namespace

int NearestSample(const DrawnSweep& sweep, double x) {
    int best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (int n = 0; n <= sweep.lastSample; ++n) {
        const double distance = std::fabs(PlottedX(sweep, n) - x);
        if (distance < bestDistance) {
            best = n;
            bestDistance = distance;
        }
    }
    return best;
}

SampleCursor NearestPlottedSample(const DrawnSweep& sweep, double x, double y, double xPixels,
                                  double yPixels) {
    SampleCursor best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (Trace trace : {Trace::Input, Trace::Output}) {
        if (trace == Trace::Input && !sweep.inputShown)
            continue;
        for (int n = 0; n <= sweep.lastSample; ++n) {
            const double dx = (PlottedX(sweep, n) - x) * xPixels;
            const double dy = (PlottedY(sweep, trace, n) - y) * yPixels;
            const double distance = dx * dx + dy * dy;
            if (distance < bestDistance) {
                best = {trace, n};
                bestDistance = distance;
            }
        }
    }
    return best;
}

double SampleTime(const DrawnSweep& sweep, int n) {
    return static_cast<double>(n) / sweep.sampleRate;
}

double CursorValue(const DrawnSweep& sweep, const SampleCursor& cursor) {
    const auto index = static_cast<std::size_t>(cursor.sample);
    if (cursor.trace == Trace::Output)
        return sweep.output[index] / sweep.dacScale;
    const double code = sweep.input[index] / sweep.dacScale;
    return sweep.inputNormalised ? code * 100 / sweep.maxCode : code;
}

double PercentOfFullScale(const DrawnSweep& sweep, const SampleCursor& cursor) {
    const double value = CursorValue(sweep, cursor);
    return InPercent(sweep, cursor) ? value : value * 100 / sweep.maxCode;
}

CursorPlaces WithinSweep(const CursorPlaces& places, const DrawnSweep& sweep) {
    CursorPlaces within = places;
    within.time1 = Clamped(sweep, places.time1);
    within.time2 = Clamped(sweep, places.time2);
    within.level1.sample = Clamped(sweep, places.level1.sample);
    within.level2.sample = Clamped(sweep, places.level2.sample);
    if (!sweep.inputShown) {
        within.level1.trace = Trace::Output;
        within.level2.trace = Trace::Output;
    }
    return within;
}

std::string CursorReadout(const DrawnSweep& sweep, const CursorPlaces& places) {
    const double t1 = SampleTime(sweep, places.time1);
    const double t2 = SampleTime(sweep, places.time2);
    const double dt = t2 - t1;
    std::string text = "t1 " + Milliseconds(t1) + "  t2 " + Milliseconds(t2) + "\n";
    text += "\u0394t " + Milliseconds(dt) + "  1/\u0394t ";
    text += dt == 0 ? std::string("- Hz") : FormatFixed(1 / std::fabs(dt), 18, 1) + " Hz";
    text += "\nL1 " + ValueText(sweep, places.level1) + "  L2 " + ValueText(sweep, places.level2);
    text += "\n\u0394L ";
    if (!InPercent(sweep, places.level1) && !InPercent(sweep, places.level2))
        text += FormatFixed(CursorValue(sweep, places.level2) - CursorValue(sweep, places.level1),
                            18, 0) +
                " codes  ";
    text += FormatFixed(PercentOfFullScale(sweep, places.level2) -
                            PercentOfFullScale(sweep, places.level1),
                        18, 1) +
            " % FS";
    return text;
}

std::string ScaleReadout(const DrawnSweep& sweep) {
    const double samplesPerDivision = UnitsPerDivisionX / sweep.sweepSpacing;
    std::string text = Significant(samplesPerDivision / sweep.sampleRate * 1000, 3) + " ms/div";
    if (sweep.inputShown) {
        const double inputPerDivision = UnitsPerDivisionY * InputDivisor / sweep.dacScale;
        text += sweep.inputNormalised
                    ? "  in " + Significant(inputPerDivision * 100 / sweep.maxCode, 4) + " %/div"
                    : "  in " + Significant(inputPerDivision, 4) + " codes/div";
    }
    text += "  out " + Significant(UnitsPerDivisionY / (sweep.displayGain * sweep.dacScale), 4) +
            " codes/div";
    return text;
}

void PaintCursors(const DrawnSweep& sweep, const CursorPlaces& placesAsked,
                  const ChartLayout& layout, Canvas& canvas, int scale) {
    if (!sweep.present)
        return;
    const CursorPlaces places = WithinSweep(placesAsked, sweep);
    const AxisScale& across = layout.Axis(AxisPosition::Bottom);
    const AxisScale& up = layout.Axis(AxisPosition::Left);
    const CanvasRect& plot = layout.plot;
    canvas.SetClip(plot);
    for (int n : {places.time1, places.time2}) {
        const int x = across.ToPixel(PlottedX(sweep, n));
        const CanvasPoint line[] = {{x, plot.top}, {x, plot.Bottom()}};
        canvas.Polyline(line, TimeCursorColor, scale);
    }
    for (const SampleCursor& cursor : {places.level1, places.level2}) {
        const int y = up.ToPixel(PlottedY(sweep, cursor.trace, cursor.sample));
        const CanvasPoint line[] = {{plot.left, y}, {plot.Right(), y}};
        canvas.Polyline(line, LevelCursorColor, scale);
    }
    const std::string text = CursorReadout(sweep, places) + "\n" + ScaleReadout(sweep);
    std::vector<std::string_view> lines;
    for (std::string_view rest = text; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    // Large traces enlarge the text too; a read-out that would then cover more
    // than a third of the plot, or be wider than it, steps back towards the
    // text's own size, so that no line of it is cut off and the traces stay
    // in view.
    int widest = 0;
    int lineHeight = 0;
    for (int divisor = 1;; ++divisor) {
        canvas.ShrinkText(divisor);
        widest = 0;
        for (std::string_view line : lines)
            widest = std::max(widest, canvas.TextWidth(line));
        lineHeight = canvas.TextHeight();
        const bool fits = widest + 2 * ReadoutInset <= plot.width &&
                          static_cast<int>(lines.size()) * lineHeight + 2 * ReadoutInset <= plot.height / 3;
        if (fits || divisor >= scale)
            break;
    }
    canvas.FillRect({plot.left, plot.top, widest + 2 * ReadoutInset,
                     static_cast<int>(lines.size()) * lineHeight + 2 * ReadoutInset},
                    ReadoutBackground);
    int top = plot.top + ReadoutInset;
    for (std::string_view line : lines) {
        canvas.Text(plot.left + ReadoutInset, top, line, ReadoutColor, TextAlign::Left);
        top += lineHeight;
    }
    canvas.ShrinkText(1);
    canvas.ClearClip();
}

} // namespace signova
