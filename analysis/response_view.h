#pragma once

#include "analysis/frequency_response.h"
#include "analysis/table_read.h"

#include <span>
#include <string>
#include <vector>

namespace signova {

// Frequencies at which the response curves are computed, 0 to fs/2 included
// in 4096 steps (the exact frequencies of nulls are added to them).
constexpr int ResponseCurvePoints = 4097;
// A gain below this reads "null": what is left of an exact zero after
// rounding (a 48-tap average at 1 kHz of 48 kHz gives about -340 dB).
constexpr double NullGainDb = -200.0;
// The magnitude axis spans this many dB, its top a multiple of ten from 0 up
// to at most ResponseTopLimitDb; gains beyond either end sit on that end.
constexpr double ResponseSpanDb = 100.0;
constexpr double ResponseTopLimitDb = 60.0;

// What the frequency response window shows of one table: the curves, the
// axis range, and what the generator's tone meets.
struct ResponseView {
    // The table's error texts; when there are any, nothing else is filled in.
    std::vector<std::string> errors;
    // Coefficients of the table: taps of a FIR table, rows (b, a pairs) of an
    // IIR table.
    int coefficients = 0;
    // Some pole lies on or outside the unit circle.
    bool unstable = false;

    double halfRate = 0.0; // Hz, the end of the frequency axis
    double topDb = 0.0;
    double bottomDb = -ResponseSpanDb;
    std::vector<double> frequencies;  // Hz
    std::vector<double> magnitudeDb;  // within bottomDb .. topDb
    std::vector<double> phaseDegrees; // -180 < phase <= 180; NaN where the gain is infinite

    double generatorFrequency = 0.0;
    // The generator is above half the sample rate: its tone lands at
    // `landsAt`, folded back into 0 .. fs/2.
    bool aboveHalfRate = false;
    double landsAt = 0.0;
    // The response the tone meets (the same at the generator's frequency and
    // where it lands).
    ResponsePoint atGenerator;
};

// `nullFrequencies`: where the filter's zeros on the unit circle lie (Hz,
// ascending); they join the grid, so a null narrower than a step of it still
// reaches the floor.
ResponseView ViewResponse(const TableRead& table, double sampleRate, double generatorFrequency,
                          std::span<const double> nullFrequencies = {});

// A curve as drawn `columns` pixel columns wide over xMin .. xMax: in each
// column only its lowest and its highest point, in the order of x (one point
// where they are the same), so a null or a peak narrower than a column keeps
// its depth. Points outside xMin .. xMax go to the end columns. A column
// holding an undefined point (y NaN) gives that point alone, so a line drawn
// through the result breaks for at least the column's width.
struct ColumnCurve {
    std::vector<double> x;
    std::vector<double> y;
};
ColumnCurve ReduceToColumns(std::span<const double> x, std::span<const double> y, double xMin,
                            double xMax, int columns);

// "1000 Hz", "9.01 Hz", "1007.81 Hz": at most two decimals, no trailing zeros.
std::string FrequencyText(double hertz);

// "gain 0.7071 (-3.01 dB)"; "gain infinite"; a gain below NullGainDb (0
// included) "gain null"; a gain of a million or more in dB alone:
// "gain 140.00 dB".
std::string GainText(const ResponsePoint& point);

// The text beside the generator's marker: "Generator 1000 Hz: gain 0.7071 (-3.01 dB)".
std::string GeneratorText(const ResponseView& view);

// The text beside the marker where a tone above half the sample rate lands,
// empty for a tone below: "30000 Hz is above fs/2 = 24000 Hz: the tone lands at 18000 Hz".
std::string LandsAtText(const ResponseView& view);

} // namespace signova
