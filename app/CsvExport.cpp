#include "app/CsvExport.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "app/CsvExitCode.h"
#include "app/CsvLayout.h"
#include "app/Dictionary.h"
#include "app/TerminalLogin.h"
#include "runtime/store/SecretBytes.h"
#include "util/CsvLine.h"
#include "util/PrivateFile.h"

namespace {

// Written out whenever this much is waiting: memory stays small whatever
// the number of entries.
constexpr std::size_t kChunkBytes = 64 * 1024;

// Every byte in `text` is wiped before it is freed: it holds passwords.
class WipedText {
  public:
    WipedText() { text_.reserve(2 * kChunkBytes); }
    ~WipedText() { clear(); }
    WipedText(const WipedText&) = delete;
    WipedText& operator=(const WipedText&) = delete;
    std::string& text() { return text_; }
    void clear() {
        rt::wipeMemory(text_.data(), text_.size());
        text_.clear();
    }

  private:
    std::string text_;
};

void appendEntry(std::string& into) {
    const std::string title = PAS.Title.clipped(), user = PAS.UserName.clipped(),
                      location = PAS.Location.clipped();
    std::string password = PAS.Password.clipped();
    const std::string created = isoDateText(rt::fromStored(PAS.DateCreated));
    // The table keeps no date of the last change: that column stays empty.
    appendCsvLine(into, {CsvLayout::kExportGroup, title, user, password, location, PAS.Notes, "",
                         "0", "", created});
    rt::wipeMemory(password.data(), password.size());
}

int failed(std::FILE* err, const std::filesystem::path& target, const std::string& why) {
    std::fprintf(err, "lockora: nothing exported to %s: %s\n", target.c_str(), why.c_str());
    return CsvNothingDone;
}

}  // namespace

int ExportEntries(const std::filesystem::path& target, std::FILE* out, std::FILE* err) {
    // Made first, so that a name already taken is refused before any
    // password is asked for; removed again when nothing is exported.
    PrivateFile file;
    int error = 0;
    if (!file.create(target, error)) {
        if (error == EEXIST)
            return failed(err, target,
                          "it already exists, and an existing file is never "
                          "overwritten; choose a new name or remove it first");
        return failed(err, target, std::strerror(error));
    }
    TerminalLogin login;
    std::string why;
    if (login.open(why) != TerminalLogin::Outcome::Opened) {
        std::fprintf(err, "lockora: the data file cannot be opened: %s\n", why.c_str());
        return CsvNoDataFile;
    }
    WipedText buffer;
    appendCsvLine(buffer.text(), CsvLayout::exportHeader());
    long count = 0;
    PAS.File.set(0);  // in entry-number order
    while (Access_Passwords->TryNext() == LevelBenign) {
        appendEntry(buffer.text());
        ++count;
        if (buffer.text().size() >= kChunkBytes) {
            if (!file.write(buffer.text(), error)) return failed(err, target, std::strerror(error));
            buffer.clear();
        }
    }
    if (!Access_Passwords->GetEOF())
        return failed(err, target, "the entries could not all be read from the data file");
    if (!file.write(buffer.text(), error) || !file.finish(error))
        return failed(err, target, std::strerror(error));
    std::fprintf(err,
                 "lockora: WARNING: %s is not encrypted: anyone who can read it can read every "
                 "password in it. Delete it as soon as you have used it.\n",
                 target.c_str());
    std::fprintf(out, "Exported %ld entries to %s.\n", count, target.c_str());
    return CsvDone;
}
