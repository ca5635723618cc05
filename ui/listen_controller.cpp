#include "ui/listen_controller.h"

#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "sound/wav_file.h"
#include "ui/guarded.h"
#include "ui/save_target.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

const QString ListenText = QStringLiteral("Listen");
const QString ListenToText = QStringLiteral("Listen to");
const QString InputText = QStringLiteral("Input");
const QString OutputText = QStringLiteral("Output");
const QString SaveWavText = QString::fromUtf8("Save sound as WAV\u2026");
const QKeySequence ListenKey(Qt::CTRL | Qt::Key_L);

constexpr char NoDeviceText[] = "No audio output device: the run goes on silently.";
constexpr char WavNote[] =
    "The sound is saved at the simulation's own sample rate, so that its samples stay "
    "exact. Some players refuse files at 1000 Hz and 1200 Hz.";

} // namespace

ListenController::ListenController(const ListenSources& sources, signova::Dialogs& dialogs,
                                   signova::AudioOutput& output)
    : sources_(sources), dialogs_(dialogs), output_(output) {
    wakeTimer_ = new QTimer(this);
    wakeTimer_->setSingleShot(true);
    wakeTimer_->setTimerType(Qt::PreciseTimer);
    BuildMenu();
}

ListenController::~ListenController() {
    StopSound();
}

void ListenController::BuildMenu() {
    auto guard = [this](auto handler) { return Guarded(dialogs_, handler); };
    QMenu& menu = sources_.scopeMenu;
    menu.addSeparator();
    listenAction_ = menu.addAction(ListenText);
    listenAction_->setCheckable(true);
    // Shown in the menu; the key itself belongs to the window (below), so
    // that it acts while the window is active and not only in the menu.
    listenAction_->setShortcut(ListenKey);
    listenAction_->setShortcutContext(Qt::WidgetShortcut);
    listenAction_->setShortcutVisibleInContextMenu(true);
    connect(listenAction_, &QAction::toggled, this, guard([this](bool on) { SetListening(on); }));

    QMenu* choice = menu.addMenu(ListenToText);
    choice->setObjectName(QStringLiteral("ListenToMenu"));
    auto* group = new QActionGroup(choice);
    inputAction_ = choice->addAction(InputText);
    outputAction_ = choice->addAction(OutputText);
    for (QAction* action : {inputAction_, outputAction_}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    outputAction_->setChecked(true);
    connect(inputAction_, &QAction::triggered, this,
            guard([this](bool) { SetSource(signova::TakeSource::Input); }));
    connect(outputAction_, &QAction::triggered, this,
            guard([this](bool) { SetSource(signova::TakeSource::Output); }));

    connect(menu.addAction(SaveWavText), &QAction::triggered, this,
            guard([this](bool) { SaveWav(); }));

    // A plain letter would be typed into the editable boxes.
    connect(new QShortcut(ListenKey, &sources_.window), &QShortcut::activated, listenAction_,
            &QAction::toggle);
}

void ListenController::SetListening(bool on) {
    if (listenAction_->isChecked() != on) {
        listenAction_->setChecked(on); // comes back here through toggled
        return;
    }
    if (on == listening_)
        return;
    listening_ = on;
    noticeShown_ = false;
    if (!on)
        StopSound();
    else if (running_)
        StartSound();
}

void ListenController::SetSource(signova::TakeSource source) {
    source_ = source;
    (source == signova::TakeSource::Input ? inputAction_ : outputAction_)->setChecked(true);
}

// ---- the run's side --------------------------------------------------------

void ListenController::RunStarted() {
    // A nested run goes on with the sound of the run it interrupts.
    if (running_)
        return;
    running_ = true;
    if (listening_)
        StartSound();
}

void ListenController::RunStopped() {
    running_ = false;
    StopSound();
}

void ListenController::StartSound() {
    if (sounding_)
        return;
    if (!output_.Open()) {
        DeviceMissing();
        return;
    }
    const int rate = output_.Rate();
    const auto capacity = static_cast<std::size_t>(std::lround(rate * RingSeconds));
    ring_ = std::make_unique<signova::SampleRing>(capacity);
    reader_ = std::make_unique<signova::RingReader>(*ring_);
    feed_ = std::make_unique<signova::ListenFeed>(*ring_, rate);
    sounding_ = true;
    started_ = false;
}

void ListenController::StopSound() {
    wakeTimer_->stop();
    if (feed_)
        overflows_ += feed_->Overflows();
    // The device's callback may still read the ring until Stop returns.
    output_.Stop();
    sounding_ = false;
    started_ = false;
    feed_.reset();
    reader_.reset();
    ring_.reset();
}

void ListenController::DeviceMissing() {
    StopSound();
    if (noticeShown_)
        return;
    noticeShown_ = true;
    // Not modal: the run goes on behind it.
    notice_ = new QMessageBox(QMessageBox::Information, QStringLiteral("SIGNOVA"),
                              QString::fromUtf8(NoDeviceText), QMessageBox::Ok, &sources_.window);
    notice_->setObjectName(QStringLiteral("NoAudioDeviceNotice"));
    notice_->setTextFormat(Qt::PlainText);
    notice_->setModal(false);
    notice_->setAttribute(Qt::WA_DeleteOnClose);
    notice_->show();
}

void ListenController::WaitForRoom() {
    using Clock = std::chrono::steady_clock;
    if (!sounding_)
        return;
    // The ring is full for the first time: the device starts with a full ring.
    if (!started_) {
        output_.Start(*reader_);
        started_ = true;
    }
    std::size_t lastRead = ring_->TotalRead();
    Clock::time_point lastTaken = Clock::now();
    while (sounding_ && feed_->Backlogged()) {
        feed_->Flush();
        if (!feed_->Backlogged())
            break;
        const Clock::time_point now = Clock::now();
        if (ring_->TotalRead() != lastRead) {
            lastRead = ring_->TotalRead();
            lastTaken = now;
        }
        if (output_.State() != signova::AudioState::Playing || now - lastTaken > StallLimit) {
            DeviceMissing();
            break;
        }
        // Until about when the device will have taken what waits, but no
        // longer than a slice: every message is handled as it comes.
        const double missing = static_cast<double>(feed_->PendingSamples() - ring_->Free());
        const int wait = std::clamp(static_cast<int>(std::ceil(1000.0 * missing / output_.Rate())),
                                    1, static_cast<int>(WaitSlice.count()));
        wakeTimer_->start(wait);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    wakeTimer_->stop();
}

// ---- the WAV file ------------------------------------------------------------

void ListenController::SaveWav() {
    // The state a fresh Run with the current settings and table starts from,
    // on a copy: a run in progress is not touched.
    signova::SimulatorState scratch = sources_.state;
    signova::StartRun(scratch);
    const signova::FilterKind filter = sources_.runFilter();
    if (filter == signova::FilterKind::Iir) {
        scratch.LoadError = false;
        signova::ReadIIRCoefficients(scratch, sources_.iirCells, dialogs_);
        if (scratch.LoadError)
            return;
    } else {
        signova::ReadFIRCoefficients(scratch, sources_.firCells);
    }
    const int rate = scratch.SampleRate;
    const std::vector<double> codes = signova::TakeRunSamples(
        scratch, filter, sources_.scopeControls(),
        static_cast<std::size_t>(SaveSeconds) * static_cast<std::size_t>(rate), source_);
    std::vector<std::int16_t> samples(codes.size());
    std::transform(codes.begin(), codes.end(), samples.begin(), [&scratch](double code) {
        return signova::SixteenBitSample(code, scratch.MaxCode);
    });

    const std::optional<std::string> path = ChooseSaveTarget(dialogs_, "WAV sound", "wav", WavNote);
    if (!path)
        return;
    signova::WriteWavFile(*path, samples, rate);
}
