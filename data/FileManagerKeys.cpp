// FileManager: the key catalogue and the key-component operations.
#include <algorithm>

#include "data/FieldLimits.h"
#include "data/FileManager.h"
#include "runtime/host/Assert.h"
#include "runtime/text/FixedText.h"

namespace {

constexpr std::size_t kDescriptionSize = 80;
constexpr std::size_t kOrderTextSize = 512;

}  // namespace

int FileManager::keyIndex(FileKey key) const {
    const auto& keys = Definition().keys();
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (&keys[i] == key) return static_cast<int>(i);
    return -1;
}

FileManager::KeyEntry* FileManager::keyEntry(FileKey key) {
    if (Keys)
        for (auto& entry : *Keys)
            if (entry.Key == key) return &entry;
    RT_ASSERT(false, "Key does not exist in this file");
    return nullptr;
}

std::string FileManager::keyName(const KeyEntry& entry) const {
    std::string name = rt::rightTrim(entry.Description);
    return name.empty() ? entry.Key->label : name;
}

void FileManager::AddKey(FileKey key, std::string_view description, int autoInc) {
    int index = keyIndex(key);
    RT_ASSERT(Keys && index >= 0, "Key does not exist in this file");
    if (!Keys || index < 0) return;
    KeyEntry entry;
    entry.Key = key;
    entry.Description = std::string(description.substr(0, kDescriptionSize));
    entry.AutoInc = autoInc;
    entry.Dups = !key->unique;
    entry.NoCase = key->noCase;
    entry.Fields = std::make_unique<KeyFieldQueue>();
    for (const auto& component : key->components) {
        const rt::FieldDefinition& field = Definition().fields().at(component.field);
        bool folded = key->noCase && field.ref.isText();
        entry.Fields->push_back(
            {field.ref, folded ? "UPPER(" + field.label + ")" : field.label, component.ascending});
    }
    if (autoInc != 0) HasAutoInc = true;
    Keys->push_back(std::move(entry));
    if (Definition().primaryKey() == index) PrimaryKey = static_cast<int>(Keys->size());
}

void FileManager::SetKey(FileKey key) {
    if (!Keys) return;
    for (std::size_t i = 0; i < Keys->size(); ++i)
        if ((*Keys)[i].Key == key) {
            currentKey_ = static_cast<int>(i) + 1;
            return;
        }
    RT_ASSERT(false, "Key does not exist in this file");
}

int FileManager::GetComponents(FileKey key) {
    KeyEntry* entry = keyEntry(key);
    return entry ? static_cast<int>(entry->Fields->size()) : 0;
}

const KeyFieldEntry* FileManager::component(FileKey key, int n) {
    KeyEntry* entry = keyEntry(key);
    if (!entry) return nullptr;
    if (n < 1 || n > static_cast<int>(entry->Fields->size())) {
        RT_ASSERT(false, "Key does not have component of this number :" + std::to_string(n));
        return nullptr;
    }
    return &(*entry->Fields)[n - 1];
}

rt::FieldRef FileManager::GetField(FileKey key, int n) {
    const KeyFieldEntry* c = component(key, n);
    return c ? c->Field : rt::FieldRef{};
}

std::string FileManager::GetFieldName(FileKey key, int n) {
    const KeyFieldEntry* c = component(key, n);
    return c ? c->FieldName : std::string();
}

bool FileManager::GetFieldAscending(FileKey key, int n) {
    const KeyFieldEntry* c = component(key, n);
    return c ? c->Ascend : true;
}

std::string FileManager::KeyToOrder(FileKey key, int start) {
    KeyEntry* entry = keyEntry(key);
    if (!entry) return {};
    std::string order;
    for (std::size_t i = start < 1 ? 0 : start - 1; i < entry->Fields->size(); ++i) {
        const KeyFieldEntry& c = (*entry->Fields)[i];
        if (!order.empty()) order += ',';
        order += (c.Ascend ? "" : "-") + c.FieldName;
    }
    return order.substr(0, kOrderTextSize);
}

void FileManager::ClearKey(FileKey key, int lowComp, int highComp, bool high) {
    KeyEntry* entry = keyEntry(key);
    if (!entry) return;
    int last = std::min(highComp, static_cast<int>(entry->Fields->size()));
    for (int n = std::max(lowComp, 1); n <= last; ++n) {
        const KeyFieldEntry& c = (*entry->Fields)[n - 1];
        // Off: the start of the key's order; on: its end.
        if (c.Ascend != high)
            SetLowestValue(c.Field);
        else
            SetHighestValue(c.Field);
    }
}
