#pragma once

#include "sound/audio_output.h"
#include "sound/ring_reader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace signova::testing {

// An audio device the test plays: present or missing, lost when the test
// says, taking samples only when the test pulls them (as the device's
// callback would). Records every call in order.
class ScriptedAudioOutput : public AudioOutput {
public:
    bool hasDevice = true;
    int rate = 48000;
    // "open", "start", "stop" as they are called (a Stop of a closed output
    // is not recorded: it does nothing).
    std::vector<std::string> calls;
    // What the device played in the fade of the last Stop.
    std::vector<std::int16_t> fade;

    bool Open() override {
        calls.emplace_back("open");
        if (!hasDevice)
            return false;
        state_ = AudioState::Open;
        return true;
    }
    int Rate() const override { return rate; }
    double Latency() const override { return MaxBufferSeconds; }
    void Start(RingReader& reader) override {
        calls.emplace_back("start");
        reader_ = &reader;
        reader.Prepare(static_cast<std::size_t>(rate * FadeSeconds));
        state_ = AudioState::Playing;
    }
    void Stop() override {
        if (state_ == AudioState::Closed)
            return;
        calls.emplace_back("stop");
        fade.clear();
        if (state_ == AudioState::Playing) {
            reader_->FadeOut();
            while (!reader_->Faded()) {
                const std::vector<std::int16_t> buffer = Pull(64);
                fade.insert(fade.end(), buffer.begin(), buffer.end());
            }
        }
        reader_ = nullptr;
        state_ = AudioState::Closed;
    }
    AudioState State() const override { return state_; }
    long long Underruns() const override { return reader_ ? reader_->Underruns() : 0; }

    // The device takes `frames` samples now.
    std::vector<std::int16_t> Pull(std::size_t frames) {
        std::vector<std::int16_t> out(frames);
        if (reader_)
            reader_->Fill(out.data(), frames);
        return out;
    }
    // The device goes away while playing: it takes nothing more.
    void Lose() {
        if (state_ == AudioState::Playing)
            state_ = AudioState::Lost;
    }

private:
    AudioState state_ = AudioState::Closed;
    RingReader* reader_ = nullptr;
};

} // namespace signova::testing
