#include "ui/design_dialog.h"

#include "analysis/response_view.h"
#include "chart/chart_fast_line_series.h"
#include "toolkit/colors.h"
#include "ui/chart_widget.h"
#include "ui/toolkit_color.h"
#include "ui/view_window_look.h"
#include "ui/widget_helpers.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

namespace {

using signova::BandShape;
using signova::DesignMethod;
using signova::DesignWindow;

constexpr double DbStep = 20.0;
const QString OddTapsNote =
    QStringLiteral("High-pass and band-stop need an odd number of taps.");

QDoubleSpinBox* MakeNumber(QWidget* parent, const char* name, double low, double high,
                           int decimals, double value, const QString& suffix = {}) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setValue(value);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);
    return box;
}

template <typename Value>
QComboBox* MakeChoice(QWidget* parent, const char* name,
                      std::initializer_list<std::pair<const char*, Value>> items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    for (const auto& [text, value] : items)
        combo->addItem(QString::fromUtf8(text), static_cast<int>(value));
    return combo;
}

template <typename Value> Value Chosen(const QComboBox* combo) {
    return static_cast<Value>(combo->currentData().toInt());
}

} // namespace

DesignDialog::DesignDialog(signova::FilterKind table, std::function<double()> sampleRate,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), table_(table), sampleRate_(std::move(sampleRate)) {
    const bool fir = table == signova::FilterKind::Fir;
    UseViewWindowLook(*this, fir ? "FirDesignDialog" : "IirDesignDialog",
                      fir ? QStringLiteral("Design filter: FIR table")
                          : QStringLiteral("Design filter: IIR table"));
    resize(520, 640);

    if (fir)
        type_ = MakeChoice<DesignMethod>(this, "DesignType",
                                         {{"Window method", DesignMethod::Window},
                                          {"Equiripple (Parks-McClellan)", DesignMethod::Equiripple}});
    else
        type_ = MakeChoice<DesignMethod>(this, "DesignType",
                                         {{"Butterworth", DesignMethod::Butterworth},
                                          {"Chebyshev I", DesignMethod::ChebyshevI},
                                          {"Chebyshev II", DesignMethod::ChebyshevII},
                                          {"Elliptic", DesignMethod::Elliptic},
                                          {"Bessel", DesignMethod::Bessel},
                                          {"Resonator", DesignMethod::Resonator}});
    band_ = MakeChoice<BandShape>(this, "DesignBand",
                                  {{"Low-pass", BandShape::LowPass},
                                   {"High-pass", BandShape::HighPass},
                                   {"Band-pass", BandShape::BandPass},
                                   {"Band-stop", BandShape::BandStop}});
    window_ = MakeChoice<DesignWindow>(this, "DesignWindow",
                                       {{"Hamming", DesignWindow::Hamming},
                                        {"Hann", DesignWindow::Hann},
                                        {"Blackman-Harris", DesignWindow::BlackmanHarris},
                                        {"Kaiser", DesignWindow::Kaiser},
                                        {"Flat-top", DesignWindow::FlatTop},
                                        {"Triangular", DesignWindow::Triangular}});
    const QString hz = QStringLiteral(" Hz");
    const QString db = QStringLiteral(" dB");
    edge_ = MakeNumber(this, "DesignEdge", 0.0, 1e6, 2, 3000.0, hz);
    upperEdge_ = MakeNumber(this, "DesignUpperEdge", 0.0, 1e6, 2, 6000.0, hz);
    size_ = new QSpinBox(this);
    size_->setObjectName(QStringLiteral("DesignSize"));
    size_->setRange(1, fir ? signova::MaxDesignTaps : signova::MaxLowHighPassOrder);
    size_->setValue(fir ? 63 : 4);
    size_->setKeyboardTracking(false);
    beta_ = MakeNumber(this, "DesignKaiserBeta", 0.0, 50.0, 2, 6.0);
    transition_ = MakeNumber(this, "DesignTransition", 0.0, 1e6, 2, 1000.0, hz);
    ripple_ = MakeNumber(this, "DesignRipple", 0.0, 20.0, 2, 1.0, db);
    attenuation_ = MakeNumber(this, "DesignAttenuation", 0.0, 200.0, 1, 60.0, db);
    radius_ = MakeNumber(this, "DesignRadius", 0.0, 1.0, 4, 0.99);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Type"), type_);
    form->addRow(QStringLiteral("Band"), band_);
    edgeLabel_ = MakeLabel(this, {});
    form->addRow(edgeLabel_, edge_);
    upperEdgeLabel_ = MakeLabel(this, {}, QStringLiteral("Upper edge"));
    form->addRow(upperEdgeLabel_, upperEdge_);
    sizeLabel_ = MakeLabel(this, {}, fir ? QStringLiteral("Taps") : QStringLiteral("Order"));
    form->addRow(sizeLabel_, size_);
    windowLabel_ = MakeLabel(this, {}, QStringLiteral("Window"));
    form->addRow(windowLabel_, window_);
    betaLabel_ = MakeLabel(this, {}, QString::fromUtf8("Kaiser \u03b2"));
    form->addRow(betaLabel_, beta_);
    transitionLabel_ = MakeLabel(this, {}, QStringLiteral("Transition width"));
    form->addRow(transitionLabel_, transition_);
    rippleLabel_ = MakeLabel(this, {}, QStringLiteral("Pass-band ripple"));
    form->addRow(rippleLabel_, ripple_);
    attenuationLabel_ = MakeLabel(this, {}, QStringLiteral("Stop-band attenuation"));
    form->addRow(attenuationLabel_, attenuation_);
    radiusLabel_ = MakeLabel(this, {}, QStringLiteral("Pole radius r"));
    form->addRow(radiusLabel_, radius_);

    rate_ = MakeLabel(this, QStringLiteral("DesignSampleRate"));
    oddNote_ = MakeLabel(this, QStringLiteral("DesignOddTapsNote"), OddTapsNote);
    oddNote_->setVisible(fir);
    problem_ = MakeLabel(this, QStringLiteral("DesignProblem"));
    problem_->setWordWrap(true);
    problem_->setTextFormat(Qt::PlainText);
    QPalette red = problem_->palette();
    red.setColor(QPalette::WindowText, ToQColor(signova::clRed));
    problem_->setPalette(red);

    previewChart_.SetTitleText({"Magnitude (dB) against frequency (Hz)"});
    previewChart_.SetTitleVisible(true);
    previewChart_.SetBackWallTransparent(true);
    for (signova::AxisPosition position :
         {signova::AxisPosition::Left, signova::AxisPosition::Bottom}) {
        previewChart_.Axis(position).SetLabelsVisible(true);
        previewChart_.Axis(position).Grid().SetColor(signova::clSilver);
    }
    previewChart_.BottomAxis().SetIncrement(0.0);
    curve_ = &previewChart_.AddSeries<signova::TFastLineSeries>("Magnitude");
    curve_->SetSeriesColor(signova::clNavy);
    previewWidget_ = new ChartWidget(previewChart_, this);
    previewWidget_->setObjectName(QStringLiteral("DesignPreview"));

    apply_ = new QPushButton(QStringLiteral("Apply"), this);
    apply_->setObjectName(QStringLiteral("DesignApply"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("DesignClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(apply_);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(rate_);
    layout->addWidget(oddNote_);
    layout->addWidget(problem_);
    layout->addWidget(previewWidget_, 1);
    layout->addLayout(buttons);

    auto changed = [this] {
        ShowFieldsOfType();
        ScheduleRefresh();
    };
    for (QComboBox* combo : {type_, band_, window_})
        connect(combo, &QComboBox::currentIndexChanged, this, changed);
    for (QDoubleSpinBox* box : {edge_, upperEdge_, beta_, transition_, ripple_, attenuation_, radius_})
        connect(box, &QDoubleSpinBox::valueChanged, this, changed);
    connect(size_, &QSpinBox::valueChanged, this, changed);
    connect(apply_, &QPushButton::clicked, this, [this] {
        if (onApply)
            onApply();
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    ShowFieldsOfType();
}

DesignDialog::~DesignDialog() = default;

signova::DesignRequest DesignDialog::Request() const {
    signova::DesignRequest request;
    request.method = Chosen<DesignMethod>(type_);
    request.band = Chosen<BandShape>(band_);
    request.sampleRate = sampleRate_();
    request.edge = edge_->value();
    request.upperEdge = upperEdge_->value();
    request.taps = size_->value();
    request.order = size_->value();
    request.window = Chosen<DesignWindow>(window_);
    request.kaiserBeta = beta_->value();
    request.transition = transition_->value();
    request.rippleDb = ripple_->value();
    request.attenuationDb = attenuation_->value();
    request.radius = radius_->value();
    return request;
}

// Only the fields the chosen type uses are shown.
void DesignDialog::ShowFieldsOfType() {
    const DesignMethod method = Chosen<DesignMethod>(type_);
    const BandShape band = Chosen<BandShape>(band_);
    const bool bands = signova::HasBands(method);
    const bool twoEdges = bands && (band == BandShape::BandPass || band == BandShape::BandStop);
    const bool window = method == DesignMethod::Window;
    const bool ripple = method == DesignMethod::ChebyshevI || method == DesignMethod::Elliptic;
    const bool attenuation =
        method == DesignMethod::ChebyshevII || method == DesignMethod::Elliptic;
    band_->setEnabled(bands);
    edgeLabel_->setText(!bands ? QStringLiteral("Centre f0")
                        : twoEdges ? QStringLiteral("Lower edge")
                                   : QStringLiteral("Cut-off"));
    const auto show = [](QWidget* label, QWidget* field, bool shown) {
        label->setVisible(shown);
        field->setVisible(shown);
    };
    show(upperEdgeLabel_, upperEdge_, twoEdges);
    show(sizeLabel_, size_, bands);
    if (table_ == signova::FilterKind::Iir)
        size_->setMaximum(twoEdges ? signova::MaxBandPrototypeOrder
                                   : signova::MaxLowHighPassOrder);
    sizeLabel_->setText(table_ == signova::FilterKind::Fir ? QStringLiteral("Taps")
                        : twoEdges ? QStringLiteral("Prototype order")
                                   : QStringLiteral("Order"));
    show(windowLabel_, window_, window);
    show(betaLabel_, beta_, window && Chosen<DesignWindow>(window_) == DesignWindow::Kaiser);
    show(transitionLabel_, transition_, method == DesignMethod::Equiripple);
    show(rippleLabel_, ripple_, ripple);
    show(attenuationLabel_, attenuation_, attenuation);
    show(radiusLabel_, radius_, !bands);
}

void DesignDialog::ShowProblem(const std::string& problem) {
    problem_->setText(FromText(problem));
    problem_->setVisible(!problem.empty());
}

std::string DesignDialog::Problem() const {
    return problem_->isHidden() ? std::string() : problem_->text().toStdString();
}

void DesignDialog::ScheduleRefresh() {
    if (refreshPending_ || !isVisible())
        return;
    refreshPending_ = true;
    QMetaObject::invokeMethod(this, &DesignDialog::Refresh, Qt::QueuedConnection);
}

void DesignDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}

void DesignDialog::Refresh() {
    refreshPending_ = false;
    const signova::DesignRequest request = Request();
    rate_->setText(QStringLiteral("Frequencies in Hz at the sample rate of %1 Hz")
                       .arg(request.sampleRate, 0, 'g', 10));
    curve_->Clear();
    const signova::DesignedFilter design = signova::DesignFilter(request);
    ShowProblem(design.error);
    if (!design.Ok())
        return;
    const signova::ResponseView view =
        signova::ViewResponse(signova::TableRead{design.coefficients, {}}, request.sampleRate, 0.0);
    previewChart_.BottomAxis().SetMinMax(0.0, view.halfRate);
    previewChart_.LeftAxis().SetMinMax(view.bottomDb, view.topDb);
    previewChart_.LeftAxis().SetIncrement(DbStep);
    for (std::size_t i = 0; i < view.frequencies.size(); ++i)
        curve_->AddPoint(view.frequencies[i], view.magnitudeDb[i], "", signova::DefaultColor);
}
