#pragma once
// The soak's writing process: works on the data file "Lockora" in the
// working folder through the program's own dictionary (file managers over
// the Passwords and System tables) until it is killed. It inserts, changes
// and deletes entries, changes the company name, changes the master password
// (which re-keys the file), runs transactions over both tables and drops and
// builds order indexes as the header sort does.
//
// Reports, one line per write() on reportFd so a kill never splits one:
//   "R <entries>"     ready: the file is open and read, work starts now
//   "B <n> <changes>" operation n is about to commit these changes
//   "C <n>"           operation n has committed
// Between a B line and its C line the operation may or may not have landed.
// One per process.

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tests/soak/SoakModel.h"

namespace soak {

class SoakWriter {
  public:
    SoakWriter(int reportFd, std::uint32_t seed);

    // Makes a new data file with its System record and no master password;
    // answers the process's exit code.
    int create();
    // Unlocks the file with master (blank: the owner password) and writes
    // until killed; answers an exit code only when something failed.
    int run(const std::string& master);

  private:
    int start(const std::string& master);
    int step(int n);
    int insertEntries(int n);
    int changeEntry(int n);
    int deleteEntry(int n);
    int changeCompany(int n);
    int changeMaster(int n);
    int bothTables(int n);
    int rebuildIndex(int n);
    int rebuildKeys(int n);

    // Steps inside an operation; each adds its change to op.
    bool insertOne(Operation& op);
    bool changeOne(Operation& op);
    bool deleteOne(Operation& op);
    // Says B before and C after commit() when it succeeds.
    int commitWith(int n, const Operation& op, const std::function<bool()>& commit);

    std::string runTag();
    Entry newValues();
    // Puts the values into the Passwords record buffer.
    void fill(const Entry& values);
    std::string newMaster();
    std::int32_t pickEntry();
    bool fetchSystem();
    void report(const std::string& line);
    int fail(const std::string& what);

    int reportFd_;
    std::mt19937 random_;
    std::uint32_t seed_;
    int serial_ = 0;
    std::vector<std::int32_t> ids_;
};

}  // namespace soak
