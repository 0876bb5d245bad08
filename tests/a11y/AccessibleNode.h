#pragma once
// One object of an application's accessibility tree as a screen reader reads
// it over the accessibility bus (the AT-SPI client library): name, role,
// states, actions, table cells and place on screen. Holds a reference to the
// client library's object; an empty node stands for "not found". Calls block
// on the bus; test thread only.

#include <atspi/atspi.h>

#include <string>
#include <vector>

namespace a11y {

struct Extents {
    int x = 0, y = 0, width = 0, height = 0;
};

class AccessibleNode {
  public:
    AccessibleNode() = default;
    // Takes over the reference the caller holds on object (may be null).
    explicit AccessibleNode(AtspiAccessible* object) : object_(object) {}
    ~AccessibleNode();
    AccessibleNode(const AccessibleNode& other);
    AccessibleNode& operator=(AccessibleNode other);

    explicit operator bool() const { return object_ != nullptr; }
    AtspiAccessible* get() const { return object_; }

    // Each answers "", 0, false or an empty node when the bus call fails.
    std::string name() const;
    AtspiRole role() const;
    std::string roleName() const;
    bool has(AtspiStateType state) const;
    int processId() const;
    std::vector<AccessibleNode> children() const;
    std::vector<std::string> actionNames() const;
    // Runs the first action of that name, case-insensitively.
    bool act(const std::string& action) const;
    bool grabFocus() const;
    // The characters of a text control (masked ones too); -1 when not text.
    int characterCount() const;
    Extents extents() const;

    bool isTable() const;
    int rows() const;
    int columns() const;
    // The column's header text as the table describes it. 0-based, as below.
    std::string columnDescription(int column) const;
    AccessibleNode cell(int row, int column) const;

    // A person's description for failure messages: role and name.
    std::string describe() const;

  private:
    AtspiAccessible* object_ = nullptr;
};

// The first node below root (root included), depth first, that matches.
template <typename Match>
AccessibleNode findNode(const AccessibleNode& root, Match match) {
    if (!root) return {};
    if (match(root)) return root;
    for (const AccessibleNode& child : root.children())
        if (AccessibleNode found = findNode(child, match)) return found;
    return {};
}

// The showing node with that role and name, below root.
AccessibleNode findShowing(const AccessibleNode& root, AtspiRole role, const std::string& name);

}  // namespace a11y
