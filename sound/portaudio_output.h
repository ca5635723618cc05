#pragma once

#include "sound/audio_output.h"

#include <atomic>

namespace signova {

// The default output device through PortAudio (on Linux through ALSA, whose
// default a desktop routes to its sound server). PortAudio is initialised at
// the first Open, not at start-up, so that a program that never listens
// never touches the sound system.
class PortAudioOutput : public AudioOutput {
public:
    PortAudioOutput() = default;
    ~PortAudioOutput() override;
    PortAudioOutput(const PortAudioOutput&) = delete;
    PortAudioOutput& operator=(const PortAudioOutput&) = delete;

    bool Open() override;
    int Rate() const override { return rate_; }
    double Latency() const override { return latency_; }
    void Start(RingReader& reader) override;
    void Stop() override;
    AudioState State() const override;
    long long Underruns() const override;

    // Device thread.
    void Fill(void* out, unsigned long frames, bool deviceUnderflowed);

private:
    void Close(bool lost);
    void Terminate();

    bool initialised_ = false;
    void* stream_ = nullptr;
    bool started_ = false;
    RingReader* reader_ = nullptr;
    int rate_ = 0;
    double latency_ = 0.0;
    std::atomic<long long> deviceUnderflows_{0};
    long long starvedAtClose_ = 0;
};

} // namespace signova
