#include "app/CsvLayout.h"

#include <cctype>
#include <cstdio>

namespace {

// The columns of each layout, in their order.
enum ExportColumn { XGroup, XTitle, XUser, XPassword, XUrl, XNotes, XTotp, XIcon, XChanged, XMade };
enum VaultColumn {
    VFolder,
    VFavorite,
    VType,
    VName,
    VNotes,
    VFields,
    VReprompt,
    VUri,
    VUser,
    VPassword,
    VTotp
};

const std::vector<std::string_view> kExportHeader = {
    "Group", "Title", "Username", "Password",      "URL",
    "Notes", "TOTP",  "Icon",     "Last Modified", "Created"};
const std::vector<std::string_view> kVaultHeader = {
    "folder",   "favorite",  "type",           "name",           "notes",     "fields",
    "reprompt", "login_uri", "login_username", "login_password", "login_totp"};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    a = trimmed(a);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool matches(const std::vector<std::string>& header, const std::vector<std::string_view>& names) {
    if (header.size() != names.size()) return false;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!sameName(header[i], names[i])) return false;
    return true;
}

// Two digits or four, all of them digits.
int digits(std::string_view text) {
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

rt::DateSerial isoDateSerial(std::string_view text) {
    text = trimmed(text);
    if (text.size() < 10 || text[4] != '-' || text[7] != '-') return 0;
    if (text.size() > 10 && text[10] != 'T' && text[10] != ' ') return 0;
    const int year = digits(text.substr(0, 4));
    const int month = digits(text.substr(5, 2));
    const int day = digits(text.substr(8, 2));
    if (year < 0 || month < 1 || month > 12 || day < 1) return 0;
    // The runtime rolls days past the month's end over: such a day is no date.
    rt::DateSerial date = rt::dateFromParts(month, day, year);
    return date != 0 && rt::dateDay(date) == day ? date : 0;
}

std::string isoDateText(rt::DateSerial date) {
    if (date == 0) return {};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", rt::dateYear(date), rt::dateMonth(date),
                  rt::dateDay(date));
    return text;
}

std::optional<CsvLayout> CsvLayout::recognize(const std::vector<std::string>& header) {
    if (matches(header, kExportHeader)) return CsvLayout(Kind::Export);
    if (matches(header, kVaultHeader)) return CsvLayout(Kind::Vault);
    return std::nullopt;
}

const std::vector<std::string_view>& CsvLayout::exportHeader() {
    return kExportHeader;
}

std::string_view CsvLayout::name() const {
    return kind_ == Kind::Export ? "KeePassXC" : "Bitwarden";
}

std::size_t CsvLayout::columns() const {
    return kind_ == Kind::Export ? kExportHeader.size() : kVaultHeader.size();
}

bool CsvLayout::entryOf(const CsvRecord& record, CsvEntry& entry, std::string& reason) const {
    // A broken row says more than the columns it seems to have; a row of
    // too many columns is best told by their number.
    const bool broken = record.problem != CsvRecord::Problem::None &&
                        record.problem != CsvRecord::Problem::TooManyColumns;
    if (broken) {
        reason = csvProblemText(record.problem);
        return false;
    }
    if (record.columns != columns()) {
        reason = "it has " + std::to_string(record.columns) + " column(s), the header has " +
                 std::to_string(columns());
        return false;
    }
    entry = CsvEntry{};
    return kind_ == Kind::Export ? exportEntry(record.values, entry, reason)
                                 : vaultEntry(record.values, entry, reason);
}

bool CsvLayout::exportEntry(const std::vector<std::string>& v, CsvEntry& entry,
                            std::string& reason) const {
    entry.title = v[XTitle];
    entry.userName = v[XUser];
    entry.password = v[XPassword];
    entry.location = v[XUrl];
    entry.notes = v[XNotes];
    if (!trimmed(v[XMade]).empty()) {
        entry.created = isoDateSerial(v[XMade]);
        if (entry.created == 0) {
            reason = "Created is no date of the form YYYY-MM-DD between 1801 and 9999";
            return false;
        }
    }
    if (!v[XTotp].empty()) entry.left.push_back(std::string(kExportHeader[XTotp]));
    return true;
}

bool CsvLayout::vaultEntry(const std::vector<std::string>& v, CsvEntry& entry,
                           std::string& reason) const {
    if (!sameName(v[VType], "login")) {
        reason = "its type is \"" + v[VType] + "\": only logins are imported";
        return false;
    }
    entry.title = v[VName];
    entry.userName = v[VUser];
    entry.password = v[VPassword];
    entry.location = v[VUri];
    entry.notes = v[VNotes];
    for (int column : {VFields, VTotp})
        if (!v[column].empty()) entry.left.push_back(std::string(kVaultHeader[column]));
    return true;
}
