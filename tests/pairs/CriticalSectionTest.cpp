#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "pairs/CriticalProcedure.h"
#include "pairs/CriticalSection.h"

namespace {

// Records the calls a scoped lock makes on what it holds.
class RecordingSync : public SyncObjectInterface {
  public:
    explicit RecordingSync(std::string name, std::string* log)
        : name_(std::move(name)), log_(log) {}
    void Enter() override { *log_ += "+" + name_; }
    void Leave() override { *log_ += "-" + name_; }
    void Kill() override { *log_ += "x" + name_; }

  private:
    std::string name_;
    std::string* log_;
};

TEST(CriticalProcedureTest, InitLeavesWhatItHoldsBeforeEnteringTheNextObject) {
    std::string log;
    RecordingSync a("a", &log), b("b", &log);
    {
        CriticalProcedure lock(&a);
        EXPECT_EQ(lock.Sync(), &a);
        lock.Init(&b);
        EXPECT_EQ(lock.Sync(), &b);
    }
    EXPECT_EQ(log, "+a-a+b-b");
}

TEST(CriticalProcedureTest, KillLeavesOnceAndForgetsAndANullObjectDoesNothing) {
    std::string log;
    RecordingSync a("a", &log);
    CriticalProcedure lock(&a);
    lock.Kill();
    lock.Kill();
    EXPECT_EQ(lock.Sync(), nullptr);
    lock.Init(nullptr);
    EXPECT_EQ(log, "+a-a");
    CriticalProcedure idle;
    idle.Kill();
}

TEST(CriticalSectionTest, IsReEnterableByTheThreadThatHoldsIt) {
    CriticalSection section;
    CriticalProcedure outer(section);
    CriticalProcedure inner(section);  // would deadlock on a plain mutex
    section.GetIface().Kill();         // a borrower cannot pull it away
    CriticalProcedure again(section);
    SUCCEED();
}

TEST(CriticalSectionTest, KeepsTwoThreadsFromInterleavingTheirUpdates) {
    CriticalSection section;
    long counter = 0;
    auto work = [&] {
        for (int i = 0; i < 20000; ++i) {
            CriticalProcedure lock(section);
            long seen = counter;
            std::this_thread::yield();
            counter = seen + 1;
        }
    };
    std::thread first(work), second(work);
    first.join();
    second.join();
    EXPECT_EQ(counter, 40000);
}

}  // namespace
