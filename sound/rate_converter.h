#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct SRC_STATE_tag;

namespace signova {

// Brings 16-bit samples from the simulation's rate to the device's rate
// (libsamplerate), one short block at a time, keeping its filter's memory
// from block to block. A block at another rate than the last follows the new
// rate at once. Every buffer is made at construction: converting allocates
// nothing.
class RateConverter {
public:
    // `deviceRate`: the rate of what comes out. `maxBlock`: the most samples
    // one Convert is given.
    RateConverter(int deviceRate, std::size_t maxBlock);
    ~RateConverter();
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    // Converts `count` samples at `sourceRate` and appends what comes out to
    // `out`, at most `room` samples; returns how many it appended. Anything
    // beyond `room` is lost (the caller gives room for MaxOutput()).
    std::size_t Convert(const std::int16_t* samples, std::size_t count, int sourceRate,
                        std::int16_t* out, std::size_t room);

    // The most samples one Convert can give: a block of maxBlock at the
    // lowest simulation rate, with margin for the filter's unevenness.
    std::size_t MaxOutput() const { return output_.size(); }

    // Forgets the filter's memory, as for a fresh start.
    void Reset();

    int DeviceRate() const { return deviceRate_; }

    // The lowest rate the simulation runs at.
    static constexpr int LowestSourceRate = 1000;

private:
    int deviceRate_;
    int sourceRate_ = 0;
    SRC_STATE_tag* converter_ = nullptr;
    std::vector<float> input_;
    std::vector<float> output_;
};

} // namespace signova
