#pragma once
// The main window's header sort over a real data file whose entries are
// chosen by the test: titles and locations with empty, equal (once folded)
// and non-ASCII values. Each entry's password is its number ("#0042"), so
// a row shown names its entry. What the list shows is checked against the
// file as the cipher's own shell reads it, sorted in the test with the
// runtime's case folding and the entry number breaking ties.

#include <functional>
#include <string>
#include <vector>

#include "tests/app/ListFixture.h"

namespace program {
enum : int { TitleColumn = 1, LocationColumn = 2, UserColumn = 3, PasswordColumn = 4 };
}  // namespace program

// One entry as the shell reads it.
struct Entry {
    int id = 0;
    std::string title, location, user, password;
};

class SortFixture : public ListFixture {
  protected:
    // Entry n (from 1) gets titles[n-1] and locations[n-1] (cycling when
    // shorter), the user name "user<n % 7>" and the password "#<n>".
    void makeEntries(int count, const std::vector<std::string>& titles,
                     const std::vector<std::string>& locations);
    // count entries with many ties: empty titles, "Bank" in three cases,
    // "Straße"/"STRASSE" (equal once folded), accented initials.
    void makeTiedEntries(int count);

    std::vector<Entry> entries() const;
    // The entry numbers in the order less gives, ties by entry number.
    std::vector<int> sortedIds(const std::function<bool(const Entry&, const Entry&)>& less) const;
    // The names of the data file's indexes of orders, sorted.
    std::vector<std::string> orderIndexes() const;

    // What the main window shows, by entry number.
    static std::vector<int> rowIds(rt::Window& w);
    static int highlightedId(rt::Window& w);
    static std::string header(rt::Window& w, int column);
    static std::vector<std::string> headers(rt::Window& w);
    // Whether shown is a run of consecutive entries of all.
    static bool isRunOf(const std::vector<int>& shown, const std::vector<int>& all);
    // Pages read one page-down (or page-up) after another from an end: each
    // must be the next run of all, and together they show every entry of
    // all exactly once.
    static ::testing::AssertionResult coversOnce(const std::vector<std::vector<int>>& pages,
                                                 const std::vector<int>& all);
};

// Sets how long an operation runs before its progress window shows, while
// it lives.
class ProgressDelay {
  public:
    explicit ProgressDelay(int milliseconds);
    ~ProgressDelay();
    ProgressDelay(const ProgressDelay&) = delete;
    ProgressDelay& operator=(const ProgressDelay&) = delete;

  private:
    int previous_;
};

// Folded comparisons, the way the runtime folds.
bool foldedLess(const std::string& a, const std::string& b);
