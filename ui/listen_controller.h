#pragma once

#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "scope/run_take.h"
#include "scope/scope_controls.h"
#include "sound/audio_output.h"
#include "sound/listen_feed.h"
#include "sound/sixteen_bit.h"
#include "toolkit/cell_store.h"
#include "toolkit/dialogs.h"

#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QMessageBox;
class QTimer;
class QWidget;

// What the listening reads in the main window, handed over by it.
struct ListenSources {
    QWidget& window; // Ctrl+L acts while it is active; the notice is its own
    const signova::SimulatorState& state;
    const signova::CellStore& firCells;
    const signova::CellStore& iirCells;
    QMenu& scopeMenu; // gets "Listen", its choice and "Save sound as WAV…"
    // The table a Run on the page shown would read (the FIR table on the
    // pages that have none), and the scope controls as a run reads them.
    std::function<signova::FilterKind()> runFilter;
    std::function<signova::ScopeControls()> scopeControls;
};

// Listen: the run's input or output codes, exactly as the converters give
// them, through the sound card while it runs; and the same, 5 seconds of a
// fresh run, as a WAV file. The window tells it when a run starts and stops,
// hands it each sample (Take) and lets it pace the run (WaitForRoom).
class ListenController : public QObject {
    Q_OBJECT
public:
    ListenController(const ListenSources& sources, signova::Dialogs& dialogs,
                     signova::AudioOutput& output);
    ~ListenController() override;

    // "Listen" on or off (the menu item and Ctrl+L). On during a run, it
    // sounds at once; else from the next Run.
    void SetListening(bool on);
    bool Listening() const { return listening_; }
    void SetSource(signova::TakeSource source);
    signova::TakeSource Source() const { return source_; }

    // The run's side.
    void RunStarted();
    void RunStopped();
    // Once per sample, after the sample has been through the scope.
    void Take() {
        if (!sounding_)
            return;
        const double code = source_ == signova::TakeSource::Input ? sources_.state.InputSample
                                                                  : sources_.state.OutputSample;
        feed_->Take(signova::SixteenBitSample(code, sources_.state.MaxCode),
                    sources_.state.SampleRate);
    }
    // Whether the run must wait for the sound card before its next sample.
    bool MustWait() const { return sounding_ && feed_->Backlogged(); }
    // Waits for room in the ring, handling the window's messages meanwhile
    // (at most WaitSlice at a time); returns at once on a stop, on Listen
    // turned off, or when the device is lost.
    void WaitForRoom();

    // "Save sound as WAV…".
    void SaveWav();

    // Simulation samples lost because the run did not wait: stays 0.
    long long Overflows() const { return overflows_; }
    // Underruns of the device since it was last opened.
    long long Underruns() const { return output_.Underruns(); }
    bool Sounding() const { return sounding_; }
    // For measuring latency: the device-rate samples the device has taken
    // since the sound started, and those queued ahead of anything the run
    // computes from now on (in the ring and waiting for it).
    std::size_t SamplesTaken() const { return sounding_ ? ring_->TotalRead() : 0; }
    std::size_t SamplesAhead() const {
        return sounding_ ? ring_->Available() + feed_->PendingSamples() : 0;
    }

    // As much as the device buffer: a device's first request takes that much at
    // once.
    static constexpr double RingSeconds = signova::AudioOutput::MaxBufferSeconds;
    static constexpr std::chrono::milliseconds WaitSlice{5};
    // A device that takes no sample for this long while the ring is full is
    // treated as lost: the run must never hang on it. A sound server may
    // pause a stream for most of a second, at its start and after it ran dry.
    static constexpr std::chrono::milliseconds StallLimit{3000};
    static constexpr int SaveSeconds = 5;

private:
    void BuildMenu();
    void StartSound();
    void StopSound();
    void DeviceMissing();

    ListenSources sources_;
    signova::Dialogs& dialogs_;
    signova::AudioOutput& output_;
    bool listening_ = false;
    signova::TakeSource source_ = signova::TakeSource::Output;
    bool running_ = false;
    bool sounding_ = false;
    bool started_ = false;
    bool noticeShown_ = false;
    long long overflows_ = 0;
    std::unique_ptr<signova::SampleRing> ring_;
    std::unique_ptr<signova::RingReader> reader_;
    std::unique_ptr<signova::ListenFeed> feed_;
    QTimer* wakeTimer_ = nullptr;
    QAction* listenAction_ = nullptr;
    QAction* inputAction_ = nullptr;
    QAction* outputAction_ = nullptr;
    QPointer<QMessageBox> notice_;
};
