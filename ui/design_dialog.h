#pragma once

#include "chart/chart.h"
#include "design/filter_design.h"
#include "engine/sample_pipeline.h"

#include <QWidget>

#include <functional>
#include <string>

class ChartWidget;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace signova {
class TFastLineSeries;
}

// "Design filter…" of one table: the type, the band edges in Hz at the
// current sample rate, taps or order, the window, ripple and attenuation
// where the type has them, and a live preview of the magnitude the design
// would have. Apply hands the request to `onApply`; a design that
// cannot be made or misses its request is said here instead.
class DesignDialog : public QWidget {
    Q_OBJECT
public:
    // `sampleRate` is read each time the preview is computed.
    DesignDialog(signova::FilterKind table, std::function<double()> sampleRate,
                 QWidget* parent = nullptr);
    ~DesignDialog() override;

    signova::FilterKind Table() const { return table_; }
    // The request the controls show, at the current sample rate.
    signova::DesignRequest Request() const;
    // Why the last design could not be written (empty: none).
    void ShowProblem(const std::string& problem);
    std::string Problem() const;
    // Recomputes the preview (a change of any control asks for one, once per
    // message pass however many came).
    void ScheduleRefresh();
    void Refresh();

    // Called by Apply.
    std::function<void()> onApply;

    // The preview, for tests and pictures.
    ChartWidget& Preview() const { return *previewWidget_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowFieldsOfType();

    signova::FilterKind table_;
    std::function<double()> sampleRate_;
    bool refreshPending_ = false;

    QComboBox* type_;
    QComboBox* band_;
    QLabel* edgeLabel_;
    QDoubleSpinBox* edge_;
    QLabel* upperEdgeLabel_;
    QDoubleSpinBox* upperEdge_;
    QLabel* sizeLabel_;
    QSpinBox* size_;
    QLabel* windowLabel_;
    QComboBox* window_;
    QLabel* betaLabel_;
    QDoubleSpinBox* beta_;
    QLabel* transitionLabel_;
    QDoubleSpinBox* transition_;
    QLabel* rippleLabel_;
    QDoubleSpinBox* ripple_;
    QLabel* attenuationLabel_;
    QDoubleSpinBox* attenuation_;
    QLabel* radiusLabel_;
    QDoubleSpinBox* radius_;
    QLabel* rate_;
    QLabel* oddNote_;
    QLabel* problem_;
    signova::TChart previewChart_;
    signova::TFastLineSeries* curve_;
    ChartWidget* previewWidget_;
    QPushButton* apply_;
};
