#include "tests/ui/form_fixture.h"

#include "ui/grid_view.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The main window, shown and active, driven by key clicks alone.
class Keyboard : public ::testing::Test {
protected:
    signova::testing::ScriptedDialogs dialogs;
    CountingForm form{dialogs};

    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    // The control with the focus by name: a radio item as group:caption, the
    // page tabs as the page control.
    static std::string Focused() {
        const QWidget* focus = QApplication::focusWidget();
        if (const auto* item = qobject_cast<const QRadioButton*>(focus))
            return (item->parentWidget()->objectName() + ':' + item->text()).toStdString();
        if (qobject_cast<const QTabBar*>(focus))
            return focus->parentWidget()->objectName().toStdString();
        return focus != nullptr ? focus->objectName().toStdString() : "(none)";
    }
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static std::vector<std::string> Visit(std::size_t count, Qt::Key key) {
        std::vector<std::string> visited;
        while (visited.size() < count) {
            Press(key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            visited.push_back(Focused());
        }
        return visited;
    }
};

class TabOrder : public Keyboard,
                 public ::testing::WithParamInterface<std::pair<int, std::vector<std::string>>> {};

TEST_P(TabOrder, TabAndShiftTabGoRoundTheControlsInTheirOrder) {
    form.ShowPage(GetParam().first);
    std::vector<std::string> order = {
        "Vorm",     "Ampsb",  "Ampedit",  "Gainsb",    "Tijdbasis:0.4 ms/div",
        "GainEdit", "Filter", "Input:xn", "DSPcontrol"};
    order.insert(order.end(), GetParam().second.begin(), GetParam().second.end());
    order.insert(order.end(), {"Run", "Stop", "Dial"});
    ASSERT_EQ(Focused(), "Dial");
    EXPECT_EQ(Visit(order.size(), Qt::Key_Tab), order);
    std::vector<std::string> backwards(order.rbegin() + 1, order.rend());
    backwards.push_back("Dial");
    EXPECT_EQ(Visit(order.size(), Qt::Key_Backtab), backwards);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPage, TabOrder,
    ::testing::Values(std::pair{InfoPage, std::vector<std::string>{}},
                      std::pair{SettingsPage, std::vector<std::string>{"Bits", "Sample"}},
                      std::pair{IirPage, std::vector<std::string>{"IIRGrid", "LoadIIR"}},
                      std::pair{FirPage,
                                std::vector<std::string>{"FIRgrid", "LoadFIR", "ShowFIR"}}));

TEST_F(Keyboard, TheRightArrowKeyRaisesAScrollBar) {
    Press(Qt::Key_Tab); // Vorm
    Press(Qt::Key_Tab);
    ASSERT_EQ(Focused(), "Ampsb");
    Press(Qt::Key_Right);
    EXPECT_EQ(form.Control<QLineEdit>("Ampedit")->text(), "101");
}

TEST_F(Keyboard, TabLeavesEitherGridInOnePressAlsoFromAnEditorKeepingItsText) {
    for (auto [page, grid, next] :
         {std::tuple{IirPage, "IIRGrid", "LoadIIR"}, std::tuple{FirPage, "FIRgrid", "LoadFIR"}}) {
        form.ShowPage(page);
        auto* view = form.Control<GridView>(grid);
        view->setFocus();
        Press(Qt::Key_Tab);
        EXPECT_EQ(Focused(), next);
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(Focused(), "DSPcontrol");
        view->setFocus();
        Press(Qt::Key_2); // typing opens the current cell's editor
        Press(Qt::Key_5);
        ASSERT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        Press(Qt::Key_Tab);
        EXPECT_EQ(Focused(), next);
        EXPECT_EQ(view->currentIndex().data().toString(), "25");
    }
}

TEST_F(Keyboard, CurrentCellNeverLandsOnAFixedOne) {
    using Moves = std::vector<std::pair<Qt::Key, std::pair<int, int>>>; // key, column and row
    const Moves fir = {{Qt::Key_Down, {1, 1}}, {Qt::Key_Left, {1, 1}}, {Qt::Key_Home, {1, 1}},
                       {Qt::Key_Up, {1, 0}},   {Qt::Key_Up, {1, 0}},   {Qt::Key_End, {1, 0}}};
    const Moves iir = {{Qt::Key_Up, {1, 1}},   {Qt::Key_Right, {2, 1}},  {Qt::Key_Home, {1, 1}},
                       {Qt::Key_Left, {1, 1}}, {Qt::Key_PageUp, {1, 1}}, {Qt::Key_End, {2, 1}}};
    for (auto [page, grid, moves] :
         {std::tuple{FirPage, "FIRgrid", fir}, std::tuple{IirPage, "IIRGrid", iir}}) {
        form.ShowPage(page);
        auto* view = form.Control<GridView>(grid);
        view->setFocus();
        for (auto [key, cell] : moves) {
            Press(key);
            EXPECT_EQ(std::pair(view->currentIndex().column(), view->currentIndex().row()), cell)
                << grid << " key " << key;
        }
        // A click on a fixed cell leaves the current cell where it was.
        const QModelIndex before = view->currentIndex();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(0, 0)).center());
        EXPECT_EQ(view->currentIndex(), before) << grid;
    }
}

} // namespace
