#include "runtime/controls/ListModel.h"

#include <algorithm>

#include "runtime/picture/DisplayText.h"

namespace rt {

namespace {

Qt::Alignment alignmentOf(ColumnAlign a) {
    switch (a) {
        case ColumnAlign::Right:
        case ColumnAlign::Decimal:
            return Qt::AlignRight | Qt::AlignVCenter;
        case ColumnAlign::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

void ListModel::setColumns(std::vector<ListColumn> columns, std::vector<int> indents) {
    beginResetModel();
    columns_ = std::move(columns);
    indents_ = std::move(indents);
    indents_.resize(columns_.size(), 0);
    headerShifts_.assign(columns_.size(), 0);
    endResetModel();
}

void ListModel::setHeaderText(int column, const QString& text) {
    if (column < 0 || column >= columnCount()) return;
    columns_[static_cast<std::size_t>(column)].header = text.toStdString();
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void ListModel::setHeaderShift(int column, int spaces) {
    if (column < 0 || column >= columnCount()) return;
    headerShifts_[static_cast<std::size_t>(column)] = spaces;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString ListModel::headerText(int column) const {
    if (column < 0 || column >= columnCount()) return {};
    return QString::fromStdString(columns_[static_cast<std::size_t>(column)].header);
}

QString ListModel::shown(const Value& value, int column) const {
    return indented(QString::fromStdString(formatForDisplay(
                        value, columns_[static_cast<std::size_t>(column)].picture)),
                    column);
}

QString ListModel::indented(const QString& text, int column) const {
    QString indent(indents_[static_cast<std::size_t>(column)], ' ');
    return columns_[static_cast<std::size_t>(column)].align == ColumnAlign::Right ? text + indent
                                                                                  : indent + text;
}

std::vector<QString> ListModel::shownRow(const std::vector<Value>& values) const {
    std::vector<QString> cells(columns_.size());
    for (std::size_t c = 0; c < cells.size(); ++c)
        cells[c] = c < values.size() ? shown(values[c], static_cast<int>(c))
                                     : indented({}, static_cast<int>(c));
    return cells;
}

void ListModel::setRows(const std::vector<std::vector<Value>>& rows) {
    beginResetModel();
    source_ = nullptr;
    rows_.clear();
    rows_.reserve(rows.size());
    for (const auto& row : rows) rows_.push_back(shownRow(row));
    endResetModel();
}

void ListModel::setRow(int row, const std::vector<Value>& values) {
    rows_[static_cast<std::size_t>(row)] = shownRow(values);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void ListModel::setSource(ListSource source) {
    beginResetModel();
    rows_.clear();
    source_ = std::move(source);
    readCounts();
    endResetModel();
}

bool ListModel::refresh() {
    if (!source_ || askCount(ListAskChanged) != 1) return false;
    beginResetModel();
    readCounts();
    endResetModel();
    return true;
}

int ListModel::askCount(int question) const {
    return std::max(0, static_cast<int>(source_(question, 0).number()));
}

void ListModel::readCounts() {
    sourceRows_ = source_ ? askCount(ListAskRows) : 0;
    sourceColumns_ = source_ ? askCount(ListAskColumns) : 0;
}

void ListModel::setForeground(int column, const QColor& color) {
    if (column < 0 || column >= columnCount()) return;
    if (color.isValid())
        foreground_[column] = color;
    else
        foreground_.erase(column);
    if (rowCount() > 0) emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

QColor ListModel::foreground(int column) const {
    auto it = foreground_.find(column);
    return it == foreground_.end() ? QColor() : it->second;
}

QString ListModel::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    if (!source_) return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    // Columns the source cannot fill stay blank rather than being asked for.
    if (column >= sourceColumns_) return indented({}, column);
    return shown(source_(row + 1, column + 1), column);
}

int ListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return source_ ? sourceRows_ : static_cast<int>(rows_.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
            return cell(index.row(), index.column());
        // A listener hears the value, not the spaces that indent it.
        case Qt::AccessibleTextRole:
            return cell(index.row(), index.column()).trimmed();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(
                alignmentOf(columns_[static_cast<std::size_t>(index.column())].align));
        case Qt::ForegroundRole: {
            QColor color = foreground(index.column());
            return color.isValid() ? QVariant(color) : QVariant();
        }
        default:
            return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const ListColumn& col = columns_[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return QString(headerShifts_[static_cast<std::size_t>(section)], ' ') +
               QString::fromStdString(col.header);
    if (role == Qt::AccessibleTextRole) return QString::fromStdString(col.header).trimmed();
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(alignmentOf(col.headerAlign));
    return {};
}

}  // namespace rt
