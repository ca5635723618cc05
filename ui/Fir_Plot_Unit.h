#pragma once

#include "chart/chart.h"

#include <QDialog>

class ChartWidget;

namespace signova {
class TBarSeries;
}

// The FIR coefficient plot: one bar per coefficient, shown modally until OK.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    signova::TChart& Chart() { return chart_; }
    signova::TBarSeries& Series1() { return *series1_; }

    // Shown centred the first time, then where it was last closed.
    int exec() override;

protected:
    // No Esc and no close button: only OK ends the showing.
    void reject() override {}

private:
    signova::TChart chart_;
    signova::TBarSeries* series1_;
    ChartWidget* Chart1;
    bool shownBefore_ = false;
};
