#pragma once
// A handle on one table of a keyed data file (the KEYED driver): open,
// create, read by key, by position and in key order, add, put, delete, holds,
// watch, saved states, driver strings and the call-back interface. Every
// call leaves its code in the per-thread last error. Borrows the definition
// (and through it the record buffer) and its station; one thread at a time.
//
// States: closed -> open (read only or read/write) -> closed. A data file
// keyed with a master password this process does not know yet opens as
// "waiting": the connection is made by the first operation after unlock(). Sequential
// reading keeps a cursor in the order of the key last set (or file order);
// the current record is the one last read or written, and its image as read
// is what a put compares with the stored row inside its write transaction.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/store/FileCallback.h"
#include "runtime/store/FileDefinition.h"
#include "runtime/store/KeyedCursor.h"
#include "runtime/store/KeyedDatabase.h"
#include "runtime/store/KeyedStation.h"

namespace rt {

class View;

// Access (low bits) and sharing (high bits) of an open mode.
enum OpenMode : int {
    ReadOnly = 0x00,
    WriteOnly = 0x01,
    ReadWrite = 0x02,
    DenyAll = 0x10,
    DenyWrite = 0x20,
    DenyRead = 0x30,
    DenyNone = 0x40,
};

class KeyedFile {
  public:
    // station null: the calling thread's station.
    explicit KeyedFile(const FileDefinition& def, KeyedStation* station = nullptr);
    ~KeyedFile();
    KeyedFile(const KeyedFile&) = delete;
    KeyedFile& operator=(const KeyedFile&) = delete;

    const FileDefinition& definition() const { return def_; }
    // The data file: the full name's file part, ".lkdb" added when it has no
    // extension, relative to the working directory.
    std::filesystem::path path() const;
    std::string name() const { return def_.fullName(); }

    int open(int mode = ReadWrite | DenyNone);
    int close();
    // Creates the data file when missing and the table and its keys when
    // missing; an existing table keeps its records.
    int create();
    int buildKeys();
    // Also while the open waits for the data file's key (see unlock).
    bool isOpen() const { return db_ != nullptr || waitingMode_ >= 0; }

    // True when the data file exists but opens neither with the owner
    // password nor with a key this process knows (it is keyed with a master
    // password): the file is opened once unlock() succeeds.
    bool waitsForKey() const;
    // Derives the data file's key from password, by the parameters the file
    // records, and keeps it for every later open of the file by this
    // process when it unlocks the file. 0, or why not (90: it does not).
    int unlock(std::string_view password);
    // True when another station has the data file open (a write that sets
    // the master key field is then refused).
    bool openedByOtherStations();
    // The driver answers filters itself: SQL(...) text in them is never
    // handed on to a database server to decide.
    static constexpr bool sqlDriver() { return false; }
    int mode() const { return mode_; }

    // Keys are numbered by their index in the definition; -1 is file order.
    int get(int key);
    int getByPosition(std::string_view position);
    int getByPointer(std::int64_t pointer);
    int reget();
    int set(int key = -1);
    int setToBuffer(int key, std::size_t components = SIZE_MAX);
    int reset(int key, std::string_view position);
    int next(bool hold = false);
    int previous(bool hold = false);
    int add();
    int put();
    int remove();
    std::int64_t records();
    // The current record's position through a key, or in the file.
    std::string position(int key) const;
    std::string position() const { return position(-1); }
    std::int64_t pointer() const { return current_; }
    // A digest of the current record's stored values as last read or
    // written, never 0; with memos only when they were read and asked for.
    std::uint64_t stamp(bool withMemos) const;
    bool memosRead() const { return imageHasMemos_; }
    // True when the buffer's values duplicate another record under a unique key.
    bool duplicates(int key);

    int hold();
    int release();
    int watch();
    int flush();
    // "Recover=" seconds (how long a write waits for another station),
    // "QUICKSCAN=" on|off; answers the code, the setting's value in *answer.
    int send(std::string_view command, std::string* answer = nullptr);
    void setReadAhead(int rows);
    int readAhead() const { return readAhead_; }
    void skipMemosOnNextRead() { skipMemos_ = true; }
    void clearBuffer();

    // Whole state (cursor, current record and buffer); handles start at 1.
    int saveState();
    int restoreState(int handle);
    void freeState(int handle);

    void setCallback(FileCallback* callback) { callback_ = callback; }
    FileCallback* callback() const { return callback_; }
    // Enlisted in the next transaction of its station.
    void setLogout(bool enlisted);
    bool logout() const { return logout_; }

    KeyedStation& station() const { return *station_; }
    std::shared_ptr<KeyedDatabase> database() const { return db_; }
    const std::string& table() const { return table_; }
    // The SQL of every statement sequential reading uses in a key's order.
    std::vector<std::string> TEST_pageReadStatements(int key) const;

  private:
    friend class View;
    struct SavedState;

    // Calls the call-back around body and leaves its code as the last error.
    int run(int op, const std::function<int()>& body);
    int finish(int code, const DbStatus& status = {});
    int openBody(int mode);
    int closeBody();
    // Connects an open that waited for the data file's key, now that it may
    // be known; 0 when connected and not inside a transaction of its station
    // that SQLite rolled back.
    int ready();
    int refuseOutsideLostTransaction();
    int createBody();
    // The table and its indexes, each statement made only when missing.
    std::string schemaSql() const;
    int checkSchema();
    KeyedOrder orderOf(int key) const;
    std::string selectList(bool withMemos) const;
    std::string indexName(const KeyDefinition& key) const;
    std::string keyIndexSql(const KeyDefinition& key) const;
    // The declared orders no key serves: their index names and statements.
    std::vector<std::pair<std::string, std::string>> orderIndexes() const;
    void buildMissingOrders();
    int readStep(KeyedCursor& cursor, bool forward, bool hold, const std::string& where = {},
                 int limit = 0);
    int readOne(const std::string& sql, const std::vector<SqlValue>& params);
    void loadRow(const std::vector<SqlValue>& row, bool withMemos);
    std::vector<SqlValue> rowValues() const;
    int writeTransaction(const std::function<int()>& body);
    std::string masterKeyText(const std::vector<SqlValue>& row) const;
    int noteMasterKey(const std::vector<SqlValue>& before, const std::vector<SqlValue>& after);
    int compareStored();
    KeyedPosition positionIn(const KeyedOrder& order) const;
    // Where a position stands in an order: the record's own values when it
    // still exists (the position may come from another order), else the
    // position's values when they fit the order.
    std::optional<KeyedPosition> locate(const KeyedOrder& order, std::string_view position);

    const FileDefinition& def_;
    // Keeps the thread's default station alive while this handle uses it.
    std::shared_ptr<KeyedStation> ownStation_;
    KeyedStation* station_;
    std::string table_;
    std::shared_ptr<KeyedDatabase> db_;
    std::shared_ptr<RecordLockFile> locks_;
    int mode_ = 0;
    int waitingMode_ = -1;  // an open waiting for the key, with its mode; -1: none
    KeyedCursor cursor_;
    std::int64_t current_ = 0;
    std::vector<SqlValue> image_;  // the current record's columns as read or written
    bool imageHasMemos_ = false;
    std::set<std::int64_t> held_;
    int readAhead_ = 0;
    bool skipMemos_ = false;
    bool logout_ = false;
    bool quickScan_ = false;
    int recoverSeconds_ = -1;  // -1: the connection's default wait
    bool viaView_ = false;
    FileCallback* callback_ = nullptr;
    std::map<int, std::unique_ptr<SavedState>> saved_;
    int lastSaved_ = 0;
    DbStatus status_;
};

}  // namespace rt
