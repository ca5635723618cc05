#include "ui/response_window.h"

#include "analysis/group_delay.h"
#include "analysis/table_read.h"
#include "analysis/time_response.h"
#include "chart/chart_fast_line_series.h"
#include "toolkit/colors.h"
#include "toolkit/shown_text.h"
#include "ui/chart_widget.h"
#include "ui/toolkit_color.h"
#include "ui/view_window_look.h"
#include "ui/widget_helpers.h"

#include <QLabel>
#include <QMetaObject>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr signova::TColor CurveColor = signova::clNavy;
constexpr signova::TColor GeneratorColor = signova::clRed;
constexpr signova::TColor LandsAtColor = signova::clPurple;
constexpr double DbStep = 20.0;
constexpr double DegreesStep = 90.0;
// The frequency curves of the lower chart are drawn in columns this wide; an
// undefined point leaves its column empty.
constexpr int GapColumnPixels = 3;

void SetTextColor(QLabel* label, signova::TColor color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(color));
    label->setPalette(palette);
}

// A line of text that wraps, in `color`.
QLabel* MakeTextLabel(QWidget* parent, const char* name, signova::TColor color) {
    QLabel* label = MakeLabel(parent, QString::fromLatin1(name));
    label->setWordWrap(true);
    // A cell's text may look like markup: it is shown as typed.
    label->setTextFormat(Qt::PlainText);
    SetTextColor(label, color);
    return label;
}

signova::TFastLineSeries* AddLine(signova::TChart& chart, const char* name, signova::TColor color) {
    auto& series = chart.AddSeries<signova::TFastLineSeries>(name);
    series.SetSeriesColor(color);
    return &series;
}

// A chart in the look of the FIR plot: a titled panel, axes with labels.
void ConfigureChart(signova::TChart& chart, const char* title) {
    chart.SetTitleText({title});
    chart.SetTitleVisible(true);
    chart.SetBackWallTransparent(true);
    for (signova::AxisPosition position :
         {signova::AxisPosition::Left, signova::AxisPosition::Bottom}) {
        signova::TChartAxis& axis = chart.Axis(position);
        axis.SetLabelsVisible(true);
        axis.Grid().SetColor(signova::clSilver);
    }
    // 0 lets the axis choose a readable spacing of the frequencies.
    chart.BottomAxis().SetIncrement(0.0);
}

} // namespace

ResponseWindow::ResponseWindow(const signova::SimulatorState& state,
                               const signova::CellStore& firCells,
                               const signova::CellStore& iirCells, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), firCells_(firCells), iirCells_(iirCells) {
    UseViewWindowLook(*this, "ResponseWindow", QStringLiteral("Frequency response"));
    resize(640, 560);

    ConfigureChart(magnitudeChart_, "Magnitude (dB) against frequency (Hz)");
    magnitude_ = {AddLine(magnitudeChart_, "Magnitude", CurveColor),
                  AddLine(magnitudeChart_, "GeneratorMarker", GeneratorColor),
                  AddLine(magnitudeChart_, "LandsAtMarker", LandsAtColor)};
    ConfigureChart(phaseChart_, "Phase (degrees) against frequency (Hz)");
    phaseChart_.LeftAxis().SetMinMax(-180.0, 180.0);
    phaseChart_.LeftAxis().SetIncrement(DegreesStep);
    phase_ = {AddLine(phaseChart_, "Phase", CurveColor),
              AddLine(phaseChart_, "GeneratorMarker", GeneratorColor),
              AddLine(phaseChart_, "LandsAtMarker", LandsAtColor)};

    auto* layout = new QVBoxLayout(this);
    auto* headingRow = new QHBoxLayout;
    heading_ = MakeTextLabel(this, "Heading", signova::clBlack);
    QFont bold = font();
    bold.setBold(true);
    heading_->setFont(bold);
    stability_ = MakeTextLabel(this, "Stability", signova::clBlack);
    stability_->setFont(bold);
    headingRow->addWidget(heading_, 1);
    headingRow->addWidget(stability_);
    layout->addLayout(headingRow);
    error_ = MakeTextLabel(this, "Error", signova::clRed);
    layout->addWidget(error_);
    magnitudeWidget_ = new ChartWidget(magnitudeChart_, this);
    magnitudeWidget_->setObjectName(QStringLiteral("MagnitudeChart"));
    layout->addWidget(magnitudeWidget_, 3);
    phaseWidget_ = new ChartWidget(phaseChart_, this);
    phaseWidget_->setObjectName(QStringLiteral("PhaseChart"));
    layout->addWidget(phaseWidget_, 2);
    generator_ = MakeTextLabel(this, "GeneratorGain", GeneratorColor);
    layout->addWidget(generator_);
    landsAt_ = MakeTextLabel(this, "LandsAt", LandsAtColor);
    layout->addWidget(landsAt_);
    timeNote_ = MakeTextLabel(this, "TimeResponseNote", signova::clRed);
    timeNote_->hide();
    layout->addWidget(timeNote_);
}

void ResponseWindow::ShowLowerView(LowerView view) {
    lower_ = view;
    Refresh();
}

ResponseWindow::~ResponseWindow() = default;

void ResponseWindow::ShowTable(signova::FilterKind table) {
    table_ = table;
    if (isVisible())
        Refresh();
    else
        show(); // which recomputes
    raise();
    activateWindow();
}

void ResponseWindow::FollowTable(signova::FilterKind table) {
    table_ = table;
    Refresh();
}

void ResponseWindow::ScheduleRefresh() {
    if (refreshPending_ || !isVisible())
        return;
    refreshPending_ = true;
    QMetaObject::invokeMethod(this, &ResponseWindow::Refresh, Qt::QueuedConnection);
}

// The magnitude curve is drawn per pixel column.
void ResponseWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ScheduleRefresh();
}

void ResponseWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}

void ResponseWindow::TakeKnownZeros(std::vector<double> b, std::vector<signova::Root> zeros) {
    knownZerosOf_ = std::move(b);
    knownZeros_ = std::move(zeros);
}

signova::TableRead ResponseWindow::ReadTable() const {
    if (table_ == signova::FilterKind::Iir)
        return signova::ReadIirTable(iirCells_, state_.IirOrder);
    return signova::ReadFirTable(firCells_);
}

void ResponseWindow::Refresh() {
    refreshPending_ = false;
    ++refreshes_;
    const signova::TableRead read = ReadTable();
    coefficients_ = read.Ok() ? read.coefficients : signova::FilterCoefficients{};
    // The zeros on the circle from the roots, found again only when the taps
    // or the rate changed (not when the generator moves), and taken as they
    // are where they are known.
    if (coefficients_.b != nullsOf_ || state_.SampleRate != nullsRate_) {
        nullsOf_ = coefficients_.b;
        nullsRate_ = state_.SampleRate;
        if (!coefficients_.b.empty() && coefficients_.b == knownZerosOf_) {
            nulls_ = signova::UnitCircleFrequencies(knownZeros_, state_.SampleRate);
        } else {
            ++rootSearches_;
            nulls_ = signova::UnitCircleZeroFrequencies(coefficients_.b, state_.SampleRate);
        }
    }
    view_ = signova::ViewResponse(read, state_.SampleRate, state_.SignalFrequency, nulls_);
    ShowView();
    ShowTimeResponse();
}

void ResponseWindow::DrawMarker(signova::TFastLineSeries& marker, bool shown, double frequency,
                                const signova::TChartAxis& levels) {
    marker.Clear();
    if (!shown)
        return;
    marker.AddPoint(frequency, levels.Minimum(), "", signova::DefaultColor);
    marker.AddPoint(frequency, levels.Maximum(), "", signova::DefaultColor);
}

void ResponseWindow::ShowView() {
    const bool iir = table_ == signova::FilterKind::Iir;
    QString heading = iir ? QStringLiteral("IIR table") : QStringLiteral("FIR table");
    if (view_.errors.empty())
        heading += iir ? QStringLiteral(": %1 coefficient pairs").arg(view_.coefficients)
                       : QStringLiteral(": %1 coefficients").arg(view_.coefficients);
    heading_->setText(heading);
    setWindowTitle(iir ? QStringLiteral("Frequency response: IIR table")
                       : QStringLiteral("Frequency response: FIR table"));
    stability_->setVisible(iir && view_.errors.empty());
    stability_->setText(view_.unstable ? QStringLiteral("unstable") : QStringLiteral("stable"));
    SetTextColor(stability_, view_.unstable ? signova::clRed : signova::clGreen);

    QStringList errors;
    // A message quotes the cell, which may be long: the window shows its start.
    for (const std::string& error : view_.errors)
        errors << FromText(signova::ShownBoxText(error, signova::NamesPath::No));
    error_->setText(errors.join(QLatin1Char('\n')));
    error_->setVisible(!errors.isEmpty());

    for (Plot* plot : {&magnitude_, &phase_}) {
        plot->curve->Clear();
        plot->generator->Clear();
        plot->landsAt->Clear();
    }
    generator_->setVisible(view_.errors.empty());
    landsAt_->setVisible(view_.errors.empty() && view_.aboveHalfRate);
    if (!view_.errors.empty())
        return;

    for (signova::TChart* chart : {&magnitudeChart_, &phaseChart_})
        chart->BottomAxis().SetMinMax(0.0, view_.halfRate);
    magnitudeChart_.LeftAxis().SetMinMax(view_.bottomDb, view_.topDb);
    magnitudeChart_.LeftAxis().SetIncrement(DbStep);
    // Drawn as the lowest and highest point of each pixel column: a null
    // narrower than a column still reaches the floor.
    const signova::ColumnCurve drawn =
        signova::ReduceToColumns(view_.frequencies, view_.magnitudeDb, 0.0, view_.halfRate,
                                 std::max(1, magnitudeWidget_->width()));
    for (std::size_t i = 0; i < drawn.x.size(); ++i)
        magnitude_.curve->AddPoint(drawn.x[i], drawn.y[i], "", signova::DefaultColor);
    for (std::size_t i = 0; i < view_.frequencies.size(); ++i) {
        if (!std::isnan(view_.phaseDegrees[i]))
            phase_.curve->AddPoint(view_.frequencies[i], view_.phaseDegrees[i], "",
                                   signova::DefaultColor);
    }
    for (const Plot* plot : {&magnitude_, &phase_}) {
        const signova::TChartAxis& levels = plot->curve->ParentChart().LeftAxis();
        DrawMarker(*plot->generator, !view_.aboveHalfRate, view_.generatorFrequency, levels);
        DrawMarker(*plot->landsAt, view_.aboveHalfRate, view_.landsAt, levels);
    }
    generator_->setText(FromText(signova::GeneratorText(view_)));
    landsAt_->setText(FromText(signova::LandsAtText(view_)));
}

// In place of the phase: the impulse or step response against the sample
// number. An unstable filter's response stops where a run would end.
void ResponseWindow::ShowTimeResponse() {
    timeNote_->hide();
    if (lower_ == LowerView::Phase) {
        phaseChart_.SetTitleText({"Phase (degrees) against frequency (Hz)"});
        phaseChart_.LeftAxis().SetMinMax(-180.0, 180.0);
        phaseChart_.LeftAxis().SetIncrement(DegreesStep);
        return;
    }
    if (lower_ == LowerView::UnwrappedPhase || lower_ == LowerView::GroupDelay) {
        ShowFrequencyCurve();
        return;
    }
    const bool impulse = lower_ == LowerView::Impulse;
    phaseChart_.SetTitleText({impulse ? "Impulse response against sample number"
                                      : "Step response against sample number"});
    for (signova::TFastLineSeries* series : {phase_.curve, phase_.generator, phase_.landsAt})
        series->Clear();
    if (!view_.errors.empty())
        return;
    const int count = signova::TimeResponseLength(coefficients_);
    const signova::TimeResponse response = impulse
                                               ? signova::ImpulseResponse(coefficients_, count)
                                               : signova::StepResponse(coefficients_, count);
    double low = 0.0;
    double high = 0.0;
    for (std::size_t n = 0; n < response.samples.size(); ++n) {
        phase_.curve->AddPoint(static_cast<double>(n), response.samples[n], "",
                               signova::DefaultColor);
        low = std::min(low, response.samples[n]);
        high = std::max(high, response.samples[n]);
    }
    const double margin = high > low ? (high - low) / 20 : 1.0;
    phaseChart_.BottomAxis().SetMinMax(0.0, count - 1);
    phaseChart_.LeftAxis().SetMinMax(low - margin, high + margin);
    phaseChart_.LeftAxis().SetIncrement(0.0);
    if (response.endsInvalid) {
        timeNote_->setText(
            QStringLiteral("At sample %1 the run ends with \"Invalid floating point operation.\"")
                .arg(response.samples.size()));
        timeNote_->show();
    }
}

std::string ResponseWindow::ReadoutText() const {
    QString heading = heading_->text();
    if (!stability_->isHidden())
        heading += QStringLiteral(", ") + stability_->text();
    QStringList lines{heading};
    for (const QLabel* label : {error_, generator_, landsAt_})
        if (!label->isHidden() && !label->text().isEmpty())
            lines << label->text();
    return lines.join(QLatin1Char('\n')).toStdString();
}

// The phase unwrapped, or the group delay in samples, against frequency.
// Where they are not defined (a zero on the circle, an infinite gain) the
// line has a gap a column of GapColumnPixels wide, so the eye sees it.
void ResponseWindow::ShowFrequencyCurve() {
    const bool delay = lower_ == LowerView::GroupDelay;
    phaseChart_.SetTitleText({delay ? "Group delay (samples) against frequency (Hz)"
                                    : "Unwrapped phase (degrees) against frequency (Hz)"});
    phase_.curve->Clear();
    if (!view_.errors.empty())
        return;
    const std::vector<double> values =
        delay ? signova::GroupDelay(coefficients_, view_.frequencies, state_.SampleRate)
              : signova::UnwrappedDegrees(view_.phaseDegrees);
    const signova::ColumnCurve drawn =
        signova::ReduceToColumns(view_.frequencies, values, 0.0, view_.halfRate,
                                 std::max(1, phaseWidget_->width() / GapColumnPixels));
    double low = 0.0;
    double high = 0.0;
    for (std::size_t i = 0; i < drawn.x.size(); ++i) {
        phase_.curve->AddPoint(drawn.x[i], drawn.y[i], "", signova::DefaultColor);
        if (std::isnan(drawn.y[i]))
            continue;
        low = std::min(low, drawn.y[i]);
        high = std::max(high, drawn.y[i]);
    }
    const double margin = high > low ? (high - low) / 20 : 1.0;
    phaseChart_.LeftAxis().SetMinMax(low - margin, high + margin);
    phaseChart_.LeftAxis().SetIncrement(0.0);
}
