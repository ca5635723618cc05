#include "design/root_drag.h"

#include "coefficients/iir_table.h"
#include "engine/iir_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace signova;

namespace {

// The shipped resonator: poles at 0.99 e^(+-j w0), w0 = 2 pi 1000 / 48000.
const double W0 = 2 * std::numbers::pi * 1000 / 48000;
FilterCoefficients Resonator(double r) {
    return {{0.00259936269011545, 0, 0}, {0, 2 * r * std::cos(W0), -r * r}};
}

} // namespace

// A complex pole drags its conjugate along and stays on its side of the real
// axis; a real root only slides along the axis; the coefficients follow in
// the program's sign convention (feedback added) and b keeps its lead.
TEST(RootDrag, ConjugatesFollowRealRootsStayRealCoefficientsFollow) {
    FilterRoots roots = RootsOfFilter(Resonator(0.99));
    ASSERT_EQ(roots.poles.roots.size(), 2u);
    ASSERT_GT(roots.poles.roots[0].imag(), 0.0);
    MoveRoot(roots, {RootSet::Poles, 0}, std::polar(1.01, W0));
    EXPECT_EQ(roots.poles.roots[1], std::conj(roots.poles.roots[0]));
    const FilterCoefficients moved = CoefficientsOfRoots(roots, Resonator(0.99));
    const FilterCoefficients expected = Resonator(1.01);
    ASSERT_EQ(moved.a.size(), 3u);
    EXPECT_EQ(moved.a[0], 0.0);
    EXPECT_NEAR(moved.a[1], expected.a[1], 1e-14);
    EXPECT_NEAR(moved.a[2], expected.a[2], 1e-14);
    EXPECT_EQ(moved.b, expected.b);

    // The lower pole dragged across the axis stays below it.
    MoveRoot(roots, {RootSet::Poles, 1}, {0.5, 0.3});
    EXPECT_EQ(roots.poles.roots[1], Root(0.5, -0.3));
    EXPECT_EQ(roots.poles.roots[0], Root(0.5, 0.3));

    // FIR 1 - 0.5 z^-1 (a real zero at 0.5): the zero moves along the axis
    // only, the first coefficient is kept.
    FilterRoots fir = RootsOfFilter({{2.0, -1.0}, {}});
    MoveRoot(fir, {RootSet::Zeros, 0}, {-0.25, 0.7});
    EXPECT_EQ(fir.zeros.roots[0], Root(-0.25, 0.0));
    EXPECT_EQ(CoefficientsOfRoots(fir, {{2.0, -1.0}, {}}).b, (std::vector<double>{2.0, 0.5}));
}

// The cells take the shortest texts that give the coefficients back, the
// a[0] cell and the labels untouched.
TEST(RootDrag, WritesTheCoefficientsIntoTheTablesRows) {
    CellStore grid = NewIirGrid();
    SimulatorState state;
    SetDefaultIirTable(grid, state);
    grid.SetRowCount(4);
    WriteCoefficientCells({{0.5, 0.0, 0.1}, {0.0, 1.25, -0.75}}, FilterKind::Iir, grid);
    EXPECT_EQ(grid.Cell(IirAColumn, 1), "  - - -");
    EXPECT_EQ(grid.Cell(IirBColumn, 1), "0.5");
    EXPECT_EQ(grid.Cell(IirAColumn, 2), "1.25");
    EXPECT_EQ(grid.Cell(IirBColumn, 2), "0");
    EXPECT_EQ(grid.Cell(IirAColumn, 3), "-0.75");
    EXPECT_EQ(grid.Cell(IirBColumn, 3), "0.1");
}
