#include "tests/ui/form_fixture.h"

#include "ui/chart_widget.h"
#include "ui/grid_view.h"
#include "ui/projector_view.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using signova::testing::ScriptedDialogs;

class Projector : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    CountingForm form{dialogs};
    ChartWidget* scope = form.Control<ChartWidget>("Chart1");
    GridView* iirGrid = form.Control<GridView>("IIRGrid");

    void ShowIirTable() {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.ShowPage(IirPage);
        iirGrid->setFocus();
    }
    // One key event as the window system delivers it (QTest::keyClick would
    // press the modifier keys on their own first): the shortcuts see it
    // first, the focused table only if none takes it.
    void PressOnce(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        if (qt_sendShortcutOverrideEvent(iirGrid, 0, key, modifiers))
            return;
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(iirGrid, &press);
    }
    QAction* LargeTraces() {
        for (QAction* action : form.Control<QMenu>("Chart1Menu")->actions())
            if (action->text() == "Large traces")
                return action;
        return nullptr;
    }
};

TEST_F(Projector, LargeTracesAndTheZoomKeysScaleTheScopeNotTheWindow) {
    ShowIirTable();
    const QFont windowFont = form.font();
    const QSize windowSize = form.size();
    const int chartFont = scope->font().pixelSize();
    ASSERT_NE(LargeTraces(), nullptr);
    EXPECT_FALSE(LargeTraces()->toolTip().isEmpty());
    LargeTraces()->trigger();
    EXPECT_EQ(scope->TraceScale(), 2);
    EXPECT_EQ(scope->font().pixelSize(), 2 * chartFont);
    QTest::keyClick(iirGrid, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(scope->TraceScale(), 3);
    QTest::keyClick(iirGrid, Qt::Key_Plus, Qt::ControlModifier); // 3 is the largest
    EXPECT_EQ(scope->TraceScale(), 3);
    QTest::keyClick(iirGrid, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(iirGrid, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(iirGrid, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(scope->TraceScale(), 1);
    EXPECT_FALSE(LargeTraces()->isChecked());
    EXPECT_EQ(form.font(), windowFont);
    EXPECT_EQ(form.size(), windowSize);
}

// Every key with Shift runs the IIR table's key handler, except the window's
// zoom key: Shift's own key-down still does.
TEST_F(Projector, CtrlShiftEqualsOnTheIirTableZoomsAndLeavesItsCellsAlone) {
    ShowIirTable();
    form.IirCells().SetCell(2, 1, "");
    PressOnce(Qt::Key_Equal, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(scope->TraceScale(), 2);
    EXPECT_EQ(form.IirCells().Cell(2, 1), "");
    QTest::keyClick(iirGrid, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(form.IirCells().Cell(2, 1), "0");
}

} // namespace
