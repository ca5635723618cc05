#pragma once

#include "tests/support/scripted_dialogs.h"
#include "ui/SIGNOVA_Unit.h"

#include <QLabel>
#include <QTabWidget>

#include <functional>

// The main window with a deterministic message pass: every pass counts one
// sample and may act, instead of handing control to Qt.
class CountingForm : public TForm1 {
public:
    explicit CountingForm(signova::Dialogs& dialogs) : TForm1(dialogs) {}
    // With its own sound device, and each pass then also the window's own
    // message processing, as the program's (the pace of the sound).
    CountingForm(signova::Dialogs& dialogs, signova::AudioOutput& audio)
        : TForm1(dialogs, audio), windowPass_(true) {}

    int samples = 0;
    int stopAfter = -1;
    std::function<void(int sample)> onSample;

    template <typename Widget> Widget* Control(const char* name) {
        return findChild<Widget*>(QString::fromLatin1(name));
    }
    void ShowPage(int index) { Control<QTabWidget>("DSPcontrol")->setCurrentIndex(index); }
    // Runs until `count` samples have been computed.
    void RunSamples(int count) {
        samples = 0;
        stopAfter = count;
        RunClick();
    }

protected:
    void ProcessMessages() override {
        ++samples;
        if (onSample)
            onSample(samples);
        if (samples == stopAfter)
            StopClick();
        if (windowPass_)
            TForm1::ProcessMessages();
    }

private:
    bool windowPass_ = false;
};

constexpr int InfoPage = 0;
constexpr int SettingsPage = 1;
constexpr int IirPage = 2;
constexpr int FirPage = 3;
