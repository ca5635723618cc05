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
    }
};

constexpr int InfoPage = 0;
constexpr int SettingsPage = 1;
constexpr int IirPage = 2;
constexpr int FirPage = 3;
