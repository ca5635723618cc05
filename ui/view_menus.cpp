#include "ui/view_menus.h"

#include "ui/chart_export.h"
#include "ui/chart_widget.h"
#include "ui/context_menu.h"
#include "ui/grid_view.h"
#include "ui/guarded.h"
#include "ui/projector_view.h"
#include "ui/response_window.h"
#include "ui/spectrum_window.h"
#include "ui/tool_window.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QSlider>
#include <QTabWidget>
#include <QtMath>

#include <utility>

namespace {

// Menu texts.
const QString ResponseText = QString::fromUtf8("Frequency response\u2026");
const QString SpectrumText = QString::fromUtf8("Spectrum\u2026");
const QString SavePictureText = QString::fromUtf8("Save picture\u2026");
const QString CopyPictureText = QStringLiteral("Copy picture");
const QString SaveSamplesText = QString::fromUtf8("Save samples as CSV\u2026");

// A view's picture: the chart at the screen's pixel ratio, its read-outs under it.
QImage ViewPicture(ChartWidget& chart, const std::string& readouts) {
    return ChartPicture(chart, readouts, qMax(1, qCeil(chart.devicePixelRatioF())));
}

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
        (table.table == signova::FilterKind::Fir ? firMenu_ : iirMenu_) = menu;
        connect(menu->addAction(ResponseText), &QAction::triggered, this,
                guard([this, kind = table.table](bool) { ShowResponse(kind); }));
    }

    ChartWidget* scope = &sources_.scope;
    QMenu* menu = ContextMenu::Attach(scope, scope->objectName() + "Menu");
    scopeMenu_ = menu;
    connect(menu->addAction(SpectrumText), &QAction::triggered, this,
            guard([this](bool) { ShowSpectrum(); }));
    menu->addSeparator();
    AddPictureExport(menu, [this, scope] { return ScopePicture(*scope, sources_.scopeCaption()); });
    connect(menu->addAction(SaveSamplesText), &QAction::triggered, this,
            guard([this](bool) { SaveSamplesCsv(sources_.record, dialogs_); }));
    menu->addSeparator();

    connect(&sources_.pages, &QTabWidget::currentChanged, this, [this] {
        QWidget* page = sources_.pages.currentWidget();
        if (page != &sources_.firPage && page != &sources_.iirPage)
            return;
        pageTable_ = page == &sources_.iirPage ? signova::FilterKind::Iir : signova::FilterKind::Fir;
        if (response_ && response_->isVisible() && response_->Table() != pageTable_)
            response_->FollowTable(pageTable_);
    });
}

ViewMenus::~ViewMenus() = default;

// Phase, unwrapped phase, group delay, impulse or step response in the
// window's lower chart; the menu
// shows the one shown when it opens.
void ViewMenus::AddLowerViewChoice(QMenu& menu, ResponseWindow& window) {
    using Lower = ResponseWindow::LowerView;
    auto* group = new QActionGroup(&menu);
    for (const auto& [text, view] : {std::pair{"Phase", Lower::Phase},
                                     std::pair{"Unwrapped phase", Lower::UnwrappedPhase},
                                     std::pair{"Group delay", Lower::GroupDelay},
                                     std::pair{"Impulse response", Lower::Impulse},
                                     std::pair{"Step response", Lower::Step}}) {
        QAction* action = menu.addAction(QString::fromLatin1(text));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, &window,
                Guarded(dialogs_, [&window, view = view](bool) { window.ShowLowerView(view); }));
        connect(&menu, &QMenu::aboutToShow, action,
                [action, &window, view = view] { action->setChecked(window.Lower() == view); });
    }
    menu.addSeparator();
}

void ViewMenus::AddPictureExport(QMenu* menu, std::function<QImage()> picture) {
    auto guard = [this](auto handler) { return Guarded(dialogs_, handler); };
    connect(menu->addAction(SavePictureText), &QAction::triggered, this,
            guard([this, picture](bool) { SavePicture(picture(), dialogs_); }));
    connect(menu->addAction(CopyPictureText), &QAction::triggered, this,
            guard([picture](bool) { CopyPicture(picture()); }));
}

void ViewMenus::ShowResponse(signova::FilterKind table) {
    if (!response_) {
        response_ = new ResponseWindow(sources_.state, sources_.firCells, sources_.iirCells);
        MakeToolWindow(*response_, sources_.window);
        ResponseWindow* window = response_;
        sources_.projector.AddZoomKeys(*window);
        for (ChartWidget* chart : {&window->MagnitudeChart(), &window->PhaseChart()}) {
            QMenu* menu = ContextMenu::Attach(chart, chart->objectName() + "Menu");
            AddLowerViewChoice(*menu, *window);
            AddPictureExport(menu,
                             [window, chart] { return ViewPicture(*chart, window->ReadoutText()); });
            sources_.projector.AddChart(*chart);
            sources_.projector.AddMenuEntry(*menu);
        }
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
        SpectrumWindow* window = spectrum_;
        ChartWidget* chart = &window->Chart();
        QMenu* menu = ContextMenu::Attach(chart, QStringLiteral("SpectrumChartMenu"));
        window->AddAveragingTo(*menu);
        AddPictureExport(menu,
                         [window, chart] { return ViewPicture(*chart, window->ReadoutText()); });
        sources_.projector.AddZoomKeys(*window);
        sources_.projector.AddChart(*chart);
        sources_.projector.AddMenuEntry(*menu);
    }
    spectrum_->show();
    spectrum_->raise();
    spectrum_->activateWindow();
}

std::optional<signova::FilterKind> ViewMenus::ShownResponse() const {
    if (response_ && response_->isVisible())
        return response_->Table();
    return std::nullopt;
}

bool ViewMenus::SpectrumShown() const {
    return spectrum_ && spectrum_->isVisible();
}

void ViewMenus::HideResponse() {
    if (response_)
        response_->hide();
}

void ViewMenus::HideSpectrum() {
    if (spectrum_)
        spectrum_->hide();
}

QMenu& ViewMenus::TableMenu(signova::FilterKind table) const {
    return table == signova::FilterKind::Fir ? *firMenu_ : *iirMenu_;
}

ResponseWindow* ViewMenus::Response() const {
    return response_;
}

void ViewMenus::TakeKnownZeros(const std::vector<double>& b,
                               const std::vector<signova::Root>& zeros) {
    if (response_)
        response_->TakeKnownZeros(b, zeros);
}

SpectrumWindow* ViewMenus::Spectrum() const {
    return spectrum_;
}
