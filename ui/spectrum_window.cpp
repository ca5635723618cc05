#include "ui/spectrum_window.h"

#include "analysis/spectrum_view.h"
#include "chart/chart_fast_line_series.h"
#include "toolkit/colors.h"
#include "ui/chart_widget.h"
#include "ui/toolkit_color.h"
#include "ui/view_window_look.h"
#include "ui/widget_helpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The scope's look: its dark panel and brown grid, the input in lime and the
// output in green, the two colours its traces are drawn in.
constexpr signova::TColor PanelColor = 0x333300;
constexpr signova::TColor GridColor = 0x004080;
constexpr signova::TColor LabelColor = signova::clSilver;
constexpr signova::TColor InputColor = signova::clLime;
constexpr signova::TColor OutputColor = signova::clGreen;
constexpr double LevelStep = 20.0;

void ConfigureSpectrumChart(signova::TChart& chart) {
    chart.SetColor(PanelColor);
    chart.SetBevelOuter(signova::TBevelCut::Lowered);
    chart.SetBackWallTransparent(true);
    chart.SetTitleText({"Level (dB full scale) against frequency (Hz)"});
    chart.SetTitleVisible(true);
    chart.SetTitleColor(LabelColor);
    for (signova::AxisPosition position :
         {signova::AxisPosition::Left, signova::AxisPosition::Bottom}) {
        signova::TChartAxis& axis = chart.Axis(position);
        axis.AxisPen().SetColor(GridColor);
        axis.Grid().SetColor(GridColor);
        axis.Ticks().SetColor(GridColor);
        axis.SetLabelsVisible(true);
        axis.SetLabelsColor(LabelColor);
    }
    chart.LeftAxis().SetMinMax(signova::SpectrumBottomDb, signova::SpectrumTopDb);
    chart.LeftAxis().SetIncrement(LevelStep);
    chart.BottomAxis().SetMinMax(0.0, 24000.0);
    chart.BottomAxis().SetIncrement(0.0);
}

// A read-out cell: light text on the chart's panel colour.
QLabel* MakeReadoutLabel(QWidget* parent, const QString& name, const QString& text) {
    QLabel* label = MakeLabel(parent, name, text);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, ToQColor(PanelColor));
    palette.setColor(QPalette::WindowText, ToQColor(LabelColor));
    label->setPalette(palette);
    label->setContentsMargins(6, 2, 6, 2);
    return label;
}

} // namespace

SpectrumWindow::SpectrumWindow(const signova::SimulatorState& state,
                               const signova::SampleRecord& record, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), record_(record),
      analyzer_(signova::RecordLength) {
    UseViewWindowLook(*this, "SpectrumWindow", QStringLiteral("Spectrum"));
    resize(640, 440);

    ConfigureSpectrumChart(chart_);
    input_ = &chart_.AddSeries<signova::TFastLineSeries>("Input");
    input_->SetSeriesColor(InputColor);
    output_ = &chart_.AddSeries<signova::TFastLineSeries>("Output");
    output_->SetSeriesColor(OutputColor);

    auto* layout = new QVBoxLayout(this);
    chartWidget_ = new ChartWidget(chart_, this);
    chartWidget_->setObjectName(QStringLiteral("SpectrumChart"));
    layout->addWidget(chartWidget_, 1);

    auto* readouts = new QGridLayout;
    readouts->setHorizontalSpacing(0);
    readouts->setVerticalSpacing(0);
    const QString dash = FromText(signova::NoValueText);
    readouts->addWidget(MakeReadoutLabel(this, {}, QString()), 0, 0);
    readouts->addWidget(MakeReadoutLabel(this, {}, QStringLiteral("Peak")), 0, 1);
    readouts->addWidget(MakeReadoutLabel(this, {}, QStringLiteral("SINAD")), 0, 2);
    const struct {
        const char* name;
        signova::TColor color;
        Readout* readout;
    } rows[] = {{"Input", InputColor, &inputReadout_}, {"Output", OutputColor, &outputReadout_}};
    for (int row = 1; const auto& shown : rows) {
        const QString name = QString::fromLatin1(shown.name);
        // A short piece of the trace in its colour names the row.
        auto* head = MakeReadoutLabel(this, {},
                               QStringLiteral("<span style=\"color:%1\">\u2501\u2501</span> %2")
                                   .arg(ToQColor(shown.color).name(), name));
        head->setTextFormat(Qt::RichText);
        readouts->addWidget(head, row, 0);
        *shown.readout = {MakeReadoutLabel(this, name + "Peak", dash),
                          MakeReadoutLabel(this, name + "Sinad", dash)};
        readouts->addWidget(shown.readout->peak, row, 1);
        readouts->addWidget(shown.readout->sinad, row, 2);
        ++row;
    }
    readouts->setColumnStretch(1, 1);
    readouts->setColumnStretch(2, 1);
    layout->addLayout(readouts);

    timer_.setInterval(1000 / RefreshesPerSecond);
    connect(&timer_, &QTimer::timeout, this, &SpectrumWindow::Refresh);
}

SpectrumWindow::~SpectrumWindow() = default;

void SpectrumWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    timer_.start();
    Refresh();
}

void SpectrumWindow::hideEvent(QHideEvent* event) {
    timer_.stop();
    QWidget::hideEvent(event);
}

void SpectrumWindow::Refresh() {
    if (!record_.Full())
        return;
    ++copies_;
    signova::RecordedSamples samples = record_.OldestFirst();
    const std::int32_t maxCode = state_.MaxCode;
    const double sampleRate = state_.SampleRate;
    if (samples.input == shown_.input && samples.output == shown_.output &&
        maxCode == shownMaxCode_ && sampleRate == shownSampleRate_)
        return;
    Draw(samples, maxCode, sampleRate);
    shown_ = std::move(samples);
    shownMaxCode_ = maxCode;
    shownSampleRate_ = sampleRate;
}

void SpectrumWindow::Draw(const signova::RecordedSamples& samples, std::int32_t maxCode,
                          double sampleRate) {
    // A new range redraws the frame; the same range need not.
    if (chart_.BottomAxis().Maximum() != sampleRate / 2.0)
        chart_.BottomAxis().SetMinMax(0.0, sampleRate / 2.0);
    Show(analyzer_.Analyze(samples.input, maxCode, sampleRate), *input_, inputReadout_);
    Show(analyzer_.Analyze(samples.output, maxCode, sampleRate), *output_, outputReadout_);
}

void SpectrumWindow::Show(const signova::Spectrum& spectrum, signova::TFastLineSeries& series,
                          const Readout& readout) {
    series.Clear();
    for (std::size_t bin = 0; bin < spectrum.levelsDb.size(); ++bin)
        series.AddPoint(
            static_cast<double>(bin) * spectrum.binWidth,
            std::clamp(spectrum.levelsDb[bin], signova::SpectrumBottomDb, signova::SpectrumTopDb),
            "", signova::DefaultColor);
    readout.peak->setText(FromText(signova::PeakText(spectrum)));
    readout.sinad->setText(FromText(signova::SinadText(spectrum)));
}

std::string SpectrumWindow::ReadoutText() const {
    const auto line = [](const char* name, const Readout& readout) {
        return QStringLiteral("%1: peak %2, SINAD %3")
            .arg(QLatin1String(name), readout.peak->text(), readout.sinad->text());
    };
    return (line("Input", inputReadout_) + QLatin1Char('\n') + line("Output", outputReadout_))
        .toStdString();
}
