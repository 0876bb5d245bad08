#include "tests/soak/SoakProbe.h"

#include <sqlcipher/sqlite3.h>

#include <functional>

#include "app/OwnerPassword.h"
#include "app/SystemFile.h"
#include "runtime/store/CipherKey.h"
#include "runtime/store/DataFileKeys.h"
#include "runtime/store/KeyDerivation.h"
#include "tests/support/Tools.h"

namespace soak {

namespace {

// A connection closed however the reading ends.
struct Connection {
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close_v2(db); }
};

// Runs sql and hands each row's columns as text to row; false on an error.
bool eachRow(sqlite3* db, const std::string& sql,
             const std::function<void(const std::vector<std::string>&)>& row) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) return false;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::vector<std::string> columns;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
            columns.emplace_back(text ? text : "");
        }
        row(columns);
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE;
}

std::string clipped(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

Entry entryOf(const std::vector<std::string>& row) {
    Entry e{clipped(row[1]), clipped(row[2]), row[3].empty() ? 'a' : row[3][0],
            static_cast<int>(row[3].size())};
    // Notes that are not one letter repeated fit no entry the writer made.
    if (row[3].find_first_not_of(e.noteLetter) != std::string::npos) e.noteLength = -1;
    return e;
}

}  // namespace

SoakProbe::SoakProbe(std::filesystem::path file) : file_(std::move(file)) {}

ProbeResult SoakProbe::look(const std::vector<std::string>& candidates) const {
    ProbeResult result;
    std::string master;
    for (const std::string& password : candidates)
        if (programOpens(password, master, result.integrity)) {
            result.opened = true;
            result.password = password;
            break;
        }
    if (!result.opened) {
        result.error = "the program opens the file with none of the expected passwords";
        return result;
    }
    if (master != result.password) {
        result.error = "the file opened with '" + result.password +
                       "' but its System record holds '" + master + "'";
        return result;
    }
    readRows(cipherKey(result.password), result);
    return result;
}

// The program's path: unlock with the password's key when there is one,
// open the System table, read its record and check the whole file (its
// indexes fold case with the runtime's own function, which only the
// program's connections have).
bool SoakProbe::programOpens(const std::string& password, std::string& master,
                             std::string& integrity) const {
    rt::DataFileKeys::forgetAll();
    bool opened = false;
    {
        SystemFile sys;
        if (!password.empty() && sys.File.unlock(password) != 0) return false;
        if (sys.File.open() == 0 && !sys.File.waitsForKey() && sys.File.set() == 0 &&
            sys.File.next() == 0) {
            master = sys.MasterPassword.clipped();
            integrity = sys.File.database()->integrityCheck();
            opened = true;
        }
        sys.File.close();
    }
    rt::DataFileKeys::forgetAll();
    return opened;
}

std::string SoakProbe::cipherKey(const std::string& password) const {
    if (password.empty()) return std::string("'") + kOwnerPassword + "'";
    auto salt = rt::fileSalt(file_);
    auto key = salt ? rt::KeyDerivation::derive(password, *salt) : nullptr;
    if (!key) return {};
    return "\"x'" + testsupport::hexOf(key->data(), key->size()) + "'\"";
}

void SoakProbe::readRows(const std::string& key, ProbeResult& result) const {
    Connection c;
    if (sqlite3_open_v2(file_.c_str(), &c.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_exec(c.db, ("PRAGMA key = " + key).c_str(), nullptr, nullptr, nullptr) !=
            SQLITE_OK) {
        result.error = "the storage library does not open the file";
        return;
    }
    int systemRows = 0;
    bool read =
        eachRow(c.db, "SELECT CompanyName, MasterPassword FROM System", [&](const auto& row) {
            ++systemRows;
            result.state.company = clipped(row[0]);
            result.state.master = clipped(row[1]);
        });
    read = read && eachRow(c.db, "SELECT Primary_ID, Title, Password, Notes FROM Password",
                           [&](const auto& row) {
                               result.state.entries[std::stoi(row[0])] = entryOf(row);
                           });
    if (!read)
        result.error = std::string("reading the file failed: ") + sqlite3_errmsg(c.db);
    else if (systemRows != 1)
        result.error = "the System table holds " + std::to_string(systemRows) + " records";
}

}  // namespace soak
