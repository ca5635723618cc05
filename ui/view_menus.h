#pragma once

#include "analysis/sample_record.h"
#include "design/polynomial_roots.h"
#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "toolkit/cell_store.h"
#include "toolkit/dialogs.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class ChartWidget;
class GridView;
class QAbstractButton;
class QComboBox;
class QImage;
class QMenu;
class QSlider;
class QTabWidget;
class ProjectorView;
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
    // The caption of the scope's pictures, as the window's settings are now.
    std::function<std::string()> scopeCaption;
    // The response window shows the table of the page shown: FIR on firPage,
    // IIR on iirPage, the last of them on the other pages.
    QTabWidget& pages;
    QWidget& firPage;
    QWidget& iirPage;
    // Large traces in the view windows too.
    ProjectorView& projector;
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

    // What is open, and closing it (a lesson says which views are open).
    std::optional<signova::FilterKind> ShownResponse() const;
    bool SpectrumShown() const;
    void HideResponse();
    void HideSpectrum();
    // The windows, once made.
    ResponseWindow* Response() const;
    // Hands the response window, if made, the zeros of a numerator b that
    // are known without solving for them (ResponseWindow::TakeKnownZeros).
    void TakeKnownZeros(const std::vector<double>& b, const std::vector<signova::Root>& zeros);
    SpectrumWindow* Spectrum() const;

    // The context menus, for other features to add their items to.
    QMenu& TableMenu(signova::FilterKind table) const;
    QMenu& ScopeMenu() const { return *scopeMenu_; }

private:
    // Save picture and Copy picture of `chart`, drawn by `picture` when asked.
    void AddPictureExport(QMenu* menu, std::function<QImage()> picture);
    void FollowChangesOfResponse();
    void AddLowerViewChoice(QMenu& menu, ResponseWindow& window);

    ViewSources sources_;
    signova::Dialogs& dialogs_;
    QMenu* firMenu_ = nullptr;
    QMenu* iirMenu_ = nullptr;
    QMenu* scopeMenu_ = nullptr;
    QPointer<ResponseWindow> response_;
    QPointer<SpectrumWindow> spectrum_;
    signova::FilterKind pageTable_ = signova::FilterKind::Fir;
};
