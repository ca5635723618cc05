#pragma once

#include "analysis/response_view.h"
#include "design/polynomial_roots.h"
#include "chart/chart.h"
#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "toolkit/cell_store.h"

#include <QWidget>

#include <string>
#include <vector>

class ChartWidget;
class QLabel;

namespace signova {
class TFastLineSeries;
}

// The frequency response of one coefficient table: magnitude in dB and phase
// from 0 to half the sample rate, a marker at the generator's frequency with
// the gain its tone meets, and a marker where a tone above half the sample
// rate really lands. It reads the table the way a run would, without touching
// the filter, and follows the table, the sample rate and the generator while
// it is shown: each change asks for one recomputation, and any number of
// changes before the next message pass give one.
class ResponseWindow : public QWidget {
    Q_OBJECT
public:
    // What the lower chart shows: the phase (the default), the phase
    // unwrapped, the group delay in samples, or the first samples of the
    // impulse or step response, from the run's own filter step on a scratch
    // state.
    enum class LowerView { Phase, UnwrappedPhase, GroupDelay, Impulse, Step };

    ResponseWindow(const signova::SimulatorState& state, const signova::CellStore& firCells,
                   const signova::CellStore& iirCells, QWidget* parent = nullptr);
    ~ResponseWindow() override;

    // Shows the response of that table, bringing the window to the front.
    void ShowTable(signova::FilterKind table);
    signova::FilterKind Table() const { return table_; }
    // Shows that table's response without bringing the window to the front.
    void FollowTable(signova::FilterKind table);

    void ShowLowerView(LowerView view);
    LowerView Lower() const { return lower_; }

    // Something the response depends on changed.
    void ScheduleRefresh();
    void Refresh();

    // The zeros of the numerator `b` are known (a root being dragged): a
    // recomputation for exactly these coefficients takes its nulls from
    // them instead of solving for the roots again.
    void TakeKnownZeros(std::vector<double> b, std::vector<signova::Root> zeros);

    // Recomputations since the window was made, and how many of them solved
    // for the numerator's roots.
    int Refreshes() const { return refreshes_; }
    int RootSearches() const { return rootSearches_; }
    ChartWidget& MagnitudeChart() const { return *magnitudeWidget_; }
    ChartWidget& PhaseChart() const { return *phaseWidget_; }
    // The heading and read-outs shown, one per line, for the window's pictures.
    std::string ReadoutText() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Plot {
        signova::TFastLineSeries* curve = nullptr;
        signova::TFastLineSeries* generator = nullptr;
        signova::TFastLineSeries* landsAt = nullptr;
    };

    signova::TableRead ReadTable() const;
    void ShowView();
    void ShowTimeResponse();
    void ShowFrequencyCurve();
    static void DrawMarker(signova::TFastLineSeries& marker, bool shown, double frequency,
                           const signova::TChartAxis& levels);

    const signova::SimulatorState& state_;
    const signova::CellStore& firCells_;
    const signova::CellStore& iirCells_;
    signova::FilterKind table_ = signova::FilterKind::Fir;
    bool refreshPending_ = false;
    int refreshes_ = 0;
    signova::ResponseView view_;
    LowerView lower_ = LowerView::Phase;
    signova::FilterCoefficients coefficients_;
    // The frequencies of the zeros on the unit circle of nullsOf_ at nullsRate_.
    std::vector<double> nullsOf_;
    double nullsRate_ = 0.0;
    std::vector<double> nulls_;
    std::vector<double> knownZerosOf_;
    std::vector<signova::Root> knownZeros_;
    int rootSearches_ = 0;

    signova::TChart magnitudeChart_;
    signova::TChart phaseChart_;
    Plot magnitude_;
    Plot phase_;
    QLabel* heading_;
    QLabel* stability_;
    ChartWidget* magnitudeWidget_;
    ChartWidget* phaseWidget_;
    QLabel* generator_;
    QLabel* landsAt_;
    QLabel* error_;
    QLabel* timeNote_;
};
