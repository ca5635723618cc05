#include "tests/ui/form_fixture.h"

#include "ui/grid_view.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using signova::testing::ScriptedDialogs;

// The main window, shown and active, driven by key clicks alone.
class Keyboard : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    CountingForm form{dialogs};

    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    // The control with the focus, by name; a radio item as group:caption,
    // the page control's tabs by the page control's name.
    static std::string Focused() {
        const QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr)
            return "(none)";
        if (qobject_cast<const QRadioButton*>(focus))
            return (focus->parentWidget()->objectName() + ':' +
                    static_cast<const QRadioButton*>(focus)->text())
                .toStdString();
        if (qobject_cast<const QTabBar*>(focus))
            return focus->parentWidget()->objectName().toStdString();
        return focus->objectName().toStdString();
    }
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    // The controls that `count` presses of a key visit, in order.
    static std::vector<std::string> Visit(int count, int key, Qt::KeyboardModifiers modifiers) {
        std::vector<std::string> visited;
        for (int i = 0; i < count; ++i) {
            Press(key, modifiers);
            visited.push_back(Focused());
        }
        return visited;
    }
    GridView* Grid(const char* name) { return form.Control<GridView>(name); }
    std::pair<int, int> Current(GridView* grid) {
        return {grid->currentIndex().column(), grid->currentIndex().row()};
    }
};

struct TabCase {
    int page;
    std::vector<std::string> pageControls;
};

class TabOrder : public Keyboard, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabOrder, TabAndShiftTabVisitTheControlsInTheirOrder) {
    form.ShowPage(GetParam().page);
    // From the dial, once round.
    std::vector<std::string> order = {
        "Vorm",     "Ampsb",  "Ampedit",  "Gainsb",    "Tijdbasis:0.4 ms/div",
        "GainEdit", "Filter", "Input:xn", "DSPcontrol"};
    order.insert(order.end(), GetParam().pageControls.begin(), GetParam().pageControls.end());
    order.insert(order.end(), {"Run", "Stop", "Dial"});
    EXPECT_EQ(Focused(), "Dial");
    const int steps = static_cast<int>(order.size());
    EXPECT_EQ(Visit(steps, Qt::Key_Tab, Qt::NoModifier), order);

    std::vector<std::string> backwards(order.rbegin() + 1, order.rend());
    backwards.push_back("Dial");
    EXPECT_EQ(Visit(steps, Qt::Key_Backtab, Qt::ShiftModifier), backwards);
}

INSTANTIATE_TEST_SUITE_P(EveryPage, TabOrder,
                         ::testing::Values(TabCase{InfoPage, {}},
                                           TabCase{SettingsPage, {"Bits", "Sample"}},
                                           TabCase{IirPage, {"IIRGrid", "LoadIIR"}},
                                           TabCase{FirPage, {"FIRgrid", "LoadFIR", "ShowFIR"}}));

TEST_F(Keyboard, ScrollBarsAndRadioGroupsTakeTheArrowKeys) {
    Press(Qt::Key_Tab); // Vorm
    Press(Qt::Key_Tab);
    ASSERT_EQ(Focused(), "Ampsb");
    // The style marks no focused scroll bar: it is framed in the highlight.
    QWidget* amplitude = QApplication::focusWidget();
    const QImage focused = amplitude->grab().toImage();
    EXPECT_EQ(focused.pixelColor(0, amplitude->height() / 2),
              amplitude->palette().color(QPalette::Highlight));
    Press(Qt::Key_Right);
    EXPECT_EQ(form.Control<QLineEdit>("Ampedit")->text(), "101");
    Press(Qt::Key_Tab); // Ampedit
    Press(Qt::Key_Tab);
    ASSERT_EQ(Focused(), "Gainsb");
    Press(Qt::Key_Left);
    EXPECT_EQ(form.Control<QLineEdit>("GainEdit")->text(), "1.04"); // position 99

    form.Control<QWidget>("Input")->findChildren<QRadioButton*>()[1]->setFocus();
    Press(Qt::Key_Down);
    EXPECT_EQ(Focused(), "Input:xn (norm.)");
    EXPECT_TRUE(form.Control<QWidget>("Input")->findChildren<QRadioButton*>()[2]->isChecked());
    // Coming back, Tab lands on the newly selected item.
    Press(Qt::Key_Tab);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), "Input:xn (norm.)");
}

struct GridCase {
    int page;
    const char* grid;
    const char* next;
};

class GridTabStop : public Keyboard, public ::testing::WithParamInterface<GridCase> {};

TEST_P(GridTabStop, TabAndShiftTabLeaveTheGridInOnePressAlsoWhileEditing) {
    const GridCase& grid = GetParam();
    form.ShowPage(grid.page);
    Grid(grid.grid)->setFocus();
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), grid.next);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), grid.grid);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), "DSPcontrol");

    // Typing opens the current cell's editor; Tab keeps the text and leaves.
    Grid(grid.grid)->setFocus();
    Press(Qt::Key_2);
    Press(Qt::Key_5);
    ASSERT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), grid.next);
    const auto [column, row] = Current(Grid(grid.grid));
    EXPECT_EQ(Grid(grid.grid)->model()->index(row, column).data().toString(), "25");
}

INSTANTIATE_TEST_SUITE_P(BothGrids, GridTabStop,
                         ::testing::Values(GridCase{IirPage, "IIRGrid", "LoadIIR"},
                                           GridCase{FirPage, "FIRgrid", "LoadFIR"}));

TEST_F(Keyboard, ShiftTabInTheIirEditorStillReachesTheRowKeys) {
    form.ShowPage(IirPage);
    Grid("IIRGrid")->setFocus();
    Press(Qt::Key_Right); // the b cell
    Press(Qt::Key_F2);
    Press(Qt::Key_Backspace);
    ASSERT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    // The emptied cell was filled with "0", as any key with Shift does.
    EXPECT_EQ(form.IirCells().Cell(2, 1), "0");
    EXPECT_EQ(Focused(), "DSPcontrol");
}

struct CurrentCellCase {
    int page;
    const char* grid;
    std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
    std::vector<std::pair<int, int>> cells; // column, row after each key
};

class CurrentCell : public Keyboard, public ::testing::WithParamInterface<CurrentCellCase> {};

TEST_P(CurrentCell, NeverLandsOnAFixedCell) {
    const CurrentCellCase& moves = GetParam();
    form.ShowPage(moves.page);
    GridView* grid = Grid(moves.grid);
    grid->setFocus();
    std::vector<std::pair<int, int>> cells;
    for (const auto& [key, modifiers] : moves.keys) {
        Press(key, modifiers);
        cells.push_back(Current(grid));
    }
    EXPECT_EQ(cells, moves.cells);

    // A click on a fixed cell leaves the current cell where it was.
    const QPoint fixed = grid->visualRect(grid->model()->index(0, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, fixed);
    EXPECT_EQ(Current(grid), cells.back());
}

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    BothGrids, CurrentCell,
    ::testing::Values(CurrentCellCase{FirPage,
                                      "FIRgrid",
                                      {{Qt::Key_Down, None},
                                       {Qt::Key_Left, None},
                                       {Qt::Key_Home, None},
                                       {Qt::Key_PageDown, None},
                                       {Qt::Key_Home, Qt::ControlModifier},
                                       {Qt::Key_Up, None},
                                       {Qt::Key_End, None}},
                                      {{1, 1}, {1, 1}, {1, 1}, {1, 4}, {1, 0}, {1, 0}, {1, 0}}},
                      CurrentCellCase{IirPage,
                                      "IIRGrid",
                                      {{Qt::Key_Up, None},
                                       {Qt::Key_Left, None},
                                       {Qt::Key_Right, None},
                                       {Qt::Key_Home, None},
                                       {Qt::Key_End, None},
                                       {Qt::Key_PageUp, None},
                                       {Qt::Key_Home, Qt::ControlModifier}},
                                      {{1, 1}, {1, 1}, {2, 1}, {1, 1}, {2, 1}, {2, 1}, {1, 1}}}));

TEST_F(Keyboard, F5RunsAndShiftF5Stops) {
    form.ShowPage(FirPage);
    form.stopAfter = -1;
    form.onSample = [this](int sample) {
        if (sample == 3)
            QTest::keyClick(&form, Qt::Key_F5, Qt::ShiftModifier);
    };
    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_EQ(form.samples, 3);
    EXPECT_EQ(form.RunDepth(), 0);
    EXPECT_TRUE(form.State().StopRequested);
}

TEST_F(Keyboard, AltDigitsPickTheFrequencyRange) {
    const std::pair<Qt::Key, double> ranges[] = {
        {Qt::Key_2, 100}, {Qt::Key_4, 10000}, {Qt::Key_3, 1000}, {Qt::Key_1, 10}};
    for (const auto& [digit, multiplier] : ranges) {
        QTest::keyClick(&form, digit, Qt::AltModifier);
        EXPECT_EQ(form.State().FrequencyMultiplier, multiplier);
    }
    EXPECT_TRUE(form.Control<QToolButton>("SpeedButton1")->isChecked());
    EXPECT_FALSE(form.Control<QToolButton>("SpeedButton3")->isChecked());
    EXPECT_EQ(Focused(), "Dial");
}

} // namespace
