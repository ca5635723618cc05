// The building of the main window's controls: their bounds, captions, fonts,
// colours, the Tab chain, the tooltips and how they follow a resize. The
// handlers and the run are in SIGNOVA_Unit.cpp.
#include "ui/SIGNOVA_Unit.h"

#include "ui/anchors.h"
#include "ui/chart_widget.h"
#include "ui/focus_scroll_bar.h"
#include "ui/grid_view.h"
#include "ui/lamp.h"
#include "ui/radio_group.h"
#include "ui/toolkit_color.h"
#include "ui/widget_helpers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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

namespace {

constexpr int OuterWidth = 794;
constexpr int OuterHeight = 550;
constexpr int MinimumOuterWidth = 760;
constexpr int MinimumOuterHeight = 490;
// The client area the control bounds are laid out in.
constexpr QSize DesignClientSize(786, 523);
constexpr QSize DesignScopeBoxSize(537, 309);

QLabel* MakeTopLeftLabel(QWidget* parent, const char* name, QRect bounds, const QString& text) {
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

QSize TForm1::DesignSize() {
    return DesignClientSize;
}

void TForm1::BuildWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("SIGNOVA"));
    setFont(WindowFont());
    QPalette face = palette();
    face.setColor(QPalette::Window, ToQColor(signova::clBtnFace));
    setPalette(face);
    setAutoFillBackground(true);
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

    MakeTopLeftLabel(GroupBox1, "Label9", {16, 216, 40, 16}, QStringLiteral("Amp :"));
    Ampedit = Make<QLineEdit>(GroupBox1, "Ampedit", {64, 214, 41, 20}, QStringLiteral("100"));
    Ampsb = Make<FocusScrollBar>(GroupBox1, "Ampsb", {104, 216, 116, 17}, Qt::Horizontal);
    Ampsb->setRange(1, 200);
    Ampsb->setValue(100);

    MakeTopLeftLabel(GroupBox1, "Label3", {16, 265, 92, 16}, QStringLiteral("Waveshape :"));
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
    MakeTopLeftLabel(GroupBox2, "Label11", {408, 184, 94, 16}, QStringLiteral("DAC overflow"));
    Filter = Make<QCheckBox>(GroupBox2, "Filter", {388, 208, 61, 21}, QStringLiteral("Filter "));
    Filter->setChecked(true);
    trigsh = Make<Lamp>(GroupBox2, "trigsh", {480, 212, 12, 12});
    MakeTopLeftLabel(GroupBox2, "Label12", {496, 210, 33, 17}, QStringLiteral("Trig"));
    auto* gainLabel = MakeTopLeftLabel(GroupBox2, "GainLabel", {432, 234, 33, 24}, QStringLiteral("Gain"));
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
    MakeTopLeftLabel(page, "Label2", {80, 26, 105, 16}, QStringLiteral("Number of bits:"));
    Bits =
        MakeEditableCombo(page, "Bits", {200, 24, 73, 24}, {"8", "10", "12"}, QStringLiteral("12"));
    MakeTopLeftLabel(page, "Label10", {24, 64, 162, 16}, QStringLiteral("Sample frequency (Hz):"));
    Sample = MakeEditableCombo(page, "Sample", {200, 64, 73, 24},
                               {"48000", "44100", "22050", "11025", "8000", "5000", "1200", "1000"},
                               QStringLiteral("48000"));
}

void TForm1::BuildIirPage(QWidget* page) {
    MakeTopLeftLabel(page, "Label1", {8, 8, 65, 16}, QStringLiteral("Formula :"));
    MakeTopLeftLabel(page, "IIRFormuleLabel", {80, 8, 241, 25},
              QStringLiteral("y[n] = a1 * y[n-1] + a2 * y[n-2] + ....."));
    MakeTopLeftLabel(page, "IIRFormuleLabel2", {76, 32, 261, 21},
              QStringLiteral("b0 * x[n] + b1 * x[n-1] + b2 * x[n-2] + ....."));
    MakeTopLeftLabel(page, "Label5", {12, 56, 30, 16}, QStringLiteral("Info:"));
    IIRLabel = MakeTopLeftLabel(page, "IIRLabel", {52, 56, 277, 16}, QString());
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
    MakeTopLeftLabel(page, "Label6", {12, 12, 107, 16}, QStringLiteral("Formula: y[n] = "));
    auto* sigma = MakeTopLeftLabel(page, "Label7", {120, 8, 16, 27}, QString(QChar(0x03A3)));
    QFont symbol(QStringLiteral("DejaVu Sans"));
    symbol.setPixelSize(24);
    symbol.setBold(true);
    sigma->setFont(symbol);
    MakeTopLeftLabel(page, "Label8", {144, 12, 69, 16}, QStringLiteral("h[k] x[n-k]"));
    MakeTopLeftLabel(page, "Label4", {12, 56, 34, 16}, QStringLiteral("Info :"));
    FIRLabel = MakeTopLeftLabel(page, "FIRLabel", {48, 56, 297, 21}, QString());
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

