#pragma once
// Small persistent settings in sections ("sectors") of an INI file or the
// registry stand-in: values, numbered lists, and the registry of sectors. Owns
// its sector list and its lock; every operation holds the lock (any thread).
//
// A subclass that overrides the argument-less Fetch or Update to load and save
// its own settings should say `using INIClass::Fetch; using INIClass::Update;`
// so the other overloads stay visible.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "pairs/CriticalSection.h"
#include "runtime/text/FieldRef.h"
#include "window/QueueInterface.h"
#include "window/SectorEntry.h"
#include "window/SectorQueue.h"

// Storage kinds.
enum : std::int32_t {
    NV_INIFile = 0,   // a plain INI text file
    NV_Registry = 1,  // registry values under FileName + "\" + sector
    NV_Table = 2,     // not supported: every access asserts
};

class INIClass {
  public:
    static constexpr std::size_t FileNameSize = 260;  // zero-terminated
    static constexpr std::size_t ValueSize = 1024;    // a value read holds 1023
    static constexpr std::size_t FieldBufferSize = 1000;
    static constexpr std::size_t EntryBufferSize = 5000;
    static constexpr std::uint32_t DefaultRoot = 0x80000000u;
    static constexpr const char* Unknown = "---Unknown---";
    static constexpr const char* ReservedSection = "__Dont_Touch_Me__";
    static constexpr const char* SectorsName = "Sectors";

    INIClass() = default;
    virtual ~INIClass();
    INIClass(const INIClass&) = delete;
    INIClass& operator=(const INIClass&) = delete;

    // The replaceable operations, in their slot order.
    // The stored value, or defaultValue when there is none; at most 1023
    // characters. The registry kind reads fileName + "\" + sector.
    virtual std::string Fetch(std::string_view sector, std::string_view name,
                              std::string_view defaultValue, std::string_view fileName);
    virtual void Update(std::string_view sector, std::string_view name, std::string_view value,
                        std::string_view fileName);
    // Load and save a subclass's own settings; nothing here.
    virtual void Fetch() {}
    virtual void Update() {}

    // REQUIRES: fileName has fewer than FileNameSize characters (an assertion
    // reports it, and the object stays uninitialised). A second Init kills
    // the first.
    void Init(std::string_view fileName, std::int32_t nvType = NV_INIFile,
              std::uint32_t extraData = 0);
    // Saves the sector registry and drops it; harmless when called again.
    void Kill();

    // A missing value asserts and answers Unknown.
    std::string Fetch(std::string_view sector, std::string_view name);
    // A missing value answers "" without asserting.
    std::string TryFetch(std::string_view sector, std::string_view name);
    // The field-th (from 1) comma-separated part of the value; "" and an
    // assertion when the value has fewer parts.
    std::string FetchField(std::string_view sector, std::string_view name, int field);
    void Update(std::string_view sector, std::string_view name, std::string_view value);
    void Remove(std::string_view sector, std::string_view name);

    // Writes the list's count under name and record n under name + "_" + n,
    // its given fields joined by ",". A record that could not be read back
    // as written (a field holding "," or a line break, or an entry longer
    // than FieldBufferSize) is left out with an assertion and not counted.
    void UpdateQueue(std::string_view sector, std::string_view name, QueueInterface& list,
                     rt::FieldRef field1, rt::FieldRef field2 = {}, rt::FieldRef field3 = {},
                     rt::FieldRef field4 = {});
    // Appends the stored records to list (which is not cleared first); stops
    // at the first entry that is missing.
    void FetchQueue(std::string_view sector, std::string_view name, QueueInterface& list,
                    rt::FieldRef field1, rt::FieldRef field2 = {}, rt::FieldRef field3 = {},
                    rt::FieldRef field4 = {});

    // REQUIRES: Init was called; the sector is a well-formed sector name
    // whose parts fit the list and hold no ",".
    void AddSector(std::string_view sector);
    // "" and an assertion when the parts cannot make a sector name.
    std::string GetSector(std::string_view family, std::string_view item, std::string_view type);
    // Empty parts and an assertion for a malformed name.
    SectorEntry GetFamily(std::string_view sector);
    // Empties result, then copies each registered sector matching the
    // non-empty filters; items are compared and copied unescaped.
    void GetSectors(std::string_view family, std::string_view item, std::string_view type,
                    SectorQueue& result);

    std::string FileName;
    std::unique_ptr<SectorQueue> Sectors;
    std::int32_t NVType = NV_INIFile;
    std::uint32_t ExtraData = 0;
    CriticalSection CritSect;

  private:
    std::string fetchRegistry(std::string_view path, std::string_view name);
    void updateRegistry(std::string_view path, std::string_view name, std::string_view value);
    void removeRegistry(std::string_view path, std::string_view name);
    std::string registryPath(std::string_view fileName, std::string_view sector) const;
    std::uint32_t registryRoot() const { return ExtraData ? ExtraData : DefaultRoot; }
    // The entry text of the list's buffer, or nullopt when it cannot be stored.
    std::optional<std::string> entryText(const rt::FieldRef (&fields)[4]) const;
    void writeFailed(std::string_view sector, std::string_view name, std::string_view fileName);
};
