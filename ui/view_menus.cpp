#include "ui/view_menus.h"

#include "ui/chart_export.h"
#include "ui/chart_widget.h"
#include "ui/context_menu.h"
#include "ui/grid_view.h"
#include "ui/guarded.h"
#include "ui/response_window.h"
#include "ui/spectrum_window.h"
#include "ui/tool_window.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QComboBox>
#include <QMenu>
#include <QSlider>

namespace {

// Menu texts.
const QString ResponseText = QString::fromUtf8("Frequency response\u2026");
const QString SpectrumText = QString::fromUtf8("Spectrum\u2026");
const QString SavePictureText = QString::fromUtf8("Save picture\u2026");
const QString CopyPictureText = QStringLiteral("Copy picture");
const QString SaveSamplesText = QString::fromUtf8("Save samples as CSV\u2026");

} // namespace

ViewMenus::ViewMenus(const ViewSources& sources, signova::Dialogs& dialogs)
    : sources_(sources), dialogs_(dialogs) {
    auto guard = [this](auto handler) { return Guarded(dialogs_, handler); };
    const struct {
        GridView& grid;
        signova::FilterKind table;
    } tables[] = {{sources_.firGrid, signova::FilterKind::Fir},
                  {sources_.iirGrid, signova::FilterKind::Iir}};
    for (const auto& table : tables) {
        QMenu* menu = ContextMenu::Attach(&table.grid, table.grid.objectName() + "Menu");
        connect(menu->addAction(ResponseText), &QAction::triggered, this,
                guard([this, kind = table.table](bool) { ShowResponse(kind); }));
    }

    ChartWidget* scope = &sources_.scope;
    QMenu* menu = ContextMenu::Attach(scope, scope->objectName() + "Menu");
    scopeMenu_ = menu;
    connect(menu->addAction(SpectrumText), &QAction::triggered, this,
            guard([this](bool) { ShowSpectrum(); }));
    menu->addSeparator();
    AddChartExport(menu, scope);
    connect(menu->addAction(SaveSamplesText), &QAction::triggered, this,
            guard([this](bool) { SaveSamplesCsv(sources_.record, dialogs_); }));
}

ViewMenus::~ViewMenus() = default;

void ViewMenus::AddChartExport(QMenu* menu, ChartWidget* chart) {
    auto guard = [this](auto handler) { return Guarded(dialogs_, handler); };
    connect(menu->addAction(SavePictureText), &QAction::triggered, this,
            guard([this, chart](bool) { SaveChartPicture(*chart, dialogs_); }));
    connect(menu->addAction(CopyPictureText), &QAction::triggered, this,
            guard([chart](bool) { CopyChartPicture(*chart); }));
}

void ViewMenus::ShowResponse(signova::FilterKind table) {
    if (!response_) {
        response_ = new ResponseWindow(sources_.state, sources_.firCells, sources_.iirCells);
        MakeToolWindow(*response_, sources_.window);
        for (ChartWidget* chart : {&response_->MagnitudeChart(), &response_->PhaseChart()})
            AddChartExport(ContextMenu::Attach(chart, chart->objectName() + "Menu"), chart);
        FollowChangesOfResponse();
    }
    response_->ShowTable(table);
}

// The response depends on the table's cells and rows, on the sample rate and
// on the generator's frequency (the dial and the range buttons).
void ViewMenus::FollowChangesOfResponse() {
    ResponseWindow* window = response_;
    auto refresh = [window] { window->ScheduleRefresh(); };
    for (GridView* grid : {&sources_.firGrid, &sources_.iirGrid}) {
        QAbstractItemModel* model = grid->model();
        connect(model, &QAbstractItemModel::dataChanged, window, refresh);
        connect(model, &QAbstractItemModel::rowsInserted, window, refresh);
        connect(model, &QAbstractItemModel::rowsRemoved, window, refresh);
        connect(model, &QAbstractItemModel::modelReset, window, refresh);
    }
    connect(&sources_.dial, &QSlider::valueChanged, window, refresh);
    for (QAbstractButton* button : sources_.rangeButtons)
        connect(button, &QAbstractButton::clicked, window, refresh);
    connect(&sources_.sampleRate, &QComboBox::editTextChanged, window, refresh);
}

void ViewMenus::ShowSpectrum() {
    if (!spectrum_) {
        spectrum_ = new SpectrumWindow(sources_.state, sources_.record);
        MakeToolWindow(*spectrum_, sources_.window);
        ChartWidget* chart = &spectrum_->Chart();
        AddChartExport(ContextMenu::Attach(chart, QStringLiteral("SpectrumChartMenu")), chart);
    }
    spectrum_->show();
    spectrum_->raise();
    spectrum_->activateWindow();
}
