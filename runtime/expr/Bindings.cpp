#include "runtime/expr/Bindings.h"

namespace rt {

Value Binding::value() const {
    if (const FieldRef* f = field()) return f->get();
    return std::get<Value>(target_);
}

Bindings::Bindings() : scopes_(1) {}

Bindings& Bindings::current() {
    thread_local Bindings bindings;
    return bindings;
}

std::string Bindings::keyOf(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return key;
}

void Bindings::set(std::string_view name, Binding binding) {
    auto& names = scopes_.back().names;
    std::string key = keyOf(name);
    auto it = names.find(key);
    if (it != names.end())
        it->second = std::move(binding);
    else
        names.emplace(std::move(key), std::move(binding));
}

void Bindings::bind(std::string_view name, FieldRef field) {
    set(name, Binding(field));
}

void Bindings::bindValue(std::string_view name, Value constant) {
    set(name, Binding(std::move(constant)));
}

bool Bindings::unbind(std::string_view name) {
    auto& names = scopes_.back().names;
    auto it = names.find(keyOf(name));
    if (it == names.end()) return false;
    names.erase(it);
    return true;
}

void Bindings::push(ScopeMode mode) {
    scopes_.push_back(Scope{mode, {}});
}

bool Bindings::pop() {
    if (scopes_.size() == 1) return false;
    scopes_.pop_back();
    return true;
}

const Binding* Bindings::find(std::string_view key) const {
    for (auto scope = scopes_.rbegin(); scope != scopes_.rend(); ++scope) {
        auto it = scope->names.find(key);
        if (it != scope->names.end()) return &it->second;
        if (scope->mode == ScopeMode::Hide) break;
    }
    return nullptr;
}

}  // namespace rt
