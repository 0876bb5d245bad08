#include "runtime/store/KeyedFile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <optional>

#include "runtime/host/LastError.h"
#include "runtime/store/FileErrors.h"
#include "runtime/store/NewDataFile.h"
#include "runtime/store/StoredValue.h"

namespace rt {

namespace {

// SQLite's step results, without its header outside the connection classes.
constexpr int kRow = 100;
constexpr int kDone = 101;

DbStatus driverStatus(int code, std::string text) {
    return DbStatus{code, {}, std::move(text)};
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

}  // namespace

struct KeyedFile::SavedState {
    KeyedCursor cursor;
    std::int64_t current;
    std::vector<SqlValue> image;
    bool imageHasMemos;
    std::vector<Value> fields;
    std::vector<std::string> memos;
};

KeyedFile::KeyedFile(const FileDefinition& def, KeyedStation* station)
    : def_(def),
      ownStation_(station ? nullptr : KeyedStation::currentShared()),
      station_(station ? station : ownStation_.get()),
      table_(def.tableName()),
      cursor_(KeyedOrder(def)) {}

// Closed quietly: the last error is still the one the owner's last call left,
// and call-backs are not told of a file going away.
KeyedFile::~KeyedFile() {
    if (isOpen()) closeBody();
    station_->enlist(this, false);
}

void KeyedFile::setLogout(bool enlisted) {
    logout_ = enlisted;
    station_->enlist(this, enlisted);
}

std::filesystem::path KeyedFile::path() const {
    std::filesystem::path p(def_.fileName());
    if (!p.has_extension()) p += ".lkdb";
    return p;
}

int KeyedFile::run(int op, const std::function<int()>& body) {
    FileCallParams params{false, viaView_, false};
    std::string errCode, errMsg;
    if (callback_ && !callback_->functionCalled(op, params, errCode, errMsg)) {
        int code = std::atoi(errCode.c_str());
        return finish(code ? code : ErrNotSupported, DbStatus{code, errCode, errMsg});
    }
    status_ = {};
    int code = body();
    finish(code, status_);
    if (callback_) {
        errCode = std::to_string(code);
        errMsg = lastError().text;
        callback_->functionDone(op, params, errCode, errMsg);
        finish(code, status_);
    }
    return code;
}

int KeyedFile::finish(int code, const DbStatus& status) {
    setLastError(code, status.driverCode, status.driverText);
    return code;
}

// ---- open, create, keys -------------------------------------------------

int KeyedFile::open(int mode) {
    return run(OpOpen, [&] { return openBody(mode); });
}

int KeyedFile::openBody(int mode) {
    if (db_ || waitingMode_ >= 0) return ErrAlreadyOpen;
    bool readOnly = (mode & 3) == ReadOnly;
    auto db = station_->connect(path(), def_.ownerPassword(), false, readOnly, status_);
    if (!db && def_.masterKeyed() && KeyedDatabase::keyNeeded(path(), status_)) {
        // Open for every caller; the connection follows once the key is known.
        waitingMode_ = mode;
        status_ = {};
        return 0;
    }
    if (!db) return status_.code;
    if (!db->tableExists(table_)) {
        status_ = driverStatus(ErrFileNotFound, "the table " + table_ + " does not exist");
        return ErrFileNotFound;
    }
    db_ = db;
    if (int code = checkSchema()) {
        db_.reset();
        return code;
    }
    locks_ = station_->locks(path());
    if (!locks_->claimOpen(mode)) {
        db_.reset();
        locks_.reset();
        status_ = driverStatus(ErrAccessDenied, "another station's open denies this access");
        return ErrAccessDenied;
    }
    if (recoverSeconds_ >= 0) db_->setBusyTimeout(recoverSeconds_ * 1000);
    if (!readOnly) buildMissingOrders();
    mode_ = mode;
    cursor_ = KeyedCursor(KeyedOrder(def_));
    current_ = 0;
    image_.clear();
    return 0;
}

int KeyedFile::ready() {
    if (db_) return refuseOutsideLostTransaction();
    if (waitingMode_ < 0) return ErrFileNotOpen;
    int mode = waitingMode_;
    waitingMode_ = -1;
    int code = openBody(mode);
    if (code == 0 && !db_) {
        status_ = driverStatus(ErrDriver, "the data file waits for its master password");
        return ErrDriver;
    }
    return code;
}

// SQLite rolls a whole transaction back on some errors (a full disk, an I/O
// error). A write after that would commit on its own, outside what the caller
// means to undo together, and a read would wait on the log the failure left;
// so both fail until the caller ends the transaction.
int KeyedFile::refuseOutsideLostTransaction() {
    if (!station_->holds(db_.get()) || db_->inTransaction()) return 0;
    status_ = driverStatus(ErrDriver, "the transaction was rolled back after an error");
    return ErrDriver;
}

int KeyedFile::checkSchema() {
    std::set<std::string> columns;
    {
        SqlStatement info = db_->statement("PRAGMA table_info(" + quoteName(table_) + ")");
        while (info.step() == kRow) columns.insert(info.columnText(1));
    }
    auto missing = [&](const std::string& label) { return !columns.count(columnName(label)); };
    bool fieldsMissing = std::any_of(def_.fields().begin(), def_.fields().end(),
                                     [&](const FieldDefinition& f) { return missing(f.label); });
    bool memosMissing = std::any_of(def_.memos().begin(), def_.memos().end(),
                                    [&](const MemoDefinition& m) { return missing(m.label); });
    if (fieldsMissing || memosMissing) {
        status_ =
            driverStatus(ErrDriver, "the table " + table_ + " does not match its declaration");
        return ErrDriver;
    }
    for (const auto& key : def_.keys())
        if (!db_->indexExists(indexName(key))) {
            status_ = driverStatus(ErrKeysInvalid, "the key " + key.label + " must be rebuilt");
            return ErrKeysInvalid;
        }
    return 0;
}

int KeyedFile::close() {
    return run(OpClose, [&] { return closeBody(); });
}

int KeyedFile::closeBody() {
    if (!db_ && waitingMode_ >= 0) {
        waitingMode_ = -1;
        return 0;
    }
    if (!db_) return static_cast<int>(ErrFileNotOpen);
    for (std::int64_t rowid : held_) locks_->release(table_, rowid);
    held_.clear();
    cursor_ = KeyedCursor(KeyedOrder(def_));
    db_.reset();
    locks_.reset();
    current_ = 0;
    return 0;
}

std::string KeyedFile::indexName(const KeyDefinition& key) const {
    return table_ + "_" + columnName(key.label);
}

std::string KeyedFile::keyIndexSql(const KeyDefinition& key) const {
    return std::string("CREATE ") + (key.unique ? "UNIQUE " : "") + "INDEX IF NOT EXISTS " +
           quoteName(indexName(key)) + " ON " + quoteName(table_) + "(" +
           KeyedOrder::fromKey(def_, key).indexColumns() + ")";
}

std::vector<std::pair<std::string, std::string>> KeyedFile::orderIndexes() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const std::string& text : def_.orders()) {
        std::optional<KeyedOrder> order = KeyedOrder::parse(def_, text);
        if (!order || order->terms().empty()) continue;
        bool served = std::any_of(def_.keys().begin(), def_.keys().end(),
                                  [&](const KeyDefinition& key) { return order->servedBy(key); });
        if (served) continue;
        std::string name = order->indexName(table_);
        out.emplace_back(name, "CREATE INDEX IF NOT EXISTS " + quoteName(name) + " ON " +
                                   quoteName(table_) + "(" + order->indexColumns() + ")");
    }
    return out;
}

// A file made before an order was declared gets its index once, the first
// time it is opened for writing. A file another station is writing goes
// without it this time: the next open (or the first view in that order)
// builds it.
void KeyedFile::buildMissingOrders() {
    for (const auto& [name, statement] : orderIndexes())
        if (!db_->indexExists(name)) db_->buildIndex(statement, 0);
}

int KeyedFile::create() {
    return run(OpCreate, [&] { return createBody(); });
}

std::string KeyedFile::schemaSql() const {
    std::string sql = "CREATE TABLE IF NOT EXISTS " + quoteName(table_) +
                      " (\"_pos\" INTEGER PRIMARY KEY AUTOINCREMENT";
    for (const auto& f : def_.fields())
        sql += ", " + quoteName(columnName(f.label)) + " " + columnType(f.ref);
    for (const auto& m : def_.memos())
        sql += ", " + quoteName(columnName(m.label)) + " TEXT NOT NULL DEFAULT ''";
    sql += ");\n";
    for (const auto& key : def_.keys()) sql += keyIndexSql(key) + ";\n";
    for (const auto& [name, statement] : orderIndexes()) sql += statement + ";\n";
    return sql;
}

// A missing data file is made with this table in it; a file that exists
// (made here or by another station meanwhile) gets the table when it lacks it.
int KeyedFile::createBody() {
    std::string sql = schemaSql();
    if (!db_ && NewDataFile::make(path(), def_.ownerPassword(), sql, status_) != 0)
        return status_.code;
    auto db = db_ ? db_ : station_->connect(path(), def_.ownerPassword(), false, false, status_);
    if (!db) return status_.code;
    int rc = db->exec("BEGIN IMMEDIATE;\n" + sql + "COMMIT;");
    if (rc != 0) {
        status_ = db->status(rc);
        if (db->inTransaction()) db->exec("ROLLBACK");
        return status_.code;
    }
    return 0;
}

int KeyedFile::buildKeys() {
    return run(OpBuildKeys, [&] {
        auto db =
            db_ ? db_ : station_->connect(path(), def_.ownerPassword(), false, false, status_);
        if (!db) return status_.code;
        std::string sql = "BEGIN IMMEDIATE;\n";
        for (const auto& key : def_.keys())
            sql += "DROP INDEX IF EXISTS " + quoteName(indexName(key)) + ";\n" + keyIndexSql(key) +
                   ";\n";
        int rc = db->exec(sql + "COMMIT;");
        if (rc != 0) {
            status_ = db->status(rc);
            if (db->inTransaction()) db->exec("ROLLBACK");
            return status_.code;
        }
        return 0;
    });
}

// ---- reading --------------------------------------------------------------

KeyedOrder KeyedFile::orderOf(int key) const {
    if (key < 0 || key >= static_cast<int>(def_.keys().size())) return KeyedOrder(def_);
    return KeyedOrder::fromKey(def_, def_.keys()[key]);
}

std::string KeyedFile::selectList(bool withMemos) const {
    std::string sql = "SELECT rowid";
    for (const auto& f : def_.fields()) sql += ", " + quoteName(columnName(f.label));
    if (withMemos)
        for (const auto& m : def_.memos()) sql += ", " + quoteName(columnName(m.label));
    return sql + " FROM " + quoteName(table_);
}

void KeyedFile::loadRow(const std::vector<SqlValue>& row, bool withMemos) {
    current_ = std::get<std::int64_t>(row[0]);
    image_.assign(row.begin() + 1, row.end());
    imageHasMemos_ = withMemos;
    const auto& fields = def_.fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        FieldRef ref = fields[i].ref;
        loadValue(ref, row[1 + i]);
    }
    if (!withMemos) return;
    for (std::size_t j = 0; j < def_.memos().size(); ++j) {
        const auto& memo = def_.memos()[j];
        const SqlValue& v = row[1 + fields.size() + j];
        *memo.text =
            std::holds_alternative<std::string>(v) ? std::get<std::string>(v) : std::string();
    }
}

int KeyedFile::readOne(const std::string& sql, const std::vector<SqlValue>& params) {
    bool withMemos = !skipMemos_;
    skipMemos_ = false;
    std::vector<SqlValue> row;
    {
        SqlStatement s = db_->statement(sql);
        s.bindAll(params);
        int rc = s.step();
        if (rc == kDone) return ErrNoRecord;
        if (rc != kRow) return (status_ = db_->status(rc)).code;
        for (int i = 0; i < s.columnCount(); ++i) row.push_back(s.column(i));
    }
    loadRow(row, withMemos);
    return 0;
}

int KeyedFile::readStep(KeyedCursor& cursor, bool forward, bool hold, const std::string& where,
                        int limit) {
    if (int waiting = ready()) return waiting;
    auto& ahead = cursor.ahead();
    if (!ahead.empty() && cursor.aheadForward() != forward) ahead.clear();
    bool withMemos = !skipMemos_;
    skipMemos_ = false;
    if (ahead.empty()) {
        if (limit <= 0) limit = readAhead_;
        limit = withMemos ? std::max(1, limit) : 1;
        SqlStatement s = db_->statement(cursor.sql(selectList(withMemos), forward, limit, where));
        s.bindAll(cursor.parameters(forward));
        int rc;
        while ((rc = s.step()) == kRow) {
            std::vector<SqlValue> row;
            for (int i = 0; i < s.columnCount(); ++i) row.push_back(s.column(i));
            ahead.push_back(std::move(row));
        }
        if (rc != kDone) return (status_ = db_->status(rc)).code;
        if (ahead.empty()) return ErrNoRecord;
        cursor.setAhead(forward);
    }
    std::vector<SqlValue> row = std::move(ahead.front());
    ahead.pop_front();
    withMemos = row.size() == 1 + def_.fields().size() + def_.memos().size();
    loadRow(row, withMemos);
    auto rest = std::move(ahead);
    cursor.toRecord(positionIn(cursor.order()), false);
    cursor.ahead() = std::move(rest);
    cursor.setAhead(forward);
    if (hold) {
        if (!locks_->hold(table_, current_)) return ErrRecordHeld;
        held_.insert(current_);
    }
    return 0;
}

KeyedPosition KeyedFile::positionIn(const KeyedOrder& order) const {
    KeyedPosition pos;
    pos.rowid = current_;
    for (const auto& term : order.terms()) {
        const SqlValue& v = image_.at(term.field);
        pos.values.push_back(term.folded ? foldedValue(v) : v);
    }
    return pos;
}

int KeyedFile::get(int key) {
    return run(OpGetByKey, [&] {
        if (int waiting = ready()) return waiting;
        KeyedOrder order = orderOf(key);
        std::string where;
        for (std::size_t i = 0; i < order.terms().size(); ++i)
            where += (i ? " AND " : "") + order.expression(i) + " = ?" + std::to_string(i + 1);
        if (where.empty()) return static_cast<int>(ErrNoRecord);
        int code =
            readOne(selectList(!skipMemos_) + " WHERE " + where + order.orderBy(true) + " LIMIT 1",
                    order.bufferValues(order.terms().size()));
        if (code == 0) {
            cursor_ = KeyedCursor(order);
            cursor_.toRecord(positionIn(order), false);
        }
        return code;
    });
}

int KeyedFile::getByPointer(std::int64_t pointer) {
    return run(OpGetByPointer, [&] {
        if (int waiting = ready()) return waiting;
        if (pointer <= 0) {
            current_ = 0;
            return static_cast<int>(ErrNoRecord);
        }
        int code = readOne(selectList(!skipMemos_) + " WHERE rowid = ?1", {SqlValue(pointer)});
        if (code == 0) cursor_.toRecord(positionIn(cursor_.order()), false);
        return code;
    });
}

int KeyedFile::getByPosition(std::string_view position) {
    return run(OpGetByPosition, [&] {
        if (int waiting = ready()) return waiting;
        auto pos = KeyedPosition::parse(position);
        if (!pos) return static_cast<int>(ErrNoRecord);
        int code = readOne(selectList(!skipMemos_) + " WHERE rowid = ?1", {SqlValue(pos->rowid)});
        if (code == 0) cursor_.toRecord(positionIn(cursor_.order()), false);
        return code;
    });
}

int KeyedFile::reget() {
    return run(OpReget, [&] {
        if (int waiting = ready()) return waiting;
        if (current_ == 0) return static_cast<int>(ErrNoRecord);
        return readOne(selectList(true) + " WHERE rowid = ?1", {SqlValue(current_)});
    });
}

int KeyedFile::set(int key) {
    return run(OpSet, [&] {
        if (int waiting = ready()) return waiting;
        cursor_ = KeyedCursor(orderOf(key));
        return 0;
    });
}

int KeyedFile::setToBuffer(int key, std::size_t components) {
    return run(OpSet, [&] {
        if (int waiting = ready()) return waiting;
        KeyedOrder order = orderOf(key);
        std::vector<SqlValue> values =
            order.bufferValues(std::min(components, order.terms().size()));
        cursor_ = KeyedCursor(order);
        if (!values.empty()) cursor_.toValues(std::move(values));
        return 0;
    });
}

std::optional<KeyedPosition> KeyedFile::locate(const KeyedOrder& order, std::string_view position) {
    auto pos = KeyedPosition::parse(position);
    if (!pos) return std::nullopt;
    std::string select = "SELECT rowid";
    for (std::size_t i = 0; i < order.terms().size(); ++i) select += ", " + order.expression(i);
    SqlStatement s = db_->statement(select + " FROM " + quoteName(table_) + " WHERE rowid = ?1");
    s.bind(1, SqlValue(pos->rowid));
    if (s.step() == kRow) {
        pos->values.clear();
        for (std::size_t i = 0; i < order.terms().size(); ++i)
            pos->values.push_back(s.column(int(i) + 1));
    } else if (pos->values.size() != order.terms().size()) {
        return std::nullopt;
    }
    return pos;
}

int KeyedFile::reset(int key, std::string_view position) {
    return run(OpReset, [&] {
        if (int waiting = ready()) return waiting;
        KeyedOrder order = orderOf(key);
        auto pos = locate(order, position);
        if (!pos) return static_cast<int>(ErrNoRecord);
        cursor_ = KeyedCursor(order);
        cursor_.toRecord(*pos, true);
        return 0;
    });
}

int KeyedFile::next(bool hold) {
    return run(OpNext, [&] { return readStep(cursor_, true, hold); });
}

int KeyedFile::previous(bool hold) {
    return run(OpPrevious, [&] { return readStep(cursor_, false, hold); });
}

std::int64_t KeyedFile::records() {
    std::int64_t count = 0;
    run(OpRecords, [&] {
        if (int waiting = ready()) return waiting;
        SqlStatement s = db_->statement("SELECT count(*) FROM " + quoteName(table_));
        int rc = s.step();
        if (rc != kRow) return (status_ = db_->status(rc)).code;
        count = s.columnInt(0);
        return 0;
    });
    return count;
}

std::string KeyedFile::position(int key) const {
    if (current_ == 0 || image_.empty()) return {};
    return positionIn(orderOf(key)).text();
}

std::uint64_t KeyedFile::stamp(bool withMemos) const {
    withMemos = withMemos && imageHasMemos_;
    std::size_t columns = withMemos ? image_.size() : std::min(image_.size(), def_.fields().size());
    std::uint64_t h = 1469598103934665603ULL;
    auto mix = [&h](const void* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            h = (h ^ static_cast<const unsigned char*>(data)[i]) * 1099511628211ULL;
    };
    for (std::size_t i = 0; i < columns; ++i) {
        const SqlValue& v = image_[i];
        unsigned char kind = static_cast<unsigned char>(v.index());
        mix(&kind, 1);
        if (auto* n = std::get_if<std::int64_t>(&v)) mix(n, sizeof *n);
        if (auto* d = std::get_if<double>(&v)) mix(d, sizeof *d);
        if (auto* t = std::get_if<std::string>(&v)) {
            std::uint64_t size = t->size();
            mix(&size, sizeof size);
            mix(t->data(), t->size());
        }
    }
    // The low bit says what the digest covers, so a re-read compares alike.
    h = (h & ~std::uint64_t{1}) | (withMemos ? 1 : 0);
    return h > 1 ? h : 2 + h;
}

bool KeyedFile::duplicates(int key) {
    if (!db_ || key < 0 || key >= static_cast<int>(def_.keys().size()) || !def_.keys()[key].unique)
        return false;
    KeyedOrder order = orderOf(key);
    std::string where;
    for (std::size_t i = 0; i < order.terms().size(); ++i)
        where += order.expression(i) + " = ?" + std::to_string(i + 1) + " AND ";
    std::vector<SqlValue> params = order.bufferValues(order.terms().size());
    params.emplace_back(current_);
    SqlStatement s = db_->statement("SELECT 1 FROM " + quoteName(table_) + " WHERE " + where +
                                    "rowid <> ?" + std::to_string(params.size()) + " LIMIT 1");
    s.bindAll(params);
    return s.step() == kRow;
}

std::vector<std::string> KeyedFile::TEST_pageReadStatements(int key) const {
    KeyedOrder order = orderOf(key);
    std::vector<std::string> out;
    for (bool forward : {true, false}) {
        KeyedCursor c(order);
        out.push_back(c.sql(selectList(true), forward, 30));
        for (std::size_t n = 1; n <= order.terms().size(); ++n) {
            c.toValues(std::vector<SqlValue>(n, SqlValue(std::int64_t{0})));
            out.push_back(c.sql(selectList(true), forward, 30));
        }
        KeyedPosition pos{std::vector<SqlValue>(order.terms().size(), SqlValue(std::int64_t{0})),
                          1};
        for (bool inclusive : {true, false}) {
            c.toRecord(pos, inclusive);
            out.push_back(c.sql(selectList(true), forward, 30));
        }
    }
    return out;
}

// ---- writing --------------------------------------------------------------

std::vector<SqlValue> KeyedFile::rowValues() const {
    std::vector<SqlValue> values;
    for (const auto& f : def_.fields()) values.push_back(storedValue(f.ref));
    for (const auto& m : def_.memos())
        values.emplace_back(std::string(utf8Prefix(*m.text, m.maxSize)));
    return values;
}

int KeyedFile::writeTransaction(const std::function<int()>& body) {
    if (int waiting = ready()) return waiting;
    if ((mode_ & 3) == ReadOnly || db_->readOnly()) {
        status_ = driverStatus(ErrAccessDenied, "the file is open read only");
        return ErrAccessDenied;
    }
    bool own = !db_->inTransaction();
    if (own) {
        // Take the write lock before reading anything, so the read below sees
        // the newest committed row and nobody can commit until we do.
        int rc = db_->exec("BEGIN IMMEDIATE");
        if (rc != 0) return (status_ = db_->status(rc)).code;
    }
    int code = body();
    if (!own) return code;
    if (code != 0) {
        db_->rollback();
        return code;
    }
    if (db_->commit(status_) != 0) {
        db_->rollback();
        return status_.code;
    }
    return 0;
}

int KeyedFile::add() {
    return run(OpAdd, [&] {
        std::vector<SqlValue> values = rowValues();
        std::int64_t added = 0;
        int code = writeTransaction([&] {
            std::string names, marks;
            int n = 0;
            for (const auto& f : def_.fields())
                names += ", " + quoteName(columnName(f.label)),
                    marks += ", ?" + std::to_string(++n);
            for (const auto& m : def_.memos())
                names += ", " + quoteName(columnName(m.label)),
                    marks += ", ?" + std::to_string(++n);
            SqlStatement s = db_->statement("INSERT INTO " + quoteName(table_) + " (" +
                                            names.substr(2) + ") VALUES (" + marks.substr(2) + ")");
            s.bindAll(values);
            int rc = s.step();
            if (rc != kDone) return (status_ = db_->status(rc)).code;
            added = db_->lastInsertRowid();
            return noteMasterKey({}, values);
        });
        // Only a committed record becomes the current one: a commit that
        // failed rolled it back.
        if (code != 0) return code;
        current_ = added;
        image_ = std::move(values);
        imageHasMemos_ = true;
        cursor_.toRecord(positionIn(cursor_.order()), false);
        return 0;
    });
}

int KeyedFile::compareStored() {
    SqlStatement s = db_->statement(selectList(imageHasMemos_) + " WHERE rowid = ?1");
    s.bind(1, SqlValue(current_));
    int rc = s.step();
    if (rc == kDone) return ErrChangedByAnother;
    if (rc != kRow) return (status_ = db_->status(rc)).code;
    for (std::size_t i = 0; i < image_.size(); ++i)
        if (compareSql(s.column(static_cast<int>(i) + 1), image_[i]) != 0)
            return ErrChangedByAnother;
    return 0;
}

int KeyedFile::put() {
    return run(OpPut, [&] {
        if (int waiting = ready()) return waiting;
        if (current_ == 0) return static_cast<int>(ErrNoRecord);
        if (locks_->heldByOther(table_, current_)) return static_cast<int>(ErrRecordHeld);
        std::vector<SqlValue> values = rowValues();
        std::vector<SqlValue> before = image_;
        int code = writeTransaction([&] {
            if (int code = compareStored()) return code;
            std::string sets;
            int n = 0;
            for (const auto& f : def_.fields())
                sets += ", " + quoteName(columnName(f.label)) + " = ?" + std::to_string(++n);
            for (const auto& m : def_.memos())
                sets += ", " + quoteName(columnName(m.label)) + " = ?" + std::to_string(++n);
            SqlStatement s =
                db_->statement("UPDATE " + quoteName(table_) + " SET " + sets.substr(2) +
                               " WHERE rowid = ?" + std::to_string(n + 1));
            s.bindAll(values);
            s.bind(n + 1, SqlValue(current_));
            int rc = s.step();
            if (rc != kDone) return (status_ = db_->status(rc)).code;
            return noteMasterKey(before, values);
        });
        // The image is what the file holds: a failed commit changed nothing,
        // and the next put must not take the row for another station's.
        if (code != 0) return code;
        image_ = std::move(values);
        imageHasMemos_ = true;
        return 0;
    });
}

int KeyedFile::remove() {
    return run(OpDelete, [&] {
        if (int waiting = ready()) return waiting;
        if (current_ == 0) return static_cast<int>(ErrNoRecord);
        if (locks_->heldByOther(table_, current_)) return static_cast<int>(ErrRecordHeld);
        return writeTransaction([&] {
            SqlStatement s =
                db_->statement("DELETE FROM " + quoteName(table_) + " WHERE rowid = ?1");
            s.bind(1, SqlValue(current_));
            int rc = s.step();
            if (rc != kDone) return (status_ = db_->status(rc)).code;
            if (db_->changes() == 0) return static_cast<int>(ErrNoRecord);
            if (int code = noteMasterKey(image_, {})) return code;
            if (held_.erase(current_)) locks_->release(table_, current_);
            current_ = 0;
            return 0;
        });
    });
}

// ---- holds, driver strings, state --------------------------------------

int KeyedFile::hold() {
    return run(OpHold, [&] {
        if (int waiting = ready()) return waiting;
        if (current_ == 0) return static_cast<int>(ErrNoRecord);
        if (!locks_->hold(table_, current_)) return static_cast<int>(ErrRecordHeld);
        held_.insert(current_);
        return 0;
    });
}

int KeyedFile::release() {
    return run(OpRelease, [&] {
        if (int waiting = ready()) return waiting;
        for (std::int64_t rowid : held_) locks_->release(table_, rowid);
        held_.clear();
        return 0;
    });
}

int KeyedFile::watch() {
    // Every put compares the stored row with the image read, so watching is
    // always on; the call only checks that the file is open.
    return run(OpWatch, [&] { return ready(); });
}

int KeyedFile::flush() {
    return run(OpFlush, [&] {
        if (int waiting = ready()) return waiting;
        cursor_.ahead().clear();
        return 0;
    });
}

int KeyedFile::send(std::string_view command, std::string* answer) {
    return run(OpSend, [&] {
        auto eq = command.find('=');
        std::string_view name = command.substr(0, eq),
                         value = eq == std::string_view::npos ? "" : command.substr(eq + 1);
        if (startsWithNoCase(name, "RECOVER") && name.size() == 7) {
            // Sent before an open too: kept and applied when the file opens.
            if (eq != std::string_view::npos)
                recoverSeconds_ = std::max(0, std::atoi(std::string(value).c_str()));
            if (db_ && recoverSeconds_ >= 0) db_->setBusyTimeout(recoverSeconds_ * 1000);
            if (answer)
                *answer =
                    std::to_string(db_ ? db_->busyTimeout() / 1000 : std::max(0, recoverSeconds_));
            return 0;
        }
        if (startsWithNoCase(name, "QUICKSCAN") && name.size() == 9) {
            if (eq != std::string_view::npos) quickScan_ = startsWithNoCase(value, "on");
            if (answer) *answer = quickScan_ ? "on" : "off";
            return 0;
        }
        status_ = driverStatus(ErrNotSupported, "unknown driver string");
        return static_cast<int>(ErrNotSupported);
    });
}

void KeyedFile::setReadAhead(int rows) {
    readAhead_ = std::max(0, rows);
    cursor_.ahead().clear();
}

void KeyedFile::clearBuffer() {
    for (const auto& f : def_.fields()) FieldRef(f.ref).clear();
    for (const auto& m : def_.memos()) m.text->clear();
}

int KeyedFile::saveState() {
    int handle = 0;
    run(OpSaveState, [&] {
        auto state = std::make_unique<SavedState>(
            SavedState{cursor_, current_, image_, imageHasMemos_, {}, {}});
        for (const auto& f : def_.fields()) state->fields.push_back(f.ref.get());
        for (const auto& m : def_.memos()) state->memos.push_back(*m.text);
        handle = ++lastSaved_;
        saved_[handle] = std::move(state);
        return 0;
    });
    return handle;
}

int KeyedFile::restoreState(int handle) {
    return run(OpRestoreState, [&] {
        auto it = saved_.find(handle);
        if (it == saved_.end()) return static_cast<int>(ErrNoRecord);
        const SavedState& s = *it->second;
        cursor_ = s.cursor;
        current_ = s.current;
        image_ = s.image;
        imageHasMemos_ = s.imageHasMemos;
        for (std::size_t i = 0; i < def_.fields().size(); ++i)
            FieldRef(def_.fields()[i].ref).set(s.fields[i]);
        for (std::size_t j = 0; j < def_.memos().size(); ++j) *def_.memos()[j].text = s.memos[j];
        return 0;
    });
}

void KeyedFile::freeState(int handle) {
    run(OpFreeState, [&] { return saved_.erase(handle) ? 0 : static_cast<int>(ErrNoRecord); });
}

}  // namespace rt
