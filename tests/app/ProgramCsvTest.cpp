// lockora --export and --import, run as the real program in a data folder:
// the CSV file is read back with Python's csv module and the data file with
// the cipher's own shell, the dates against the standard library's calendar.
// No display is needed.
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "app/CsvExitCode.h"
#include "app/PasswordsFile.h"
#include "tests/app/ListFixture.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/SqlShell.h"
#include "tests/support/Tools.h"

using namespace program;

namespace {

const std::string kHeader =
    "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\",\"Icon\","
    "\"Last Modified\",\"Created\"\r\n";
const std::string kVaultHeader =
    "folder,favorite,type,name,notes,fields,reprompt,login_uri,login_username,login_password,"
    "login_totp\n";

// An entry as the data file holds it, texts without their trailing spaces.
struct Stored {
    int id;
    std::string title, user, password, location, notes, created;
    bool operator==(const Stored&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Stored& s) {
    return os << s.id << "|" << s.title << "|" << s.user << "|" << s.password << "|" << s.location
              << "|" << s.notes << "|" << s.created;
}

std::string unhex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::vector<std::string> split(const std::string& line, char sep) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = line.find(sep, from)) != std::string::npos; from = at + 1)
        parts.push_back(line.substr(from, at - from));
    parts.push_back(line.substr(from));
    return parts;
}

// A day serial (4 is 1 January 1801) as the calendar of the standard library
// writes it.
std::string calendarDate(int serial) {
    if (serial == 0) return "";
    using namespace std::chrono;
    year_month_day ymd{sys_days{year{1801} / January / 1} + days{serial - 4}};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(ymd.year()), unsigned(ymd.month()),
                  unsigned(ymd.day()));
    return text;
}

// The serial of a calendar date, for writing one with the shell.
int serialOf(int y, unsigned m, unsigned d) {
    using namespace std::chrono;
    return (sys_days{year{y} / month{m} / day{d}} - sys_days{year{1801} / January / 1}).count() + 4;
}

// Every record of a CSV file as Python's csv module reads it.
std::vector<std::vector<std::string>> pythonRows(const std::filesystem::path& file) {
    const std::string script =
        "import csv,sys\n"
        "for r in csv.reader(open(sys.argv[1], newline='', encoding='utf-8', errors='strict')):\n"
        "    print(' '.join('x' + f.encode().hex() for f in r))\n";
    const std::filesystem::path program = file.parent_path() / "read_csv.py";
    testsupport::writeFile(program, script);
    std::string out =
        testsupport::runCommand("python3 '" + program.string() + "' '" + file.string() + "'");
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : split(out, '\n')) {
        if (line.empty()) continue;
        std::vector<std::string> row;
        for (const std::string& field : split(line, ' ')) {
            EXPECT_EQ(field.substr(0, 1), "x") << "python said: " << out;
            row.push_back(unhex(field.substr(1)));
        }
        rows.push_back(row);
    }
    return rows;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class ProgramCsvTest : public ListFixture {
  protected:
    testsupport::ProgramRun lockora(const std::string& option, const std::string& file,
                                    const std::string& input = kMaster + "\n") const {
        testsupport::ProgramRun run = testsupport::runProgram(
            LOCKORA_PROGRAM, dir.path(), {{"QT_QPA_PLATFORM", "no-such-platform"}, {"DISPLAY", ""}},
            testsupport::ProgramCall{{option, file}, input}, 120000);
        EXPECT_FALSE(run.timedOut) << run.output << run.errors;
        return run;
    }

    // The entries by the cipher's shell, in entry-number order.
    std::vector<Stored> stored() const {
        std::vector<Stored> entries;
        for (const std::string& line :
             sql("SELECT Primary_ID, hex(Title), hex(UserName), hex(Password), hex(Location), "
                 "hex(Notes), DateCreated FROM Password ORDER BY Primary_ID")) {
            std::vector<std::string> c = split(line, '|');
            EXPECT_EQ(c.size(), 7u) << line;
            if (c.size() != 7) continue;
            entries.push_back({std::stoi(c[0]), unhex(c[1]), unhex(c[2]), unhex(c[3]), unhex(c[4]),
                               unhex(c[5]), calendarDate(std::stoi(c[6]))});
        }
        return entries;
    }

    // An empty data file with the master password, in place of the one there.
    void emptyDataFile() {
        std::filesystem::remove(dir.file("Lockora.lkdb"));
        makeDataFile(0);
    }

    // A data file of entries whose texts are hard to carry: letters outside
    // ASCII, quotes, commas and line ends in notes, trailing spaces, all
    // empty, every field at its longest, the first and last dates.
    void makeHardFile() {
        emptyDataFile();
        std::string longest;
        for (int i = 0; i < 40; ++i) longest += "Éa";
        std::string notes;
        for (int i = 0; i < 1000; ++i) notes += "ü";
        struct {
            std::string title, user, password, location, notes;
            int created;
        } const entries[] = {
            {"Ærø Łódź ñandú Straße", "ødegård", "Ünïcødé12", "https://www.example.org/ærø",
             "line one\nsay \"hi\", twice", serialOf(2024, 2, 29)},
            {"trailing   ", "tess   ", "pw   ", "https://t.example/   ", "kept  ", 0},
            {"", "", "", "", "", 0},
            {longest, std::string(65, 'u'), "0123456789", "https://" + std::string(246, 'l'), notes,
             serialOf(1801, 1, 1)},
            {"CRLF", "u", "p", "", "a\r\nb,\"c\"\r\n", serialOf(9999, 12, 31)},
        };
        ASSERT_EQ(PAS.File.unlock(kMaster), 0);
        ASSERT_EQ(PAS.File.open(), 0);
        int id = 0;
        for (const auto& e : entries) {
            PAS.File.clearBuffer();
            PAS.Primary_ID = ++id;
            PAS.Title = e.title;
            PAS.UserName = e.user;
            PAS.Password = e.password;
            PAS.Location = e.location;
            PAS.Notes = e.notes;
            PAS.DateCreated = rt::toStored(e.created);
            ASSERT_EQ(PAS.File.add(), 0) << "entry " << id;
        }
        PAS.File.close();
    }

    testsupport::ProgramRun import(const std::string& csv) {
        testsupport::writeFile(dir.file("in.csv"), csv);
        return lockora("--import", "in.csv");
    }
};

TEST_F(ProgramCsvTest, ExportWritesEveryEntryAsAnotherReaderReadsIt) {
    makeHardFile();
    testsupport::ProgramRun run = lockora("--export", "out.csv");
    ASSERT_EQ(run.exitCode, CsvDone) << run.output << run.errors;
    EXPECT_TRUE(has(run.output, "Exported 5 entries to out.csv.")) << run.output;
    EXPECT_TRUE(has(run.errors, "WARNING: out.csv is not encrypted")) << run.errors;
    EXPECT_TRUE(has(run.errors, "Delete it as soon as you have used it")) << run.errors;

    struct stat st {};
    ASSERT_EQ(::stat(dir.file("out.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    const std::string bytes = testsupport::readFile(dir.file("out.csv"));
    EXPECT_EQ(bytes.substr(0, kHeader.size()), kHeader) << "every name quoted, CRLF";

    std::vector<std::vector<std::string>> rows = pythonRows(dir.file("out.csv"));
    std::vector<Stored> entries = stored();
    ASSERT_EQ(entries.size(), 5u);
    ASSERT_EQ(rows.size(), 6u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Stored& e = entries[i];
        EXPECT_EQ(rows[i + 1],
                  (std::vector<std::string>{"Lockora", e.title, e.user, e.password, e.location,
                                            e.notes, "", "0", "", e.created}))
            << e;
    }
    EXPECT_EQ(rows[1][9], "2024-02-29");
    EXPECT_EQ(rows[1][5], "line one\nsay \"hi\", twice");
    EXPECT_EQ(rows[2][1], "trailing") << "the store keeps no trailing spaces";
    EXPECT_EQ(rows[2][5], "kept  ") << "but notes keep theirs";
    EXPECT_EQ(rows[4][9], "1801-01-01");
    EXPECT_EQ(rows[5][9], "9999-12-31");
}

TEST_F(ProgramCsvTest, ExportNeverWritesOverAFileNorLeavesAHalfWrittenOne) {
    makeDataFile(2000);
    testsupport::writeFile(dir.file("taken.csv"), "keep me");
    testsupport::ProgramRun taken = lockora("--export", "taken.csv");
    EXPECT_EQ(taken.exitCode, CsvNothingDone);
    EXPECT_TRUE(has(taken.errors, "it already exists")) << taken.errors;
    EXPECT_EQ(testsupport::readFile(dir.file("taken.csv")), "keep me");

    std::filesystem::create_symlink(dir.file("elsewhere.csv"), dir.file("link.csv"));
    testsupport::ProgramRun link = lockora("--export", "link.csv");
    EXPECT_EQ(link.exitCode, CsvNothingDone);
    EXPECT_FALSE(std::filesystem::exists(dir.file("elsewhere.csv")))
        << "no file made through a link";

    {
        // 2000 entries need far more than 128 KiB (the data file's shared
        // memory index alone takes 32): the disk refuses part way.
        testsupport::FileSizeLimit full(128 * 1024);
        testsupport::ProgramRun cut = lockora("--export", "cut.csv");
        EXPECT_EQ(cut.exitCode, CsvNothingDone) << cut.output << cut.errors;
        EXPECT_TRUE(has(cut.errors, "nothing exported to cut.csv")) << cut.errors;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("cut.csv"))) << "a partial file is removed";
}

TEST_F(ProgramCsvTest, AWrongOrMissingMasterPasswordDoesNothing) {
    makeDataFile(3);
    testsupport::writeFile(dir.file("in.csv"), kHeader +
                                                   "\"g\",\"New\",\"\",\"\",\"\",\"\",\"\","
                                                   "\"\",\"\",\"\"\r\n");
    for (const std::string& input : {std::string("tr1cky\n"), std::string()}) {
        testsupport::ProgramRun in = lockora("--import", "in.csv", input);
        EXPECT_EQ(in.exitCode, CsvNoDataFile) << in.errors;
        EXPECT_TRUE(has(in.errors, "the data file cannot be opened")) << in.errors;
        testsupport::ProgramRun out = lockora("--export", "out.csv", input);
        EXPECT_EQ(out.exitCode, CsvNoDataFile) << out.errors;
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.csv")));
    }
    EXPECT_EQ(stored().size(), 3u) << "nothing imported";

    std::filesystem::remove(dir.file("Lockora.lkdb"));
    testsupport::ProgramRun none = lockora("--export", "out.csv");
    EXPECT_EQ(none.exitCode, CsvNoDataFile);
    EXPECT_TRUE(has(none.errors, "there is no data file")) << none.errors;
    EXPECT_FALSE(std::filesystem::exists(dir.file("Lockora.lkdb"))) << "none is made";
}

TEST_F(ProgramCsvTest, ImportOfTheExportLayoutSkipsValuesTooLongForTheirField) {
    makeDataFile(2);
    std::string title80, title81;
    for (int i = 0; i < 80; ++i) title80 += "\xC3\xA9";  // é: 80 characters, 160 bytes
    title81 = title80 + "e";
    const std::string csv =
        "\xEF\xBB\xBF" + kHeader + "\"G\",\"" + title80 +
        "\",\"ada\",\"0123456789\",\"https://a.example\",\"multi\r\n"
        "line \"\"note\"\"\",\"\",\"0\",\"\",\"2023-12-31T10:00:00Z\"\r\n"
        "\"G\",\"Long password\",\"bob\",\"0123456789x\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\"G\",\"" +
        title81 +
        "\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\"G\",\"Spaces\",\"carl\",\"0123456789   \",\"\",\"\",\"JBSWY3DP\",\"\",\"\",\"\"\r\n"
        "\"G\",\"Bad date\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"2023-02-30\"\r\n";
    testsupport::ProgramRun run = import(csv);
    EXPECT_EQ(run.exitCode, CsvRowsSkipped) << run.output << run.errors;
    EXPECT_TRUE(
        has(run.output, "Imported 2 entries from in.csv (KeePassXC layout); skipped 3 rows."))
        << run.output;
    EXPECT_TRUE(has(run.errors,
                    "in.csv: line 4: skipped: Password has 11 characters, its field "
                    "holds 10"))
        << run.errors;
    EXPECT_TRUE(has(run.errors,
                    "in.csv: line 5: skipped: Title has 81 characters, its field "
                    "holds 80"))
        << run.errors;
    EXPECT_TRUE(has(run.errors, "in.csv: line 7: skipped: Created is no date")) << run.errors;
    EXPECT_TRUE(has(run.errors, "in.csv: line 6: imported without its TOTP value")) << run.errors;

    std::vector<Stored> entries = stored();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[2], (Stored{3, title80, "ada", "0123456789", "https://a.example",
                                  "multi\r\nline \"note\"", "2023-12-31"}));
    EXPECT_EQ(entries[3], (Stored{4, "Spaces", "carl", "0123456789", "", "", ""}))
        << "numbered after the entries there, as the form numbers them";
}

TEST_F(ProgramCsvTest, ImportOfTheVaultLayoutTakesLoginsOnly) {
    emptyDataFile();
    const std::string csv =
        kVaultHeader +
        "Work,1,login,Mail,\"first\nsecond\",,0,https://mail.example,ada@mail.example,pw1,\n"
        ",,note,A note,text,,0,,,,\n"
        ",,login,Bank,,\"pin: 1234\",0,https://bank.example,ada,pw2,otpauth://x\n";
    testsupport::ProgramRun run = import(csv);
    EXPECT_EQ(run.exitCode, CsvRowsSkipped) << run.output << run.errors;
    EXPECT_TRUE(
        has(run.output, "Imported 2 entries from in.csv (Bitwarden layout); skipped 1 rows."))
        << run.output;
    EXPECT_TRUE(has(run.errors, "line 4: skipped: its type is \"note\": only logins are imported"))
        << run.errors;
    EXPECT_TRUE(has(run.errors, "line 5: imported without its fields value")) << run.errors;
    EXPECT_TRUE(has(run.errors, "line 5: imported without its login_totp value")) << run.errors;
    EXPECT_EQ(stored(),
              (std::vector<Stored>{{1, "Mail", "ada@mail.example", "pw1", "https://mail.example",
                                    "first\nsecond", ""},
                                   {2, "Bank", "ada", "pw2", "https://bank.example", "", ""}}));
}

TEST_F(ProgramCsvTest, ExportThenImportIntoAnEmptyFileGivesTheSameEntries) {
    makeHardFile();
    const std::vector<Stored> before = stored();
    ASSERT_EQ(lockora("--export", "all.csv").exitCode, CsvDone);
    emptyDataFile();
    testsupport::ProgramRun run = lockora("--import", "all.csv");
    EXPECT_EQ(run.exitCode, CsvDone) << run.output << run.errors;
    EXPECT_TRUE(
        has(run.output, "Imported 5 entries from all.csv (KeePassXC layout); skipped 0 rows."))
        << run.output;
    EXPECT_EQ(stored(), before);
}

// Each input, its exit code, the entries it leaves and what stderr must say.
struct BadInput {
    const char* name;
    std::string csv;
    int exitCode;
    std::vector<std::string> titles;
    std::string says;
};

const std::string kRow = "\"G\",\"One\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";

TEST_F(ProgramCsvTest, BadInputIsNamedByLineAndNothingHalfDoneIsLeft) {
    std::string wide = "\"G\",\"Wide\"";
    for (int i = 2; i < 10000; ++i) wide += ",x";
    const BadInput cases[] = {
        {"unknown header",
         "Title,User,Password\nOne,a,b\n",
         CsvNothingDone,
         {},
         "its header (line 1) names no layout Lockora reads"},
        {"empty file", "", CsvNothingDone, {}, "it is empty: no header line"},
        {"header alone", kHeader, CsvDone, {}, "skipped 0 rows"},
        {"missing columns",
         kHeader + "\"G\",\"Short\"\r\n" + kRow,
         CsvRowsSkipped,
         {"One"},
         "line 2: skipped: it has 2 column(s), the header has 10"},
        {"extra columns",
         kHeader + kRow + "\"G\",\"Long\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"x\"\n",
         CsvRowsSkipped,
         {"One"},
         "line 3: skipped: it has 11 column(s), the header has 10"},
        {"10,000 columns",
         kHeader + wide + "\n" + kRow,
         CsvRowsSkipped,
         {"One"},
         "line 2: skipped: it has 10000 column(s), the header has 10"},
        {"invalid UTF-8",
         kHeader + kRow + "\"G\",\"Bad \xC3\x28\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\n",
         CsvRowsSkipped,
         {"One"},
         "line 3: skipped: the text is not valid UTF-8"},
        {"unterminated quote at the end",
         kHeader + kRow + "\"G\",\"Open\",\"\",\"\",\"\",\"never",
         CsvRowsSkipped,
         {"One"},
         "line 3: skipped: a quoted value that starts here is not closed before the end of the "
         "file"},
        {"text after a quote",
         kHeader + "\"G\",\"A\"B,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\n" + kRow,
         CsvRowsSkipped,
         {"One"},
         "line 2: skipped: a closing quote is followed by more"},
        {"every row bad",
         kHeader + "\"G\",\"Short\"\n",
         CsvNothingDone,
         {},
         "no row could be imported"},
    };
    for (const BadInput& c : cases) {
        SCOPED_TRACE(c.name);
        emptyDataFile();
        testsupport::ProgramRun run = import(c.csv);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.output << run.errors;
        EXPECT_TRUE(has(run.errors + run.output, c.says)) << run.output << run.errors;
        std::vector<std::string> titles;
        for (const Stored& s : stored()) titles.push_back(s.title);
        EXPECT_EQ(titles, c.titles);
    }
    testsupport::ProgramRun missing = lockora("--import", "no-such.csv");
    EXPECT_EQ(missing.exitCode, CsvNothingDone);
    EXPECT_TRUE(has(missing.errors, "nothing imported from no-such.csv: No such file"))
        << missing.errors;
}

TEST_F(ProgramCsvTest, AWriteTheDiskRefusesUndoesTheWholeImport) {
    emptyDataFile();
    std::string csv = kHeader;
    const std::string notes(900, 'n');
    for (int i = 1; i <= 3000; ++i)
        csv += "\"G\",\"Entry " + std::to_string(i) + "\",\"\",\"\",\"\",\"" + notes +
               "\",\"\",\"\",\"\",\"\"\r\n";
    testsupport::writeFile(dir.file("in.csv"), csv);
    const auto size = std::filesystem::file_size(dir.file("Lockora.lkdb"));
    testsupport::ProgramRun run;
    {
        testsupport::FileSizeLimit full(size + 256 * 1024);
        run = lockora("--import", "in.csv");
    }
    EXPECT_EQ(run.exitCode, CsvNothingDone) << run.output << run.errors;
    EXPECT_TRUE(has(run.errors, "nothing imported from in.csv")) << run.errors;
    EXPECT_TRUE(stored().empty()) << "all or nothing " << stored().size() << run.output
                                  << run.errors;
}

// 100 MB in bounded memory: a row that never ends is skipped unread, and
// the rows before it are imported.
TEST_F(ProgramCsvTest, AHundredMegabyteRowIsSkippedAndTheRestImported) {
    emptyDataFile();
    {
        std::ofstream out(dir.file("big.csv"), std::ios::binary);
        out << kHeader << kRow << "\"G\",\"Huge\",\"\",\"\",\"\",\"";
        const std::string block(1 << 20, 'z');
        for (int i = 0; i < 100; ++i) out << block;
        out << "\",\"\",\"\",\"\",\"\"\r\n" << kRow;
    }
    testsupport::ProgramRun run = lockora("--import", "big.csv");
    EXPECT_EQ(run.exitCode, CsvRowsSkipped) << run.output << run.errors;
    EXPECT_TRUE(has(run.errors, "line 3: skipped: the row is longer than any entry can be"))
        << run.errors;
    EXPECT_TRUE(has(run.output, "Imported 2 entries")) << run.output;
    EXPECT_EQ(stored().size(), 2u);
}

}  // namespace
