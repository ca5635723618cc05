#pragma once

#include <chrono>
#include <functional>

namespace signova {

// When a long computation on the window's thread hands control to the
// toolkit's message loop: once per time slice of wall time. The clock is read
// only every CallsPerClockRead calls, as reading it costs more than a sample;
// after a hand-over it is read once more, so that the time the toolkit took
// does not count against the next slice.
class MessagePacing {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Clock = std::function<TimePoint()>;

    static constexpr std::chrono::microseconds Slice{500};
    static constexpr int CallsPerClockRead = 32;

    // Reads the steady clock.
    MessagePacing();
    explicit MessagePacing(Clock clock);

    // Called once per unit of work: true when control is due to go to the
    // toolkit now. The first slice is already over at the first clock read.
    bool HandOverDue() {
        if (++callsSinceClockRead_ < CallsPerClockRead)
            return false;
        callsSinceClockRead_ = 0;
        return clock_() >= sliceEnd_;
    }

    // Called when the toolkit has handed control back: a new slice begins.
    void HandedBack() { sliceEnd_ = clock_() + Slice; }

private:
    Clock clock_;
    int callsSinceClockRead_ = 0;
    TimePoint sliceEnd_{};
};

} // namespace signova
