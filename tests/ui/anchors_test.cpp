#include "ui/anchors.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(RequiredChild, FindsANestedControlAndNamesAMissingOne) {
    QWidget box;
    box.setObjectName(QStringLiteral("GroupBox2"));
    QWidget inner(&box);
    QLabel label(&inner);
    label.setObjectName(QStringLiteral("Label11"));
    EXPECT_EQ(RequiredChild(box, QStringLiteral("Label11")), &label);
    try {
        RequiredChild(box, QStringLiteral("trigsh"));
        ADD_FAILURE() << "no error";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "no control named trigsh in GroupBox2");
    }
}

TEST(Anchors, RefusesAMissingControl) {
    Anchors anchors(QSize(100, 100));
    EXPECT_THROW(anchors.Add(nullptr, AnchorAll), std::logic_error);
}

} // namespace
