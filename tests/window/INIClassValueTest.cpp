#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/window/IniTestFixture.h"
#include "window/INIClass.h"

namespace {

using Asserts = std::vector<std::string>;

class INIClassValueTest : public IniTestFixture {
  protected:
    void SetUp() override {
        IniTestFixture::SetUp();
        ini_.Init(kIni);
    }
    void TearDown() override {
        ini_.Kill();
        IniTestFixture::TearDown();
    }

    INIClass ini_;
};

TEST_F(INIClassValueTest, MissingValueIsEmptyForTryFetchAndAssertsForFetch) {
    EXPECT_EQ(ini_.TryFetch("Main", "Missing"), "");
    EXPECT_TRUE(takeAsserts().empty());

    EXPECT_EQ(ini_.Fetch("Main", "Missing"), "---Unknown---");
    EXPECT_EQ(takeAsserts(),
              Asserts{"INI Assert: Could not find Missing in sector Main of .\\Lockora.INI"});

    EXPECT_EQ(ini_.Fetch("Main", "Missing", "fallback", kIni), "fallback");
    // Looking never creates the file.
    EXPECT_FALSE(std::filesystem::exists(dir_.file("Lockora.INI")));

    // A stored empty value is a value, not a missing one.
    ini_.Update("Main", "Empty", "");
    EXPECT_EQ(ini_.Fetch("Main", "Empty"), "");
    EXPECT_TRUE(takeAsserts().empty());
}

TEST_F(INIClassValueTest, ValuesAreWrittenReadReplacedAndRemoved) {
    ini_.Update("Preserved", "Glo:FileLocation", "/home/a/Lockora");
    EXPECT_EQ(iniText(), "[Preserved]\nGlo:FileLocation=/home/a/Lockora\n");
    EXPECT_EQ(ini_.Fetch("PRESERVED", "glo:filelocation"), "/home/a/Lockora");

    ini_.Update("Preserved", "Glo:FileLocation", "/srv/data");
    EXPECT_EQ(ini_.TryFetch("Preserved", "Glo:FileLocation"), "/srv/data");

    ini_.Remove("Preserved", "Glo:FileLocation");
    EXPECT_EQ(ini_.TryFetch("Preserved", "Glo:FileLocation"), "");
    ini_.Remove("Preserved", "NeverThere");
    EXPECT_TRUE(takeAsserts().empty());

    // The four-argument forms reach another file; the object's own is untouched.
    ini_.Update("Main", "Key", "elsewhere", "Other.INI");
    EXPECT_EQ(ini_.Fetch("Main", "Key", "", "Other.INI"), "elsewhere");
    EXPECT_EQ(ini_.TryFetch("Main", "Key"), "");
}

TEST_F(INIClassValueTest, FetchFieldTakesTheNthCommaSeparatedPart) {
    ini_.Update("S", "Three", "alpha,beta,gamma");
    ini_.Update("S", "Whole", "no commas here");
    ini_.Update("S", "Blanks", ",mid,");
    const struct {
        const char* name;
        int field;
        const char* expected;
    } rows[] = {
        {"Three", 1, "alpha"}, {"Three", 2, "beta"},
        {"Three", 3, "gamma"}, {"Whole", 1, "no commas here"},
        {"Blanks", 1, ""},     {"Blanks", 2, "mid"},
        {"Blanks", 3, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ini_.FetchField("S", row.name, row.field), row.expected)
            << row.name << " field " << row.field;
    }
    EXPECT_TRUE(takeAsserts().empty());

    EXPECT_EQ(ini_.FetchField("S", "Three", 4), "");
    EXPECT_EQ(ini_.FetchField("S", "Whole", 0), "");
    EXPECT_EQ(takeAsserts(),
              (Asserts{"INI Assert: Field 4 not found in Three in sector S of .\\Lockora.INI",
                       "INI Assert: Field 0 not found in Whole in sector S of .\\Lockora.INI"}));

    // A missing value asserts as Fetch does, and its stand-in is field 1.
    EXPECT_EQ(ini_.FetchField("S", "Missing", 1), "---Unknown---");
    EXPECT_EQ(takeAsserts().size(), 1u);
}

TEST_F(INIClassValueTest, ValuesLongerThanTheReadBufferAreRefusedOrCut) {
    const std::string longest(1023, 'v');
    ini_.Update("S", "Long", longest);
    EXPECT_EQ(ini_.Fetch("S", "Long"), longest);

    // Capacities count characters, not bytes.
    std::string accented;
    for (int i = 0; i < 1023; ++i) accented += "\xc3\xa9";
    ini_.Update("S", "Accented", accented);
    EXPECT_EQ(ini_.Fetch("S", "Accented"), accented);
    EXPECT_TRUE(takeAsserts().empty());

    // One more would come back cut: it is refused and the old value stays.
    ini_.Update("S", "Long", std::string(1024, 'w'));
    EXPECT_EQ(takeAsserts(), Asserts{"INI Assert: Value too long for Long in sector S"});
    EXPECT_EQ(ini_.Fetch("S", "Long"), longest);

    // A hand-edited file can still hold more: reads cut it, FetchField at 1000.
    writeIni("[S]\nHuge=" + std::string(2000, 'h') + "\nFields=" + std::string(998, 'x') +
             ",tail\n");
    EXPECT_EQ(ini_.Fetch("S", "Huge"), std::string(1023, 'h'));
    EXPECT_EQ(ini_.FetchField("S", "Fields", 2), "t");
    EXPECT_TRUE(takeAsserts().empty());
}

TEST_F(INIClassValueTest, WritesTheFileCannotTakeAreReported) {
    ini_.Update("S", "Bad=Name", "v");
    ini_.Update("S", "Key", "two\nlines");
    EXPECT_EQ(takeAsserts(),
              (Asserts{"INI Assert: Could not write Bad=Name in sector S of .\\Lockora.INI",
                       "INI Assert: Could not write Key in sector S of .\\Lockora.INI"}));
    EXPECT_EQ(ini_.TryFetch("S", "Key"), "");

    // A folder where the file should be: reads give defaults, writes report.
    std::filesystem::create_directory(dir_.file("Lockora.INI"));
    EXPECT_EQ(ini_.Fetch("S", "Key", "dflt", kIni), "dflt");
    ini_.Update("S", "Key", "v");
    ini_.Remove("S", "Key");
    EXPECT_EQ(takeAsserts().size(), 2u);
}

TEST_F(INIClassValueTest, FileNamesMustFitTheirBuffer) {
    INIClass ini;
    const std::string folder(200, 'd');
    std::filesystem::create_directory(dir_.file(folder));
    const std::string fits = folder + "/" + std::string(54, 'n') + ".INI";
    ASSERT_EQ(fits.size(), 259u);
    ini.Init(fits);
    EXPECT_EQ(ini.FileName, fits);
    ini.Kill();
    EXPECT_TRUE(takeAsserts().empty());
    EXPECT_TRUE(std::filesystem::exists(dir_.file(fits)));

    // Cutting the name would silently point at another file.
    INIClass tooLong;
    tooLong.Init(std::string(260, 'n'));
    EXPECT_EQ(takeAsserts().size(), 1u);
    EXPECT_EQ(tooLong.FileName, "");
    EXPECT_EQ(tooLong.Sectors, nullptr);
}

TEST_F(INIClassValueTest, TableKindAssertsOnEveryAccessAndWritesNothing) {
    takeAsserts();
    INIClass table;
    table.Init(kIni, NV_Table);  // loading the sector list is an access
    EXPECT_EQ(table.TryFetch("S", "K"), "");
    EXPECT_EQ(table.Fetch("S", "K"), "");
    EXPECT_EQ(table.Fetch("S", "K", "dflt", kIni), "");
    table.Update("S", "K", "v");
    table.Remove("S", "K");
    table.Kill();  // saving the sector list is an access too

    const Asserts seen = takeAsserts();
    EXPECT_EQ(seen, Asserts(7, "NV_Table: Not Supported Yet"));
    EXPECT_FALSE(std::filesystem::exists(dir_.file("Lockora.INI")));
}

}  // namespace
