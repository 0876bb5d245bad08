#include "runtime/store/FileDefinition.h"

#include <algorithm>
#include <cctype>

namespace rt {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

// The table separator of a full name: "Lockora\!Password".
constexpr std::string_view kTableSeparator = "\\!";

}  // namespace

std::string columnName(std::string_view label) {
    auto colon = label.rfind(':');
    return std::string(colon == std::string_view::npos ? label : label.substr(colon + 1));
}

FileDefinition::FileDefinition(std::string label, std::string prefix, std::string fullName,
                               std::string ownerPassword, bool threaded)
    : label_(std::move(label)),
      prefix_(std::move(prefix)),
      fullName_(std::move(fullName)),
      ownerPassword_(std::move(ownerPassword)),
      threaded_(threaded) {}

int FileDefinition::addField(std::string label, FieldRef ref, std::string picture) {
    fields_.push_back({std::move(label), ref, std::move(picture)});
    return static_cast<int>(fields_.size()) - 1;
}

int FileDefinition::addKey(KeyDefinition key) {
    keys_.push_back(std::move(key));
    return static_cast<int>(keys_.size()) - 1;
}

int FileDefinition::addKey(std::string label, std::string name,
                           std::vector<std::pair<FieldRef, bool>> components, bool unique,
                           bool primary, bool noCase) {
    KeyDefinition key{std::move(label), std::move(name), {}, unique, primary, noCase};
    for (auto& [ref, ascending] : components)
        key.components.push_back({fieldIndex(ref), ascending});
    return addKey(std::move(key));
}

int FileDefinition::addMemo(std::string label, std::string& text, std::size_t maxSize) {
    memos_.push_back({std::move(label), &text, maxSize});
    return static_cast<int>(memos_.size()) - 1;
}

int FileDefinition::addOrder(std::string text) {
    orders_.push_back(std::move(text));
    return static_cast<int>(orders_.size()) - 1;
}

std::string FileDefinition::fileName() const {
    auto at = fullName_.find(kTableSeparator);
    return at == std::string::npos ? fullName_ : fullName_.substr(0, at);
}

std::string FileDefinition::tableName() const {
    auto at = fullName_.find(kTableSeparator);
    return at == std::string::npos ? label_ : fullName_.substr(at + kTableSeparator.size());
}

int FileDefinition::fieldIndex(const FieldRef& ref) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].ref == ref) return static_cast<int>(i);
    return -1;
}

int FileDefinition::fieldIndex(std::string_view label) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (sameName(fields_[i].label, label) || sameName(columnName(fields_[i].label), label))
            return static_cast<int>(i);
    return -1;
}

int FileDefinition::memoIndex(std::string_view label) const {
    for (std::size_t i = 0; i < memos_.size(); ++i)
        if (sameName(memos_[i].label, label) || sameName(columnName(memos_[i].label), label))
            return static_cast<int>(i);
    return -1;
}

int FileDefinition::primaryKey() const {
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i].primary) return static_cast<int>(i);
    return -1;
}

}  // namespace rt
