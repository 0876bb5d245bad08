#include "tests/app/SortFixture.h"

#include <algorithm>
#include <sstream>

#include "app/PasswordsFile.h"
#include "app/SystemFile.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/ProgressWindow.h"
#include "runtime/store/KeyedTransaction.h"
#include "runtime/text/TextCase.h"

using namespace program;

ProgressDelay::ProgressDelay(int milliseconds)
    : previous_(rt::ProgressWindow::TEST_setDelay(milliseconds)) {}

ProgressDelay::~ProgressDelay() {
    rt::ProgressWindow::TEST_setDelay(previous_);
}

bool foldedLess(const std::string& a, const std::string& b) {
    return rt::upper(a) < rt::upper(b);
}

void SortFixture::makeEntries(int count, const std::vector<std::string>& titles,
                              const std::vector<std::string>& locations) {
    ASSERT_EQ(SYS.File.create(), 0);
    ASSERT_EQ(SYS.File.open(), 0);
    SYS.File.clearBuffer();
    SYS.System_ID = 1;
    SYS.MasterPassword = kMaster;
    ASSERT_EQ(SYS.File.add(), 0);
    SYS.File.close();
    ASSERT_EQ(PAS.File.create(), 0);
    ASSERT_EQ(PAS.File.open(), 0);
    ASSERT_EQ(rt::beginTransaction({&PAS.File}, 5), 0);
    for (int i = 1; i <= count; ++i) {
        PAS.File.clearBuffer();
        PAS.Primary_ID = i;
        PAS.Title = titles[static_cast<std::size_t>(i - 1) % titles.size()];
        PAS.Location = locations[static_cast<std::size_t>(i - 1) % locations.size()];
        PAS.UserName = "user" + std::to_string(i % 7);
        std::string number = std::to_string(i);
        PAS.Password = "#" + std::string(4 - std::min<std::size_t>(4, number.size()), '0') + number;
        ASSERT_EQ(PAS.File.add(), 0) << "entry " << i;
    }
    ASSERT_EQ(rt::commitTransaction(), 0);
    PAS.File.close();
}

void SortFixture::makeTiedEntries(int count) {
    makeEntries(count,
                {"Bank", "", "bank", "Straße", "Écho", "BANK", "STRASSE", "écho", "Zulu", "",
                 "Alpha", "ÉCHO", "ærø", "Ærø", "  lead", "bank"},
                {"https://b.example", "", "HTTPS://B.EXAMPLE", "https://a.example", "Łódź.example",
                 "https://b.example"});
}

std::vector<Entry> SortFixture::entries() const {
    std::vector<Entry> all;
    for (const std::string& line :
         sql("SELECT Primary_ID, Title, Location, UserName, Password FROM Password")) {
        std::istringstream in(line);
        Entry e;
        std::string id;
        std::getline(in, id, '|');
        e.id = std::stoi(id);
        std::getline(in, e.title, '|');
        std::getline(in, e.location, '|');
        std::getline(in, e.user, '|');
        std::getline(in, e.password);
        all.push_back(e);
    }
    return all;
}

std::vector<int> SortFixture::sortedIds(
    const std::function<bool(const Entry&, const Entry&)>& less) const {
    std::vector<Entry> all = entries();
    std::sort(all.begin(), all.end(), [&](const Entry& a, const Entry& b) {
        if (less(a, b)) return true;
        if (less(b, a)) return false;
        return a.id < b.id;
    });
    std::vector<int> ids;
    for (const Entry& e : all) ids.push_back(e.id);
    return ids;
}

std::vector<std::string> SortFixture::orderIndexes() const {
    return sql(
        "SELECT name FROM sqlite_master WHERE type='index' AND name LIKE '%order%' ORDER BY name");
}

std::vector<int> SortFixture::rowIds(rt::Window& w) {
    std::vector<int> ids;
    for (int row = 1; row <= w.listRowCount(MainList); ++row)
        ids.push_back(std::stoi("0" + w.listCell(MainList, row, PasswordColumn).substr(1)));
    return ids;
}

int SortFixture::highlightedId(rt::Window& w) {
    int row = static_cast<int>(w.property(MainList, rt::Prop::Selected).number());
    return row > 0 ? std::stoi("0" + w.listCell(MainList, row, PasswordColumn).substr(1)) : 0;
}

std::string SortFixture::header(rt::Window& w, int column) {
    return w.property(MainList, rt::Prop::HeaderText, column).text();
}

std::vector<std::string> SortFixture::headers(rt::Window& w) {
    return {header(w, TitleColumn), header(w, LocationColumn), header(w, UserColumn),
            header(w, PasswordColumn)};
}

bool SortFixture::isRunOf(const std::vector<int>& shown, const std::vector<int>& all) {
    if (shown.empty()) return false;
    auto start = std::find(all.begin(), all.end(), shown.front());
    if (all.end() - start < static_cast<long>(shown.size())) return false;
    return std::equal(shown.begin(), shown.end(), start);
}

::testing::AssertionResult SortFixture::coversOnce(const std::vector<std::vector<int>>& pages,
                                                   const std::vector<int>& all) {
    if (pages.empty() || pages.front().empty()) return ::testing::AssertionFailure() << "no page";
    const long n = static_cast<long>(pages.front().size());
    const long total = static_cast<long>(all.size());
    long start = 0;
    for (std::size_t k = 0; k < pages.size(); ++k) {
        if (k > 0) start = std::min(start + n, total - n);
        std::vector<int> expected(all.begin() + start, all.begin() + start + n);
        if (pages[k] != expected)
            return ::testing::AssertionFailure()
                   << "page " << k << " is not the run of the sorted entries from " << start;
    }
    if (start + n != total)
        return ::testing::AssertionFailure() << "the pages end before the last entry";
    return ::testing::AssertionSuccess();
}
