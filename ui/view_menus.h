#pragma once

#include "engine/sample_pipeline.h"
#include "toolkit/dialogs.h"

#include <QObject>
#include <QPointer>

class ChartWidget;
class QMenu;
class ResponseWindow;
class SpectrumWindow;
class TForm1;

// The views beyond the oscilloscope, reached through context menus of the
// main window: "Frequency response…" on each coefficient table; "Spectrum…",
// the pictures and the samples on the scope. Each window is made the first
// time it is asked for and then only shown again: one of each.
class ViewMenus : public QObject {
    Q_OBJECT
public:
    ViewMenus(TForm1& form, signova::Dialogs& dialogs);
    ~ViewMenus() override;

    void ShowResponse(signova::FilterKind table);
    void ShowSpectrum();

private:
    void AddChartExport(QMenu* menu, ChartWidget* chart);
    void FollowChangesOfResponse();

    TForm1& form_;
    signova::Dialogs& dialogs_;
    QPointer<ResponseWindow> response_;
    QPointer<SpectrumWindow> spectrum_;
};
