// ViewManager: sort orders, named filters, and the order and filter texts
// handed to the view.
#include <algorithm>

#include "data/ViewManager.h"
#include "errors/ErrorIds.h"
#include "runtime/host/Assert.h"
#include "runtime/text/FixedText.h"

namespace {

constexpr std::size_t kFilterTextSize = 5000;
constexpr std::size_t kComponentNameSize = 500;
constexpr std::size_t kFilterIdSize = 30;

// A text literal of the view's expression language.
std::string textLiteral(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

}  // namespace

SortOrder* ViewManager::selectedOrder() {
    SortOrder* order = Order ? Order->Current() : nullptr;
    RT_ASSERT(order, "View does not have any sort orders defined");
    return order;
}

int ViewManager::AddSortOrder(FileKey key) {
    RT_ASSERT(Order, "View manager has not  properly initialized");
    if (!Order) return 0;
    std::unique_ptr<SortOrder> entry = Order->NewEntry();
    if (entry) {
        entry->MainKey = key;
        entry->RangeList = std::make_unique<BufferedPairsClass>();
        entry->RangeList->Init();
        if (key && Primary->Me->GetComponents(key) > 0)
            entry->FreeElement = Primary->Me->GetField(key, 1);
    }
    int number = Order->Append(std::move(entry));
    RT_ASSERT(number > 0, "Unable to add new sort order.");
    if (number == 0) return 0;
    Order->Select(number);
    SetOrder(key ? Primary->Me->KeyToOrder(key, 1) : std::string());
    return number;
}

bool ViewManager::SetSort(int number) {
    if (number == 0) number = 1;
    if (!Order || !Order->Get(number)) {
        RT_ASSERT(false, "Sort order does not exist:" + std::to_string(number));
        return false;
    }
    if (Order->Pointer() == number) return false;
    Order->Select(number);
    return true;
}

void ViewManager::SetOrder(std::string_view text) {
    if (SortOrder* order = selectedOrder()) order->Order = rt::rightTrim(text);
}

void ViewManager::AppendOrder(std::string_view text) {
    SortOrder* order = selectedOrder();
    if (!order) return;
    if (order->Order.empty())
        SetOrder(text);
    else if (!text.empty() && text.front() == '*')
        SetOrder(text.substr(1));
    else
        SetOrder(order->Order + "," + std::string(text));
}

void ViewManager::SetFilter(std::string_view text) {
    SetFilter(text, "5 Standard");
}

void ViewManager::SetFilter(std::string_view text, std::string_view id) {
    SortOrder* order = selectedOrder();
    if (!order) return;
    std::string key = rt::rightTrim(id.substr(0, std::min(id.size(), kFilterIdSize)));
    if (!order->Filter) order->Filter = std::make_unique<FilterQueue>();
    FilterQueue& filters = *order->Filter;
    auto at = std::find_if(filters.begin(), filters.end(),
                           [&](const FilterEntry& e) { return e.ID <= key; });
    bool same = at != filters.end() && at->ID == key;
    if (rt::rightTrim(text).empty()) {
        if (same) filters.erase(at);
    } else if (same) {
        at->Filter = std::string(text);
    } else {
        filters.insert(at, FilterEntry{key, std::string(text)});
    }
}

void ViewManager::ApplyOrder() {
    SortOrder* order = selectedOrder();
    if (View->setOrder(order ? order->Order : std::string()) != 0)
        Primary->Me->Throw(ErrViewOpenFailed);
}

void ViewManager::ApplyFilter() {
    SortOrder* order = selectedOrder();
    std::string text = order ? rangeText(*order) : std::string();
    if (order && order->Filter)
        for (const FilterEntry& entry : *order->Filter)
            text += (text.empty() ? "(" : " AND (") + entry.Filter + ")";
    if (text.size() > kFilterTextSize) text.resize(kFilterTextSize);
    if (View->setFilter(text) != 0) {
        Primary->Me->Throw(ErrViewOpenFailed);
        // The browse goes on without the filter and range, not with stale ones.
        View->setFilter("");
    }
}

std::string ViewManager::rangeText(const SortOrder& order) {
    const auto* pairs = order.RangeList ? order.RangeList->List() : nullptr;
    int n = pairs ? static_cast<int>(pairs->size()) : 0;
    int type = order.LimitType;
    bool fixing = type == 1 || type == 2 || type == 4;
    if (!order.MainKey || n == 0 || !(fixing || (type == 3 && n >= 2))) return {};
    int components = Primary->Me->GetComponents(order.MainKey);
    if ((fixing ? n : n - 1) > components) return {};
    auto name = [&](int i) {
        return Primary->Me->GetFieldName(order.MainKey, i).substr(0, kComponentNameSize);
    };
    std::string text;
    int fixed = fixing ? n : n - 2;
    for (int i = 1; i <= fixed; ++i) {
        if (!text.empty()) text += " AND ";
        text += name(i) + " = " + rangeValue(order, i, name(i));
    }
    if (type == 3) {
        std::string bounded = name(n - 1);
        if (!text.empty()) text += " AND ";
        text += bounded + " >= " + rangeValue(order, n - 1, bounded);
        text += " AND " + bounded + " <= " + rangeValue(order, n, bounded);
    }
    return text;
}

// The applied value of range pair `pair` as the filter writes it for the
// component called name. Texts are clipped: comparisons ignore trailing
// blanks, and a padded literal would only make the filter hard to read.
std::string ViewManager::rangeValue(const SortOrder& order, int pair, const std::string& name) {
    const FieldPairsClass::FieldPair& p = (*order.RangeList->List())[pair - 1];
    std::string value = p.Right.get().text();
    if (!p.Left.isText()) return value;
    value = textLiteral(rt::rightTrim(value));
    if (name.find("UPPER(") != std::string::npos) return "UPPER(" + value + ")";
    if (name.find("LOWER(") != std::string::npos) return "LOWER(" + value + ")";
    return value;
}

bool ViewManager::ApplyRange() {
    SortOrder* order = selectedOrder();
    if (!order || !order->RangeList || !order->RangeList->List()) return false;
    const auto& pairs = *order->RangeList->List();
    auto changed = [](const FieldPairsClass::FieldPair& p) { return p.Left.compare(p.Right) != 0; };
    switch (order->LimitType) {
        case 3:
            if (pairs.size() >= 2 && changed(pairs[pairs.size() - 2])) {
                for (std::size_t i = pairs.size() - 2; i < pairs.size(); ++i)
                    rt::FieldRef(pairs[i].Right).assign(pairs[i].Left);
                ApplyFilter();
                return true;
            }
            [[fallthrough]];
        case 2:
            if (!pairs.empty() && changed(pairs.back())) {
                rt::FieldRef(pairs.back().Right).assign(pairs.back().Left);
                ApplyFilter();
                return true;
            }
            return false;
        case 4:
            if (order->RangeList->EqualRightBuffer(true)) return false;
            order->RangeList->AssignRightToBuffer();
            ApplyFilter();
            return true;
        default:
            return false;
    }
}
