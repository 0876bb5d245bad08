#include "browse/SortHeaderStorage.h"

#include <charconv>

#include "runtime/host/Registry.h"
#include "runtime/host/SettingsFile.h"
#include "runtime/text/FixedText.h"

namespace {

constexpr unsigned long kFirstRoot = 2147483648UL;  // the classes root
constexpr unsigned long kLastRoot = 2147483654UL;   // the dynamic data root

}  // namespace

unsigned SortHeaderStorage::RegistryRoot(std::string_view place) {
    std::string text = rt::rightTrim(place);
    unsigned long root = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), root);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return 0;
    return root >= kFirstRoot && root <= kLastRoot ? static_cast<unsigned>(root) : 0;
}

std::string SortHeaderStorage::Load(std::string_view place, std::string_view section,
                                    std::string_view name) {
    unsigned root = RegistryRoot(place);
    if (root == 0) return rt::SettingsFile::get(place, section, name, "", ValueSize);
    rt::Registry& registry = rt::Registry::user();
    rt::Registry::Key key = registry.openKey(root, section);
    if (key == 0) return {};
    std::optional<std::string> value = registry.queryValue(key, name);
    registry.closeKey(key);
    return value ? std::string(rt::utf8Prefix(*value, ValueSize - 1)) : std::string();
}

bool SortHeaderStorage::Save(std::string_view place, std::string_view section,
                             std::string_view name, std::string_view value) {
    unsigned root = RegistryRoot(place);
    if (root == 0) return rt::SettingsFile::put(place, section, name, value) == 0;
    rt::Registry& registry = rt::Registry::user();
    rt::Registry::Key key = registry.createKey(root, section);
    if (key == 0) return false;
    int code = registry.setValue(key, name, value);
    registry.closeKey(key);
    return code == 0;
}
