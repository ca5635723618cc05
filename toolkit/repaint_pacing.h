#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace signova {

// When to repaint something whose state may change far more often than any
// screen shows it: at most once per frame interval, and at the latest one
// interval after the last paint, so the latest state is always shown.
class RepaintPacing {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Clock = std::function<TimePoint()>;

    static constexpr std::chrono::milliseconds FrameInterval{16};

    // Reads the steady clock.
    RepaintPacing();
    explicit RepaintPacing(Clock clock);

    // For a change to be shown: how long to wait before asking for a repaint;
    // zero when it may be asked for now.
    std::chrono::milliseconds WaitBeforeRepaint() const;

    // The paint has happened.
    void Painted() { lastPaint_ = clock_(); }

private:
    Clock clock_;
    std::optional<TimePoint> lastPaint_;
};

} // namespace signova
