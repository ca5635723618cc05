#include "toolkit/colors.h"
#include "ui/lamp.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST(LampRepaint, ColourChangesFasterThanAScreenPaintAtMostOncePerFrameAndTheLatestIsShown) {
    Lamp lamp;
    lamp.resize(14, 12);
    PaintCounter counter;
    lamp.installEventFilter(&counter);
    lamp.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 5000));

    const int paintsBefore = counter.paints;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 400; ++i) {
        lamp.SetColor(i % 2 ? signova::clLime : signova::clBtnFace);
        QCoreApplication::processEvents();
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(lamp.Color(), signova::clLime);
    // Each change asked for a paint; one frame of 16 ms shows at most one. One
    // more is allowed for a paint the window system may still ask for.
    EXPECT_LE(counter.paints - paintsBefore, 2 + elapsed / std::chrono::milliseconds(16));

    lamp.SetColor(signova::clRed);
    const int paintsBeforeRed = counter.paints;
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > paintsBeforeRed; }, 5000));
    EXPECT_EQ(lamp.Color(), signova::clRed);
}

} // namespace
