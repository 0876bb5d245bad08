#include "tests/soak/SoakWriter.h"

#include <unistd.h>

#include <cstdio>

#include "app/Dictionary.h"
#include "app/GlobalErrors.h"
#include "runtime/store/KeyDerivation.h"
#include "runtime/store/KeyedOrder.h"
#include "runtime/store/KeyedTransaction.h"
#include "runtime/store/View.h"

namespace soak {

namespace {

// Exit codes of a writer that failed on its own (a killed one has none).
enum Exit : int { kReportLost = 3, kSetupFailed = 4, kWriteFailed = 5 };

// An order that no key serves, so its index is built the way the first
// header click on two columns builds it.
constexpr const char* kTwoColumnOrder = "+UPPER(PAS:TITLE),+UPPER(PAS:USERNAME),+PAS:PRIMARY_ID";

bool benign(ErrorLevel level) {
    return level == LevelBenign;
}

}  // namespace

SoakWriter::SoakWriter(int reportFd, std::uint32_t seed)
    : reportFd_(reportFd), random_(seed), seed_(seed) {}

void SoakWriter::report(const std::string& line) {
    std::string text = line + "\n";
    if (::write(reportFd_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        _exit(kReportLost);
}

int SoakWriter::fail(const std::string& what) {
    std::fprintf(stderr, "soak writer (seed %u): %s failed\n", seed_, what.c_str());
    return kWriteFailed;
}

int SoakWriter::create() {
    // The file records the cheap parameter set, so every re-key of the
    // soak derives its key in milliseconds.
    rt::KeyDerivation::TEST_useCheapParameters(true);
    GlobalErrors.Init(GlobalErrorStatus);
    DctInit();
    // Opened for real, not lazily: both tables are made now.
    if (!benign(Access_System->UseFile()) || !benign(Access_Passwords->UseFile()))
        return fail("creating the data file");
    Access_System->PrimeRecord();
    SYS.System_ID = 1;
    SYS.CompanyName = "Soak";
    bool added = benign(Access_System->TryInsert());
    Access_Passwords->Close();
    Access_System->Close();
    DctKill();
    return added ? 0 : fail("adding the System record");
}

int SoakWriter::run(const std::string& master) {
    if (int code = start(master)) return code;
    for (int n = 1;; ++n)
        if (int code = step(n)) return code;
}

int SoakWriter::start(const std::string& master) {
    rt::KeyDerivation::TEST_useCheapParameters(true);
    GlobalErrors.Init(GlobalErrorStatus);
    DctInit();
    if (!master.empty() && SYS.File.unlock(master) != 0) return fail("unlocking the data file");
    if (!benign(Access_System->Open()) || !benign(Access_Passwords->Open()))
        return fail("opening the data file");
    if (!fetchSystem()) return fail("reading the System record");
    PAS.File.set(0);
    while (benign(Access_Passwords->TryNext())) ids_.push_back(PAS.Primary_ID);
    if (!Access_Passwords->GetEOF()) return fail("reading the entries");
    report("R " + std::to_string(ids_.size()));
    return 0;
}

int SoakWriter::step(int n) {
    // Weights of insert, change, delete, company, master, both tables,
    // order index, key indexes; a big table deletes more than it inserts.
    bool big = ids_.size() > 1500;
    std::discrete_distribution<int> kind({big ? 8.0 : 26.0, 20,
                                          ids_.empty() ? 0.0
                                          : big        ? 30
                                                       : 14,
                                          5, 10, 15, 7, 3});
    switch (kind(random_)) {
        case 0:
            return insertEntries(n);
        case 1:
            return ids_.empty() ? insertEntries(n) : changeEntry(n);
        case 2:
            return deleteEntry(n);
        case 3:
            return changeCompany(n);
        case 4:
            return changeMaster(n);
        case 5:
            return bothTables(n);
        case 6:
            return rebuildIndex(n);
        default:
            return rebuildKeys(n);
    }
}

int SoakWriter::commitWith(int n, const Operation& op, const std::function<bool()>& commit) {
    report("B " + std::to_string(n) + " " + encode(op));
    if (!commit()) return fail("operation " + encode(op));
    report("C " + std::to_string(n));
    return 0;
}

// ---- operations ---------------------------------------------------------

int SoakWriter::insertEntries(int n) {
    if (rt::beginTransaction({&PAS.File}, 5) != 0) return fail("starting an insert");
    Operation op;
    int count = std::uniform_int_distribution<int>(1, 3)(random_);
    for (int i = 0; i < count; ++i)
        if (!insertOne(op)) return fail("inserting an entry");
    return commitWith(n, op, [] { return rt::commitTransaction() == 0; });
}

int SoakWriter::changeEntry(int n) {
    Operation op;
    PAS.Primary_ID = pickEntry();
    if (!benign(Access_Passwords->TryFetch(PAS.KeyPrimary))) return fail("fetching an entry");
    Entry values = newValues();
    op.push_back({Change::Update, PAS.Primary_ID, values, {}});
    fill(values);
    return commitWith(n, op, [] { return benign(Access_Passwords->TryUpdate()); });
}

int SoakWriter::deleteEntry(int n) {
    Operation op;
    PAS.Primary_ID = pickEntry();
    if (!benign(Access_Passwords->TryFetch(PAS.KeyPrimary))) return fail("fetching an entry");
    op.push_back({Change::Delete, PAS.Primary_ID, {}, {}});
    std::erase(ids_, PAS.Primary_ID);
    return commitWith(n, op, [] { return benign(Access_Passwords->DeleteRecord(false)); });
}

int SoakWriter::changeCompany(int n) {
    if (!fetchSystem()) return fail("reading the System record");
    Operation op;
    SYS.CompanyName = "Co" + runTag();
    op.push_back({Change::Company, 0, {}, SYS.CompanyName.clipped()});
    return commitWith(n, op, [] { return benign(Access_System->TryUpdate()); });
}

int SoakWriter::changeMaster(int n) {
    if (!fetchSystem()) return fail("reading the System record");
    Operation op;
    SYS.MasterPassword = newMaster();
    op.push_back({Change::Master, 0, {}, SYS.MasterPassword.clipped()});
    return commitWith(n, op, [] { return benign(Access_System->TryUpdate()); });
}

// Entries added, changed and deleted with the company name and sometimes
// the master password, all in one commit.
int SoakWriter::bothTables(int n) {
    if (rt::beginTransaction({&PAS.File, &SYS.File}, 5) != 0) return fail("starting a transaction");
    Operation op;
    if (!insertOne(op) || !changeOne(op) || !deleteOne(op)) return fail("writing entries");
    if (!fetchSystem()) return fail("reading the System record");
    SYS.CompanyName = "Tx" + runTag();
    op.push_back({Change::Company, 0, {}, SYS.CompanyName.clipped()});
    if (random_() % 4 == 0) {
        SYS.MasterPassword = newMaster();
        op.push_back({Change::Master, 0, {}, SYS.MasterPassword.clipped()});
    }
    if (!benign(Access_System->TryUpdate())) return fail("changing the System record");
    return commitWith(n, op, [] { return rt::commitTransaction() == 0; });
}

// Drops an order's index and has a view in that order build it again.
int SoakWriter::rebuildIndex(int n) {
    std::vector<std::string> orders = PAS.Definition.orders();
    orders.push_back(kTwoColumnOrder);
    std::size_t which = random_() % orders.size();
    const std::string& order = orders[which];
    std::string name = rt::KeyedOrder::parse(PAS.Definition, order)->indexName(PAS.File.table());
    Operation op{{Change::Index, 0, {}, "order" + std::to_string(which)}};
    return commitWith(n, op, [&] {
        auto db = PAS.File.database();
        if (db->exec("DROP INDEX IF EXISTS \"" + name + "\"") != 0) return false;
        rt::View view(PAS.File);
        bool built = view.setOrder(order) == 0 && view.open() == 0;
        view.close();
        return built && db->indexExists(name);
    });
}

int SoakWriter::rebuildKeys(int n) {
    Operation op{{Change::Index, 0, {}, "keys"}};
    return commitWith(n, op, [] { return PAS.File.buildKeys() == 0; });
}

// ---- steps ----------------------------------------------------------------

bool SoakWriter::insertOne(Operation& op) {
    if (!benign(Access_Passwords->PrimeRecord())) return false;
    Entry values = newValues();
    fill(values);
    if (!benign(Access_Passwords->TryInsert())) return false;
    op.push_back({Change::Insert, PAS.Primary_ID, values, {}});
    ids_.push_back(PAS.Primary_ID);
    return true;
}

bool SoakWriter::changeOne(Operation& op) {
    PAS.Primary_ID = pickEntry();
    if (!benign(Access_Passwords->TryFetch(PAS.KeyPrimary))) return false;
    Entry values = newValues();
    fill(values);
    if (!benign(Access_Passwords->TryUpdate())) return false;
    op.push_back({Change::Update, PAS.Primary_ID, values, {}});
    return true;
}

bool SoakWriter::deleteOne(Operation& op) {
    PAS.Primary_ID = pickEntry();
    if (!benign(Access_Passwords->TryFetch(PAS.KeyPrimary)) ||
        !benign(Access_Passwords->DeleteRecord(false)))
        return false;
    op.push_back({Change::Delete, PAS.Primary_ID, {}, {}});
    std::erase(ids_, PAS.Primary_ID);
    return true;
}

// ---- values ---------------------------------------------------------------

// Unique over the whole soak (each run has its own seed), so a change
// never writes the value already there.
std::string SoakWriter::runTag() {
    return std::to_string(seed_ % 100000) + "-" + std::to_string(++serial_);
}

Entry SoakWriter::newValues() {
    Entry e;
    e.title = "T" + runTag();
    e.password = "p" + std::to_string(random_() % 100000000);
    e.noteLetter = static_cast<char>('a' + random_() % 26);
    e.noteLength = static_cast<int>(random_() % 900);
    return e;
}

// A blank one now and then: the file goes back to the owner password.
std::string SoakWriter::newMaster() {
    if (random_() % 8 == 0) return {};
    return "Pw" + std::to_string(random_() % 100000000);
}

void SoakWriter::fill(const Entry& values) {
    PAS.Title = values.title;
    PAS.Password = values.password;
    PAS.Notes = values.notes();
}

std::int32_t SoakWriter::pickEntry() {
    return ids_[random_() % ids_.size()];
}

bool SoakWriter::fetchSystem() {
    SYS.File.set();
    return benign(Access_System->TryNext());
}

}  // namespace soak
