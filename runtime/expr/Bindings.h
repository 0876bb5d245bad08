#pragma once
// Names that expressions can read: each thread keeps a stack of binding
// scopes, as BIND, UNBIND, PUSHBIND and POPBIND did. A name (case ignored,
// colons kept: "PAS:Title") is bound to a variable, read live at every
// evaluation, or to a constant value. Bindings borrow their variables, which
// must outlive the binding. Each thread sees only its own bindings.

#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "runtime/text/FieldRef.h"
#include "runtime/text/Value.h"

namespace rt {

// What one name stands for.
class Binding {
  public:
    explicit Binding(FieldRef field) : target_(field) {}
    explicit Binding(Value constant) : target_(std::move(constant)) {}

    // The variable's current value (a fixed text with its padding), or the
    // constant.
    Value value() const;
    // The bound variable; null for a constant.
    const FieldRef* field() const { return std::get_if<FieldRef>(&target_); }

  private:
    std::variant<FieldRef, Value> target_;
};

// Where the evaluator looks names up. `key` is the name in upper case
// (ASCII letters folded), as Expr::key holds it.
class NameResolver {
  public:
    virtual ~NameResolver() = default;
    // Null when the name is not bound; the binding stays valid until the
    // resolver changes.
    virtual const Binding* find(std::string_view key) const = 0;
};

enum class ScopeMode {
    Hide,     // the new scope hides every name bound outside it
    Inherit,  // names bound outside stay visible unless bound again inside
};

// One thread's stack of scopes; the outermost scope always exists. Within a
// scope, binding a name again replaces it; across scopes the innermost
// visible binding wins. Not copyable; use from its own thread only.
class Bindings : public NameResolver {
  public:
    Bindings();
    Bindings(const Bindings&) = delete;
    Bindings& operator=(const Bindings&) = delete;

    // The calling thread's bindings.
    static Bindings& current();

    void bind(std::string_view name, FieldRef field);
    void bindValue(std::string_view name, Value constant);
    // Removes the name from the innermost scope; false when not bound there.
    bool unbind(std::string_view name);
    void push(ScopeMode mode = ScopeMode::Hide);
    // Drops the innermost scope and its bindings; false (and nothing
    // happens) at the outermost scope.
    bool pop();
    // 1 when nothing is pushed.
    std::size_t depth() const { return scopes_.size(); }

    const Binding* find(std::string_view key) const override;
    // A name's lookup key: ASCII letters upper-cased.
    static std::string keyOf(std::string_view name);

  private:
    struct Scope {
        ScopeMode mode = ScopeMode::Hide;
        std::map<std::string, Binding, std::less<>> names;
    };
    void set(std::string_view name, Binding binding);

    std::vector<Scope> scopes_;
};

// The calling thread's bindings, by the runtime's own names.
inline void bind(std::string_view name, FieldRef field) {
    Bindings::current().bind(name, field);
}
inline void bindValue(std::string_view name, Value constant) {
    Bindings::current().bindValue(name, std::move(constant));
}
inline bool unbind(std::string_view name) {
    return Bindings::current().unbind(name);
}
inline void pushBind(ScopeMode mode = ScopeMode::Hide) {
    Bindings::current().push(mode);
}
inline bool popBind() {
    return Bindings::current().pop();
}

// Pushes a scope on the calling thread's bindings for its own lifetime.
class BindScope {
  public:
    explicit BindScope(ScopeMode mode = ScopeMode::Hide) { pushBind(mode); }
    ~BindScope() { popBind(); }
    BindScope(const BindScope&) = delete;
    BindScope& operator=(const BindScope&) = delete;
};

}  // namespace rt
