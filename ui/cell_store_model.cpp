#include "ui/cell_store_model.h"

#include "toolkit/shown_text.h"

#include <QBrush>
#include <QPalette>
#include <QTextDocument>

namespace {

// A tooltip that looks like markup is shown as markup: such a text is
// written out so that its characters show as they are.
QString ToolTipText(const std::string& cell) {
    const QString text = QString::fromUtf8(signova::ShownBoxText(cell, signova::NamesPath::No));
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text;
}

} // namespace

CellStoreModel::CellStoreModel(signova::CellStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store), shownRows_(store.RowCount()) {
    store_.SetObserver(this);
}

CellStoreModel::~CellStoreModel() {
    store_.SetObserver(nullptr);
}

void CellStoreModel::SetCanSelect(std::function<bool(int, int)> canSelect) {
    canSelect_ = std::move(canSelect);
}

int CellStoreModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int CellStoreModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : store_.ColumnCount();
}

bool CellStoreModel::IsFixed(int column, int row) const {
    return column < store_.FixedColumns() || row < store_.FixedRows();
}

QVariant CellStoreModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const std::string& cell = store_.Cell(index.column(), index.row());
    switch (role) {
    case Qt::DisplayRole: {
        // Drawing lays out the whole text it is given, also what the cell
        // cannot show.
        const std::string_view shown = signova::ShownStart(cell, signova::MaxShownCellLength);
        return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
    }
    case Qt::EditRole:
        return QString::fromUtf8(cell);
    case Qt::ToolTipRole:
        if (cell.empty())
            return {};
        return ToolTipText(cell);
    case Qt::BackgroundRole:
        if (IsFixed(index.column(), index.row()))
            return QBrush(QPalette().color(QPalette::Button));
        return {};
    default:
        return {};
    }
}

bool CellStoreModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || IsFixed(index.column(), index.row()))
        return false;
    store_.SetCell(index.column(), index.row(), value.toString().toStdString());
    return true;
}

Qt::ItemFlags CellStoreModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (IsFixed(index.column(), index.row()))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsEditable;
    if (!canSelect_ || canSelect_(index.column(), index.row()))
        flags |= Qt::ItemIsSelectable;
    return flags;
}

void CellStoreModel::CellChanged(int column, int row) {
    if (row >= shownRows_)
        return;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed);
}

void CellStoreModel::LayoutChanged() {
    // Rows are added or taken away at the end so that an open editor elsewhere
    // in the table survives.
    const int rows = store_.RowCount();
    if (rows > shownRows_) {
        beginInsertRows({}, shownRows_, rows - 1);
        shownRows_ = rows;
        endInsertRows();
    } else if (rows < shownRows_) {
        beginRemoveRows({}, rows, shownRows_ - 1);
        shownRows_ = rows;
        endRemoveRows();
    }
    if (shownRows_ > 0)
        emit dataChanged(index(0, 0), index(shownRows_ - 1, store_.ColumnCount() - 1));
}
