#include "tests/a11y/AccessibleNode.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace a11y {

namespace {

// Takes a string the client library hands over; a failed call gives "".
std::string taken(gchar* text, GError* error) {
    if (error) g_error_free(error);
    std::string out = text ? text : "";
    g_free(text);
    return out;
}

bool failed(GError* error) {
    if (!error) return false;
    g_error_free(error);
    return true;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

AccessibleNode::~AccessibleNode() {
    if (object_) g_object_unref(object_);
}

AccessibleNode::AccessibleNode(const AccessibleNode& other) : object_(other.object_) {
    if (object_) g_object_ref(object_);
}

AccessibleNode& AccessibleNode::operator=(AccessibleNode other) {
    std::swap(object_, other.object_);
    return *this;
}

std::string AccessibleNode::name() const {
    if (!object_) return {};
    GError* error = nullptr;
    gchar* text = atspi_accessible_get_name(object_, &error);
    return taken(text, error);
}

AtspiRole AccessibleNode::role() const {
    if (!object_) return ATSPI_ROLE_INVALID;
    GError* error = nullptr;
    AtspiRole role = atspi_accessible_get_role(object_, &error);
    return failed(error) ? ATSPI_ROLE_INVALID : role;
}

std::string AccessibleNode::roleName() const {
    if (!object_) return {};
    GError* error = nullptr;
    gchar* text = atspi_accessible_get_role_name(object_, &error);
    return taken(text, error);
}

bool AccessibleNode::has(AtspiStateType state) const {
    if (!object_) return false;
    AtspiStateSet* states = atspi_accessible_get_state_set(object_);
    if (!states) return false;
    bool in = atspi_state_set_contains(states, state);
    g_object_unref(states);
    return in;
}

int AccessibleNode::processId() const {
    if (!object_) return 0;
    GError* error = nullptr;
    guint pid = atspi_accessible_get_process_id(object_, &error);
    return failed(error) ? 0 : static_cast<int>(pid);
}

std::vector<AccessibleNode> AccessibleNode::children() const {
    std::vector<AccessibleNode> out;
    if (!object_) return out;
    GError* error = nullptr;
    int n = atspi_accessible_get_child_count(object_, &error);
    if (failed(error)) return out;
    for (int i = 0; i < n; ++i) {
        AtspiAccessible* child = atspi_accessible_get_child_at_index(object_, i, &error);
        if (failed(error)) {
            error = nullptr;
            continue;
        }
        if (child) out.emplace_back(child);
    }
    return out;
}

std::vector<std::string> AccessibleNode::actionNames() const {
    std::vector<std::string> out;
    AtspiAction* action = object_ ? atspi_accessible_get_action_iface(object_) : nullptr;
    if (!action) return out;
    GError* error = nullptr;
    int n = atspi_action_get_n_actions(action, &error);
    if (failed(error)) n = 0;
    for (int i = 0; i < n; ++i) {
        gchar* text = atspi_action_get_action_name(action, i, &error);
        out.push_back(taken(text, error));
        error = nullptr;
    }
    g_object_unref(action);
    return out;
}

bool AccessibleNode::act(const std::string& name) const {
    std::vector<std::string> names = actionNames();
    auto it = std::find_if(names.begin(), names.end(),
                           [&](const std::string& n) { return lower(n) == lower(name); });
    if (it == names.end()) return false;
    AtspiAction* action = atspi_accessible_get_action_iface(object_);
    if (!action) return false;
    GError* error = nullptr;
    bool done = atspi_action_do_action(action, static_cast<int>(it - names.begin()), &error);
    g_object_unref(action);
    return !failed(error) && done;
}

bool AccessibleNode::grabFocus() const {
    AtspiComponent* component = object_ ? atspi_accessible_get_component_iface(object_) : nullptr;
    if (!component) return false;
    GError* error = nullptr;
    bool done = atspi_component_grab_focus(component, &error);
    g_object_unref(component);
    return !failed(error) && done;
}

int AccessibleNode::characterCount() const {
    AtspiText* text = object_ ? atspi_accessible_get_text_iface(object_) : nullptr;
    if (!text) return -1;
    GError* error = nullptr;
    int n = atspi_text_get_character_count(text, &error);
    g_object_unref(text);
    return failed(error) ? -1 : n;
}

Extents AccessibleNode::extents() const {
    Extents out;
    AtspiComponent* component = object_ ? atspi_accessible_get_component_iface(object_) : nullptr;
    if (!component) return out;
    GError* error = nullptr;
    AtspiRect* rect = atspi_component_get_extents(component, ATSPI_COORD_TYPE_SCREEN, &error);
    if (!failed(error) && rect) out = {rect->x, rect->y, rect->width, rect->height};
    g_free(rect);
    g_object_unref(component);
    return out;
}

bool AccessibleNode::isTable() const {
    AtspiTable* table = object_ ? atspi_accessible_get_table_iface(object_) : nullptr;
    if (table) g_object_unref(table);
    return table != nullptr;
}

namespace {

// A count the table interface answers; -1 when there is none.
int tableCount(AtspiAccessible* object, gint (*count)(AtspiTable*, GError**)) {
    AtspiTable* table = object ? atspi_accessible_get_table_iface(object) : nullptr;
    if (!table) return -1;
    GError* error = nullptr;
    int n = count(table, &error);
    g_object_unref(table);
    return failed(error) ? -1 : n;
}

}  // namespace

int AccessibleNode::rows() const {
    return tableCount(object_, atspi_table_get_n_rows);
}

int AccessibleNode::columns() const {
    return tableCount(object_, atspi_table_get_n_columns);
}

std::string AccessibleNode::columnDescription(int column) const {
    AtspiTable* table = object_ ? atspi_accessible_get_table_iface(object_) : nullptr;
    if (!table) return {};
    GError* error = nullptr;
    gchar* text = atspi_table_get_column_description(table, column, &error);
    g_object_unref(table);
    return taken(text, error);
}

AccessibleNode AccessibleNode::cell(int row, int column) const {
    AtspiTable* table = object_ ? atspi_accessible_get_table_iface(object_) : nullptr;
    if (!table) return {};
    GError* error = nullptr;
    AtspiAccessible* cell = atspi_table_get_accessible_at(table, row, column, &error);
    g_object_unref(table);
    if (failed(error)) return {};
    return AccessibleNode(cell);
}

std::string AccessibleNode::describe() const {
    return roleName() + " \"" + name() + "\"";
}

AccessibleNode findShowing(const AccessibleNode& root, AtspiRole role, const std::string& name) {
    return findNode(root, [&](const AccessibleNode& n) {
        return n.role() == role && n.name() == name && n.has(ATSPI_STATE_SHOWING);
    });
}

}  // namespace a11y
