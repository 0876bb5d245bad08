#include "app/CsvImport.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

#include "app/CsvExitCode.h"
#include "app/CsvLayout.h"
#include "app/Dictionary.h"
#include "app/TerminalLogin.h"
#include "runtime/store/KeyedTransaction.h"
#include "runtime/text/FixedText.h"
#include "util/CsvReader.h"

namespace {

// No entry comes near this many bytes (its notes hold 1000 characters of at
// most 4 bytes each); a row past it is skipped unread, so a file of any size
// is read in bounded memory. The layouts have at most 11 columns.
constexpr CsvLimits kLimits{256 * 1024, 64};
// Seconds a start of the transaction waits for another station's write.
constexpr int kTransactionWait = 10;

// A value longer than its field would be cut: the row is refused instead.
// Fixed-length fields drop trailing spaces, so those are not counted there.
bool fits(const char* field, std::string_view value, std::size_t capacity, std::string& reason) {
    const std::size_t length = rt::utf8Length(value);
    if (length <= capacity) return true;
    reason = std::string(field) + " has " + std::to_string(length) +
             " characters, its field holds " + std::to_string(capacity);
    return false;
}

bool fitsEntry(const CsvEntry& e, std::string& reason) {
    const std::size_t notes = PAS.Definition.memos()[PAS.Definition.memoIndex("PAS:Notes")].maxSize;
    return fits("Title", rt::rightTrim(e.title), PAS.Title.capacity(), reason) &&
           fits("User name", rt::rightTrim(e.userName), PAS.UserName.capacity(), reason) &&
           fits("Password", rt::rightTrim(e.password), PAS.Password.capacity(), reason) &&
           fits("Location", rt::rightTrim(e.location), PAS.Location.capacity(), reason) &&
           fits("Notes", e.notes, notes, reason);
}

// As the credential form adds one: primed (which numbers it), filled, inserted.
bool insertEntry(const CsvEntry& e) {
    if (Access_Passwords->PrimeRecord() != LevelBenign) return false;
    PAS.Title = e.title;
    PAS.UserName = e.userName;
    PAS.Password = e.password;
    PAS.Location = e.location;
    PAS.Notes = e.notes;
    PAS.DateCreated = rt::toStored(e.created);
    return Access_Passwords->TryInsert() == LevelBenign;
}

// One import: the file's rows through the layout into the data file.
class Import {
  public:
    Import(const std::filesystem::path& source, std::FILE* out, std::FILE* err)
        : source_(source), out_(out), err_(err) {}
    int run();

  private:
    int nothing(const std::string& why);
    int readHeader(CsvReader& reader);
    int addRows(CsvReader& reader, const CsvLayout& layout);
    void skip(long line, const std::string& reason);

    const std::filesystem::path& source_;
    std::FILE* out_;
    std::FILE* err_;
    std::optional<CsvLayout> layout_;
    long imported_ = 0;
    long skipped_ = 0;
};

int Import::nothing(const std::string& why) {
    std::fprintf(err_, "lockora: nothing imported from %s: %s\n", source_.c_str(), why.c_str());
    return CsvNothingDone;
}

void Import::skip(long line, const std::string& reason) {
    std::fprintf(err_, "%s: line %ld: skipped: %s\n", source_.c_str(), line, reason.c_str());
    ++skipped_;
}

int Import::readHeader(CsvReader& reader) {
    CsvRecord header;
    if (!reader.next(header))
        return nothing(reader.failed() ? "it cannot be read" : "it is empty: no header line");
    layout_ = CsvLayout::recognize(header.values);
    if (header.problem != CsvRecord::Problem::None || !layout_) {
        std::string expected;
        for (std::string_view name : CsvLayout::exportHeader())
            expected += (expected.empty() ? "" : ",") + std::string(name);
        return nothing("its header (line " + std::to_string(header.line) +
                       ") names no layout Lockora reads; the first line must be\n  " + expected +
                       "\nor\n  folder,favorite,type,name,notes,fields,reprompt,login_uri,"
                       "login_username,login_password,login_totp");
    }
    return CsvDone;
}

int Import::run() {
    std::ifstream in(source_, std::ios::binary);
    if (!in) return nothing(std::strerror(errno));
    CsvReader reader(in, kLimits);
    if (int code = readHeader(reader)) return code;
    TerminalLogin login;
    std::string why;
    if (login.open(why) != TerminalLogin::Outcome::Opened) {
        std::fprintf(err_, "lockora: the data file cannot be opened: %s\n", why.c_str());
        return CsvNoDataFile;
    }
    if (rt::beginTransaction({&PAS.File}, kTransactionWait) != 0)
        return nothing("the data file is busy: " + lastErrorText());
    if (int code = addRows(reader, *layout_)) {
        rt::rollbackTransaction();
        return code;
    }
    if (rt::commitTransaction() != 0)
        return nothing("the data file refused the entries: " + lastErrorText());
    std::fprintf(out_, "Imported %ld entries from %s (%s layout); skipped %ld rows.\n", imported_,
                 source_.c_str(), std::string(layout_->name()).c_str(), skipped_);
    return skipped_ == 0 ? CsvDone : CsvRowsSkipped;
}

int Import::addRows(CsvReader& reader, const CsvLayout& layout) {
    CsvRecord record;
    CsvEntry entry;
    std::string reason;
    while (reader.next(record)) {
        if (!layout.entryOf(record, entry, reason) || !fitsEntry(entry, reason)) {
            skip(record.line, reason);
            continue;
        }
        if (!insertEntry(entry))
            return nothing("adding the entry of line " + std::to_string(record.line) +
                           " failed: " + lastErrorText());
        ++imported_;
        for (const std::string& column : entry.left)
            std::fprintf(err_,
                         "%s: line %ld: imported without its %s value: entries have no "
                         "place for it\n",
                         source_.c_str(), record.line, column.c_str());
    }
    if (reader.failed()) return nothing("reading it failed part way");
    if (imported_ == 0 && skipped_ > 0) return nothing("no row could be imported");
    return CsvDone;
}

}  // namespace

int ImportEntries(const std::filesystem::path& source, std::FILE* out, std::FILE* err) {
    return Import(source, out, err).run();
}
