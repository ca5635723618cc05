#include "sound/rate_converter.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>
#include <new>

namespace signova {

RateConverter::RateConverter(int deviceRate, std::size_t maxBlock)
    : deviceRate_(deviceRate), input_(maxBlock),
      output_(maxBlock * static_cast<std::size_t>(deviceRate / LowestSourceRate + 1) + 64) {
    int error = 0;
    // The fastest of the band-limited converters: its pass band reaches 80 %
    // of the lower rate's half, enough to hear, and it keeps up with 48 kHz on
    // the window's thread for a fraction of a per cent.
    converter_ = src_new(SRC_SINC_FASTEST, 1, &error);
    if (!converter_)
        throw std::bad_alloc();
}

RateConverter::~RateConverter() {
    src_delete(converter_);
}

void RateConverter::Reset() {
    src_reset(converter_);
    sourceRate_ = 0;
}

std::size_t RateConverter::Convert(const std::int16_t* samples, std::size_t count, int sourceRate,
                                   std::int16_t* out, std::size_t room) {
    count = std::min(count, input_.size());
    const double ratio = static_cast<double>(deviceRate_) / sourceRate;
    if (sourceRate != sourceRate_) {
        // A step to the new ratio, not a glide from the old one.
        src_set_ratio(converter_, ratio);
        sourceRate_ = sourceRate;
    }
    for (std::size_t i = 0; i < count; ++i)
        input_[i] = static_cast<float>(samples[i]) / 32768.0F;

    SRC_DATA data{};
    data.data_in = input_.data();
    data.input_frames = static_cast<long>(count);
    data.data_out = output_.data();
    data.output_frames = static_cast<long>(output_.size());
    data.src_ratio = ratio;
    data.end_of_input = 0;
    if (src_process(converter_, &data) != 0)
        return 0;

    const auto produced = static_cast<std::size_t>(data.output_frames_gen);
    const std::size_t n = std::min(produced, room);
    for (std::size_t i = 0; i < n; ++i) {
        const float value = std::nearbyint(output_[i] * 32768.0F);
        out[i] = static_cast<std::int16_t>(std::clamp(value, -32768.0F, 32767.0F));
    }
    return n;
}

} // namespace signova
