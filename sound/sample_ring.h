#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace signova {

// The samples on their way from the run loop to the sound card: one producer
// (the window's thread) and one consumer (the audio device's callback), no
// lock. Each side owns one counter and only reads the other's; the counters
// only grow, so that full and empty need no spare slot. The buffer is made
// once: pushing and popping allocate nothing.
class SampleRing {
public:
    explicit SampleRing(std::size_t capacity);

    std::size_t Capacity() const { return buffer_.size(); }

    // Producer side.
    std::size_t Free() const { return Capacity() - Available(); }
    // Copies as many of `count` samples as there is room for; returns how many.
    std::size_t Push(const std::int16_t* samples, std::size_t count);

    // Consumer side.
    std::size_t Available() const {
        return written_.load(std::memory_order_acquire) - read_.load(std::memory_order_acquire);
    }
    // Copies up to `count` samples out; returns how many.
    std::size_t Pop(std::int16_t* out, std::size_t count);
    // Forgets what the ring holds, as if it had been taken.
    void DropAll() { read_.store(written_.load(std::memory_order_acquire), std::memory_order_release); }

    // Samples taken by the consumer so far: a consumer that stopped taking
    // leaves it where it is.
    std::size_t TotalRead() const { return read_.load(std::memory_order_acquire); }

private:
    std::vector<std::int16_t> buffer_;
    // Apart, so that the two threads do not share a cache line.
    alignas(64) std::atomic<std::size_t> written_{0};
    alignas(64) std::atomic<std::size_t> read_{0};
};

} // namespace signova
