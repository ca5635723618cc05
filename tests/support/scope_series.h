#pragma once

#include "scope/scope_chart_setup.h"

namespace signova::testing {

// The four series of a chart set up by ConfigureScopeChart, looked up by name.
inline ScopeChartSeries FindScopeChartSeries(TChart& chart) {
    return ScopeChartSeries{dynamic_cast<TFastLineSeries*>(chart.FindSeries("Series1")),
                            dynamic_cast<TFastLineSeries*>(chart.FindSeries("Series2")),
                            dynamic_cast<TPointSeries*>(chart.FindSeries("Series3")),
                            dynamic_cast<TPointSeries*>(chart.FindSeries("Series4"))};
}

} // namespace signova::testing
