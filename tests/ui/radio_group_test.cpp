#include "ui/radio_group.h"

#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(RadioGroupIndex, FollowsEveryWayAnItemGetsSelected) {
    RadioGroup group("Timebase", {"0.2 ms/div", "0.4 ms/div", "1 ms/div"});
    group.resize(145, 90);
    const QList<QRadioButton*> buttons = group.findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(group.ItemIndex(), -1);

    group.SetItemIndex(1);
    EXPECT_EQ(group.ItemIndex(), 1);
    buttons[2]->setChecked(true);
    EXPECT_EQ(group.ItemIndex(), 2);
    EXPECT_FALSE(buttons[1]->isChecked());
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    EXPECT_EQ(group.ItemIndex(), 0);
    // Unchecking the selected item of an exclusive group changes nothing.
    buttons[0]->setChecked(false);
    EXPECT_EQ(group.ItemIndex(), 0);
    group.SetItemIndex(7);
    EXPECT_EQ(group.ItemIndex(), 0);
}

} // namespace
