#include "ui/SIGNOVA_Unit.h"

#include "chart/chart_bar_series.h"
#include "coefficients/coefficient_file.h"
#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "engine/settings.h"
#include "scope/fir_look_ahead.h"
#include "scope/picture_caption.h"
#include "scope/run_take.h"
#include "scope/sample_loop.h"
#include "scope/scope_geometry.h"
#include "sound/portaudio_output.h"
#include "toolkit/colors.h"
#include "toolkit/shown_text.h"
#include "toolkit/vector_state.h"
#include "ui/Fir_Plot_Unit.h"
#include "ui/anchors.h"
#include "ui/cell_store_model.h"
#include "ui/chart_widget.h"
#include "ui/filter_designer.h"
#include "ui/grid_view.h"
#include "ui/guarded.h"
#include "ui/lamp.h"
#include "ui/lesson_controller.h"
#include "ui/listen_controller.h"
#include "ui/pole_zero_window.h"
#include "ui/projector_view.h"
#include "ui/radio_group.h"
#include "ui/run_restart.h"
#include "ui/scope_measure.h"
#include "ui/view_menus.h"
#include "ui/widget_helpers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <utility>
#include <vector>

namespace {

constexpr int FirPage = 3;
constexpr int IirPage = 2;

constexpr signova::TColor LampRed = signova::clRed;
// Lamp fill colours the window sets from the scope's events.
constexpr signova::TColor TrigLampLitColor = signova::clLime; // "Trig" while a sweep is captured
constexpr signova::TColor LampOffColor = signova::clBtnFace;  // either lamp off

std::string Text(const QComboBox* combo) {
    return combo->currentText().toStdString();
}

// The text of a title label: the title's first characters, as many as can be
// read there; a title line may be megabytes long. A title is 8-bit text:
// shown as UTF-8 where it is valid UTF-8, else as Latin-1.
QString TitleLabelText(const std::string& title) {
    return FromBytes(signova::ShownStart(title, signova::MaxShownTitleLength));
}

} // namespace

TForm1::TForm1(signova::Dialogs& dialogs, QWidget* parent)
    : TForm1(dialogs, std::make_unique<signova::PortAudioOutput>(), nullptr, parent) {}

TForm1::TForm1(signova::Dialogs& dialogs, signova::AudioOutput& audio, QWidget* parent)
    : TForm1(dialogs, nullptr, &audio, parent) {}

TForm1::TForm1(signova::Dialogs& dialogs, std::unique_ptr<signova::AudioOutput> ownAudio,
               signova::AudioOutput* audio, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), ownAudio_(std::move(ownAudio)),
      audio_(audio ? *audio : *ownAudio_), firCells_(signova::NewFirGrid()),
      iirCells_(signova::NewIirGrid()), tempMemo_(std::vector<std::string>{"TempMemo"}) {
    series_ = signova::ConfigureScopeChart(scopeChart_);

    BuildWindow();
    SetToolTips();
    WireEvents();
    SetUpResizing();
    FormCreate();
    form2_ = std::make_unique<TForm2>();
    projector_ = std::make_unique<ProjectorView>();
    views_ = std::make_unique<ViewMenus>(
        ViewSources{*this, state_, firCells_, iirCells_, record_, *FIRgrid, *IIRGrid, *Chart1, *Dial,
                    {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4}, *Sample,
                    [this] { return ScopeCaption(); }, *DSPcontrol,
                    *DSPcontrol->widget(FirPage), *DSPcontrol->widget(IirPage), *projector_},
        dialogs_);
    auto guard = [this](auto handler) { return Guarded(dialogs_, handler); };
    measure_ = std::make_unique<ScopeMeasure>(ScopeMeasureSources{
        *Chart1, state_, *Tijdbasis, *Input, *Bits, *Sample, guard([this] { RunClick(); }),
        [this] { StopClick(); }, [this] { return runDepth_ > 0; }});
    measure_->AddTo(views_->ScopeMenu());
    projector_->AddChart(*Chart1);
    projector_->AddZoomKeys(*this);
    projector_->AddMenuEntry(views_->ScopeMenu());
    lessons_ = std::make_unique<LessonController>(
        LessonSources{*this,
                      state_,
                      firCells_,
                      iirCells_,
                      {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4},
                      *Dial,
                      *Vorm,
                      *Ampsb,
                      *Gainsb,
                      *Bits,
                      *Sample,
                      *Tijdbasis,
                      *Input,
                      *Filter,
                      *DSPcontrol,
                      *FIRgrid,
                      *IIRGrid,
                      *views_},
        dialogs_);
    listen_ = std::make_unique<ListenController>(
        ListenSources{*this, state_, firCells_, iirCells_, views_->ScopeMenu(),
                      [this] {
                          return DSPcontrol->currentIndex() == IirPage ? signova::FilterKind::Iir
                                                                       : signova::FilterKind::Fir;
                      },
                      [this] { return ReadScopeControls(); }},
        dialogs_, audio_);
    restart_ = std::make_unique<RunRestart>([this] { return runDepth_ > 0; },
                                            [this] { return state_.StopRequested; },
                                            [this] { StopClick(); }, guard([this] { RunClick(); }));
    designer_ = std::make_unique<FilterDesigner>(
        DesignSources{*this, state_, firCells_, iirCells_, *FIRgrid, *IIRGrid,
                      views_->TableMenu(signova::FilterKind::Fir),
                      views_->TableMenu(signova::FilterKind::Iir),
                      [this](signova::FilterKind table, const std::string& title) {
                          ShowWrittenTable(table, title);
                      },
                      *restart_, *Sample},
        dialogs_);
    poleZero_ = std::make_unique<PoleZeroMenus>(PoleZeroSources{
        *this, state_, firCells_, iirCells_, *FIRgrid, *IIRGrid,
        views_->TableMenu(signova::FilterKind::Fir), views_->TableMenu(signova::FilterKind::Iir),
        *DSPcontrol, *DSPcontrol->widget(FirPage), *DSPcontrol->widget(IirPage),
        guard([this](signova::FilterKind table) { ReadTableIntoFilter(table); }), *restart_,
        [this](const std::vector<double>& b, const std::vector<signova::Root>& zeros) {
            views_->TakeKnownZeros(b, zeros);
        }});
    connect(lessons_.get(), &LessonController::TablesSet, designer_.get(), [this] {
        designer_->TableWritten(signova::FilterKind::Fir);
        designer_->TableWritten(signova::FilterKind::Iir);
    });
}

TForm1::~TForm1() {
    // The grids' views refer to the cell stores; let them go first.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        delete child;
}

// ---- wiring ----------------------------------------------------------------

void TForm1::WireEvents() {
    auto guard = [this](auto handler) { return Guarded(dialogs_, handler); };
    connect(Dial, &QSlider::valueChanged, this, guard([this](int) { DialChange(); }));
    for (QToolButton* button : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4})
        connect(button, &QToolButton::clicked, this, guard([this](bool) { SpeedButtonClick(); }));
    connect(Ampsb, &QScrollBar::valueChanged, this, guard([this](int) { AmpsbChange(); }));
    connect(Vorm, &QComboBox::editTextChanged, this,
            guard([this](const QString&) { VormChange(); }));
    connect(Gainsb, &QScrollBar::valueChanged, this, guard([this](int) { GainsbChange(); }));
    connect(Bits, &QComboBox::editTextChanged, this,
            guard([this](const QString&) { BitsChange(); }));
    connect(Sample, &QComboBox::editTextChanged, this,
            guard([this](const QString&) { SampleChange(); }));
    connect(Run, &QPushButton::clicked, this, guard([this](bool) { RunClick(); }));
    connect(Stop, &QPushButton::clicked, this, guard([this](bool) { StopClick(); }));
    connect(DSPcontrol, &QTabWidget::currentChanged, this, guard([this](int) { StopClick(); }));
    connect(Timer1, &QTimer::timeout, this, guard([this] { Timer1Timer(); }));
    connect(LoadFIR, &QPushButton::clicked, this, guard([this](bool) { LoadFIRClick(); }));
    connect(LoadIIR, &QPushButton::clicked, this, guard([this](bool) { LoadIIRClick(); }));
    connect(ShowFIR, &QPushButton::clicked, this, guard([this](bool) { ShowFIRClick(); }));

    IIRGrid->SetKeyDownHandler(guard([this](int key, bool shift) { IIRGridKeyDown(key, shift); }));
    IIRGrid->SetMouseDownHandler(guard([this] { IIRGridMouseDown(); }));
    IIRGrid->Model().SetCanSelect([this](int column, int row) {
        bool canSelect = true;
        IIRGridSelectCell(column, row, canSelect);
        return canSelect;
    });
    Chart1->installEventFilter(this);
}

// ---- start-up and closing ------------------------------------------------

void TForm1::FormCreate() {
    SpeedButton1->setChecked(true);
    state_.BlinkState = 0;
    state_.PulseFired = false;
    state_.Amplitude = 2047;
    state_.Phase = 0;
    state_.SweepIndex = 0;
    signova::SetStartSweep(state_);

    SpeedButtonClick();
    VormChange();
    GainsbChange();
    DialChange();
    SampleChange();
    BitsChange();

    signova::SetDefaultIirTable(iirCells_, state_);
    signova::SetDefaultFirTable(firCells_, state_);
}

void TForm1::FormCloseQuery(bool& canClose) {
    (void)canClose;
    StopClick();
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    Guarded(dialogs_, [this, &canClose] { FormCloseQuery(canClose); })();
    // FormCloseQuery leaves canClose as it is: the window always closes.
    form2_->hide();
    event->accept();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    windowAnchors_->Apply(size());
    scopeAnchors_->Apply(GroupBox2->size());
    Guarded(dialogs_, [this] { Chart1Resize(); })();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Chart1 && event->type() == QEvent::Resize)
        Guarded(dialogs_, [this] { Chart1Resize(); })();
    return QWidget::eventFilter(watched, event);
}

// ---- settings --------------------------------------------------------------

void TForm1::DialChange() {
    const signova::DialReadout readout = signova::DialChange(state_, Dial->value());
    DialText->setText(FromText(readout.factor));
    FreqLabel->setText(FromText(readout.frequency.frequency));
    HzLabel->setText(FromText(readout.frequency.unit));
}

void TForm1::SpeedButtonClick() {
    const signova::FrequencyReadout readout =
        signova::SpeedButtonClick(state_,
                                  {SpeedButton1->isChecked(), SpeedButton2->isChecked(),
                                   SpeedButton3->isChecked(), SpeedButton4->isChecked()},
                                  Dial->value());
    FreqLabel->setText(FromText(readout.frequency));
    HzLabel->setText(FromText(readout.unit));
}

void TForm1::VormChange() {
    signova::VormChange(state_, Text(Vorm));
}

void TForm1::AmpsbChange() {
    Ampedit->setText(FromText(signova::AmpsbChange(state_, Ampsb->value())));
}

void TForm1::BitsChange() {
    const std::string caption =
        signova::BitsChange(state_, Text(Bits), Text(Sample), Ampsb->value());
    DSPcontrol->setTabText(1, FromText(caption));
}

void TForm1::SampleChange() {
    const signova::SampleRateChange change =
        signova::SampleChange(state_, Text(Sample), Text(Bits));
    if (change.timebaseItems) {
        Tijdbasis->SetItemText(0, FromText((*change.timebaseItems)[0]));
        Tijdbasis->SetItemText(1, FromText((*change.timebaseItems)[1]));
    }
    DSPcontrol->setTabText(1, FromText(change.settingsCaption));
}

void TForm1::GainsbChange() {
    GainEdit->setText(FromText(signova::GainsbChange(state_, Gainsb->value())));
}

void TForm1::Chart1Resize() {
    const int capped = signova::CappedChartHeight(Chart1->width(), Chart1->height());
    if (capped != Chart1->height())
        Chart1->resize(Chart1->width(), capped);
}

// ---- the run ---------------------------------------------------------------

void TForm1::RunClick() {
    if (runDepth_ >= MaxNestedRuns)
        return;
    RunLabel->show();
    Timer1->start();
    signova::StartRun(state_);

    // An error that ends the run stops it before the error is shown.
    try {
        switch (DSPcontrol->currentIndex()) {
        case IirPage:
            state_.LoadError = false;
            signova::ReadIIRCoefficients(state_, iirCells_, dialogs_);
            // A bad cell stops the run, yet the loop is still entered: it
            // tests for a stop only after a sample, so one sample goes
            // through the filter as read so far and reaches the scope.
            if (state_.LoadError)
                StopClick();
            RunSampleLoop(signova::FilterKind::Iir);
            break;
        case FirPage:
            signova::ReadFIRCoefficients(state_, firCells_);
            RunSampleLoop(signova::FilterKind::Fir);
            break;
        default:
            StopClick();
            break;
        }
    } catch (...) {
        StopClick();
        throw;
    }
}

signova::ScopeControls TForm1::ReadScopeControls() const {
    signova::ScopeControls controls;
    controls.timebaseItem = Tijdbasis->ItemIndex();
    controls.inputItem = Input->ItemIndex();
    controls.amplitudePosition = Ampsb->value();
    controls.filterChecked = Filter->isChecked();
    controls.chartWidth = Chart1->width();
    return controls;
}

std::string TForm1::ScopeCaption() const {
    signova::CaptionReadings readings;
    readings.amplitudePosition = Ampsb->value();
    const int timebase = Tijdbasis->ItemIndex();
    if (timebase >= 0)
        readings.timebaseText =
            Tijdbasis->Items()[static_cast<std::size_t>(timebase)]->text().toStdString();
    readings.filter =
        sweepFilter_.value_or(DSPcontrol->currentIndex() == IirPage ? signova::FilterKind::Iir
                                                                    : signova::FilterKind::Fir);
    const QLabel* title = readings.filter == signova::FilterKind::Iir ? IIRLabel : FIRLabel;
    readings.tableTitle = title->text().toStdString();
    return signova::PictureCaption(state_, readings);
}

// The window's part of the run loop (scope/sample_loop.h): per sample, the
// controls as they are now, the lamps and the run's facts once the sample has
// been through the scope, then the message pass.
struct TForm1::RunSurroundings {
    TForm1& form;
    signova::ScopeControls ReadScopeControls() const { return form.ReadScopeControls(); }
    void SampleDone(const signova::SampleOutcome& outcome) { form.SampleDone(outcome); }
    void ProcessMessages() { form.ProcessMessages(); }
};

void TForm1::RunSampleLoop(signova::FilterKind filter) {
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } depthGuard(runDepth_);

    runFilter_ = filter;
    RunSurroundings surroundings{*this};
    signova::FirLookAhead* lookAhead =
        filter == signova::FilterKind::Fir ? &LookAheadOfThisRun() : nullptr;
    signova::ClearUpperVectorState();
    record_.Clear();
    // A run stopped before its first sample (a bad IIR cell) sounds nothing.
    if (!state_.StopRequested)
        listen_->RunStarted();
    if (lookAhead)
        signova::RunFirSamples(state_, *lookAhead, series_, surroundings);
    else
        signova::RunIirSamples(state_, series_, surroundings);
}

signova::FirLookAhead& TForm1::LookAheadOfThisRun() {
    // One per run level, made when a run first reaches that level: a nested
    // run must not disturb the block of the run it interrupts.
    const auto level = static_cast<std::size_t>(runDepth_ - 1);
    if (lookAheads_.size() <= level)
        lookAheads_.resize(level + 1);
    if (!lookAheads_[level])
        lookAheads_[level] = std::make_unique<signova::FirLookAhead>();
    return *lookAheads_[level];
}

void TForm1::SampleDone(const signova::SampleOutcome& outcome) {
    dacWrappedInLatestPass_ = outcome.dacWrapped;
    if (outcome.dacWrapped)
        DACsh->SetColor(LampRed);
    record_.Store(state_.InputSample, state_.OutputSample);
    if (outcome.scope.triggered) {
        trigsh->SetColor(TrigLampLitColor);
        DACsh->SetColor(LampOffColor);
    }
    if (outcome.scope.sweepPlotted) {
        trigsh->SetColor(LampOffColor);
        ++sweepsPlotted_;
        sweepFilter_ = runFilter_;
        measure_->SweepDrawn(ReadScopeControls());
    }
    listen_->Take();
}

void TForm1::ProcessMessages() {
    // Listening, the run goes at the sound card's pace: it waits here, with
    // the messages handled, while the sound ahead of the card is full.
    if (listen_->MustWait()) {
        listen_->WaitForRoom();
        signova::ClearUpperVectorState();
        messagePacing_.HandedBack();
        return;
    }
    if (!messagePacing_.HandOverDue())
        return;
    QCoreApplication::processEvents();
    signova::ClearUpperVectorState();
    messagePacing_.HandedBack();
}

void TForm1::StopClick() {
    RunLabel->hide();
    Timer1->stop();
    state_.StopRequested = true;
    trigsh->SetColor(LampOffColor);
    DACsh->SetColor(LampOffColor);
    if (measure_)
        measure_->Stopped();
    // Silent within a few milliseconds, with a fade.
    if (listen_)
        listen_->RunStopped();
}

void TForm1::Timer1Timer() {
    RunLabel->setVisible(state_.BlinkState == 1);
    state_.BlinkState = 1 - state_.BlinkState;
}

// ---- coefficient tables ----------------------------------------------------

bool TForm1::ReadCoefficientFile(const std::string& path) {
    if (tempMemo_.ReadFile(path) == signova::FileReadResult::TooLarge) {
        dialogs_.ShowMessage(signova::FileTooLargeText(path));
        return false;
    }
    return true;
}

void TForm1::LoadFIRClick() {
    StopClick();
    if (const std::optional<std::string> path = dialogs_.ChooseFile())
        LoadTableFile(signova::FilterKind::Fir, *path);
}

void TForm1::LoadIIRClick() {
    StopClick();
    if (const std::optional<std::string> path = dialogs_.ChooseFile())
        LoadTableFile(signova::FilterKind::Iir, *path);
}

void TForm1::LoadTableFile(signova::FilterKind table, const std::string& path) {
    StopClick();
    if (!ReadCoefficientFile(path))
        return;
    if (table == signova::FilterKind::Fir) {
        const signova::TableLoad load =
            signova::LoadFIRTable(state_, firCells_, tempMemo_, dialogs_);
        if (!load.accepted)
            return;
        designer_->TableWritten(table);
        ShowWrittenTable(table, load.label);
    } else {
        const signova::TableLoad load =
            signova::LoadIIRTable(state_, iirCells_, tempMemo_, dialogs_);
        if (!load.accepted)
            return;
        designer_->TableWritten(table);
        ShowWrittenTable(table, load.label);
    }
}

void TForm1::ShowWrittenTable(signova::FilterKind table, std::string title) {
    ShowTableTitle(table, std::move(title));
    (table == signova::FilterKind::Fir ? FIRgrid : IIRGrid)->ShowFirstRow();
    ReadTableIntoFilter(table);
}

void TForm1::ReadTableIntoFilter(signova::FilterKind table) {
    if (table == signova::FilterKind::Fir)
        signova::ReadFIRCoefficients(state_, firCells_);
    else
        signova::ReadIIRCoefficients(state_, iirCells_, dialogs_);
}

void TForm1::ShowTableTitle(signova::FilterKind table, std::string title) {
    QLabel* label = table == signova::FilterKind::Fir ? FIRLabel : IIRLabel;
    label->setText(TitleLabelText(title));
    (table == signova::FilterKind::Fir ? firTitle_ : iirTitle_) = std::move(title);
}

void TForm1::IIRGridKeyDown(int& key, bool shiftHeld) {
    signova::IirGridKeyDown(iirCells_, state_, key, shiftHeld);
}

void TForm1::IIRGridMouseDown() {
    StopClick();
}

void TForm1::IIRGridSelectCell(int column, int row, bool& canSelect) {
    if (!signova::IirGridCanSelect(column, row))
        canSelect = false;
}

void TForm1::ShowFIRClick() {
    signova::TBarSeries& bars = form2_->Series1();
    bars.Clear();
    signova::ForEachFIRTableValue(state_, firCells_, [&bars](int row, double value) {
        bars.AddPoint(row, value, "", signova::DefaultColor);
    });
    form2_->exec();
}
