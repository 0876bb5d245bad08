#include "runtime/controls/ListControl.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

#include "runtime/controls/Events.h"
#include "runtime/controls/ListCellDelegate.h"
#include "runtime/controls/ListModel.h"
#include "runtime/picture/DisplayText.h"

namespace rt {

namespace {

// Pixels of the grab zone either side of a column border.
constexpr int kBorderZone = 4;

ListControl::AnnounceHook& announceHook() {
    static ListControl::AnnounceHook hook;
    return hook;
}

bool sameRow(const std::vector<Value>& a, const std::vector<Value>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Value& x, const Value& y) {
        return x.isText() == y.isText() && x.text() == y.text();
    });
}

}  // namespace

QWidget* ListControl::createWidget(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    table_ = new QTableView(box);
    model_ = new ListModel(table_);
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->setShowGrid(false);
    table_->setWordWrap(false);
    // A cell's text is clipped at the column's edge, never elided.
    table_->setTextElideMode(Qt::ElideNone);
    table_->setItemDelegate(new ListCellDelegate(table_));
    table_->horizontalHeader()->setHighlightSections(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    box->setFocusProxy(table_);
    layout->addWidget(table_);
    if (pageLoaded()) {
        table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        bar_ = new QScrollBar(Qt::Vertical, box);
        bar_->setRange(0, 100);
        bar_->setPageStep(10);
        bar_->setVisible((decl_.flags & FlagVScroll) != 0);
        layout->addWidget(bar_);
        connectScrollBar();
    } else if (!(decl_.flags & FlagVScroll)) {
        table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    QObject::connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, table_,
                     [this](const QModelIndex& now, const QModelIndex& old) {
                         if (!quiet_ && now.row() != old.row()) post(EventNewSelection);
                         // The table view tells a screen reader of a new
                         // current cell itself.
                         toldRow_ = choice();
                         toldText_ = choiceText();
                         placeEditor();
                     });
    // A press on the row a control is laid over moves nothing by itself.
    QObject::connect(table_, &QAbstractItemView::pressed, table_, [this](const QModelIndex& at) {
        if (editColumn_ != 0 && at.row() + 1 == rowBeforePress_) post(EventNewSelection);
    });
    QObject::connect(table_->horizontalHeader(), &QHeaderView::sectionResized, table_,
                     [this] { placeEditor(); });
    QObject::connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged, table_,
                     [this] { placeEditor(); });
    format_ = ListFormat::parse(decl_.format);
    applyFormat();
    return box;
}

void ListControl::connectScrollBar() {
    QObject::connect(bar_, &QScrollBar::actionTriggered, bar_, [this](int action) {
        switch (action) {
            case QAbstractSlider::SliderSingleStepSub:
                post(EventScrollUp);
                break;
            case QAbstractSlider::SliderSingleStepAdd:
                post(EventScrollDown);
                break;
            case QAbstractSlider::SliderPageStepSub:
                post(EventPageUp);
                break;
            case QAbstractSlider::SliderPageStepAdd:
                post(EventPageDown);
                break;
            case QAbstractSlider::SliderToMinimum:
                post(EventScrollTop);
                break;
            case QAbstractSlider::SliderToMaximum:
                post(EventScrollBottom);
                break;
            default:
                break;
        }
    });
    QObject::connect(bar_, &QScrollBar::sliderReleased, bar_, [this] { post(EventScrollDrag); });
}

void ListControl::applyFormat() {
    const auto& cols = format_.columns();
    const DialogUnits& u = host().units();
    // The indent is given in dialog units; a space is about two.
    const int space = std::max(1, table_->fontMetrics().horizontalAdvance(' '));
    std::vector<int> indents;
    for (const ListColumn& col : cols) indents.push_back(col.indent * u.baseX() / 4 / space);
    model_->setColumns(cols, std::move(indents));
    QHeaderView* header = table_->horizontalHeader();
    for (int c = 0; c < static_cast<int>(cols.size()); ++c) {
        const ListColumn& col = cols[static_cast<size_t>(c)];
        table_->setColumnWidth(c, u.toPixelsX(col.width));
        header->setSectionResizeMode(c,
                                     col.resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
    }
    header->setStretchLastSection(false);
    headerShifts_.assign(cols.size(), 0);
    header->setVisible(!cols.empty());
}

int ListControl::shiftSpaces(int units) const {
    if (units <= 0) return 0;
    int pixels = host().units().toPixelsX(units);
    int space = std::max(1, table_->horizontalHeader()->fontMetrics().horizontalAdvance(' '));
    return std::max(1, (pixels + space / 2) / space);
}

QWidget* ListControl::focusTarget() const {
    return table_;
}

void ListControl::setRows(const std::vector<std::vector<Value>>& rows) {
    keepChoice([&] { model_->setRows(rows); });
    if (rowsSource_) fromSource_ = rows;
}

void ListControl::setSource(ListSource source) {
    keepChoice([&] { model_->setSource(std::move(source)); });
}

void ListControl::display() {
    if (rowsSource_) {
        std::vector<std::vector<Value>> rows = rowsSource_();
        // As many rows as shown: only the rows that differ are shown anew
        // (the header, the highlight and the rest of the page stay).
        if (!model_->isVirtual() && rows.size() == fromSource_.size() &&
            static_cast<int>(rows.size()) == model_->rowCount()) {
            for (std::size_t r = 0; r < rows.size(); ++r)
                if (!sameRow(rows[r], fromSource_[r])) model_->setRow(static_cast<int>(r), rows[r]);
            placeEditor();
            announceChoice();
        } else {
            keepChoice([&] { model_->setRows(rows); });
        }
        fromSource_ = std::move(rows);
    } else if (model_->isVirtual()) {
        keepChoice([&] { model_->refresh(); });
    }
    Control::display();
}

void ListControl::keepChoice(const std::function<void()>& change) {
    int keep = choice();
    quiet_ = true;
    change();
    quiet_ = false;
    if (keep > 0) setChoice(std::min(keep, rowCount()));
    placeEditor();
    announceChoice();
}

// A page-loaded list mostly keeps its highlight on the same row while the
// browse reads other records under it; the table view says nothing then, as
// its current cell did not move, so the list says it.
void ListControl::announceChoice() {
    int row = choice();
    QString text = choiceText();
    if (row == toldRow_ && text == toldText_) return;
    toldRow_ = row;
    toldText_ = text;
    if (row <= 0 || !table_->hasFocus()) return;
    if (announceHook()) return announceHook()(row, text.toStdString());
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(table_);
    QAccessibleTableInterface* cells = list ? list->tableInterface() : nullptr;
    QAccessibleInterface* cell = cells ? cells->cellAt(row - 1, 0) : nullptr;
    if (!cell) return;
    QAccessibleEvent focus(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    QAccessibleEvent selected(cell, QAccessible::SelectionAdd);
    QAccessible::updateAccessibility(&selected);
}

ListControl::AnnounceHook ListControl::TEST_setAnnounceHook(AnnounceHook hook) {
    std::swap(hook, announceHook());
    return hook;
}

QString ListControl::choiceText() const {
    QStringList cells;
    for (int c = 0; c < model_->columnCount(); ++c) cells << model_->cell(choice() - 1, c);
    return cells.join('\t');
}

void ListControl::applyAccessibleName(const QString& name) {
    table_->setAccessibleName(name);
    if (bar_) bar_->setAccessibleName(name);
}

// The control covers the cell exactly, in the window's coordinates; a
// column of no width, or no highlighted row, leaves nowhere to put it.
void ListControl::placeEditor() {
    Control* editor = editColumn_ ? host().controlAt(editControl_) : nullptr;
    if (!editor || !editor->widget()) return;
    int row = choice();
    QRect cell;
    if (row > 0 && editColumn_ <= model_->columnCount())
        cell = table_->visualRect(model_->index(row - 1, editColumn_ - 1))
                   .intersected(table_->viewport()->rect());
    if (cell.isEmpty()) {
        editor->setHidden(true);
        return;
    }
    QWidget* w = editor->widget();
    QPoint at = w->parentWidget()->mapFromGlobal(table_->viewport()->mapToGlobal(cell.topLeft()));
    w->setGeometry(QRect(at, cell.size()));
    editor->setHidden(false);
    w->raise();
}

void ListControl::releaseEditor() {
    if (Control* editor = host().controlAt(editControl_)) editor->setHidden(true);
    editColumn_ = editControl_ = 0;
}

bool ListControl::variableChanged() const {
    if (!rowsSource_) return false;
    std::vector<std::vector<Value>> rows = rowsSource_();
    return !std::equal(rows.begin(), rows.end(), fromSource_.begin(), fromSource_.end(), sameRow);
}

int ListControl::rowCount() const {
    return model_->rowCount();
}

std::string ListControl::cellText(int row, int column) const {
    return model_->cell(row - 1, column - 1).trimmed().toStdString();
}

int ListControl::choice() const {
    return table_->currentIndex().row() + 1;
}

void ListControl::setChoice(int row) {
    quiet_ = true;
    if (row <= 0 || row > rowCount()) {
        table_->setCurrentIndex({});
    } else {
        table_->setCurrentIndex(model_->index(row - 1, 0));
        table_->selectRow(row - 1);
    }
    quiet_ = false;
}

int ListControl::visibleRows() const {
    int rowHeight = std::max(1, table_->verticalHeader()->defaultSectionSize());
    return std::max(1, table_->viewport()->height() / rowHeight);
}

QWidget* ListControl::rowArea() const {
    return table_->viewport();
}
QWidget* ListControl::headerArea() const {
    return table_->horizontalHeader()->viewport();
}

QPoint ListControl::cellCentre(int row, int column) const {
    return table_->visualRect(table_->model()->index(row - 1, column - 1)).center();
}

QPoint ListControl::headerCentre(int column) const {
    QHeaderView* h = table_->horizontalHeader();
    return QPoint(h->sectionViewportPosition(column - 1) + h->sectionSize(column - 1) / 2,
                  h->height() / 2);
}

void ListControl::noteMouse(QObject* receiver, const QPointF& pos) {
    QPoint p = pos.toPoint();
    QHeaderView* h = table_->horizontalHeader();
    if (receiver == h->viewport() || receiver == h) {
        mouseRow_ = 0;
        mouseColumn_ = h->logicalIndexAt(p.x()) + 1;
        int edgeAt = mouseColumn_ > 0 ? h->sectionViewportPosition(mouseColumn_ - 1) +
                                            h->sectionSize(mouseColumn_ - 1)
                                      : -100;
        mouseZone_ = std::abs(p.x() - edgeAt) <= kBorderZone ? 1 : 2;
    } else if (receiver == table_->viewport()) {
        rowBeforePress_ = choice();
        mouseRow_ = table_->rowAt(p.y()) + 1;
        mouseColumn_ = table_->columnAt(p.x()) + 1;
        mouseZone_ = 0;
    }
}

bool ListControl::takeKey(int key) {
    if (!pageLoaded()) return false;
    switch (key) {
        case UpKey:
            post(EventScrollUp);
            return true;
        case DownKey:
            post(EventScrollDown);
            return true;
        case PgUpKey:
            post(EventPageUp);
            return true;
        case PgDnKey:
            post(EventPageDown);
            return true;
        case HomeKey:
        case CtrlHome:
        case CtrlPgUp:
            post(EventScrollTop);
            return true;
        case EndKey:
        case CtrlEnd:
        case CtrlPgDn:
            post(EventScrollBottom);
            return true;
        default:
            if (host().keyCharacter() == 0) return false;
            post(EventAlertKey);
            return true;
    }
}

Value ListControl::property(Prop prop, int index) const {
    const DialogUnits& u = host().units();
    int c = index - 1;
    switch (prop) {
        case Prop::Selected:
            return Value(choice());
        case Prop::Items:
            return Value(visibleRows());
        case Prop::FirstShown:
            return Value(rowCount() == 0 ? 0 : table_->rowAt(0) + 1);
        case Prop::VScroll:
            return Value(bar_ ? (bar_->isVisibleTo(widget()) ? 1 : 0) : 0);
        case Prop::ScrollPos:
            return Value(bar_ ? bar_->sliderPosition() : 0);
        case Prop::MouseRow:
            return Value(mouseRow_);
        case Prop::MouseColumn:
            return Value(mouseColumn_);
        case Prop::MouseZone:
            return Value(mouseZone_);
        case Prop::HeaderHeight:
            return Value(u.fromPixelsY(table_->horizontalHeader()->height()));
        case Prop::Columns:
            return Value(model_->columnCount());
        case Prop::PageLoaded:
            return Value(pageLoaded() ? 1 : 0);
        case Prop::Format:
            return Value(decl_.format);
        case Prop::HeaderText:
            return Value(model_->headerText(c).toStdString());
        case Prop::HeaderShift:
            return Value(c >= 0 && c < static_cast<int>(headerShifts_.size())
                             ? headerShifts_[static_cast<size_t>(c)]
                             : 0);
        case Prop::ColumnX: {
            QHeaderView* h = table_->horizontalHeader();
            if (c < 0 || c >= model_->columnCount()) return Value(0);
            QPoint edge = h->viewport()->mapTo(widget(), QPoint(h->sectionViewportPosition(c), 0));
            return Value(u.fromPixelsX(edge.x()));
        }
        case Prop::ColumnWidth:
            return Value(c >= 0 && c < model_->columnCount() ? u.fromPixelsX(table_->columnWidth(c))
                                                             : 0);
        case Prop::Edit:
            return Value(index != 0 && index == editColumn_ ? editControl_ : 0);
        case Prop::ColumnColor: {
            QColor color = model_->foreground(c);
            return Value(color.isValid() ? valueFromColor(color) : ColorNone);
        }
        case Prop::Picture: {
            const auto& cols = format_.columns();
            return Value(c >= 0 && c < static_cast<int>(cols.size())
                             ? cols[static_cast<size_t>(c)].picture
                             : std::string());
        }
        default:
            return Control::property(prop, index);
    }
}

void ListControl::setProperty(Prop prop, int index, const Value& value) {
    int n = static_cast<int>(value.number());
    int c = index - 1;
    switch (prop) {
        case Prop::Selected:
            setChoice(n);
            break;
        case Prop::FirstShown:
            if (n > 0 && n <= rowCount())
                table_->scrollTo(table_->model()->index(n - 1, 0),
                                 QAbstractItemView::PositionAtTop);
            break;
        case Prop::VScroll:
            if (bar_) bar_->setVisible(n != 0);
            break;
        case Prop::ScrollPos:
            if (bar_) {
                QSignalBlocker quiet(bar_);
                bar_->setValue(std::clamp(n, 0, 100));
            }
            break;
        case Prop::HeaderText:
            model_->setHeaderText(c, QString::fromStdString(value.text()));
            break;
        case Prop::HeaderShift:
            if (c >= 0 && c < static_cast<int>(headerShifts_.size())) {
                headerShifts_[static_cast<size_t>(c)] = std::max(0, n);
                model_->setHeaderShift(c, shiftSpaces(std::max(0, n)));
            }
            break;
        case Prop::ColumnWidth:
            if (c >= 0 && c < model_->columnCount())
                table_->setColumnWidth(c, host().units().toPixelsX(n));
            break;
        case Prop::Edit:
            if (n == 0) {
                if (index == editColumn_) releaseEditor();
            } else if (c >= 0 && c < model_->columnCount()) {
                if (n != editControl_) releaseEditor();
                editColumn_ = index;
                editControl_ = n;
                placeEditor();
            }
            break;
        case Prop::ColumnColor:
            model_->setForeground(c, n == ColorNone ? QColor() : colorFromValue(n));
            break;
        case Prop::Format:
            decl_.format = value.text();
            format_ = ListFormat::parse(decl_.format);
            applyFormat();
            break;
        default:
            Control::setProperty(prop, index, value);
    }
}

}  // namespace rt
