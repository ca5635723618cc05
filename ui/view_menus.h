#pragma once

#include "analysis/sample_record.h"
#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "toolkit/cell_store.h"
#include "toolkit/dialogs.h"

#include <QObject>
#include <QPointer>

#include <array>

class ChartWidget;
class GridView;
class QAbstractButton;
class QComboBox;
class QMenu;
class QSlider;
class QWidget;
class ResponseWindow;
class SpectrumWindow;

// What the views read and follow in the main window, handed over by it.
struct ViewSources {
    QWidget& window; // the views are its tool windows
    const signova::SimulatorState& state;
    const signova::CellStore& firCells;
    const signova::CellStore& iirCells;
    const signova::SampleRecord& record;
    GridView& firGrid;
    GridView& iirGrid;
    ChartWidget& scope;
    // Controls whose change moves the generator's frequency or the sample
    // rate, which the response's markers follow.
    QSlider& dial;
    std::array<QAbstractButton*, 4> rangeButtons;
    QComboBox& sampleRate;
};

// The views beyond the oscilloscope, reached through context menus of the
// main window: "Frequency response…" on each coefficient table; "Spectrum…",
// the pictures and the samples on the scope. Each window is made the first
// time it is asked for and then only shown again: one of each.
class ViewMenus : public QObject {
    Q_OBJECT
public:
    ViewMenus(const ViewSources& sources, signova::Dialogs& dialogs);
    ~ViewMenus() override;

    void ShowResponse(signova::FilterKind table);
    void ShowSpectrum();
    // The scope's context menu, for the features that add to it.
    QMenu& ScopeMenu() const { return *scopeMenu_; }

private:
    void AddChartExport(QMenu* menu, ChartWidget* chart);
    void FollowChangesOfResponse();

    ViewSources sources_;
    signova::Dialogs& dialogs_;
    QMenu* scopeMenu_ = nullptr;
    QPointer<ResponseWindow> response_;
    QPointer<SpectrumWindow> spectrum_;
};
