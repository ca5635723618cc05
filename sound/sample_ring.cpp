#include "sound/sample_ring.h"

#include <algorithm>

namespace signova {

SampleRing::SampleRing(std::size_t capacity) : buffer_(capacity) {}

std::size_t SampleRing::Push(const std::int16_t* samples, std::size_t count) {
    const std::size_t written = written_.load(std::memory_order_relaxed);
    const std::size_t read = read_.load(std::memory_order_acquire);
    const std::size_t n = std::min(count, Capacity() - (written - read));
    for (std::size_t i = 0; i < n; ++i)
        buffer_[(written + i) % Capacity()] = samples[i];
    written_.store(written + n, std::memory_order_release);
    return n;
}

std::size_t SampleRing::Pop(std::int16_t* out, std::size_t count) {
    const std::size_t read = read_.load(std::memory_order_relaxed);
    const std::size_t written = written_.load(std::memory_order_acquire);
    const std::size_t n = std::min(count, written - read);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = buffer_[(read + i) % Capacity()];
    read_.store(read + n, std::memory_order_release);
    return n;
}

} // namespace signova
