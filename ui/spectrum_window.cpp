#include "ui/spectrum_window.h"

#include "analysis/spectrum_view.h"
#include "chart/chart_fast_line_series.h"
#include "toolkit/colors.h"
#include "ui/chart_widget.h"
#include "ui/toolkit_color.h"
#include "ui/view_window_look.h"
#include "ui/widget_helpers.h"

#include <QActionGroup>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
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
    averaging_ = MakeReadoutLabel(this, QStringLiteral("AveragingState"), QString());
    readouts->addWidget(averaging_, 0, 0);
    const QString headings[] = {QStringLiteral("Peak"), QStringLiteral("Level"),
                                QStringLiteral("SINAD"), QStringLiteral("Ideal"),
                                QStringLiteral("ENOB")};
    for (int column = 1; const QString& heading : headings)
        readouts->addWidget(MakeReadoutLabel(this, {}, heading), 0, column++);
    const struct {
        const char* name;
        signova::TColor color;
        Readout* readout;
    } rows[] = {{"Input", InputColor, &inputReadout_}, {"Output", OutputColor, &outputReadout_}};
    for (int row = 1; const auto& shown : rows) {
        const QString name = QString::fromLatin1(shown.name);
        // A short piece of the trace in its colour names the row.
        auto* head =
            MakeReadoutLabel(this, {},
                             QStringLiteral("<span style=\"color:%1\">\u2501\u2501</span> %2")
                                 .arg(ToQColor(shown.color).name(), name));
        head->setTextFormat(Qt::RichText);
        readouts->addWidget(head, row, 0);
        *shown.readout = {MakeReadoutLabel(this, name + "Peak", dash),
                          MakeReadoutLabel(this, name + "Level", dash),
                          MakeReadoutLabel(this, name + "Sinad", dash),
                          MakeReadoutLabel(this, name + "Ideal", dash),
                          MakeReadoutLabel(this, name + "Enob", dash)};
        QLabel* cells[] = {shown.readout->peak, shown.readout->level, shown.readout->sinad,
                           shown.readout->ideal, shown.readout->effectiveBits};
        for (int column = 1; QLabel * cell : cells)
            readouts->addWidget(cell, row, column++);
        ++row;
    }
    for (int column = 1; column <= 5; ++column)
        readouts->setColumnStretch(column, 1);
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
    const signova::RecordMark mark = record_.Mark();
    const std::int32_t maxCode = state_.MaxCode;
    const double sampleRate = state_.SampleRate;
    if (mark == shownMark_ && maxCode == shownMaxCode_ && sampleRate == shownSampleRate_)
        return;
    ++copies_;
    signova::RecordedSamples samples = record_.OldestFirst();
    Draw(samples, maxCode, sampleRate);
    shown_ = std::move(samples);
    shownMark_ = mark;
    shownMaxCode_ = maxCode;
    shownSampleRate_ = sampleRate;
}

void SpectrumWindow::AddAveragingTo(QMenu& menu) {
    using signova::SpectrumAveraging;
    const struct {
        SpectrumAveraging averaging;
        const char* tip;
    } entries[] = {
        {SpectrumAveraging::Off, "Shows each record as it comes"},
        {SpectrumAveraging::Four,
         "Shows the mean power of the last 4 records: a steadier noise floor"},
        {SpectrumAveraging::Sixteen,
         "Shows the mean power of the last 16 records: the floor's spread a quarter of one "
         "record's"},
        {SpectrumAveraging::MaxHold,
         "Shows the highest level each frequency has reached since it was chosen"},
    };
    auto* group = new QActionGroup(&menu);
    for (const auto& entry : entries) {
        QAction* action = menu.addAction(FromText(signova::AveragingText(entry.averaging)));
        action->setCheckable(true);
        action->setChecked(entry.averaging == Averaging());
        action->setToolTip(QString::fromLatin1(entry.tip) +
                           QStringLiteral(". A record is counted once, even when a stopped run "
                                          "shows it again; choosing starts over."));
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, averaging = entry.averaging] { SetAveraging(averaging); });
    }
    menu.addSeparator();
    menu.setToolTipsVisible(true);
}

void SpectrumWindow::SetAveraging(signova::SpectrumAveraging averaging) {
    inputAverager_.SetAveraging(averaging);
    outputAverager_.SetAveraging(averaging);
    if (!shown_.input.empty())
        Draw(shown_, shownMaxCode_, shownSampleRate_);
    ShowAveraging();
}

void SpectrumWindow::ShowAveraging() {
    const int records = RecordsCombined();
    QString text;
    if (Averaging() == signova::SpectrumAveraging::MaxHold)
        text = QStringLiteral("Max hold of %1 records").arg(records);
    else if (Averaging() != signova::SpectrumAveraging::Off)
        text = QStringLiteral("Mean of %1 of %2 records")
                   .arg(records)
                   .arg(signova::RecordsAveraged(Averaging()));
    averaging_->setText(text);
}

void SpectrumWindow::Draw(const signova::RecordedSamples& samples, std::int32_t maxCode,
                          double sampleRate) {
    // Records of another word length or sample rate do not mix with the held ones.
    if (maxCode != shownMaxCode_ || sampleRate != shownSampleRate_) {
        inputAverager_.Clear();
        outputAverager_.Clear();
    }
    // A new range redraws the frame; the same range need not.
    if (chart_.BottomAxis().Maximum() != sampleRate / 2.0)
        chart_.BottomAxis().SetMinMax(0.0, sampleRate / 2.0);
    const struct {
        const std::vector<double>& record;
        signova::SpectrumAverager& averager;
        signova::TFastLineSeries& series;
        const Readout& readout;
    } traces[] = {{samples.input, inputAverager_, *input_, inputReadout_},
                  {samples.output, outputAverager_, *output_, outputReadout_}};
    for (const auto& trace : traces) {
        const std::span<const double> powers =
            trace.averager.Add(analyzer_.BinPowers(trace.record));
        Show(signova::SpectrumOfPowers(powers, maxCode, sampleRate), maxCode, trace.series,
             trace.readout);
    }
    ShowAveraging();
}

void SpectrumWindow::Show(const signova::Spectrum& spectrum, std::int32_t maxCode,
                          signova::TFastLineSeries& series, const Readout& readout) {
    series.Clear();
    for (std::size_t bin = 0; bin < spectrum.levelsDb.size(); ++bin)
        series.AddPoint(
            static_cast<double>(bin) * spectrum.binWidth,
            std::clamp(spectrum.levelsDb[bin], signova::SpectrumBottomDb, signova::SpectrumTopDb),
            "", signova::DefaultColor);
    readout.peak->setText(FromText(signova::PeakText(spectrum)));
    readout.level->setText(FromText(signova::PeakLevelText(spectrum)));
    readout.sinad->setText(FromText(signova::SinadText(spectrum)));
    readout.ideal->setText(FromText(signova::IdealSinadText(maxCode)));
    readout.effectiveBits->setText(FromText(signova::EffectiveBitsText(spectrum)));
}

std::string SpectrumWindow::ReadoutText() const {
    const auto line = [](const char* name, const Readout& readout) {
        return QStringLiteral("%1: peak %2 at %3, SINAD %4 (ideal %5, ENOB %6)")
            .arg(QLatin1String(name), readout.peak->text(), readout.level->text(),
                 readout.sinad->text(), readout.ideal->text(), readout.effectiveBits->text());
    };
    QString text =
        line("Input", inputReadout_) + QLatin1Char('\n') + line("Output", outputReadout_);
    if (!averaging_->text().isEmpty())
        text = averaging_->text() + QLatin1Char('\n') + text;
    return text.toStdString();
}
