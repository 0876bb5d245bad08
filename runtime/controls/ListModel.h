#pragma once
// The cells a ListControl shows, for its table view: either the rows the
// program handed over, kept as shown text, or a ListSource that is asked for
// each cell only when the view needs it (a virtual list). Headers, alignment,
// pictures and indents come from the list's format. Internal to the runtime;
// GUI thread only.

#include <QAbstractTableModel>
#include <QColor>
#include <QString>
#include <map>
#include <vector>

#include "runtime/controls/ListFormat.h"
#include "runtime/controls/ListSource.h"
#include "runtime/text/Value.h"

namespace rt {

class ListModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // The format's columns and, for each, the spaces that indent its cells.
    void setColumns(std::vector<ListColumn> columns, std::vector<int> indents);
    void setHeaderText(int column, const QString& text);  // 0-based, as all below
    QString headerText(int column) const;
    // The header text shown moved right by this many spaces.
    void setHeaderShift(int column, int spaces);

    // Replaces the rows and leaves virtual mode.
    void setRows(const std::vector<std::vector<Value>>& rows);
    // Replaces the handed-over row at 0-based row; the view repaints it.
    // REQUIRES: not virtual, row < rowCount().
    void setRow(int row, const std::vector<Value>& values);
    // Feeds the list from source from now on; an empty source leaves no rows.
    void setSource(ListSource source);
    bool isVirtual() const { return static_cast<bool>(source_); }
    // Asks the source whether anything changed; when it did, reads the row
    // count again and has the view ask for every cell anew. Answers whether
    // the rows were reset.
    bool refresh();

    // The text colour of a column's cells; an invalid colour is the view's own.
    void setForeground(int column, const QColor& color);
    QColor foreground(int column) const;

    // The cell as shown, indent included.
    QString cell(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<QString> shownRow(const std::vector<Value>& values) const;
    QString shown(const Value& value, int column) const;
    QString indented(const QString& text, int column) const;
    int askCount(int question) const;
    void readCounts();

    std::vector<ListColumn> columns_;
    std::vector<int> indents_;
    std::vector<int> headerShifts_;           // spaces, by column
    std::vector<std::vector<QString>> rows_;  // handed-over rows, as shown
    std::map<int, QColor> foreground_;        // column -> text colour
    ListSource source_;
    int sourceRows_ = 0;
    int sourceColumns_ = 0;
};

}  // namespace rt
