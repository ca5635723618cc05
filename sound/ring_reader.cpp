#include "sound/ring_reader.h"

#include <algorithm>

namespace signova {

void RingReader::Prepare(std::size_t fadeFrames, std::size_t leadInFrames) {
    fadeFrames_ = std::max<std::size_t>(fadeFrames, 1);
    leadIn_ = leadInFrames;
    gainStep_ = 0;
    fadeRequested_.store(false, std::memory_order_relaxed);
    fadeBegun_.store(false, std::memory_order_relaxed);
    faded_.store(false, std::memory_order_relaxed);
    underruns_.store(0, std::memory_order_relaxed);
}

void RingReader::Fill(std::int16_t* out, std::size_t frames) {
    const bool fading = fadeRequested_.load(std::memory_order_acquire);
    if (fading)
        fadeBegun_.store(true, std::memory_order_release);
    if (fading && gainStep_ == 0) {
        std::fill(out, out + frames, std::int16_t{0});
        ring_.DropAll();
        faded_.store(true, std::memory_order_release);
        return;
    }
    if (leadIn_ > 0 && !fading) {
        const std::size_t silent = std::min(frames, leadIn_);
        std::fill(out, out + silent, std::int16_t{0});
        leadIn_ -= silent;
        out += silent;
        frames -= silent;
    }
    const std::size_t got = ring_.Pop(out, frames);
    if (got < frames) {
        std::fill(out + got, out + frames, std::int16_t{0});
        if (!fading)
            underruns_.fetch_add(1, std::memory_order_relaxed);
    }
    // A linear ramp of the gain, one step a frame, up to full or down to
    // silence.
    for (std::size_t i = 0; i < frames; ++i) {
        if (fading) {
            if (gainStep_ > 0)
                --gainStep_;
        } else if (gainStep_ < fadeFrames_) {
            ++gainStep_;
        }
        if (gainStep_ < fadeFrames_)
            out[i] = static_cast<std::int16_t>(static_cast<long long>(out[i]) *
                                               static_cast<long long>(gainStep_) /
                                               static_cast<long long>(fadeFrames_));
    }
    if (fading && gainStep_ == 0) {
        ring_.DropAll();
        faded_.store(true, std::memory_order_release);
    }
}

} // namespace signova
