#include "analysis/response_view.h"

#include "analysis/stability.h"
#include "toolkit/number_text.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <numbers>
#include <optional>

namespace signova {
namespace {

// Larger gains are given in dB alone.
constexpr double LargestPlainGain = 1e6;

// The axis top: the highest gain rounded up to ten dB, at least 0 dB and at
// most the limit; an infinite gain takes the limit. A gain less than half a dB
// above a multiple of ten (a pass band's ripple above 0 dB) sits on that
// multiple rather than adding ten dB of empty axis: half a dB is about a
// pixel of the 100 dB span.
double AxisTopDb(const std::vector<ResponsePoint>& points) {
    double highest = -std::numeric_limits<double>::infinity();
    for (const ResponsePoint& point : points)
        highest = std::max(highest, point.MagnitudeDb());
    if (!(highest > 0.0))
        return 0.0;
    constexpr double AllowanceDb = 0.5;
    return std::min(ResponseTopLimitDb, std::ceil((highest - AllowanceDb) / 10.0) * 10.0);
}

} // namespace

ResponseView ViewResponse(const TableRead& table, double sampleRate, double generatorFrequency,
                          std::span<const double> nullFrequencies) {
    ResponseView view;
    view.errors = table.errors;
    if (!table.Ok())
        return view;
    const FilterCoefficients& filter = table.coefficients;
    view.coefficients = static_cast<int>(filter.b.size());
    view.unstable = !IsStable(filter);
    view.halfRate = sampleRate / 2.0;

    const std::vector<double> grid = FrequenciesUpToHalfRate(ResponseCurvePoints, sampleRate);
    view.frequencies.reserve(grid.size() + nullFrequencies.size());
    std::merge(grid.begin(), grid.end(), nullFrequencies.begin(), nullFrequencies.end(),
               std::back_inserter(view.frequencies));
    // A null on a grid point (fs/4 of a 4-tap average), found from the roots
    // to within rounding, is there once.
    const double sameHz = 1e-9 * sampleRate;
    view.frequencies.erase(std::unique(view.frequencies.begin(), view.frequencies.end(),
                                       [sameHz](double x, double y) { return y - x <= sameHz; }),
                           view.frequencies.end());
    const std::vector<ResponsePoint> points =
        FrequencyResponse(filter, view.frequencies, sampleRate);
    view.topDb = AxisTopDb(points);
    view.bottomDb = view.topDb - ResponseSpanDb;
    view.magnitudeDb.reserve(points.size());
    view.phaseDegrees.reserve(points.size());
    for (const ResponsePoint& point : points) {
        view.magnitudeDb.push_back(std::clamp(point.MagnitudeDb(), view.bottomDb, view.topDb));
        view.phaseDegrees.push_back(point.phase * (180.0 / std::numbers::pi));
    }

    view.generatorFrequency = generatorFrequency;
    view.aboveHalfRate = generatorFrequency > view.halfRate;
    view.landsAt = FoldedFrequency(generatorFrequency, sampleRate);
    view.atGenerator = ResponseAt(filter, view.landsAt, sampleRate);
    view.atGenerator.frequency = generatorFrequency;
    return view;
}

ColumnCurve ReduceToColumns(std::span<const double> x, std::span<const double> y, double xMin,
                            double xMax, int columns) {
    ColumnCurve curve;
    const double width = xMax - xMin;
    std::size_t i = 0;
    while (i < x.size()) {
        const auto ColumnOf = [&](double at) {
            if (!(width > 0.0) || columns <= 1)
                return 0;
            const double place = std::floor((at - xMin) / width * columns);
            return static_cast<int>(std::clamp(place, 0.0, columns - 1.0));
        };
        const int column = ColumnOf(x[i]);
        std::size_t lowest = i;
        std::size_t highest = i;
        std::optional<std::size_t> gap;
        std::size_t end = i;
        for (; end < x.size() && ColumnOf(x[end]) == column; ++end) {
            if (std::isnan(y[end]) && !gap)
                gap = end;
            if (y[end] < y[lowest] || std::isnan(y[lowest]))
                lowest = end;
            if (y[end] > y[highest] || std::isnan(y[highest]))
                highest = end;
        }
        if (gap) {
            curve.x.push_back(x[*gap]);
            curve.y.push_back(y[*gap]);
            i = end;
            continue;
        }
        const std::size_t first = std::min(lowest, highest);
        const std::size_t second = std::max(lowest, highest);
        curve.x.push_back(x[first]);
        curve.y.push_back(y[first]);
        if (second != first) {
            curve.x.push_back(x[second]);
            curve.y.push_back(y[second]);
        }
        i = end;
    }
    return curve;
}

std::string FrequencyText(double hertz) {
    std::string text = FormatFixed(hertz, 15, 2);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text + " Hz";
}

std::string GainText(const ResponsePoint& point) {
    if (point.infinite)
        return "gain infinite";
    if (point.MagnitudeDb() < NullGainDb)
        return "gain null";
    if (point.magnitude >= LargestPlainGain)
        return "gain " + FormatFixed(point.MagnitudeDb(), 15, 2) + " dB";
    return "gain " + FormatFixed(point.magnitude, 15, 4) + " (" +
           FormatFixed(point.MagnitudeDb(), 15, 2) + " dB)";
}

std::string GeneratorText(const ResponseView& view) {
    return "Generator " + FrequencyText(view.generatorFrequency) + ": " +
           GainText(view.atGenerator);
}

std::string LandsAtText(const ResponseView& view) {
    if (!view.aboveHalfRate)
        return {};
    return FrequencyText(view.generatorFrequency) +
           " is above fs/2 = " + FrequencyText(view.halfRate) + ": the tone lands at " +
           FrequencyText(view.landsAt);
}

} // namespace signova
