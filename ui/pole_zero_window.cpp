#include "ui/pole_zero_window.h"

#include "analysis/stability.h"
#include "analysis/table_read.h"
#include "toolkit/colors.h"
#include "ui/grid_view.h"
#include "ui/guarded.h"
#include "ui/run_restart.h"
#include "ui/tool_window.h"
#include "ui/toolkit_color.h"
#include "ui/view_window_look.h"
#include "ui/widget_helpers.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

using signova::Root;
using signova::RootRef;
using signova::RootSet;

const QString PoleZeroText = QString::fromUtf8("Poles and zeros\u2026");
// A click this close to a root (pixels) picks it up.
constexpr double PickRadius = 10.0;
// An arrow key moves the chosen root this far in the plane.
constexpr double KeyStep = 0.01;
constexpr double MarkSize = 5.0;
// Roots farther out than this are drawn at the plane's edge.
constexpr double LargestExtent = 10.0;

} // namespace

// ---- the plane ---------------------------------------------------------------

ZPlaneView::ZPlaneView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ZPlane"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(240, 240);
}

void ZPlaneView::Show(const signova::FilterRoots* roots, bool poles) {
    roots_ = roots;
    poles_ = poles;
    if (!dragging_) {
        double largest = 1.0;
        if (roots)
            for (const auto* list : {&roots->zeros.roots, &roots->poles.roots})
                for (const Root& root : *list)
                    largest = std::max(largest, std::abs(root));
        extent_ = std::min(LargestExtent, 1.25 * largest);
        const std::vector<RootRef> all = AllRoots();
        if (selected_ && std::find(all.begin(), all.end(), *selected_) == all.end())
            selected_.reset();
    }
    update();
}

Root ZPlaneView::PointAt(QPointF position) const {
    const double half = std::min(width(), height()) / 2.0;
    return {(position.x() - width() / 2.0) / half * extent_,
            -(position.y() - height() / 2.0) / half * extent_};
}

QPointF ZPlaneView::PositionOf(Root point) const {
    const double half = std::min(width(), height()) / 2.0;
    const double x = std::clamp(point.real(), -extent_, extent_);
    const double y = std::clamp(point.imag(), -extent_, extent_);
    return {width() / 2.0 + x / extent_ * half, height() / 2.0 - y / extent_ * half};
}

std::vector<RootRef> ZPlaneView::AllRoots() const {
    std::vector<RootRef> all;
    if (!roots_)
        return all;
    for (std::size_t i = 0; i < roots_->zeros.roots.size(); ++i)
        all.push_back({RootSet::Zeros, i});
    if (poles_)
        for (std::size_t i = 0; i < roots_->poles.roots.size(); ++i)
            all.push_back({RootSet::Poles, i});
    return all;
}

Root ZPlaneView::RootAt(RootRef ref) const {
    return (ref.set == RootSet::Zeros ? roots_->zeros.roots : roots_->poles.roots)[ref.index];
}

void ZPlaneView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    const QPointF centre = PositionOf({0.0, 0.0});
    painter.setPen(QPen(ToQColor(signova::clSilver), 1));
    painter.drawLine(QPointF(0, centre.y()), QPointF(width(), centre.y()));
    painter.drawLine(QPointF(centre.x(), 0), QPointF(centre.x(), height()));
    const double radius = PositionOf({1.0, 0.0}).x() - centre.x();
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(centre, radius, radius);
    if (!roots_)
        return;

    const auto drawGroups = [&](const std::vector<Root>& list, bool pole) {
        const QColor colour = ToQColor(pole ? signova::clRed : signova::clNavy);
        painter.setPen(QPen(colour, 2));
        for (const signova::ShownRoot& shown : signova::GroupRepeatedRoots(list)) {
            const QPointF at = PositionOf(shown.at);
            if (pole) {
                painter.drawLine(at + QPointF(-MarkSize, -MarkSize), at + QPointF(MarkSize, MarkSize));
                painter.drawLine(at + QPointF(-MarkSize, MarkSize), at + QPointF(MarkSize, -MarkSize));
            } else {
                painter.drawEllipse(at, MarkSize, MarkSize);
            }
            if (shown.multiplicity > 1)
                painter.drawText(at + QPointF(MarkSize + 2, -MarkSize - 2),
                                 QString::number(shown.multiplicity));
        }
    };
    drawGroups(roots_->zeros.roots, false);
    drawGroups(roots_->poles.roots, true);
    if (selected_) {
        painter.setPen(QPen(ToQColor(signova::clGreen), 1, Qt::DashLine));
        painter.drawEllipse(PositionOf(RootAt(*selected_)), MarkSize * 2, MarkSize * 2);
    }
}

void ZPlaneView::mousePressEvent(QMouseEvent* event) {
    double nearest = PickRadius;
    std::optional<RootRef> picked;
    for (const RootRef& ref : AllRoots()) {
        const QPointF d = PositionOf(RootAt(ref)) - event->position();
        const double distance = std::hypot(d.x(), d.y());
        if (distance <= nearest) {
            nearest = distance;
            picked = ref;
        }
    }
    if (!picked)
        return;
    selected_ = picked;
    dragging_ = true;
    update();
}

void ZPlaneView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && selected_ && onMove)
        onMove(*selected_, PointAt(event->position()));
}

void ZPlaneView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_)
        return;
    mouseMoveEvent(event);
    dragging_ = false;
    if (onRelease)
        onRelease();
}

void ZPlaneView::SelectNext(bool forward) {
    const std::vector<RootRef> all = AllRoots();
    if (all.empty())
        return;
    auto at = selected_ ? std::find(all.begin(), all.end(), *selected_) : all.end();
    std::size_t index = 0;
    if (at != all.end()) {
        const auto here = static_cast<std::size_t>(at - all.begin());
        index = forward ? (here + 1) % all.size() : (here + all.size() - 1) % all.size();
    }
    selected_ = all[index];
    update();
}

bool ZPlaneView::focusNextPrevChild(bool next) {
    // Tab chooses a root here rather than leaving the plane.
    SelectNext(next);
    return true;
}

void ZPlaneView::keyPressEvent(QKeyEvent* event) {
    Root step;
    switch (event->key()) {
    case Qt::Key_Left: step = {-KeyStep, 0.0}; break;
    case Qt::Key_Right: step = {KeyStep, 0.0}; break;
    case Qt::Key_Up: step = {0.0, KeyStep}; break;
    case Qt::Key_Down: step = {0.0, -KeyStep}; break;
    default: QWidget::keyPressEvent(event); return;
    }
    if (!selected_ || !onMove)
        return;
    onMove(*selected_, RootAt(*selected_) + step);
    if (onRelease)
        onRelease();
}

// ---- the window --------------------------------------------------------------

PoleZeroWindow::PoleZeroWindow(const PoleZeroSources& sources)
    : QWidget(nullptr, Qt::Window), sources_(sources) {
    UseViewWindowLook(*this, "PoleZeroWindow", QStringLiteral("Poles and zeros"));
    resize(420, 480);
    heading_ = MakeLabel(this, QStringLiteral("Heading"));
    stability_ = MakeLabel(this, QStringLiteral("Stability"));
    QFont bold = font();
    bold.setBold(true);
    heading_->setFont(bold);
    stability_->setFont(bold);
    error_ = MakeLabel(this, QStringLiteral("Error"));
    error_->setWordWrap(true);
    error_->setTextFormat(Qt::PlainText);
    plane_ = new ZPlaneView(this);
    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(heading_, 1);
    headingRow->addWidget(stability_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(headingRow);
    layout->addWidget(error_);
    layout->addWidget(plane_, 1);
    layout->addWidget(MakeLabel(this, {},
                                QStringLiteral("Drag a root, or choose one with Tab and move it "
                                               "with the arrow keys.")));
    plane_->onMove = [this](signova::RootRef root, signova::Root to) { MoveRoot(root, to); };
    plane_->onRelease = [this] { ReleaseRoot(); };
    MakeToolWindow(*this, sources_.window);

    for (signova::FilterKind table : {signova::FilterKind::Fir, signova::FilterKind::Iir}) {
        QAbstractItemModel* model =
            (table == signova::FilterKind::Fir ? sources_.firGrid : sources_.iirGrid).model();
        const auto reload = [this] { ScheduleReload(); };
        connect(model, &QAbstractItemModel::dataChanged, this, reload);
        connect(model, &QAbstractItemModel::rowsInserted, this, reload);
        connect(model, &QAbstractItemModel::rowsRemoved, this, reload);
        connect(model, &QAbstractItemModel::modelReset, this, reload);
    }
    connect(&sources_.pages, &QTabWidget::currentChanged, this, [this] {
        QWidget* page = sources_.pages.currentWidget();
        if (!isVisible() || (page != &sources_.firPage && page != &sources_.iirPage))
            return;
        table_ = page == &sources_.iirPage ? signova::FilterKind::Iir : signova::FilterKind::Fir;
        Reload();
    });
}

PoleZeroWindow::~PoleZeroWindow() = default;

void PoleZeroWindow::ShowTable(signova::FilterKind table) {
    table_ = table;
    Reload();
    show();
    raise();
    activateWindow();
}

void PoleZeroWindow::ScheduleReload() {
    // Our own writes while a root moves change nothing: the roots lead.
    if (writing_ || reloadPending_ || !isVisible())
        return;
    reloadPending_ = true;
    QMetaObject::invokeMethod(this, &PoleZeroWindow::Reload, Qt::QueuedConnection);
}

void PoleZeroWindow::Reload() {
    reloadPending_ = false;
    const bool iir = table_ == signova::FilterKind::Iir;
    const signova::TableRead read = iir
                                        ? signova::ReadIirTable(sources_.iirCells, sources_.state.IirOrder)
                                        : signova::ReadFirTable(sources_.firCells);
    setWindowTitle(iir ? QStringLiteral("Poles and zeros: IIR table")
                       : QStringLiteral("Poles and zeros: FIR table"));
    heading_->setText(iir ? QStringLiteral("IIR table") : QStringLiteral("FIR table"));
    error_->setText(read.Ok() ? QString() : FromBytes(read.errors.front()));
    error_->setVisible(!read.Ok());
    coefficients_ = read.Ok() ? read.coefficients : signova::FilterCoefficients{};
    roots_ = read.Ok() ? signova::RootsOfFilter(coefficients_) : signova::FilterRoots{};
    plane_->Show(read.Ok() ? &roots_ : nullptr, iir);
    ShowStability();
}

void PoleZeroWindow::ShowStability() {
    const bool iir = table_ == signova::FilterKind::Iir;
    stability_->setVisible(iir && error_->isHidden());
    const bool stable = signova::IsStable(coefficients_);
    stability_->setText(stable ? QStringLiteral("stable") : QStringLiteral("unstable"));
    QPalette palette = stability_->palette();
    palette.setColor(QPalette::WindowText, ToQColor(stable ? signova::clGreen : signova::clRed));
    stability_->setPalette(palette);
}

QString PoleZeroWindow::StabilityText() const {
    return stability_->isHidden() ? QString() : stability_->text();
}

void PoleZeroWindow::MoveRoot(signova::RootRef root, signova::Root to) {
    const bool fir = table_ == signova::FilterKind::Fir;
    if (coefficients_.b.empty() || (fir && root.set == RootSet::Poles))
        return;
    signova::MoveRoot(roots_, root, to);
    coefficients_ = signova::CoefficientsOfRoots(roots_, coefficients_);
    if (sources_.zerosMoved)
        sources_.zerosMoved(coefficients_.b, roots_.zeros.roots);
    writing_ = true;
    (fir ? sources_.firGrid : sources_.iirGrid).CancelEdit();
    signova::WriteCoefficientCells(coefficients_, table_, fir ? sources_.firCells : sources_.iirCells);
    writing_ = false;
    plane_->Show(&roots_, !fir);
    ShowStability();
}

void PoleZeroWindow::ReleaseRoot() {
    // The running filter takes the new coefficients when its run starts again.
    sources_.restart.Restart();
    sources_.tableChanged(table_);
}

// ---- the menus -----------------------------------------------------------------

PoleZeroMenus::PoleZeroMenus(const PoleZeroSources& sources) : sources_(sources) {
    for (signova::FilterKind table : {signova::FilterKind::Fir, signova::FilterKind::Iir}) {
        QMenu& menu = table == signova::FilterKind::Fir ? sources_.firMenu : sources_.iirMenu;
        connect(menu.addAction(PoleZeroText), &QAction::triggered, this,
                [this, table](bool) { ShowTable(table); });
    }
}

PoleZeroMenus::~PoleZeroMenus() = default;

void PoleZeroMenus::ShowTable(signova::FilterKind table) {
    if (!window_)
        window_ = new PoleZeroWindow(sources_);
    window_->ShowTable(table);
}
