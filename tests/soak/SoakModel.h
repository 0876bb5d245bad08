#pragma once
// What the soak's data file holds, as the driver expects it: the Passwords
// entries by number and the one System record's company name and master
// password. Also the text form of one operation's changes, which the writer
// sends before the operation's commit and the driver applies to its copy.
// Plain values; any thread.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace soak {

// One Passwords entry. The notes are `noteLength` times `noteLetter`, so a
// change line stays short however long the memo is.
struct Entry {
    std::string title;
    std::string password;
    char noteLetter = 'a';
    int noteLength = 0;

    std::string notes() const {
        return std::string(static_cast<std::size_t>(noteLength), noteLetter);
    }
    // Empty notes are equal whatever their letter.
    bool operator==(const Entry& other) const {
        return title == other.title && password == other.password && notes() == other.notes();
    }
    // "title/password/letter x length", for reports.
    std::string describe() const;
};

struct FileState {
    std::map<std::int32_t, Entry> entries;
    std::string company;
    std::string master;  // blank: the file is keyed with the owner password

    bool operator==(const FileState&) const = default;
};

// One change of an operation. Index builds change no row: kind Index.
struct Change {
    enum Kind : char {
        Insert = 'I',
        Update = 'U',
        Delete = 'D',
        Company = 'C',
        Master = 'K',
        Index = 'X'
    };
    Kind kind = Index;
    std::int32_t id = 0;
    Entry entry;
    std::string text;  // company, master password or what the index build did
};

using Operation = std::vector<Change>;

// "I:7:title:pw:c120" and so on; values never hold spaces or colons.
std::string encode(const Change& change);
std::string encode(const Operation& op);
// Nullopt when the text is not a list of changes encode() makes.
std::optional<Operation> decode(const std::string& text);

// The state after op; nullopt when op does not fit the state (an insert of
// an existing number, a change or delete of a missing one).
std::optional<FileState> applyOperation(const FileState& state, const Operation& op);

// The new master password when op changes it.
std::optional<std::string> newMaster(const Operation& op);

// A short account of how two states differ, for the driver's report.
std::string describeDifference(const FileState& expected, const FileState& found);

}  // namespace soak
