#pragma once

#include <QObject>

#include <functional>

// A table changed while a run goes on (a design applied, a dragged root let
// go): the running filter takes its coefficients only when a run starts, so
// the run is restarted. The stop happens at once; the new Run waits until the
// stopped run has returned to Qt's event loop, so it never starts inside the
// message pass of the run it replaces (runs would nest there, deeper with
// every change). Any number of changes before that start one run; a run
// started meanwhile by other means (Run pressed) is left alone.
class RunRestart : public QObject {
    Q_OBJECT
public:
    // `running`: a run is on the stack; `stopping`: it has been asked to stop.
    RunRestart(std::function<bool()> running, std::function<bool()> stopping,
               std::function<void()> stop, std::function<void()> run);

    // Stops a run in progress and queues its new start; without a run,
    // nothing happens.
    void Restart();
    // A new start is queued.
    bool Pending() const { return pending_; }

private:
    void StartWhenReturned(int delayMs);

    std::function<bool()> running_;
    std::function<bool()> stopping_;
    std::function<void()> stop_;
    std::function<void()> run_;
    bool pending_ = false;
};
