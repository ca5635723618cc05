#include "sound/portaudio_output.h"

#include <portaudio.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

namespace signova {

namespace {

int Callback(const void* /*input*/, void* output, unsigned long frames,
             const PaStreamCallbackTimeInfo* /*time*/, PaStreamCallbackFlags flags, void* data) {
    static_cast<PortAudioOutput*>(data)->Fill(output, frames, (flags & paOutputUnderflow) != 0);
    return paContinue;
}

} // namespace

PortAudioOutput::~PortAudioOutput() {
    Stop();
    Terminate();
}

void PortAudioOutput::Terminate() {
    if (initialised_)
        Pa_Terminate();
    initialised_ = false;
}

bool PortAudioOutput::Open() {
    Stop();
    if (!initialised_) {
        if (Pa_Initialize() != paNoError)
            return false;
        initialised_ = true;
    }
    const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    const PaDeviceInfo* info = device == paNoDevice ? nullptr : Pa_GetDeviceInfo(device);
    if (!info) {
        // A device plugged in later is found only by a fresh initialisation.
        Terminate();
        return false;
    }
    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = 1;
    parameters.sampleFormat = paInt16;
    parameters.suggestedLatency = MaxBufferSeconds;
    deviceUnderflows_ = 0;
    starvedAtClose_ = 0;
    PaStream* stream = nullptr;
    // The device's own rate, else the two common ones.
    for (const double rate : {info->defaultSampleRate, 48000.0, 44100.0}) {
        if (Pa_OpenStream(&stream, nullptr, &parameters, rate, paFramesPerBufferUnspecified,
                          paNoFlag, Callback, this) == paNoError)
            break;
        stream = nullptr;
    }
    if (!stream) {
        Terminate();
        return false;
    }
    stream_ = stream;
    const PaStreamInfo* streamInfo = Pa_GetStreamInfo(stream);
    rate_ = static_cast<int>(streamInfo->sampleRate);
    latency_ = streamInfo->outputLatency;
    return true;
}

void PortAudioOutput::Start(RingReader& reader) {
    if (!stream_ || started_)
        return;
    reader_ = &reader;
    // The device's first request fills its buffer, a little more than the
    // latency it reports: silence for twice that.
    reader_->Prepare(static_cast<std::size_t>(rate_ * FadeSeconds),
                     static_cast<std::size_t>(2.0 * rate_ * latency_));
    started_ = Pa_StartStream(stream_) == paNoError;
}

void PortAudioOutput::Fill(void* out, unsigned long frames, bool deviceUnderflowed) {
    if (deviceUnderflowed)
        deviceUnderflows_.fetch_add(1, std::memory_order_relaxed);
    reader_->Fill(static_cast<std::int16_t*>(out), frames);
}

void PortAudioOutput::Stop() {
    if (!stream_)
        return;
    const bool lost = State() == AudioState::Lost;
    if (started_ && !lost) {
        reader_->FadeOut();
        // The fade ends within a buffer or two; a device that stops taking
        // samples meanwhile is not waited for long.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
        while (!reader_->Faded() && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Close(lost);
    if (lost)
        Terminate();
}

void PortAudioOutput::Close(bool lost) {
    auto* stream = static_cast<PaStream*>(stream_);
    // After the fade the device plays what it holds; then no callback runs.
    // A lost device has nothing to play.
    if (started_ && lost)
        Pa_AbortStream(stream);
    else if (started_)
        Pa_StopStream(stream);
    Pa_CloseStream(stream);
    stream_ = nullptr;
    started_ = false;
    if (reader_)
        starvedAtClose_ = reader_->Underruns();
    reader_ = nullptr;
}

AudioState PortAudioOutput::State() const {
    if (!stream_)
        return AudioState::Closed;
    if (!started_)
        return AudioState::Open;
    return Pa_IsStreamActive(static_cast<PaStream*>(stream_)) == 1 ? AudioState::Playing
                                                                   : AudioState::Lost;
}

long long PortAudioOutput::Underruns() const {
    const long long starved = reader_ ? reader_->Underruns() : starvedAtClose_;
    return starved + deviceUnderflows_.load(std::memory_order_relaxed);
}

} // namespace signova
