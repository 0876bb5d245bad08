// ViewManager: the free element of the selected order and the fields the
// view sorts by.
#include "data/ViewManager.h"
#include "runtime/text/FixedText.h"
#include "runtime/text/TextCase.h"

namespace {

std::string trimmed(std::string_view text) {
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    return rt::rightTrim(text.substr(start));
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

int ViewManager::GetFreeElementPosition() {
    SortOrder* order = selectedOrder();
    if (!order || !order->MainKey) return 0;
    // A range fixes, or for type 3 fixes and then bounds, the components
    // before this one.
    const auto* pairs = order->RangeList ? order->RangeList->List() : nullptr;
    bool bounded = order->LimitType == 3 && pairs && pairs->size() >= 2;
    int position = fixedComponents(*order) + (bounded ? 2 : 1);
    return position > Primary->Me->GetComponents(order->MainKey) ? 0 : position;
}

std::string ViewManager::GetFreeElementName() {
    int position = GetFreeElementPosition();
    if (position == 0) return {};
    return Primary->Me->GetFieldName(selectedOrder()->MainKey, position);
}

bool ViewManager::GetFreeElementAscending() {
    int position = GetFreeElementPosition();
    if (position == 0) return true;
    return Primary->Me->GetFieldAscending(selectedOrder()->MainKey, position);
}

rt::FieldRef ViewManager::GetFirstSortField() {
    SortOrder* order = selectedOrder();
    if (!order) return {};
    std::string_view text = order->Order;
    std::string name = trimmed(text.substr(0, text.find(',')));
    if (!name.empty() && (name.front() == '+' || name.front() == '-'))
        name = trimmed(name.substr(1));
    if (startsWith(rt::upper(name), "UPPER(") && !name.empty() && name.back() == ')')
        name = trimmed(name.substr(6, name.size() - 7));
    std::string wanted = rt::upper(name);
    for (const rt::FieldDefinition& field : View->primary().definition().fields())
        if (rt::upper(field.label) == wanted) return field.ref;
    return {};
}

bool ViewManager::GetFieldAscending(const rt::FieldRef& field) {
    const rt::FileDefinition& def = View->primary().definition();
    int index = def.fieldIndex(field);
    if (index < 0) return true;
    std::string label = rt::upper(def.fields()[index].label);
    // The view's order is the text it was last given, whatever the selection.
    std::string_view text = View->order();
    while (!text.empty()) {
        std::size_t comma = text.find(',');
        std::string component = rt::upper(trimmed(text.substr(0, comma)));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (component.size() < 2 || (component[0] != '+' && component[0] != '-')) continue;
        std::string_view rest = std::string_view(component).substr(1);
        if (rest == label || rest == "UPPER(" + label + ")") return component[0] == '+';
    }
    return true;
}
