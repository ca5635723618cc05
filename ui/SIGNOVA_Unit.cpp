#include "ui/SIGNOVA_Unit.h"

#include "chart/chart_bar_series.h"
#include "coefficients/coefficient_file.h"
#include "coefficients/fir_table.h"
#include "coefficients/iir_table.h"
#include "engine/fir_filter.h"
#include "engine/iir_filter.h"
#include "engine/settings.h"
#include "scope/fir_look_ahead.h"
#include "scope/sample_loop.h"
#include "scope/scope_chart_setup.h"
#include "scope/scope_geometry.h"
#include "toolkit/colors.h"
#include "toolkit/number_text.h"
#include "toolkit/shown_text.h"
#include "toolkit/vector_state.h"
#include "ui/Fir_Plot_Unit.h"
#include "ui/anchors.h"
#include "ui/cell_store_model.h"
#include "ui/chart_widget.h"
#include "ui/focus_scroll_bar.h"
#include "ui/grid_view.h"
#include "ui/guarded.h"
#include "ui/lamp.h"
#include "ui/radio_group.h"
#include "ui/toolkit_color.h"
#include "ui/view_menus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <utility>
#include <vector>

namespace {

constexpr int OuterWidth = 794;
constexpr int OuterHeight = 550;
constexpr int MinimumOuterWidth = 760;
constexpr int MinimumOuterHeight = 490;
// The client area the control bounds are laid out in.
constexpr QSize DesignClientSize(786, 523);
constexpr QSize DesignScopeBoxSize(537, 309);

constexpr int FirPage = 3;
constexpr int IirPage = 2;

constexpr signova::TColor LampRed = signova::clRed;
// Lamp fill colours the window sets from the scope's events.
constexpr signova::TColor TrigLampLitColor = signova::clLime; // "Trig" while a sweep is captured
constexpr signova::TColor LampOffColor = signova::clBtnFace;  // either lamp off

template <typename Widget, typename... Args>
Widget* Make(QWidget* parent, const char* name, QRect bounds, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(bounds);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, QRect bounds, const QString& text) {
    auto* label = Make<QLabel>(parent, name, bounds, text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QComboBox* MakeEditableCombo(QWidget* parent, const char* name, QRect bounds,
                             const QStringList& items, const QString& text) {
    auto* combo = Make<QComboBox>(parent, name, bounds);
    combo->setEditable(true);
    combo->addItems(items);
    // Only an exact, case-sensitive match counts: no completion, no new items.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setEditText(text);
    return combo;
}

std::string Text(const QComboBox* combo) {
    return combo->currentText().toStdString();
}

QString FromText(const std::string& text) {
    return QString::fromStdString(text);
}

// The text of a title label: the title's first characters, as many as can be
// read there; a title line may be megabytes long. A title is 8-bit text:
// shown as UTF-8 where it is valid UTF-8, else as Latin-1.
QString TitleLabelText(const std::string& title) {
    const std::string_view shown = signova::ShownStart(title, signova::MaxShownTitleLength);
    const QByteArray raw(shown.data(), static_cast<qsizetype>(shown.size()));
    QString decoded = QString::fromUtf8(raw);
    if (decoded.toUtf8() != raw)
        decoded = QString::fromLatin1(raw);
    return decoded;
}

// The window's face is narrower than the one its bounds were drawn for: at
// 13 pixels the IIR formula and three other labels would be cut, at 12 every
// caption fits its control.
QFont WindowFont() {
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(12);
    font.setBold(true);
    return font;
}

} // namespace

TForm1::TForm1(signova::Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), firCells_(signova::NewFirGrid()),
      iirCells_(signova::NewIirGrid()), tempMemo_(std::vector<std::string>{"TempMemo"}) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("SIGNOVA"));
    setFont(WindowFont());
    QPalette face = palette();
    face.setColor(QPalette::Window, ToQColor(signova::clBtnFace));
    setPalette(face);
    setAutoFillBackground(true);

    series_ = signova::ConfigureScopeChart(scopeChart_);

    BuildWindow();
    SetToolTips();
    WireEvents();
    SetUpResizing();
    FormCreate();
    form2_ = std::make_unique<TForm2>();
    views_ = std::make_unique<ViewMenus>(*this, dialogs_);
}

TForm1::~TForm1() {
    // The grids' views refer to the cell stores; let them go first.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        delete child;
}

// ---- building ------------------------------------------------------------

void TForm1::BuildWindow() {
    resize(OuterWidth, OuterHeight);
    setMinimumSize(MinimumOuterWidth, MinimumOuterHeight);

    BuildSignalGenerator();
    BuildOscilloscope();
    BuildProcessor();

    RunLabel = Make<QLabel>(this, "RunLabel", {12, 412, 93, 25}, QStringLiteral("Running"));
    RunLabel->setAlignment(Qt::AlignCenter);
    RunLabel->setAutoFillBackground(true);
    QPalette red = RunLabel->palette();
    red.setColor(QPalette::Window, Qt::red);
    RunLabel->setPalette(red);
    RunLabel->hide();
    Run = Make<QPushButton>(this, "Run", {12, 444, 93, 29}, QStringLiteral("Run"));
    Stop = Make<QPushButton>(this, "Stop", {12, 480, 93, 29}, QStringLiteral("Stop"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(400);

    SetUpKeyboard();
}

void TForm1::BuildSignalGenerator() {
    GroupBox1 =
        Make<QGroupBox>(this, "GroupBox1", {4, 4, 233, 309}, QStringLiteral("Signal Generator"));

    FreqLabel = Make<QLabel>(GroupBox1, "FreqLabel", {12, 20, 205, 65});
    QFont readout(QStringLiteral("DejaVu Sans Condensed"));
    readout.setPixelSize(45);
    readout.setBold(false); // else it would take the window's bold
    FreqLabel->setFont(readout);
    FreqLabel->setAutoFillBackground(true);
    QPalette redOnDark = FreqLabel->palette();
    redOnDark.setColor(QPalette::Window, Qt::black);
    redOnDark.setColor(QPalette::WindowText, Qt::red);
    FreqLabel->setPalette(redOnDark);
    FreqLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    FreqLabel->setIndent(6);

    HzLabel = Make<QLabel>(GroupBox1, "HzLabel", {168, 60, 49, 24});
    QFont unit(QStringLiteral("DejaVu Sans"));
    unit.setPixelSize(19);
    unit.setBold(true);
    HzLabel->setFont(unit);
    HzLabel->setAutoFillBackground(true);
    HzLabel->setPalette(redOnDark);
    HzLabel->setAlignment(Qt::AlignCenter);

    auto* range = new QButtonGroup(this);
    range->setExclusive(true);
    const char* names[] = {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"};
    const char* captions[] = {"X 10", "X 100", "X 1k", "X 10k"};
    QToolButton** buttons[] = {&SpeedButton1, &SpeedButton2, &SpeedButton3, &SpeedButton4};
    for (int i = 0; i < 4; ++i) {
        QToolButton* button = Make<QToolButton>(GroupBox1, names[i], {12 + 52 * i, 104, 50, 25});
        button->setText(QString::fromLatin1(captions[i]));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        range->addButton(button, i);
        *buttons[i] = button;
    }

    DialText = Make<QLabel>(GroupBox1, "DialText", {84, 144, 65, 21});
    DialText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    DialText->setLineWidth(2);
    DialText->setAlignment(Qt::AlignCenter);
    DialText->setAutoFillBackground(true);
    QPalette window = DialText->palette();
    window.setColor(QPalette::Window, Qt::white);
    DialText->setPalette(window);

    Dial = Make<QSlider>(GroupBox1, "Dial", {8, 160, 217, 37}, Qt::Horizontal);
    Dial->setRange(900, 11000);
    Dial->setValue(1000);
    Dial->setSingleStep(1);
    Dial->setPageStep(10);
    Dial->setTickPosition(QSlider::TicksBelow);
    Dial->setTickInterval(1);

    MakeLabel(GroupBox1, "Label9", {16, 216, 40, 16}, QStringLiteral("Amp :"));
    Ampedit = Make<QLineEdit>(GroupBox1, "Ampedit", {64, 214, 41, 20}, QStringLiteral("100"));
    Ampsb = Make<FocusScrollBar>(GroupBox1, "Ampsb", {104, 216, 116, 17}, Qt::Horizontal);
    Ampsb->setRange(1, 200);
    Ampsb->setValue(100);

    MakeLabel(GroupBox1, "Label3", {16, 265, 92, 16}, QStringLiteral("Waveshape :"));
    Vorm = MakeEditableCombo(GroupBox1, "Vorm", {112, 262, 109, 24},
                             {"Sine", "Triangle", "Sawtooth", "Square", "Pulse", "Noise"},
                             QStringLiteral("Sine"));
}

void TForm1::BuildOscilloscope() {
    GroupBox2 =
        Make<QGroupBox>(this, "GroupBox2", {244, 4, 537, 309}, QStringLiteral("Oscilloscope"));

    Chart1 = Make<ChartWidget>(GroupBox2, "Chart1", {8, 18, 369, 267}, scopeChart_);

    Input = Make<RadioGroup>(GroupBox2, "Input", {384, 16, 145, 89}, QStringLiteral("Input Signal"),
                             QStringList{"Don't show", "xn", "xn (norm.)"});
    Input->SetItemIndex(1);
    Tijdbasis =
        Make<RadioGroup>(GroupBox2, "Tijdbasis", {384, 112, 145, 65}, QStringLiteral("Timebase"),
                         QStringList{"0.2 ms/div", "0.4 ms/div"});
    Tijdbasis->SetItemIndex(1);

    DACsh = Make<Lamp>(GroupBox2, "DACsh", {388, 186, 14, 12});
    MakeLabel(GroupBox2, "Label11", {408, 184, 94, 16}, QStringLiteral("DAC overflow"));
    Filter = Make<QCheckBox>(GroupBox2, "Filter", {388, 208, 61, 21}, QStringLiteral("Filter "));
    Filter->setChecked(true);
    trigsh = Make<Lamp>(GroupBox2, "trigsh", {480, 212, 12, 12});
    MakeLabel(GroupBox2, "Label12", {496, 210, 33, 17}, QStringLiteral("Trig"));
    auto* gainLabel = MakeLabel(GroupBox2, "GainLabel", {432, 234, 33, 24}, QStringLiteral("Gain"));
    gainLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    GainEdit = Make<QLineEdit>(GroupBox2, "GainEdit", {472, 238, 56, 20});
    Gainsb = Make<FocusScrollBar>(GroupBox2, "Gainsb", {384, 264, 146, 16}, Qt::Horizontal);
    Gainsb->setRange(0, 200);
    Gainsb->setValue(100);
}

void TForm1::BuildProcessor() {
    GroupBox3 =
        Make<QGroupBox>(this, "GroupBox3", {168, 320, 613, 197}, QStringLiteral("DSP-processor"));
    DSPcontrol = Make<QTabWidget>(GroupBox3, "DSPcontrol", {16, 20, 585, 165});
    // Its tabs take the focus, not the page control around them.
    DSPcontrol->setFocusPolicy(Qt::NoFocus);
    DSPcontrol->tabBar()->setFocusPolicy(Qt::TabFocus);

    const char* names[] = {"Algemeentab", "Instellingen", "IIRtab", "FIRtab"};
    const char* captions[] = {"Info", "Settings", "IIR Filters", "FIR Filters"};
    QWidget* pages[4];
    for (int i = 0; i < 4; ++i) {
        pages[i] = new QWidget;
        pages[i]->setObjectName(QString::fromLatin1(names[i]));
        DSPcontrol->addTab(pages[i], QString::fromLatin1(captions[i]));
    }
    BuildInfoPage(pages[0]);
    BuildSettingsPage(pages[1]);
    BuildIirPage(pages[2]);
    BuildFirPage(pages[3]);
    DSPcontrol->setCurrentIndex(0);
}

void TForm1::BuildInfoPage(QWidget* page) {
    auto* memo = Make<QPlainTextEdit>(page, "Memo1", {24, 8, 529, 113});
    memo->setPlainText(
        QStringLiteral("SIGNOVA\n"
                       "With this program FIR and IIR filters can be simulated\n"
                       "\n"
                       "The program simulates an 8, 10 or 12-bits ADC and DAC. \n"
                       "The sample frequency can be adjusted between 1000 Hz and 48 kHz\n"));
    memo->setReadOnly(true);
    memo->setFrameStyle(QFrame::NoFrame);
    memo->setFocusPolicy(Qt::ClickFocus); // text to copy, not a stop of the Tab chain
    QPalette menu = memo->palette();
    menu.setColor(QPalette::Base, palette().color(QPalette::Window));
    memo->setPalette(menu);
}

void TForm1::BuildSettingsPage(QWidget* page) {
    MakeLabel(page, "Label2", {80, 26, 105, 16}, QStringLiteral("Number of bits:"));
    Bits =
        MakeEditableCombo(page, "Bits", {200, 24, 73, 24}, {"8", "10", "12"}, QStringLiteral("12"));
    MakeLabel(page, "Label10", {24, 64, 162, 16}, QStringLiteral("Sample frequency (Hz):"));
    Sample = MakeEditableCombo(page, "Sample", {200, 64, 73, 24},
                               {"48000", "44100", "22050", "11025", "8000", "5000", "1200", "1000"},
                               QStringLiteral("48000"));
}

void TForm1::BuildIirPage(QWidget* page) {
    MakeLabel(page, "Label1", {8, 8, 65, 16}, QStringLiteral("Formula :"));
    MakeLabel(page, "IIRFormuleLabel", {80, 8, 241, 25},
              QStringLiteral("y[n] = a1 * y[n-1] + a2 * y[n-2] + ....."));
    MakeLabel(page, "IIRFormuleLabel2", {76, 32, 261, 21},
              QStringLiteral("b0 * x[n] + b1 * x[n-1] + b2 * x[n-2] + ....."));
    MakeLabel(page, "Label5", {12, 56, 30, 16}, QStringLiteral("Info:"));
    IIRLabel = MakeLabel(page, "IIRLabel", {52, 56, 277, 16}, QString());
    IIRLabel->setTextFormat(Qt::PlainText);
    IIRGrid = Make<GridView>(page, "IIRGrid", {344, 12, 221, 101}, iirCells_);
    IIRGrid->horizontalHeader()->setDefaultSectionSize(64);
    IIRGrid->verticalHeader()->setDefaultSectionSize(24);
    IIRGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    IIRGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    LoadIIR =
        Make<QPushButton>(page, "LoadIIR", {16, 84, 117, 29}, QStringLiteral("Load  from file"));
}

void TForm1::BuildFirPage(QWidget* page) {
    MakeLabel(page, "Label6", {12, 12, 107, 16}, QStringLiteral("Formula: y[n] = "));
    auto* sigma = MakeLabel(page, "Label7", {120, 8, 16, 27}, QString(QChar(0x03A3)));
    QFont symbol(QStringLiteral("DejaVu Sans"));
    symbol.setPixelSize(24);
    symbol.setBold(true);
    sigma->setFont(symbol);
    MakeLabel(page, "Label8", {144, 12, 69, 16}, QStringLiteral("h[k] x[n-k]"));
    MakeLabel(page, "Label4", {12, 56, 34, 16}, QStringLiteral("Info :"));
    FIRLabel = MakeLabel(page, "FIRLabel", {48, 56, 297, 21}, QString());
    FIRLabel->setTextFormat(Qt::PlainText);
    FIRgrid = Make<GridView>(page, "FIRgrid", {356, 20, 205, 93}, firCells_);
    FIRgrid->horizontalHeader()->setDefaultSectionSize(90);
    FIRgrid->verticalHeader()->setDefaultSectionSize(24);
    FIRgrid->SetColumnsResizable(true);
    LoadFIR =
        Make<QPushButton>(page, "LoadFIR", {16, 84, 117, 29}, QStringLiteral("Load  from file"));
    ShowFIR = Make<QPushButton>(page, "ShowFIR", {240, 84, 89, 29}, QStringLiteral("Show FIR"));
}

void TForm1::SetUpKeyboard() {
    // The Tab chain, among the controls that take the focus: a radio group
    // is reached at its selected item, the page control at its tabs, and
    // only the controls of the page shown take part.
    std::vector<QWidget*> chain = {Dial, Vorm, Ampsb, Ampedit, Gainsb};
    chain.insert(chain.end(), Tijdbasis->Items().begin(), Tijdbasis->Items().end());
    chain.insert(chain.end(), {GainEdit, Filter});
    chain.insert(chain.end(), Input->Items().begin(), Input->Items().end());
    chain.insert(chain.end(), {DSPcontrol->tabBar(), Bits, Sample, IIRGrid, LoadIIR, FIRgrid,
                               LoadFIR, ShowFIR, Run, Stop});
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    Dial->setFocus();

    // A teacher at a projector: F5 runs, Shift+F5 stops; Alt+1 to Alt+4 pick
    // the frequency range, whose buttons take no focus.
    auto press = [this](QKeySequence keys, QAbstractButton* button) {
        connect(new QShortcut(keys, this), &QShortcut::activated, button,
                [button] { button->click(); });
    };
    press(QKeySequence(Qt::Key_F5), Run);
    press(QKeySequence(Qt::SHIFT | Qt::Key_F5), Stop);
    press(QKeySequence(Qt::ALT | Qt::Key_1), SpeedButton1);
    press(QKeySequence(Qt::ALT | Qt::Key_2), SpeedButton2);
    press(QKeySequence(Qt::ALT | Qt::Key_3), SpeedButton3);
    press(QKeySequence(Qt::ALT | Qt::Key_4), SpeedButton4);
}

void TForm1::SetToolTips() {
    const std::pair<QWidget*, const char*> tips[] = {
        {SpeedButton1, "Frequency range 9 Hz to 110 Hz (Alt+1)"},
        {SpeedButton2, "Frequency range 90 Hz to 1.1 kHz (Alt+2)"},
        {SpeedButton3, "Frequency range 900 Hz to 11 kHz (Alt+3)"},
        {SpeedButton4, "Frequency range 9 kHz to 110 kHz (Alt+4)"},
        {Dial, "Signal frequency: the dial reads 0.900 to 11.000, times the range button; "
               "arrow keys step 0.001, Page Up and Page Down 0.010"},
        {Vorm, "Waveshape of the signal generator"},
        {Ampsb, "Signal amplitude, 1 to 200 per cent of the ADC's full scale; "
                "above 100 the signal clips"},
        {Ampedit, "Amplitude in per cent, set with the scroll bar"},
        {Input, "Input trace: hidden, as sampled, or scaled up to full height "
                "when the amplitude is below 100"},
        {Tijdbasis, "Time per division of the oscilloscope"},
        {DACsh, "Red: the DAC output wrapped around (overflow); off again at the next trigger"},
        {Filter, "Ticked: output drawn smoothed; not ticked: drawn as steps, "
                 "with a marker at each sample"},
        {trigsh, "Lime from a trigger until its sweep has been drawn"},
        {GainEdit, "Display gain of the output trace, set with the scroll bar"},
        {Gainsb, "Display gain of the output trace, 0.00 to 2.00"},
        {Bits, "Bits of the ADC and DAC: 8, 10 or 12"},
        {Sample, "Sample frequency in Hz: one of the listed values, 1000 to 48000"},
        {IIRGrid, "IIR coefficients a and b; Shift+Insert adds a row, "
                  "Shift+Delete removes the last"},
        {LoadIIR, "Loads IIR coefficients from a text file"},
        {FIRgrid, "FIR coefficients h0, h1, ...: the filter uses the values "
                  "down to the first empty cell"},
        {LoadFIR, "Loads FIR coefficients from a text file"},
        {ShowFIR, "Shows the FIR coefficients as a bar chart"},
        {Run, "Runs the filter of the active page: choose IIR Filters or FIR Filters first (F5)"},
        {Stop, "Stops the run (Shift+F5)"},
    };
    for (const auto& [control, tip] : tips)
        control->setToolTip(QString::fromUtf8(tip));
    const char* pageTips[] = {"About the program", "Sample frequency and bits of the ADC and DAC",
                              "Run filters with the IIR table", "Run filters with the FIR table"};
    for (int page = 0; page < 4; ++page)
        DSPcontrol->setTabToolTip(page, QString::fromUtf8(pageTips[page]));
}

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

void TForm1::SetUpResizing() {
    windowAnchors_ = std::make_unique<Anchors>(DesignClientSize);
    windowAnchors_->Add(GroupBox1, AnchorTopLeft);
    windowAnchors_->Add(GroupBox2, AnchorAll);
    windowAnchors_->Add(GroupBox3, AnchorRight | AnchorBottom);
    windowAnchors_->Add(RunLabel, AnchorLeft | AnchorBottom);
    windowAnchors_->Add(Run, AnchorLeft | AnchorBottom);
    windowAnchors_->Add(Stop, AnchorLeft | AnchorBottom);

    scopeAnchors_ = std::make_unique<Anchors>(DesignScopeBoxSize);
    scopeAnchors_->Add(Chart1, AnchorAll);
    for (const char* name : {"Input", "Tijdbasis", "DACsh", "Label11", "Filter", "trigsh",
                             "Label12", "GainLabel", "GainEdit", "Gainsb"})
        scopeAnchors_->Add(RequiredChild(*GroupBox2, QString::fromLatin1(name)),
                           AnchorRight | AnchorTop);
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

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (outerSizeSet_)
        return;
    outerSizeSet_ = true;
    // The outer size includes the frame, which is known only once shown.
    QTimer::singleShot(0, this, [this] {
        const QSize frame = frameGeometry().size() - geometry().size();
        if (!frame.isEmpty() && (frame.width() > 0 || frame.height() > 0)) {
            setMinimumSize(MinimumOuterWidth - frame.width(), MinimumOuterHeight - frame.height());
            resize(OuterWidth - frame.width(), OuterHeight - frame.height());
        }
        if (const QScreen* screen = this->screen()) {
            const QRect available = screen->availableGeometry();
            move(available.center() - QPoint(OuterWidth / 2, OuterHeight / 2));
        }
    });
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
    state_.StopRequested = false;
    Timer1->start();
    state_.Capturing = false;
    state_.SweepIndex = 0;
    state_.Phase = 0;

    // An error that ends the run stops it before the error is shown.
    try {
        switch (DSPcontrol->currentIndex()) {
        case IirPage:
            state_.LoadError = false;
            signova::ReadIIRCoefficients(state_, iirCells_, dialogs_);
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

    RunSurroundings surroundings{*this};
    signova::FirLookAhead* lookAhead =
        filter == signova::FilterKind::Fir ? &LookAheadOfThisRun() : nullptr;
    signova::ClearUpperVectorState();
    record_.Clear();
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
    }
}

void TForm1::ProcessMessages() {
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
}

void TForm1::Timer1Timer() {
    RunLabel->setVisible(state_.BlinkState == 1);
    state_.BlinkState = 1 - state_.BlinkState;
}

// ---- coefficient tables ----------------------------------------------------

bool TForm1::ReadCoefficientFile() {
    const std::optional<std::string> path = dialogs_.ChooseFile();
    if (!path)
        return false;
    if (tempMemo_.ReadFile(*path) == signova::FileReadResult::TooLarge) {
        dialogs_.ShowMessage(signova::FileTooLargeText(*path));
        return false;
    }
    return true;
}

void TForm1::LoadFIRClick() {
    StopClick();
    if (!ReadCoefficientFile())
        return;
    const signova::TableLoad load = signova::LoadFIRTable(state_, firCells_, tempMemo_, dialogs_);
    if (!load.accepted)
        return;
    FIRLabel->setText(TitleLabelText(load.label));
    FIRgrid->ShowFirstRow();
    signova::ReadFIRCoefficients(state_, firCells_);
}

void TForm1::LoadIIRClick() {
    StopClick();
    if (!ReadCoefficientFile())
        return;
    const signova::TableLoad load = signova::LoadIIRTable(state_, iirCells_, tempMemo_, dialogs_);
    if (!load.accepted)
        return;
    IIRLabel->setText(TitleLabelText(load.label));
    IIRGrid->ShowFirstRow();
    signova::ReadIIRCoefficients(state_, iirCells_, dialogs_);
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
