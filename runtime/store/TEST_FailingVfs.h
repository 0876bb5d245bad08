#pragma once
// A storage layer for tests between the data file and the disk: it counts
// every write and sync of every file the storage engine opens (data file,
// write-ahead log, shared memory index) and fails a chosen one with a chosen
// engine error, so a test can see how each operation reports and survives an
// I/O failure at any point. While an instance lives it is the engine's default
// layer for connections opened after it; at most one instance at a time; any
// thread. Never used by the program itself.

#include <memory>

namespace rt {

class TEST_FailingVfs {
  public:
    enum class Op { Write, Sync };

    TEST_FailingVfs();
    ~TEST_FailingVfs();
    TEST_FailingVfs(const TEST_FailingVfs&) = delete;
    TEST_FailingVfs& operator=(const TEST_FailingVfs&) = delete;

    // Fails the nth operation of that kind from now on (1 = the next one)
    // with the engine's error code engineError (an SQLITE_IOERR_* or
    // SQLITE_FULL value); with sticky set, every later one fails too.
    void failAt(Op op, int n, int engineError, bool sticky = false);
    // Stops failing; the counts go on.
    void heal();
    // Operations of that kind since construction.
    int count(Op op) const;
    // How many operations were failed so far.
    int failures() const;

    struct State;

  private:
    std::unique_ptr<State> state_;
};

}  // namespace rt
