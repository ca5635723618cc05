#include "tests/ui/form_fixture.h"
#include "ui/response_window.h"
#include "ui/spectrum_window.h"
#include "ui/tool_window.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using signova::testing::ScriptedDialogs;

// ---- Placement -------------------------------------------------------------

struct PlacementCase {
    const char* name;
    QRect mainFrame;
    QSize tool;
    QRect available;
    std::vector<QRect> controls;
    QPoint expected;
};

void PrintTo(const PlacementCase& c, std::ostream* out) {
    *out << c.name;
}

class ToolWindowPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(ToolWindowPlacement, GoesBesideElseBelowElseWhereItHidesLeast) {
    const PlacementCase& c = GetParam();
    EXPECT_EQ(ToolWindowPosition(c.mainFrame, c.tool, c.available, c.controls), c.expected);
}

const QRect FullHd(0, 0, 1920, 1080);
const QRect Sxga(0, 0, 1280, 1024);
// The main window centred on the 1280 x 1024 screen, its left half covered
// by a control.
const QRect CentredMain(243, 237, 794, 550);
const QRect LeftHalfControl(243, 237, 397, 550);

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolWindowPlacement,
    ::testing::Values(
        PlacementCase{"RightOfTheMainWindow", {100, 100, 800, 550}, {640, 560}, FullHd, {},
                      {900, 100}},
        PlacementCase{"RightAndRaisedToStayOnTheScreen", {100, 600, 800, 450}, {640, 560}, FullHd,
                      {}, {900, 520}},
        PlacementCase{"RightWithNotOnePixelToSpare", {0, 0, 640, 500}, {640, 400}, Sxga, {},
                      {640, 0}},
        PlacementCase{"BelowWhenOnePixelShortOnTheRight", {0, 0, 641, 500}, {640, 400}, Sxga, {},
                      {0, 500}},
        PlacementCase{"BelowAndMovedLeftToStayOnTheScreen", {700, 0, 580, 500}, {640, 400}, Sxga,
                      {}, {640, 500}},
        PlacementCase{"OverTheMainWindowWhereItHidesNoControlNearestItsRight", CentredMain,
                      {640, 560}, Sxga, {LeftHalfControl}, {640, 240}},
        PlacementCase{"OverTheSmallerPartOfTheControls", CentredMain, {640, 560}, Sxga,
                      {LeftHalfControl, {640, 237, 397, 550}, {243, 237, 794, 40}},
                      {640, 464}},
        PlacementCase{"TopLeftWhenBiggerThanTheScreen", {100, 100, 300, 200}, {1400, 1100}, Sxga,
                      {}, {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The views as tool windows ---------------------------------------------

class ToolWindows : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    CountingForm form{dialogs};

    void Choose(const char* menu, const QString& item) {
        for (QAction* action : form.findChild<QMenu*>(QString::fromLatin1(menu))->actions())
            if (action->text() == item)
                action->trigger();
    }
};

TEST_F(ToolWindows, ViewsStayWithTheMainWindowAndCloseWithIt) {
    form.show();
    Choose("FIRgridMenu", QString::fromUtf8("Frequency response\u2026"));
    Choose("Chart1Menu", QString::fromUtf8("Spectrum\u2026"));
    auto* response = form.findChild<ResponseWindow*>(QStringLiteral("ResponseWindow"));
    auto* spectrum = form.findChild<SpectrumWindow*>(QStringLiteral("SpectrumWindow"));
    ASSERT_NE(response, nullptr);
    ASSERT_NE(spectrum, nullptr);
    for (QWidget* view : {static_cast<QWidget*>(response), static_cast<QWidget*>(spectrum)}) {
        EXPECT_EQ(view->windowType(), Qt::Tool) << view->objectName().toStdString();
        EXPECT_EQ(view->parentWidget(), &form);
        EXPECT_TRUE(view->isVisible());
    }
    form.close();
    EXPECT_FALSE(response->isVisible());
    EXPECT_FALSE(spectrum->isVisible());
}

} // namespace
