// SortHeaderClassType: what a click does to the sort, the order text it
// gives, and the queue sorted and searched in memory when there is no view.
#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "browse/SortHeaderClassType.h"
#include "runtime/controls/ListFormat.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"
#include "runtime/store/View.h"
#include "runtime/text/FixedText.h"
#include "runtime/text/TextCase.h"

namespace {

constexpr std::size_t kOrderSize = 10240;
constexpr std::size_t kPictureSize = 10;

// One term of an order text: its direction, whether it folds case, and the
// name it sorts by.
struct OrderTerm {
    bool descending = false;
    bool folded = false;
    std::string name;
};

std::vector<OrderTerm> termsOf(const std::string& order) {
    std::vector<OrderTerm> terms;
    std::size_t start = 0;
    while (start <= order.size()) {
        std::size_t end = std::min(order.find(',', start), order.size());
        std::string term = rt::upper(order.substr(start, end - start));
        OrderTerm t;
        if (!term.empty() && (term[0] == '+' || term[0] == '-')) {
            t.descending = term[0] == '-';
            term.erase(0, 1);
        }
        if (term.starts_with("UPPER(") && term.ends_with(")")) {
            t.folded = true;
            term = term.substr(6, term.size() - 7);
        }
        t.name = term;
        if (!t.name.empty()) terms.push_back(t);
        start = end + 1;
    }
    return terms;
}

// A value as a sort compares it: folded texts where the term folds.
rt::Value sortValue(const rt::FieldRef& field, bool folded) {
    rt::Value v = field.get();
    return folded && v.isText() ? rt::Value(rt::upper(v.text())) : v;
}

}  // namespace

void SortHeaderClassType::SetPrevSortOrder() {
    int column = SortOrder;
    bool multiple = LastKeyCode == CtrlClick && MultipleColumns;
    if (LastKeyCode == Click || (LastKeyCode == CtrlClick && !MultipleColumns)) {
        if (column == std::abs(PrevSortOrder) && ForceChangeSignOrder)
            PrevSortOrder = static_cast<std::int16_t>(-PrevSortOrder);
        else
            PrevSortOrder = static_cast<std::int16_t>(column);
        QueueListSort->assign(1, ListSortEntry{column, PrevSortOrder});
        if (ForceFindRecord) noteFirstSortField(column);
    } else if (multiple) {
        auto entry =
            std::find_if(QueueListSort->begin(), QueueListSort->end(),
                         [&](const ListSortEntry& e) { return e.ListSortColumn == column; });
        if (entry == QueueListSort->end())
            QueueListSort->push_back({column, column});
        else if (ForceChangeSignOrder)
            entry->PrevListSortColumn = -entry->PrevListSortColumn;
    } else if (LastKeyCode == ShiftClick) {
        ResetSort();
    }
}

std::string SortHeaderClassType::pictureOf(int column) const {
    rt::ListFormat format =
        rt::ListFormat::parse(Window->property(ListControl, rt::Prop::Format).text());
    const auto& cols = format.columns();
    if (column < 1 || column > static_cast<int>(cols.size())) return {};
    return std::string(
        rt::utf8Prefix(cols[static_cast<std::size_t>(column - 1)].picture, kPictureSize));
}

// An order of no column at all is the application's own: the key alone is
// not an order anybody chose.
void SortHeaderClassType::SortQueue() {
    if (SortOrder < 1 || SortOrder > columns() ||
        listNumber(rt::Prop::ColumnWidth, SortOrder) == 0) {
        SortOrder = static_cast<std::int16_t>(std::abs(PrevSortOrder));
        return;
    }
    RestoreHeaderText();
    std::string order;
    std::size_t count = QueueListSort->size();
    for (std::size_t i = 0; i < count; ++i) {
        const ListSortEntry& entry = (*QueueListSort)[i];
        std::string sign = entry.PrevListSortColumn < 0 ? "-" : "+";
        int column = entry.ListSortColumn;
        std::string mark = "[" + sign + (count > 1 ? std::to_string(i + 1) : "") + "]";
        Window->setProperty(ListControl, rt::Prop::HeaderText,
                            rt::Value(GetColumnText(column) + mark), column);
        if (!order.empty()) order += ",";
        order += GetSortingColumnString(sign, GetColumnName(column), pictureOf(column));
    }
    if (PK && !order.empty()) order = appendKeyComponents(order);
    order = rt::utf8Prefix(order, kOrderSize);
    QueueResorted(order);
    if (!View) sortListQueue(order);
    ForceChangeSignOrder = false;
}

// The key's components not already sorted by, plain or folded, make every
// order total.
std::string SortHeaderClassType::appendKeyComponents(const std::string& order) const {
    if (!View) return order;
    const rt::FileDefinition& def = View->primary().definition();
    std::vector<std::string> terms;
    std::size_t start = 0;
    while (start <= order.size()) {
        std::size_t end = std::min(order.find(',', start), order.size());
        terms.push_back(rt::upper(order.substr(start, end - start)));
        start = end + 1;
    }
    std::string out = order;
    for (const rt::KeyComponent& component : PK->components) {
        std::string label =
            rt::upper(def.fields()[static_cast<std::size_t>(component.field)].label);
        bool present = std::any_of(terms.begin(), terms.end(), [&](const std::string& t) {
            return t == "+" + label || t == "-" + label || t == "+UPPER(" + label + ")" ||
                   t == "-UPPER(" + label + ")";
        });
        if (!present) out += "," + std::string(component.ascending ? "+" : "-") + label;
    }
    return out;
}

// Stable, so records that tie on every term keep their places.
void SortHeaderClassType::sortListQueue(const std::string& order) {
    std::vector<std::pair<int, OrderTerm>> fields;  // queue field, term
    for (const OrderTerm& term : termsOf(order))
        for (int f = 1; !ListQueue->Who(f).empty(); ++f)
            if (rt::upper(ListQueue->Who(f)) == term.name) fields.emplace_back(f, term);
    int rows = ListQueue->Records();
    std::vector<std::vector<rt::Value>> keys(static_cast<std::size_t>(rows));
    for (int r = 1; r <= rows; ++r) {
        ListQueue->Get(r);
        for (const auto& [f, term] : fields)
            keys[static_cast<std::size_t>(r - 1)].push_back(
                sortValue(ListQueue->What(f), term.folded));
    }
    std::vector<int> positions(static_cast<std::size_t>(rows));
    std::iota(positions.begin(), positions.end(), 1);
    std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
        const auto& ka = keys[static_cast<std::size_t>(a - 1)];
        const auto& kb = keys[static_cast<std::size_t>(b - 1)];
        for (std::size_t i = 0; i < fields.size(); ++i) {
            int c = rt::compareValues(ka[i], kb[i]);
            if (c != 0) return fields[i].second.descending ? c > 0 : c < 0;
        }
        return false;
    });
    ListQueue->Reorder(positions);
}

// The queue is searched by the first sorted column alone; a value it does
// not hold answers the row it would stand on.
int SortHeaderClassType::FindRecord() {
    std::int32_t d = GetSortOrder();
    const ListHeaderEntry* header = headerOf(std::abs(d));
    if (!header) return 0;
    rt::FieldRef field = ListQueue->What(header->FieldNo);
    if (field.isNull()) return 0;
    field.set(rt::Value(rt::rightTrim(FirstSortField)));
    bool folded = NoCase && field.isText();
    rt::Value wanted = sortValue(field, folded);
    int rows = ListQueue->Records();
    int place = rows + 1;
    for (int r = 1; r <= rows; ++r) {
        ListQueue->Get(r);
        int c = rt::compareValues(sortValue(ListQueue->What(header->FieldNo), folded), wanted);
        if (c == 0) return r;
        if (place > rows && (d < 1 ? c < 0 : c > 0)) place = r;
    }
    if (d < 0 && place > 1) --place;
    return std::min(place, rows);
}
