#include "chart/chart_axis_scale.h"

#include "toolkit/float_chars.h"

#include <cmath>

namespace signova {
namespace {

// Far beyond any screen, well within what drawing surfaces take.
constexpr double PixelLimit = 1.0e6;
// Grid indices are counted from values that may carry rounding noise.
constexpr double GridTolerance = 1.0e-9;

} // namespace

int AxisScale::ToPixel(double value) const {
    const double span = maximum - minimum;
    double pixel = startPixel;
    if (span > 0.0)
        pixel += (value - minimum) / span * (endPixel - startPixel);
    pixel = std::floor(pixel + 0.5);
    if (!(pixel > -PixelLimit))
        return static_cast<int>(-PixelLimit);
    if (pixel > PixelLimit)
        return static_cast<int>(PixelLimit);
    return static_cast<int>(pixel);
}

std::int64_t AxisScale::FirstGridIndex() const {
    return static_cast<std::int64_t>(std::ceil(minimum / step - GridTolerance));
}

std::int64_t AxisScale::LastGridIndex() const {
    return static_cast<std::int64_t>(std::floor(maximum / step + GridTolerance));
}

double AxisScale::GridValue(std::int64_t index) const {
    const double value = static_cast<double>(index) * step;
    // A multiple that should be zero but carries noise would print as "-0.000".
    return std::fabs(value) < step * GridTolerance ? 0.0 : value;
}

double NiceStep(double raw) {
    if (!(raw > 0.0) || !std::isfinite(raw))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= raw * (1.0 - 1e-12))
            return factor * power;
    }
    return 10.0 * power;
}

int DecimalsFor(double step) {
    if (!(step > 0.0) || !std::isfinite(step))
        return 0;
    for (int decimals = 0; decimals < 12; ++decimals) {
        const double scaled = step * std::pow(10.0, decimals);
        if (std::fabs(scaled - std::round(scaled)) <= scaled * 1e-9)
            return decimals;
    }
    return 12;
}

std::string_view FormatAxisLabel(double value, int decimals, LabelBuffer& buffer) {
    const auto [end, error] = DoubleToChars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, decimals);
    if (error != std::errc{})
        return {};
    std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string_view::npos)
        text.remove_prefix(1);
    return text;
}

} // namespace signova
