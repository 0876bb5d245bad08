#pragma once
// Runs the program on a data file that already holds a master password and
// a given number of credentials, and reads the file back with the cipher's
// own shell to check what the main window's list shows. Files of many
// entries are made once per test program and copied for each test.

#include <functional>
#include <string>
#include <vector>

#include "runtime/robot/Robot.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/EntryData.h"

namespace program {
enum : int {
    MainAdd = MainControl::InsertButton,
    MainChange = MainControl::ChangeButton,
    MainDelete = MainControl::DeleteButton,
    MainLocation = MainControl::LocationString,
};
inline const std::string kMaster = "Tr1cky";
}  // namespace program

class ListFixture : public ProgramFixture {
  protected:
    // The data file in the test's folder: the System record with the master
    // password and `count` entries numbered from 1 (entryValues' texts).
    void makeDataFile(int count);
    // The same, made afresh, with alsoSet(id) changing the PAS buffer of
    // each entry before it is added.
    void makeDataFile(int count, const std::function<void(int id)>& alsoSet);
    // The data file with five entries whose texts are hard to show: letters
    // outside ASCII, trailing spaces, all empty, every field at its longest.
    void makeSpecialFile();
    // Robot steps: the login with the master password, up to the list
    // filled. REQUIRES: a data file with at least one entry or none.
    static rt::Robot& login(rt::Robot& robot);

    // The shell's answer to a query of the data file, one line per row.
    std::vector<std::string> sql(const std::string& query) const;
    // The entry numbers a query answers.
    std::vector<int> sqlIds(const std::string& query) const;
    // The first n entry numbers from `from` on, in the list's order.
    std::vector<int> idsFrom(int from, int n) const;
    // The last n entry numbers, in the list's order.
    std::vector<int> lastIds(int n) const;

    // What the main window's list shows.
    static std::vector<int> shownIds(rt::Window& w);
    static int highlighted(rt::Window& w);
    static int pageSize(rt::Window& w);
    static bool pageFull(rt::Window& w);
    static std::string cell(rt::Window& w, int row, int column);
};
