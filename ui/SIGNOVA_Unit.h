#pragma once

#include "analysis/sample_record.h"
#include "chart/chart.h"
#include "engine/sample_pipeline.h"
#include "engine/simulator_state.h"
#include "scope/scope_chart_setup.h"
#include "scope/sweep_capture.h"
#include "toolkit/cell_store.h"
#include "toolkit/dialogs.h"
#include "toolkit/line_buffer.h"
#include "toolkit/message_pacing.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class Anchors;
class FilterDesigner;
class ChartWidget;
class GridView;
class LessonController;
class ListenController;
class Lamp;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QSlider;
class QTabWidget;
class QTimer;
class QToolButton;
class RadioGroup;
class RunRestart;
class ScopeMeasure;
class PoleZeroMenus;
class ProjectorView;
class TForm2;
class ViewMenus;

namespace signova {
class AudioOutput;
class FirLookAhead;
struct SampleOutcome;
} // namespace signova

// The main window: builds the controls, wires their events to the handlers
// and calls the core. The run loop lives here because it must let Qt process
// the window's messages between two samples.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // Runs started from inside a run nest; beyond this depth Run is ignored.
    static constexpr int MaxNestedRuns = 64;

    // Listens through the default sound card (PortAudio), or through `audio`.
    explicit TForm1(signova::Dialogs& dialogs, QWidget* parent = nullptr);
    TForm1(signova::Dialogs& dialogs, signova::AudioOutput& audio, QWidget* parent = nullptr);
    ~TForm1() override;

    // The size of the window's inside that the controls' bounds were drawn
    // for; the window opens at it plus the frame.
    static QSize DesignSize();

    // Handlers. Called directly they throw; called by Qt they never do.
    void DialChange();
    void SpeedButtonClick();
    void FormCreate();
    void Timer1Timer();
    void RunClick();
    void StopClick();
    void LoadFIRClick();
    void GainsbChange();
    void VormChange();
    void Chart1Resize();
    void LoadIIRClick();
    void ShowFIRClick();
    void AmpsbChange();
    void IIRGridKeyDown(int& key, bool shiftHeld);
    void FormCloseQuery(bool& canClose);
    void IIRGridMouseDown();
    void IIRGridSelectCell(int column, int row, bool& canSelect);
    void BitsChange();
    void SampleChange();

    // Loads a coefficient file into the table as its Load button does once
    // the file is chosen (the command line's file goes this way).
    void LoadTableFile(signova::FilterKind table, const std::string& path);
    // A table's title, kept whole as the bytes of its file; the label shows
    // its start.
    const std::string& TableTitle(signova::FilterKind table) const {
        return table == signova::FilterKind::Fir ? firTitle_ : iirTitle_;
    }
    void ShowTableTitle(signova::FilterKind table, std::string title);
    // What follows the writing of a table by Load or by a design: the title
    // in the page's label, the first row shown, the table read into its filter.
    void ShowWrittenTable(signova::FilterKind table, std::string title);
    LessonController& Lessons() { return *lessons_; }
    ViewMenus& Views() { return *views_; }
    FilterDesigner& Designer() { return *designer_; }
    PoleZeroMenus& PolesAndZeros() { return *poleZero_; }
    // Restarts a run after a table changed under it.
    RunRestart& Restarter() { return *restart_; }

    // What the window owns, for tests.
    signova::SimulatorState& State() { return state_; }
    signova::TChart& ScopeChart() { return scopeChart_; }
    // The scope as the window shows it (its pictures are drawn from it).
    ChartWidget& ScopeWidget() { return *Chart1; }
    signova::TFastLineSeries& Series1() { return *series_.Series1; }
    signova::TFastLineSeries& Series2() { return *series_.Series2; }
    signova::TPointSeries& Series3() { return *series_.Series3; }
    signova::TPointSeries& Series4() { return *series_.Series4; }
    signova::CellStore& FirCells() { return firCells_; }
    signova::CellStore& IirCells() { return iirCells_; }
    signova::LineBuffer& TempMemo() { return tempMemo_; }
    TForm2& Form2() { return *form2_; }
    // The last samples of the run, for the views beyond the oscilloscope.
    const signova::SampleRecord& Record() const { return record_; }
    int RunDepth() const { return runDepth_; }
    ListenController& Listener() { return *listen_; }
    // Whether the DAC wrapped in the run loop's latest pass. The overflow lamp
    // cannot tell: it stays red after a wrap, and a trigger clears it.
    bool DacWrappedInLatestPass() const { return dacWrappedInLatestPass_; }
    // Sweeps plotted into the scope chart since start-up, over all runs.
    long long SweepsPlotted() const { return sweepsPlotted_; }
    // The caption of the scope's exported pictures: the settings as the window
    // shows them, and the filter and table title of the run whose sweep is on
    // the scope (before any sweep, the table of the page shown, else FIR).
    std::string ScopeCaption() const;
    // Cursors, single sweep and the reference trace of the scope.
    ScopeMeasure& Measure() { return *measure_; }
    // Large traces for a projector, in the scope and the view windows.
    ProjectorView& Projector() { return *projector_; }

protected:
    // Lets Qt handle pending window messages; the run loop calls it once per
    // sample. It hands control to Qt once per short time slice, so that a run
    // goes at full speed while Stop still ends it within a millisecond.
    virtual void ProcessMessages();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TForm1(signova::Dialogs& dialogs, std::unique_ptr<signova::AudioOutput> ownAudio,
           signova::AudioOutput* audio, QWidget* parent);
    void BuildWindow();
    void BuildSignalGenerator();
    void BuildOscilloscope();
    void BuildProcessor();
    void BuildInfoPage(QWidget* page);
    void BuildSettingsPage(QWidget* page);
    void BuildIirPage(QWidget* page);
    void BuildFirPage(QWidget* page);
    void SetUpKeyboard();
    void SetToolTips();
    void WireEvents();
    void SetUpResizing();

    struct RunSurroundings;
    void RunSampleLoop(signova::FilterKind filter);
    signova::FirLookAhead& LookAheadOfThisRun();
    signova::ScopeControls ReadScopeControls() const;
    void SampleDone(const signova::SampleOutcome& outcome);
    bool ReadCoefficientFile(const std::string& path);
    void ReadTableIntoFilter(signova::FilterKind table);

    signova::Dialogs& dialogs_;
    std::unique_ptr<signova::AudioOutput> ownAudio_; // when no other was given
    signova::AudioOutput& audio_;
    signova::SimulatorState state_;
    signova::CellStore firCells_;
    signova::CellStore iirCells_;
    signova::LineBuffer tempMemo_;
    signova::TChart scopeChart_;
    signova::ScopeChartSeries series_;
    signova::SampleRecord record_;
    std::unique_ptr<Anchors> windowAnchors_;
    std::unique_ptr<Anchors> scopeAnchors_;
    int runDepth_ = 0;
    // The FIR runs' look-aheads, one per run level (nested runs have their own).
    std::vector<std::unique_ptr<signova::FirLookAhead>> lookAheads_;
    bool dacWrappedInLatestPass_ = false;
    long long sweepsPlotted_ = 0;
    signova::FilterKind runFilter_ = signova::FilterKind::Fir;
    std::optional<signova::FilterKind> sweepFilter_;
    signova::MessagePacing messagePacing_;
    bool outerSizeSet_ = false;
    std::string firTitle_;
    std::string iirTitle_;

    // Signal generator
    QGroupBox* GroupBox1 = nullptr;
    QLabel* FreqLabel = nullptr;
    QLabel* HzLabel = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QLabel* DialText = nullptr;
    QSlider* Dial = nullptr;
    QLineEdit* Ampedit = nullptr;
    QScrollBar* Ampsb = nullptr;
    QComboBox* Vorm = nullptr;
    // Oscilloscope
    QGroupBox* GroupBox2 = nullptr;
    ChartWidget* Chart1 = nullptr;
    RadioGroup* Input = nullptr;
    RadioGroup* Tijdbasis = nullptr;
    Lamp* DACsh = nullptr;
    QCheckBox* Filter = nullptr;
    Lamp* trigsh = nullptr;
    QLineEdit* GainEdit = nullptr;
    QScrollBar* Gainsb = nullptr;
    // DSP processor
    QGroupBox* GroupBox3 = nullptr;
    QTabWidget* DSPcontrol = nullptr;
    QComboBox* Bits = nullptr;
    QComboBox* Sample = nullptr;
    QLabel* IIRLabel = nullptr;
    GridView* IIRGrid = nullptr;
    QPushButton* LoadIIR = nullptr;
    QLabel* FIRLabel = nullptr;
    GridView* FIRgrid = nullptr;
    QPushButton* LoadFIR = nullptr;
    QPushButton* ShowFIR = nullptr;
    // Run control
    QLabel* RunLabel = nullptr;
    QPushButton* Run = nullptr;
    QPushButton* Stop = nullptr;
    QTimer* Timer1 = nullptr;

    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<ProjectorView> projector_;
    std::unique_ptr<ViewMenus> views_;
    std::unique_ptr<ScopeMeasure> measure_;
    std::unique_ptr<LessonController> lessons_;
    std::unique_ptr<ListenController> listen_;
    std::unique_ptr<RunRestart> restart_;
    std::unique_ptr<FilterDesigner> designer_;
    std::unique_ptr<PoleZeroMenus> poleZero_;
};
