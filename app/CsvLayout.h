#pragma once
// The CSV layouts entries move in and out by, told apart by their header:
// the one lockora --export writes (KeePassXC's layout) and Bitwarden's.
// Turns a record of either into an entry's texts, or says why it cannot;
// values longer than the fields are the importer's to judge. Value type.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/text/Date.h"
#include "util/CsvReader.h"

struct CsvEntry {
    std::string title, location, userName, password, notes;
    rt::DateSerial created = 0;  // 0: none given
    // Columns whose values were given but have no place in an entry.
    std::vector<std::string> left;
};

class CsvLayout {
  public:
    // The layout a header line names, if any (names compared without regard
    // to case or surrounding spaces).
    static std::optional<CsvLayout> recognize(const std::vector<std::string>& header);
    // The header lockora --export writes, and the group its entries are in.
    static const std::vector<std::string_view>& exportHeader();
    static constexpr std::string_view kExportGroup = "Lockora";

    std::string_view name() const;
    std::size_t columns() const;
    // False, with the reason, for a record that gives no entry.
    bool entryOf(const CsvRecord& record, CsvEntry& entry, std::string& reason) const;

  private:
    enum class Kind { Export, Vault };
    explicit CsvLayout(Kind kind) : kind_(kind) {}
    bool exportEntry(const std::vector<std::string>& v, CsvEntry& entry, std::string& reason) const;
    bool vaultEntry(const std::vector<std::string>& v, CsvEntry& entry, std::string& reason) const;

    Kind kind_;
};

// "2024-05-31", alone or followed by a time ("T..." or " ..."); 0 when the
// text is no such date or one outside the dates the program keeps.
rt::DateSerial isoDateSerial(std::string_view text);
// The date as "2024-05-31"; empty for 0.
std::string isoDateText(rt::DateSerial date);
