#include "tests/support/scripted_audio_output.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/ui/form_fixture.h"

#include "sound/sixteen_bit.h"
#include "toolkit/errors.h"
#include "ui/listen_controller.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

using signova::testing::ScriptedAudioOutput;
using signova::testing::ScriptedDialogs;
using Calls = std::vector<std::string>;

const QString SaveWavItem = QString::fromUtf8("Save sound as WAV\u2026");
constexpr char NoDeviceText[] = "No audio output device: the run goes on silently.";

class Listen : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    ScriptedAudioOutput audio;
    CountingForm form{dialogs, audio};
    ListenController& listen = form.Listener();
    QTemporaryDir folder;

    ~Listen() override {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(window))
                delete window;
    }
    QMenu* ScopeMenu() { return form.findChild<QMenu*>(QStringLiteral("Chart1Menu")); }
    QAction* Item(QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions())
            if (action->text() == text)
                return action;
        ADD_FAILURE() << "no item " << text.toStdString();
        return nullptr;
    }
    std::vector<QMessageBox*> Notices() {
        std::vector<QMessageBox*> notices;
        for (QMessageBox* box : form.findChildren<QMessageBox*>())
            if (box->isVisible())
                notices.push_back(box);
        return notices;
    }
    // Rms of what the device plays of the run in `frames`, taking 48 every
    // millisecond as a device would; the run stops after them.
    double PlayedRms(std::size_t frames) {
        double sum = 0.0;
        std::size_t pulled = 0;
        QTimer device;
        device.setTimerType(Qt::PreciseTimer);
        QObject::connect(&device, &QTimer::timeout, [&] {
            for (std::int16_t sample : audio.Pull(48))
                sum += static_cast<double>(sample) * sample;
            pulled += 48;
            if (pulled >= frames)
                form.StopClick();
        });
        device.start(1);
        form.RunClick();
        return std::sqrt(sum / static_cast<double>(pulled));
    }
    std::string Path(const char* name) { return folder.filePath(name).toStdString(); }
    // Does `act` 10 ms after the run first waits for the device, from the
    // window's messages.
    void WhenTheRunWaits(std::function<void()> act) {
        form.onSample = [this, act = std::move(act), done = false](int) mutable {
            if (!done && listen.MustWait()) {
                done = true;
                QTimer::singleShot(10, &form, act);
            }
        };
    }
};

TEST_F(Listen, TheScopeMenuOffersListenWithItsChoiceAndTheWavFile) {
    QAction* listenItem = Item(ScopeMenu(), QStringLiteral("Listen"));
    ASSERT_NE(listenItem, nullptr);
    EXPECT_TRUE(listenItem->isCheckable());
    EXPECT_FALSE(listenItem->isChecked());
    EXPECT_EQ(listenItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_NE(Item(ScopeMenu(), SaveWavItem), nullptr);
    auto* choice = form.findChild<QMenu*>(QStringLiteral("ListenToMenu"));
    ASSERT_NE(choice, nullptr);
    QStringList checked;
    for (const QAction* action : choice->actions())
        checked << action->text() + (action->isChecked() ? "*" : "");
    EXPECT_EQ(checked, (QStringList{"Input", "Output*"}));
}

TEST_F(Listen, CtrlLTogglesListenWhileTheWindowIsActive) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(listen.Listening());
    EXPECT_TRUE(Item(ScopeMenu(), QStringLiteral("Listen"))->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_FALSE(listen.Listening());
}

TEST_F(Listen, SoundsNothingUntilRunThenOpensAndStartsWithAFullRing) {
    form.ShowPage(FirPage);
    listen.SetListening(true);
    EXPECT_EQ(audio.calls, Calls{});
    // The device takes nothing: the run fills the ring (40 ms, 1920 samples
    // at 48000 Hz, plus one block waiting) and then waits, handling messages,
    // until the Stop they bring.
    WhenTheRunWaits([this] { form.StopClick(); });
    form.RunClick();
    EXPECT_EQ(audio.calls, (Calls{"open", "start", "stop"}));
    EXPECT_GE(form.samples, 1920);
    EXPECT_LE(form.samples, 1920 + 2 * 48);
    EXPECT_FALSE(listen.Sounding());
}

TEST_F(Listen, PlaysTheChosenConvertersCodes) {
    // 1 kHz: the default table, an average over 48 samples at 48000 Hz,
    // nulls it. The input sounds at full scale, the output next to nothing.
    form.ShowPage(FirPage);
    form.Control<QToolButton>("SpeedButton3")->click();
    listen.SetListening(true);
    listen.SetSource(signova::TakeSource::Input);
    const double input = PlayedRms(9600);
    listen.SetSource(signova::TakeSource::Output);
    const double output = PlayedRms(9600);
    EXPECT_GT(input, 20000.0); // a sine of 2047 << 4 has an rms of 23155
    EXPECT_LT(output, 500.0);
    EXPECT_EQ(listen.Overflows(), 0);
}

TEST_F(Listen, StopFadesToSilence) {
    form.ShowPage(FirPage);
    form.Control<QToolButton>("SpeedButton3")->click();
    listen.SetListening(true);
    listen.SetSource(signova::TakeSource::Input);
    PlayedRms(4800);
    // 5 ms at 48000 Hz: 240 samples down to silence, then silence.
    ASSERT_GE(audio.fade.size(), 240U);
    EXPECT_NE(audio.fade[0], 0);
    for (std::size_t i = 240; i < audio.fade.size(); ++i)
        ASSERT_EQ(audio.fade[i], 0) << i;
    double largest = 0.0;
    for (std::size_t i = 200; i < 240; ++i)
        largest = std::max(largest, std::abs(static_cast<double>(audio.fade[i])));
    EXPECT_LT(largest, 32768.0 * 40 / 240);
}

TEST_F(Listen, WithoutADeviceTheRunGoesOnSilentlyWithOneNotice) {
    audio.hasDevice = false;
    form.ShowPage(FirPage);
    listen.SetListening(true);
    form.RunSamples(20000);
    EXPECT_EQ(form.samples, 20000);
    form.RunSamples(100);
    EXPECT_EQ(audio.calls, (Calls{"open", "open"}));
    const std::vector<QMessageBox*> notices = Notices();
    ASSERT_EQ(notices.size(), 1U);
    EXPECT_EQ(notices[0]->text().toStdString(), NoDeviceText);
    EXPECT_FALSE(notices[0]->isModal());
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{});
}

TEST_F(Listen, ADeviceLostWhilePlayingLeavesTheRunGoingWithTheNotice) {
    form.ShowPage(FirPage);
    listen.SetListening(true);
    // Lost while the run waits for it with a full ring.
    WhenTheRunWaits([this] { audio.Lose(); });
    form.RunSamples(20000);
    EXPECT_EQ(form.samples, 20000);
    EXPECT_EQ(audio.calls, (Calls{"open", "start", "stop"}));
    ASSERT_EQ(Notices().size(), 1U);
    EXPECT_EQ(Notices()[0]->text().toStdString(), NoDeviceText);
}

TEST_F(Listen, ClosingTheWindowStopsTheSound) {
    form.ShowPage(FirPage);
    form.show();
    listen.SetListening(true);
    WhenTheRunWaits([this] { form.close(); });
    form.RunClick();
    EXPECT_EQ(audio.calls, (Calls{"open", "start", "stop"}));
}

TEST_F(Listen, ARunEndedByAnErrorStopsTheSound) {
    form.ShowPage(FirPage);
    // The second sample's output lies beyond the 64-bit range.
    form.FirCells().SetCell(1, 0, "1e300");
    listen.SetListening(true);
    EXPECT_THROW(form.RunSamples(100), signova::InvalidOperationError);
    EXPECT_EQ(audio.calls, (Calls{"open", "stop"}));
    EXPECT_FALSE(listen.Sounding());
}

// ---- the WAV file -----------------------------------------------------------

std::vector<std::int16_t> ReadWav(const std::string& path, int& rate) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<std::int16_t> samples(static_cast<std::size_t>(info.frames));
    sf_read_short(file, samples.data(), info.frames);
    sf_close(file);
    rate = info.samplerate;
    return samples;
}

TEST_F(Listen, TheWavFileOfTheFirPageHoldsTheSamplesOfARunFromTheSameSettings) {
    form.ShowPage(FirPage);
    const std::string path = Path("run.wav");
    dialogs.saveFiles.push_back(path);
    Item(ScopeMenu(), SaveWavItem)->trigger();
    EXPECT_EQ(dialogs.saveChoices, std::vector<std::string>{"WAV sound (*.wav)"});
    ASSERT_EQ(dialogs.saveNotes.size(), 1U);
    EXPECT_NE(dialogs.saveNotes[0].find("1000 Hz and 1200 Hz"), std::string::npos);
    int rate = 0;
    const std::vector<std::int16_t> saved = ReadWav(path, rate);
    EXPECT_EQ(rate, 48000);
    ASSERT_EQ(saved.size(), 5U * 48000U);

    std::vector<std::int16_t> run;
    form.onSample = [&](int) {
        run.push_back(signova::SixteenBitSample(form.State().OutputSample, form.State().MaxCode));
    };
    form.RunSamples(5 * 48000);
    EXPECT_EQ(saved, run);
}

TEST_F(Listen, TheWavFileOfTheInputOnTheIirPageAtTheLowestRate) {
    form.ShowPage(IirPage);
    form.Control<QComboBox>("Sample")->setEditText(QStringLiteral("1000"));
    form.Control<QComboBox>("Bits")->setEditText(QStringLiteral("8"));
    listen.SetSource(signova::TakeSource::Input);
    const std::string path = Path("input.wav");
    dialogs.saveFiles.push_back(path);
    listen.SaveWav();
    int rate = 0;
    const std::vector<std::int16_t> saved = ReadWav(path, rate);
    EXPECT_EQ(rate, 1000);
    ASSERT_EQ(saved.size(), 5000U);
    std::vector<std::int16_t> run;
    form.onSample = [&](int) {
        run.push_back(signova::SixteenBitSample(form.State().InputSample, 127));
    };
    form.RunSamples(5000);
    EXPECT_EQ(saved, run);
    EXPECT_EQ(saved[0] % 256, 0); // 8-bit codes shifted by 8
}

TEST_F(Listen, TheInfoAndSettingsPagesSaveWithTheFirTable) {
    for (const int page : {FirPage, InfoPage, SettingsPage}) {
        form.ShowPage(page);
        dialogs.saveFiles.push_back(Path(("page" + std::to_string(page) + ".wav").c_str()));
        listen.SaveWav();
    }
    int rate = 0;
    const std::vector<std::int16_t> fir = ReadWav(Path("page3.wav"), rate);
    ASSERT_EQ(fir.size(), 5U * 48000U);
    EXPECT_EQ(ReadWav(Path("page0.wav"), rate), fir);
    EXPECT_EQ(ReadWav(Path("page1.wav"), rate), fir);
}

TEST_F(Listen, SavingLeavesARunInProgressAsItWas) {
    form.ShowPage(FirPage);
    std::vector<double> plain;
    form.onSample = [&](int) { plain.push_back(form.State().OutputSample); };
    form.RunSamples(3000);

    // The same run again from the same state, with a save in the middle.
    ScriptedDialogs otherDialogs;
    ScriptedAudioOutput otherAudio;
    CountingForm other(otherDialogs, otherAudio);
    other.ShowPage(FirPage);
    otherDialogs.saveFiles.push_back(Path("middle.wav"));
    std::vector<double> saved;
    other.onSample = [&](int sample) {
        saved.push_back(other.State().OutputSample);
        if (sample == 1500)
            other.Listener().SaveWav();
    };
    other.RunSamples(3000);
    EXPECT_EQ(saved, plain);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("middle.wav"))));
}

TEST_F(Listen, ATableARunWouldRefuseWritesNothing) {
    form.ShowPage(IirPage);
    form.IirCells().SetCell(2, 1, "x");
    dialogs.saveFiles.push_back(Path("refused.wav"));
    Item(ScopeMenu(), SaveWavItem)->trigger();
    // What a Run shows for that table.
    EXPECT_EQ(dialogs.shown,
              std::vector<std::string>{"message: Error in data for IIR Filter. Row 0"});
    EXPECT_TRUE(dialogs.saveChoices.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("refused.wav"))));
}

TEST_F(Listen, AnErrorPartWayShowsTheErrorAndWritesNothing) {
    form.ShowPage(FirPage);
    // The second sample's output lies beyond the 64-bit range.
    form.FirCells().SetCell(1, 0, "1e300");
    dialogs.saveFiles.push_back(Path("error.wav"));
    Item(ScopeMenu(), SaveWavItem)->trigger();
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"error: Invalid floating point operation."});
    EXPECT_TRUE(dialogs.saveChoices.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("error.wav"))));
}

TEST_F(Listen, AFileThatCannotBeWrittenShowsItsName) {
    form.ShowPage(FirPage);
    const std::string path = Path("missing/x.wav");
    dialogs.saveFiles.push_back(path);
    Item(ScopeMenu(), SaveWavItem)->trigger();
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"error: Cannot write file " + path + "."});
}

} // namespace
