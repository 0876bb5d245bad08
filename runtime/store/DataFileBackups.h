#pragma once
// The numbered copies beside a data file, "<file>.1" (the newest) to
// "<file>.7" (the oldest), and the making of a new one: a whole copy through
// the storage engine's online backup, written under a temporary name and
// renamed into place only when complete, the older copies shifting up by one
// and the oldest dropped. A copy's modification time is the runtime's clock
// when it was made (rt::today, which tests set), and the newest copy's day is
// what tells whether today's copy exists: nothing but the copies themselves
// is needed. One thread at a time.

#include <filesystem>
#include <vector>

#include "runtime/store/KeyedDatabase.h"
#include "runtime/text/Date.h"

namespace rt {

class DataFileBackups {
  public:
    static constexpr int kKept = 7;

    explicit DataFileBackups(std::filesystem::path dataFile);

    // REQUIRES: 1 <= number <= kKept.
    std::filesystem::path copyPath(int number) const;
    // The numbers of the copies there are, newest first.
    std::vector<int> existing() const;
    // The day of the runtime's clock a copy was made on; 0 when unknown.
    DateSerial madeOn(int number) const;
    // True unless the newest copy was made on the runtime's today. A copy
    // dated another day, earlier or later (a clock set back), asks for a
    // new one: at worst one copy too many, never one too few.
    bool dueToday() const;
    // Makes a new newest copy of db's file and shifts the others. A failure
    // leaves the copies there were as they were (bar the gap a crash in
    // mid-shift may leave, which the next copy fills).
    DbStatus makeCopy(KeyedDatabase& db);

  private:
    std::filesystem::path temporaryPath() const;
    DbStatus shiftAndPlace(const std::filesystem::path& made);

    std::filesystem::path dataFile_;
};

}  // namespace rt
