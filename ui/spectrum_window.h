#pragma once

#include "analysis/sample_record.h"
#include "analysis/spectrum_analyzer.h"
#include "analysis/spectrum_average.h"
#include "chart/chart.h"
#include "engine/simulator_state.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <string>

class ChartWidget;
class QAction;
class QLabel;
class QMenu;

namespace signova {
class TFastLineSeries;
}

// The spectra of the filter's input and output over the last RecordLength
// samples of the run, in the scope's colours, with the peak's frequency and
// level, the SINAD of each beside the ideal of the word length, and the
// effective number of bits. While shown it copies the record at most
// RefreshesPerSecond times a second and draws it again when it holds new
// samples; a record not yet full leaves the last spectra in place, so the last
// record of a run stays on screen when the run stops. The averaging on the
// menu combines the records drawn, each once: a stopped run's record, copied
// again and again, is one record.
class SpectrumWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int RefreshesPerSecond = 10;

    SpectrumWindow(const signova::SimulatorState& state, const signova::SampleRecord& record,
                   QWidget* parent = nullptr);
    ~SpectrumWindow() override;

    // Copies the record and draws it if it is not the one shown.
    void Refresh();

    // Adds the averaging entries to the window's menu.
    void AddAveragingTo(QMenu& menu);
    // Starts the averaging over from the record shown.
    void SetAveraging(signova::SpectrumAveraging averaging);
    signova::SpectrumAveraging Averaging() const { return inputAverager_.Averaging(); }
    // Records in the spectra shown.
    int RecordsCombined() const { return inputAverager_.Records(); }

    ChartWidget& Chart() const { return *chartWidget_; }
    // The read-outs as text, one line per trace, for the window's pictures,
    // after a line that says how records are combined when they are.
    std::string ReadoutText() const;
    bool Refreshing() const { return timer_.isActive(); }
    // Records copied since the window was made.
    int Copies() const { return copies_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Readout {
        QLabel* peak = nullptr;
        QLabel* level = nullptr;
        QLabel* sinad = nullptr;
        QLabel* ideal = nullptr;
        QLabel* effectiveBits = nullptr;
    };

    void Draw(const signova::RecordedSamples& samples, std::int32_t maxCode, double sampleRate);
    void Show(const signova::Spectrum& spectrum, std::int32_t maxCode,
              signova::TFastLineSeries& series, const Readout& readout);
    void ShowAveraging();

    const signova::SimulatorState& state_;
    const signova::SampleRecord& record_;
    signova::SpectrumAnalyzer analyzer_;
    signova::SpectrumAverager inputAverager_;
    signova::SpectrumAverager outputAverager_;
    signova::RecordedSamples shown_;
    signova::RecordMark shownMark_;
    std::int32_t shownMaxCode_ = 0;
    double shownSampleRate_ = 0.0;
    int copies_ = 0;
    QTimer timer_;

    signova::TChart chart_;
    signova::TFastLineSeries* input_;
    signova::TFastLineSeries* output_;
    ChartWidget* chartWidget_;
    Readout inputReadout_;
    Readout outputReadout_;
    QLabel* averaging_;
};
