#pragma once

#include "analysis/sample_record.h"
#include "analysis/spectrum.h"
#include "chart/chart.h"
#include "engine/simulator_state.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <string>

class ChartWidget;
class QLabel;

namespace signova {
class TFastLineSeries;
}

// The spectra of the filter's input and output over the last RecordLength
// samples of the run, in the scope's colours, with the peak frequency and the
// SINAD of each. While shown it copies the record at most RefreshesPerSecond
// times a second and draws it again when it holds new samples; a record not
// yet full leaves the last spectra in place, so the last record of a run
// stays on screen when the run stops.
class SpectrumWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int RefreshesPerSecond = 10;

    SpectrumWindow(const signova::SimulatorState& state, const signova::SampleRecord& record,
                   QWidget* parent = nullptr);
    ~SpectrumWindow() override;

    // Copies the record and draws it if it differs from the one shown.
    void Refresh();

    ChartWidget& Chart() const { return *chartWidget_; }
    // The read-outs as text, one line per trace, for the window's pictures.
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
        QLabel* sinad = nullptr;
    };

    void Draw(const signova::RecordedSamples& samples, std::int32_t maxCode, double sampleRate);
    void Show(const signova::Spectrum& spectrum, signova::TFastLineSeries& series,
              const Readout& readout);

    const signova::SimulatorState& state_;
    const signova::SampleRecord& record_;
    signova::SpectrumAnalyzer analyzer_;
    signova::RecordedSamples shown_;
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
};
