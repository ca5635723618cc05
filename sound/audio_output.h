#pragma once

#include "sound/ring_reader.h"

namespace signova {

// Where an audio output stands.
enum class AudioState {
    Closed,  // no stream
    Open,    // a stream, not yet started
    Playing, // the device takes samples
    Lost,    // started, but the device stopped taking samples (unplugged, gone)
};

// The sound card, as the listening needs it: open the default output, start
// it, stop it, its state and its underruns. The program plays through
// PortAudio (PortAudioOutput); tests script a device that is missing, lost
// while playing, or short of samples.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Opens the default output device for mono 16-bit samples; false when
    // there is no device or it cannot be opened.
    virtual bool Open() = 0;
    // The device's rate and the delay from a sample taken to it sounding, in
    // seconds, as the device reports them; while open.
    virtual int Rate() const = 0;
    virtual double Latency() const = 0;
    // Starts taking samples from `reader`, which it prepares for a fresh
    // start (a fade in of FadeSeconds).
    virtual void Start(RingReader& reader) = 0;
    // Fades out, lets the device play what it holds, then stops and closes
    // the stream: once it returns no callback runs. Closed already: nothing.
    virtual void Stop() = 0;
    virtual AudioState State() const = 0;
    // Buffers the device asked for and did not get in full while sounding,
    // since the stream was opened.
    virtual long long Underruns() const = 0;

    // What the device holds at most, and the ring at most: a change of the
    // dial must be heard soon.
    static constexpr double MaxBufferSeconds = 0.040;
    // The fade at a start and at a stop: short enough to end soon, long
    // enough not to click.
    static constexpr double FadeSeconds = 0.005;
};

} // namespace signova
