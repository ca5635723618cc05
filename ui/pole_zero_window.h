#pragma once

#include "design/polynomial_roots.h"
#include "design/root_drag.h"
#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "toolkit/cell_store.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class GridView;
class QLabel;
class QMenu;
class QTabWidget;
class RunRestart;

// What the pole-zero window reads and writes in the main window.
struct PoleZeroSources {
    QWidget& window; // it is a tool window of this one
    const signova::SimulatorState& state;
    signova::CellStore& firCells;
    signova::CellStore& iirCells;
    GridView& firGrid;
    GridView& iirGrid;
    QMenu& firMenu;
    QMenu& iirMenu;
    // It shows the table of the page shown: FIR on firPage, IIR on iirPage.
    QTabWidget& pages;
    QWidget& firPage;
    QWidget& iirPage;
    // A dragged root let go: the table is read into its filter.
    std::function<void(signova::FilterKind table)> tableChanged;
    RunRestart& restart;
    // A root moved: the numerator b now written and its zeros, so that what
    // follows the table (the response's nulls) need not solve for them again.
    std::function<void(const std::vector<double>& b, const std::vector<signova::Root>& zeros)>
        zerosMoved;
};

// The z-plane of one table: the unit circle, zeros as circles, poles as
// crosses, a repeated root's multiplicity beside it. A root can be dragged
// with the mouse, or chosen with Tab and moved with the arrow keys.
class ZPlaneView : public QWidget {
    Q_OBJECT
public:
    explicit ZPlaneView(QWidget* parent = nullptr);

    // What to show; `poles` false for a FIR table (it has none to drag).
    void Show(const signova::FilterRoots* roots, bool poles);
    // The plane's point at a widget position and back; the scale is chosen
    // by Show and kept while a root moves.
    signova::Root PointAt(QPointF position) const;
    QPointF PositionOf(signova::Root point) const;
    std::optional<signova::RootRef> Selected() const { return selected_; }

    std::function<void(signova::RootRef, signova::Root)> onMove;
    std::function<void()> onRelease;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    std::vector<signova::RootRef> AllRoots() const;
    signova::Root RootAt(signova::RootRef ref) const;
    void SelectNext(bool forward);

    const signova::FilterRoots* roots_ = nullptr;
    bool poles_ = true;
    double extent_ = 1.5; // the plane shows -extent .. extent both ways
    std::optional<signova::RootRef> selected_;
    bool dragging_ = false;
};

class PoleZeroWindow : public QWidget {
    Q_OBJECT
public:
    explicit PoleZeroWindow(const PoleZeroSources& sources);
    ~PoleZeroWindow() override;

    void ShowTable(signova::FilterKind table);
    signova::FilterKind Table() const { return table_; }
    // Reads the table's roots afresh (the table changed by other means).
    void Reload();
    void ScheduleReload();

    // What a mouse move and release of a dragged root do: the roots are the
    // source of truth, the table's cells follow at once.
    void MoveRoot(signova::RootRef root, signova::Root to);
    void ReleaseRoot();

    const signova::FilterRoots& Roots() const { return roots_; }
    ZPlaneView& Plane() const { return *plane_; }
    QString StabilityText() const;

private:
    void ShowStability();

    PoleZeroSources sources_;
    signova::FilterKind table_ = signova::FilterKind::Fir;
    signova::FilterCoefficients coefficients_;
    signova::FilterRoots roots_;
    bool writing_ = false;
    bool reloadPending_ = false;
    QLabel* heading_;
    QLabel* stability_;
    QLabel* error_;
    ZPlaneView* plane_;
};

// "Poles and zeros…" on each table's menu; the window is made the first time
// it is asked for and then only shown again.
class PoleZeroMenus : public QObject {
    Q_OBJECT
public:
    explicit PoleZeroMenus(const PoleZeroSources& sources);
    ~PoleZeroMenus() override;

    void ShowTable(signova::FilterKind table);
    // The window, once made.
    PoleZeroWindow* Window() const { return window_; }

private:
    PoleZeroSources sources_;
    QPointer<PoleZeroWindow> window_;
};
