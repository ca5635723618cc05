#pragma once

#include "sound/sample_ring.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace signova {

// The audio device's side of the ring: fills each buffer the device asks for,
// with a short fade in at the start and a short fade out on request, so that
// neither start nor stop clicks. Runs on the device's thread: no lock, no
// allocation, no message to the window. A buffer the ring cannot fill while
// sounding is an underrun: the rest is silence, and it is counted.
class RingReader {
public:
    explicit RingReader(SampleRing& ring) : ring_(ring) {}

    // Device thread: fills `out` with `frames` samples.
    void Fill(std::int16_t* out, std::size_t frames);

    // Window thread, before the device starts: the fade's length, and back to
    // a fresh start (silent, fading in, nothing counted). The first
    // `leadInFrames` the device asks for are silence, taken from nothing: a
    // device fills its whole buffer at its start, at once, and would empty
    // the ring before the run can refill it.
    void Prepare(std::size_t fadeFrames, std::size_t leadInFrames = 0);
    // Window thread: fade out from the next buffer on; the ring's samples
    // after the fade are dropped.
    void FadeOut() { fadeRequested_.store(true, std::memory_order_release); }
    // The device has taken the first sample of the fade out.
    bool FadeBegun() const { return fadeBegun_.load(std::memory_order_acquire); }
    // The fade out is over: from here the device gets silence.
    bool Faded() const { return faded_.load(std::memory_order_acquire); }
    long long Underruns() const { return underruns_.load(std::memory_order_relaxed); }

private:
    SampleRing& ring_;
    std::size_t fadeFrames_ = 1;
    std::size_t gainStep_ = 0; // 0 = silent .. fadeFrames_ = full, device thread only
    std::size_t leadIn_ = 0;   // device thread only after Prepare
    std::atomic<bool> fadeRequested_{false};
    std::atomic<bool> fadeBegun_{false};
    std::atomic<bool> faded_{false};
    std::atomic<long long> underruns_{0};
};

} // namespace signova
