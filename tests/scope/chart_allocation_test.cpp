// Counts the allocations of a warmed-up sweep: refilling the scope chart's
// series and painting them must allocate nothing.
#include "scope/chart_painter.h"
#include "scope/scope_chart_setup.h"
#include "tests/scope/recording_canvas.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

namespace signova {
namespace {

void PlotStepSweep(const ScopeChartSeries& scope, int passes, double spacing) {
    for (auto* series : std::initializer_list<TChartSeries*>{scope.Series1, scope.Series2,
                                                             scope.Series3, scope.Series4})
        series->Clear();
    scope.Series3->Pointer().SetHorizSize(2);
    scope.Series4->Pointer().SetHorizSize(2);
    scope.Series1->LinePen().SetColor(clGreen);
    scope.Series2->LinePen().SetColor(clGreen);
    for (int n = 0; n < passes; ++n) {
        const double x = n * spacing;
        const double y = (n % 7) * 100.0;
        scope.Series1->AddPoint(x, 7000 + y, "", clGreen);
        scope.Series1->AddPoint(x, 7000 - y, "", clLime);
        scope.Series3->AddPoint(x + 1, 7000 - y, "", clLime);
        scope.Series2->AddPoint(x, 3000 + y, "", clGreen);
        scope.Series2->AddPoint(x, 3000 - y, "", clGreen);
        scope.Series4->AddPoint(x + 1, 3000 - y, "", clLime);
    }
}

TEST(WarmSweep, RefillingAndPaintingAllocateNothing) {
    TChart chart;
    const ScopeChartSeries scope = ConfigureScopeChart(chart);
    chart.SetInvalidateHandler([] {});
    ChartPainter painter;
    testing::NullCanvas canvas;
    const long cold = allocations.load();
    PlotStepSweep(scope, 193, 400.0 / 192);
    painter.Paint(chart, 369, 295, canvas);
    chart.MarkPainted();
    ASSERT_GT(allocations.load(), cold); // the first sweep does allocate: the count works

    const long before = allocations.load();
    PlotStepSweep(scope, 193, 400.0 / 192);
    painter.Paint(chart, 369, 295, canvas);
    chart.MarkPainted();
    EXPECT_EQ(allocations.load() - before, 0);
}

} // namespace
} // namespace signova
