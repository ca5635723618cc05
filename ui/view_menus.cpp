#include "ui/view_menus.h"

#include "ui/SIGNOVA_Unit.h"
#include "ui/chart_export.h"
#include "ui/chart_widget.h"
#include "ui/context_menu.h"
#include "ui/grid_view.h"
#include "ui/guarded.h"
#include "ui/response_window.h"
#include "ui/spectrum_window.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QComboBox>
#include <QMenu>
#include <QSlider>

#include <stdexcept>
#include <string>

namespace {

// The main window's control of that name; a missing one is a fault of the
// window's build.
template <typename Widget> Widget* Child(QObject& parent, const char* name) {
    auto* child = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (child == nullptr)
        throw std::logic_error(std::string("no control named ") + name);
    return child;
}

// Menu texts.
const QString ResponseText = QString::fromUtf8("Frequency response\u2026");
const QString SpectrumText = QString::fromUtf8("Spectrum\u2026");
const QString SavePictureText = QString::fromUtf8("Save picture\u2026");
const QString CopyPictureText = QStringLiteral("Copy picture");
const QString SaveSamplesText = QString::fromUtf8("Save samples as CSV\u2026");

} // namespace

ViewMenus::ViewMenus(TForm1& form, signova::Dialogs& dialogs) : form_(form), dialogs_(dialogs) {
    auto guard = [this](auto handler) { return Guarded(dialogs_, handler); };
    const struct {
        const char* grid;
        signova::FilterKind table;
    } tables[] = {{"FIRgrid", signova::FilterKind::Fir}, {"IIRGrid", signova::FilterKind::Iir}};
    for (const auto& table : tables) {
        auto* grid = Child<GridView>(form_, table.grid);
        QMenu* menu = ContextMenu::Attach(grid, QString::fromLatin1(table.grid) + "Menu");
        connect(menu->addAction(ResponseText), &QAction::triggered, this,
                guard([this, kind = table.table](bool) { ShowResponse(kind); }));
    }

    auto* scope = Child<ChartWidget>(form_, "Chart1");
    QMenu* menu = ContextMenu::Attach(scope, QStringLiteral("Chart1Menu"));
    connect(menu->addAction(SpectrumText), &QAction::triggered, this,
            guard([this](bool) { ShowSpectrum(); }));
    menu->addSeparator();
    AddChartExport(menu, scope);
    connect(menu->addAction(SaveSamplesText), &QAction::triggered, this,
            guard([this](bool) { SaveSamplesCsv(form_.Record(), dialogs_); }));
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
        response_ = new ResponseWindow(form_.State(), form_.FirCells(), form_.IirCells(), &form_);
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
    for (const char* grid : {"FIRgrid", "IIRGrid"}) {
        QAbstractItemModel* model = Child<GridView>(form_, grid)->model();
        connect(model, &QAbstractItemModel::dataChanged, window, refresh);
        connect(model, &QAbstractItemModel::rowsInserted, window, refresh);
        connect(model, &QAbstractItemModel::rowsRemoved, window, refresh);
        connect(model, &QAbstractItemModel::modelReset, window, refresh);
    }
    connect(Child<QSlider>(form_, "Dial"), &QSlider::valueChanged, window, refresh);
    for (const char* button : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"})
        connect(Child<QAbstractButton>(form_, button), &QAbstractButton::clicked, window, refresh);
    connect(Child<QComboBox>(form_, "Sample"), &QComboBox::editTextChanged, window, refresh);
}

void ViewMenus::ShowSpectrum() {
    if (!spectrum_) {
        spectrum_ = new SpectrumWindow(form_.State(), form_.Record(), &form_);
        ChartWidget* chart = &spectrum_->Chart();
        AddChartExport(ContextMenu::Attach(chart, QStringLiteral("SpectrumChartMenu")), chart);
    }
    spectrum_->show();
    spectrum_->raise();
    spectrum_->activateWindow();
}
