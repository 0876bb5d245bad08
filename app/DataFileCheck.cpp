#include "app/DataFileCheck.h"

#include <string>
#include <vector>

#include "app/CheckOpener.h"
#include "app/Dictionary.h"
#include "app/TerminalProgress.h"
#include "runtime/store/DataFileBackups.h"

namespace {

// A badly damaged file can report hundreds of lines; the first ones say
// enough, and the count says the rest.
constexpr std::size_t kProblemsShown = 10;

struct FileResult {
    int code = CheckSound;
    std::string line;  // the result, after the file's name
};

FileResult notOpened(CheckOpener::Outcome outcome, const std::string& why) {
    if (outcome == CheckOpener::Outcome::NotSound) return {CheckDamaged, "DAMAGED: " + why};
    return {CheckNotChecked, "NOT CHECKED: " + why};
}

std::string problemList(const std::vector<std::string>& problems) {
    std::string text;
    for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i)
        text += "\n    " + problems[i];
    if (problems.size() > kProblemsShown)
        text += "\n    ... and " + std::to_string(problems.size() - kProblemsShown) + " more";
    return text;
}

FileResult checkOne(CheckOpener& opener, const std::filesystem::path& file, bool mayAsk) {
    CheckOpener::Outcome outcome;
    std::string why;
    auto db = opener.open(file, mayAsk, outcome, why);
    if (!db) return notOpened(outcome, why);
    std::vector<std::string> problems;
    {
        TerminalProgress progress;
        problems = db->checkWholeFile("Checking " + file.string() + ":");
    }
    if (problems.empty()) return {CheckSound, "sound"};
    return {CheckDamaged, "DAMAGED: " + std::to_string(problems.size()) +
                              " problem(s) found:" + problemList(problems)};
}

std::string isoDate(rt::DateSerial date) {
    if (date == 0) return "unknown date";
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", rt::dateYear(date), rt::dateMonth(date),
                  rt::dateDay(date));
    return text;
}

void checkBackups(CheckOpener& opener, const std::filesystem::path& file, std::FILE* out) {
    rt::DataFileBackups backups(file);
    std::vector<int> numbers = backups.existing();
    std::fprintf(out, "Backups: %zu\n", numbers.size());
    for (int n : numbers) {
        FileResult result = checkOne(opener, backups.copyPath(n), false);
        std::fprintf(out, "%s (made %s): %s\n", backups.copyPath(n).string().c_str(),
                     isoDate(backups.madeOn(n)).c_str(), result.line.c_str());
    }
}

}  // namespace

int CheckDataFile(std::FILE* out) {
    const std::filesystem::path file = SYS.File.path();
    CheckOpener opener;
    FileResult result;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        result = {CheckNotChecked, "NOT CHECKED: there is no data file in this folder"};
    else if (std::filesystem::is_directory(file, ec))
        result = {CheckDamaged, "DAMAGED: a folder stands in the data file's place"};
    else
        result = checkOne(opener, file, true);
    std::fprintf(out, "%s: %s\n", file.string().c_str(), result.line.c_str());
    checkBackups(opener, file, out);
    std::fflush(out);
    return result.code;
}
