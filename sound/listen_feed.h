#pragma once

#include "sound/rate_converter.h"
#include "sound/sample_ring.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace signova {

// The run loop's side of the sound: takes one 16-bit sample at the
// simulation's rate per sample of the run, converts them about a millisecond
// at a time to the device's rate and pushes the result into the ring. What
// does not fit waits (Backlogged) until the ring has room: the run loop then
// waits, which paces the run at the sound card's rate. Nothing allocates
// after construction.
class ListenFeed {
public:
    ListenFeed(SampleRing& ring, int deviceRate);

    // One sample of the run at `sampleRate` (any of the simulation's rates).
    // Samples that come while converted ones still wait for room are not
    // lost, up to one block; beyond that they are dropped and counted.
    void Take(std::int16_t sample, int sampleRate) {
        if (staged_ > 0 && sampleRate != stagedRate_)
            ConvertStaged();
        stagedRate_ = sampleRate;
        staging_[staged_++] = sample;
        if (staged_ >= BlockLength(sampleRate))
            ConvertStaged();
    }

    // Converted samples wait for room in the ring.
    bool Backlogged() const { return pendingEnd_ > pendingStart_; }
    std::size_t PendingSamples() const { return pendingEnd_ - pendingStart_; }
    // Moves waiting samples into the ring as far as it has room.
    void Flush();
    // Forgets staged and waiting samples and the converter's memory: a stop.
    void Drop();

    // Samples dropped because the run did not wait for room: a ring overflow.
    long long Overflows() const { return overflows_; }

    // Simulation samples converted in one block at `sampleRate`: about a
    // millisecond's worth, at least one.
    static std::size_t BlockLength(int sampleRate) {
        return sampleRate >= 2000 ? static_cast<std::size_t>(sampleRate / 1000) : 1;
    }
    static constexpr std::size_t MaxBlockLength = 48;

private:
    void ConvertStaged();

    SampleRing& ring_;
    RateConverter converter_;
    std::vector<std::int16_t> staging_;
    std::size_t staged_ = 0;
    int stagedRate_ = 0;
    std::vector<std::int16_t> pending_;
    std::size_t pendingStart_ = 0;
    std::size_t pendingEnd_ = 0;
    long long overflows_ = 0;
};

} // namespace signova
