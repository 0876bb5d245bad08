#include "window/INIClass.h"

#include <charconv>
#include <utility>
#include <vector>

#include "runtime/host/Assert.h"
#include "pairs/CriticalProcedure.h"
#include "runtime/text/FixedText.h"
#include "runtime/host/LastError.h"
#include "runtime/host/Registry.h"
#include "runtime/host/SettingsFile.h"
#include "window/SectorName.h"

namespace {

constexpr int kNotFound = 2;

void iniAssert(std::string_view message, int line) {
    rt::assertFailed(message, __FILE__, line);
}

void tableNotSupported(int line) {
    iniAssert("NV_Table: Not Supported Yet", line);
}

std::string cut(std::string_view text, std::size_t bufferSize) {
    return std::string(rt::utf8Prefix(text, bufferSize - 1));
}

// The part between the (field-1)-th comma and the next one or the end.
std::optional<std::string> fieldOf(std::string_view text, int field) {
    if (field < 1) return std::nullopt;
    std::size_t begin = 0;
    for (int n = 1; n < field; ++n) {
        std::size_t comma = text.find(',', begin);
        if (comma == std::string_view::npos) return std::nullopt;
        begin = comma + 1;
    }
    return std::string(text.substr(begin, text.find(',', begin) - begin));
}

// A stored count: blank or unreadable text counts as none.
std::size_t countOf(std::string_view text) {
    long long count = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && count > 0 ? static_cast<std::size_t>(count) : 0;
}

// Padding of fixed-length texts is not part of the value.
std::string fieldText(const rt::FieldRef& field) {
    std::string text = field.get().text();
    return field.type() == rt::FieldType::Text ? rt::rightTrim(text) : text;
}

bool storable(std::string_view text) {
    return text.find_first_of(std::string_view(",\r\n\0", 4)) == std::string_view::npos;
}

}  // namespace

INIClass::~INIClass() {
    Kill();
}

void INIClass::Init(std::string_view fileName, std::int32_t nvType, std::uint32_t extraData) {
    CriticalProcedure lock(CritSect);
    Kill();
    if (rt::utf8Length(fileName) >= FileNameSize) {
        FileName.clear();
        iniAssert("INI Assert: File name too long: " + std::string(fileName), __LINE__);
        return;
    }
    FileName = fileName;
    NVType = nvType;
    ExtraData = extraData;
    Sectors = std::make_unique<SectorQueue>();
    Fetch();
    SectorEntry& buffer = Sectors->Buffer;
    FetchQueue(ReservedSection, SectorsName, *Sectors, buffer.Family, buffer.Item, buffer.Type);
}

void INIClass::Kill() {
    CriticalProcedure lock(CritSect);
    if (!Sectors) return;
    SectorEntry& buffer = Sectors->Buffer;
    UpdateQueue(ReservedSection, SectorsName, *Sectors, buffer.Family, buffer.Item, buffer.Type);
    Sectors.reset();
}

std::string INIClass::Fetch(std::string_view sector, std::string_view name,
                            std::string_view defaultValue, std::string_view fileName) {
    CriticalProcedure lock(CritSect);
    switch (NVType) {
        case NV_INIFile:
            return rt::SettingsFile::get(fileName, sector, name, defaultValue, ValueSize);
        case NV_Registry: {
            std::string value = fetchRegistry(registryPath(fileName, sector), name);
            return cut(value.empty() ? defaultValue : value, ValueSize);
        }
        default:
            tableNotSupported(__LINE__);
            return {};
    }
}

std::string INIClass::Fetch(std::string_view sector, std::string_view name) {
    CriticalProcedure lock(CritSect);
    std::string value = Fetch(sector, name, Unknown, FileName);
    if (value == Unknown) {
        iniAssert("INI Assert: Could not find " + std::string(name) + " in sector " +
                      std::string(sector) + " of " + FileName,
                  __LINE__);
    }
    return value;
}

std::string INIClass::TryFetch(std::string_view sector, std::string_view name) {
    CriticalProcedure lock(CritSect);
    return Fetch(sector, name, "", FileName);
}

std::string INIClass::FetchField(std::string_view sector, std::string_view name, int field) {
    CriticalProcedure lock(CritSect);
    std::string value = cut(Fetch(sector, name), FieldBufferSize + 1);
    auto part = fieldOf(value, field);
    if (!part) {
        iniAssert("INI Assert: Field " + std::to_string(field) + " not found in " +
                      std::string(name) + " in sector " + std::string(sector) + " of " + FileName,
                  __LINE__);
        return {};
    }
    return *part;
}

void INIClass::Update(std::string_view sector, std::string_view name, std::string_view value,
                      std::string_view fileName) {
    CriticalProcedure lock(CritSect);
    if (NVType != NV_INIFile && NVType != NV_Registry) return tableNotSupported(__LINE__);
    // A longer value would come back cut by the next Fetch.
    if (rt::utf8Length(value) >= ValueSize) {
        iniAssert("INI Assert: Value too long for " + std::string(name) + " in sector " +
                      std::string(sector),
                  __LINE__);
        return;
    }
    if (NVType == NV_Registry) return updateRegistry(registryPath(fileName, sector), name, value);
    if (rt::SettingsFile::put(fileName, sector, name, value) != 0)
        writeFailed(sector, name, fileName);
}

void INIClass::Update(std::string_view sector, std::string_view name, std::string_view value) {
    CriticalProcedure lock(CritSect);
    Update(sector, name, value, FileName);
}

void INIClass::Remove(std::string_view sector, std::string_view name) {
    CriticalProcedure lock(CritSect);
    switch (NVType) {
        case NV_INIFile:
            if (rt::SettingsFile::put(FileName, sector, name, std::nullopt) != 0)
                writeFailed(sector, name, FileName);
            return;
        case NV_Registry:
            return removeRegistry(registryPath(FileName, sector), name);
        default:
            return tableNotSupported(__LINE__);
    }
}

std::optional<std::string> INIClass::entryText(const rt::FieldRef (&fields)[4]) const {
    std::string entry;
    bool first = true;
    for (const rt::FieldRef& field : fields) {
        if (field.isNull()) continue;
        std::string text = fieldText(field);
        if (!storable(text)) return std::nullopt;
        if (!std::exchange(first, false)) entry += ',';
        entry += text;
        if (rt::utf8Length(entry) >= EntryBufferSize) return std::nullopt;
    }
    // FetchField reads an entry through a buffer of FieldBufferSize.
    if (rt::utf8Length(entry) > FieldBufferSize) return std::nullopt;
    return entry;
}

void INIClass::UpdateQueue(std::string_view sector, std::string_view name, QueueInterface& list,
                           rt::FieldRef field1, rt::FieldRef field2, rt::FieldRef field3,
                           rt::FieldRef field4) {
    CriticalProcedure lock(CritSect);
    const rt::FieldRef fields[4] = {field1, field2, field3, field4};
    std::vector<std::string> entries;
    for (std::size_t n = 1; n <= list.Records(); ++n) {
        list.Get(n);
        auto entry = entryText(fields);
        if (entry) {
            entries.push_back(std::move(*entry));
            continue;
        }
        iniAssert("INI Assert: Entry " + std::to_string(n) + " of " + std::string(name) +
                      " in sector " + std::string(sector) + " cannot be stored",
                  __LINE__);
    }
    Update(sector, name, std::to_string(entries.size()));
    for (std::size_t n = 1; n <= entries.size(); ++n)
        Update(sector, std::string(name) + "_" + std::to_string(n), entries[n - 1]);
}

void INIClass::FetchQueue(std::string_view sector, std::string_view name, QueueInterface& list,
                          rt::FieldRef field1, rt::FieldRef field2, rt::FieldRef field3,
                          rt::FieldRef field4) {
    CriticalProcedure lock(CritSect);
    rt::FieldRef fields[4] = {field1, field2, field3, field4};
    std::size_t count = countOf(TryFetch(sector, name));
    // Stopping at the first missing entry keeps a damaged count from
    // inventing records or reading the file a billion times.
    for (std::size_t n = 1; n <= count; ++n) {
        std::string entryName = std::string(name) + "_" + std::to_string(n);
        if (Fetch(sector, entryName) == Unknown) return;
        for (int k = 1; k <= 4; ++k) {
            if (k == 1 || !fields[k - 1].isNull())
                fields[k - 1].set(rt::Value(FetchField(sector, entryName, k)));
        }
        if (!list.Add()) {
            iniAssert("INI Assert: Could not add entry " + std::to_string(n) + " of " +
                          std::string(name) + " in sector " + std::string(sector),
                      __LINE__);
        }
    }
}

void INIClass::AddSector(std::string_view sector) {
    CriticalProcedure lock(CritSect);
    if (!Sectors) return iniAssert("INI Assert: Sector list used before Init", __LINE__);
    SectorEntry entry = GetFamily(sector);
    if (entry.Family.empty()) return;
    // The registry is stored as comma-joined parts of limited length.
    if (!SectorQueue::Accepts(entry) || !storable(entry.Family) || !storable(entry.Item) ||
        !storable(entry.Type)) {
        return iniAssert("INI Assert: Sector cannot be registered: " + std::string(sector),
                         __LINE__);
    }
    Sectors->Buffer = std::move(entry);
    Sectors->Add();
}

std::string INIClass::GetSector(std::string_view family, std::string_view item,
                                std::string_view type) {
    auto sector = SectorName::Build(family, item, type);
    if (!sector) {
        iniAssert("INI Assert: Malformed sector " + std::string(family) + ", " + std::string(item) +
                      ", " + std::string(type),
                  __LINE__);
        return {};
    }
    return *sector;
}

SectorEntry INIClass::GetFamily(std::string_view sector) {
    auto entry = SectorName::Split(sector);
    if (!entry) {
        iniAssert("INI Assert: Malformed sector " + std::string(sector), __LINE__);
        return {};
    }
    return *entry;
}

void INIClass::GetSectors(std::string_view family, std::string_view item, std::string_view type,
                          SectorQueue& result) {
    CriticalProcedure lock(CritSect);
    result.Free();
    if (!Sectors) return iniAssert("INI Assert: Sector list used before Init", __LINE__);
    for (const SectorEntry& entry : Sectors->records()) {
        std::string plainItem = SectorName::RemoveEscapes(entry.Item).value_or(entry.Item);
        if ((family.empty() || entry.Family == family) && (item.empty() || plainItem == item) &&
            (type.empty() || entry.Type == type)) {
            result.Buffer = SectorEntry{entry.Family, plainItem, entry.Type};
            result.Add();
        }
    }
}

std::string INIClass::registryPath(std::string_view fileName, std::string_view sector) const {
    if (fileName.empty()) return std::string(sector);
    return std::string(fileName) + "\\" + std::string(sector);
}

std::string INIClass::fetchRegistry(std::string_view path, std::string_view name) {
    rt::Registry& registry = rt::Registry::user();
    rt::Registry::Key key = registry.openKey(registryRoot(), path);
    if (!key) return {};
    std::string value = registry.queryValue(key, name).value_or("");
    registry.closeKey(key);
    return value;
}

void INIClass::updateRegistry(std::string_view path, std::string_view name,
                              std::string_view value) {
    if (value.empty()) return removeRegistry(path, name);
    rt::Registry& registry = rt::Registry::user();
    rt::Registry::Key key = registry.createKey(registryRoot(), path);
    int code = key ? registry.setValue(key, name, value) : rt::lastError().code;
    if (key) registry.closeKey(key);
    if (code != 0) writeFailed(path, name, "the registry");
}

// A value that is not there is already removed.
void INIClass::removeRegistry(std::string_view path, std::string_view name) {
    rt::Registry& registry = rt::Registry::user();
    rt::Registry::Key key = registry.openKey(registryRoot(), path);
    if (!key) return;
    int code = registry.deleteValue(key, name);
    registry.closeKey(key);
    if (code != 0 && code != kNotFound) writeFailed(path, name, "the registry");
}

void INIClass::writeFailed(std::string_view sector, std::string_view name,
                           std::string_view fileName) {
    iniAssert("INI Assert: Could not write " + std::string(name) + " in sector " +
                  std::string(sector) + " of " + std::string(fileName),
              __LINE__);
}
