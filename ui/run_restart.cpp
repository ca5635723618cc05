#include "ui/run_restart.h"

#include <QTimer>

#include <utility>

namespace {

// While the stopped run is still on the stack (its message pass not yet
// returned, or a modal box open inside it), look again this much later.
constexpr int RetryMs = 5;

} // namespace

RunRestart::RunRestart(std::function<bool()> running, std::function<bool()> stopping,
                       std::function<void()> stop, std::function<void()> run)
    : running_(std::move(running)), stopping_(std::move(stopping)), stop_(std::move(stop)),
      run_(std::move(run)) {}

void RunRestart::Restart() {
    if (!running_())
        return;
    stop_();
    if (pending_)
        return;
    pending_ = true;
    StartWhenReturned(0);
}

void RunRestart::StartWhenReturned(int delayMs) {
    QTimer::singleShot(delayMs, this, [this] {
        if (running_() && stopping_()) {
            StartWhenReturned(RetryMs);
            return;
        }
        pending_ = false;
        if (running_())
            return; // started again meanwhile, with the table as it is now
        run_();
    });
}
