#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/host/SettingsFile.h"
#include "tests/window/IniTestFixture.h"
#include "window/INIClass.h"

namespace {

using Asserts = std::vector<std::string>;

std::vector<SectorEntry> sectorsOf(INIClass& ini, std::string_view family = {},
                                   std::string_view item = {}, std::string_view type = {}) {
    SectorQueue result;
    ini.GetSectors(family, item, type, result);
    return result.records();
}

class INIClassSectorTest : public IniTestFixture {};

TEST_F(INIClassSectorTest, SectorNamesEscapeTheirItem) {
    INIClass ini;
    ini.Init(kIni);
    const std::string sector = ini.GetSector("Q", "a$b", "T");
    EXPECT_EQ(sector, "Q$a$$$b$$T");
    EXPECT_EQ(ini.GetFamily(sector), (SectorEntry{"Q", "a$$$b", "T"}));

    ini.AddSector(sector);
    EXPECT_EQ(sectorsOf(ini), (std::vector<SectorEntry>{{"Q", "a$b", "T"}}));
    EXPECT_TRUE(takeAsserts().empty());
}

TEST_F(INIClassSectorTest, MalformedSectorsAssertAndAreNotRegistered) {
    INIClass ini;
    ini.Init(kIni);
    EXPECT_EQ(ini.GetSector("Q", "", "T"), "");
    EXPECT_EQ(ini.GetFamily("Q$a"), SectorEntry{});
    ini.AddSector("NoDollars");
    EXPECT_EQ(takeAsserts(),
              (Asserts{"INI Assert: Malformed sector Q, , T", "INI Assert: Malformed sector Q$a",
                       "INI Assert: Malformed sector NoDollars"}));

    // The registry holds each part in 100 characters and joins them by ",".
    ini.AddSector(std::string(99, 'f') + "$a$$T");
    ini.AddSector(std::string(100, 'f') + "$a$$T");
    ini.AddSector(ini.GetSector("Q", std::string(33, '$'), "T"));  // escaped: 99
    ini.AddSector(ini.GetSector("Q", std::string(34, '$'), "T"));  // escaped: 102
    ini.AddSector("Q$a$$T,U");
    EXPECT_EQ(takeAsserts().size(), 3u);
    EXPECT_EQ(sectorsOf(ini).size(), 2u);

    INIClass uninitialised;
    uninitialised.AddSector("Q$a$$T");
    EXPECT_EQ(takeAsserts(), Asserts{"INI Assert: Sector list used before Init"});
}

TEST_F(INIClassSectorTest, SectorsAreKeptOnceInKeyOrderAndFiltered) {
    INIClass ini;
    ini.Init(kIni);
    for (const char* sector : {"B$x$$T", "A$y$$T", "A$x$$U", "A$x$$T", "A$x$$T", "A$x$$$$$T"})
        ini.AddSector(sector);
    const std::vector<SectorEntry> all = {
        {"A", "x", "T"}, {"A", "x", "U"}, {"A", "x$", "T"}, {"A", "y", "T"}, {"B", "x", "T"}};
    EXPECT_EQ(sectorsOf(ini), all);
    EXPECT_EQ(sectorsOf(ini, "A", "", "T"),
              (std::vector<SectorEntry>{{"A", "x", "T"}, {"A", "x$", "T"}, {"A", "y", "T"}}));
    EXPECT_EQ(sectorsOf(ini, "", "x$"), (std::vector<SectorEntry>{{"A", "x$", "T"}}));
    EXPECT_EQ(sectorsOf(ini, "", "", "U"), (std::vector<SectorEntry>{{"A", "x", "U"}}));
    EXPECT_TRUE(sectorsOf(ini, "C").empty());

    // The result list is emptied first.
    SectorQueue result;
    ini.GetSectors("B", "", "", result);
    ini.GetSectors("B", "", "", result);
    EXPECT_EQ(result.Records(), 1u);
}

TEST_F(INIClassSectorTest, KillWritesTheReservedSectionEvenWhenEmpty) {
    {
        INIClass ini;
        ini.Init(kIni);
        ini.Kill();
        EXPECT_EQ(iniText(), "[__Dont_Touch_Me__]\nSectors=0\n");

        // Kill again is harmless and writes nothing.
        std::filesystem::remove(dir_.file("Lockora.INI"));
        ini.Kill();
        EXPECT_FALSE(std::filesystem::exists(dir_.file("Lockora.INI")));
        ini.Init(kIni);
    }
    // Destruction kills what was not killed.
    EXPECT_EQ(iniText(), "[__Dont_Touch_Me__]\nSectors=0\n");
}

TEST_F(INIClassSectorTest, RegisteredSectorsSurviveTheNextRun) {
    {
        INIClass ini;
        ini.Init(kIni);
        ini.AddSector("Main$SortHeader$$List");
        ini.AddSector(ini.GetSector("Q", "a$b", "T"));
        ini.Kill();
    }
    EXPECT_EQ(iniText(),
              "[__Dont_Touch_Me__]\nSectors=2\nSectors_1=Main,SortHeader,List\n"
              "Sectors_2=Q,a$$$b,T\n");
    INIClass next;
    next.Init(kIni);
    EXPECT_EQ(sectorsOf(next, "Q"), (std::vector<SectorEntry>{{"Q", "a$b", "T"}}));
    EXPECT_EQ(sectorsOf(next).size(), 2u);
    EXPECT_TRUE(takeAsserts().empty());
}

// Keeps the data-file location the way the program's own settings object does.
class SettingsWithLocation : public INIClass {
  public:
    using INIClass::Fetch;
    using INIClass::Update;

    void Fetch() override {
        Location = TryFetch("Preserved", "Glo:FileLocation");
        sectorsWhenFetched = Sectors ? static_cast<int>(Sectors->Records()) : -1;
    }
    void Update() override {
        INIClass::Update();
        Update("Preserved", "Glo:FileLocation", Location);
    }

    std::string Location;
    int sectorsWhenFetched = -1;
};

TEST_F(INIClassSectorTest, HandWrittenFileRoundTripsThroughASubclass) {
    writeIni(
        "; written by hand\r\n"
        "[Preserved]\r\n"
        "Glo:FileLocation = /home/a/Lockora \r\n"
        "\r\n"
        "[Main]\r\n"
        "SortHeader_8=-PAS:LOCATION,PAS:TITLE\r\n"
        "[__Dont_Touch_Me__]\r\n"
        "Sectors=3\r\n"
        "Sectors_1=Main,SortHeader,List\r\n"
        "Sectors_2=A,x,T\r\n"
        "Sectors_3=Main,SortHeader,List\r\n");
    SettingsWithLocation ini;
    ini.Init(kIni);
    EXPECT_EQ(ini.Location, "/home/a/Lockora");
    EXPECT_EQ(ini.sectorsWhenFetched, 0);  // the subclass loads before the sectors
    EXPECT_EQ(ini.FetchField("Main", "SortHeader_8", 2), "PAS:TITLE");
    EXPECT_EQ(sectorsOf(ini).size(), 2u);  // the duplicate is kept once

    ini.Location = "/srv/lockora";
    ini.Update();
    ini.Kill();
    EXPECT_EQ(iniText(),
              "; written by hand\r\n"
              "[Preserved]\r\n"
              "Glo:FileLocation = /srv/lockora\r\n"
              "\r\n"
              "[Main]\r\n"
              "SortHeader_8=-PAS:LOCATION,PAS:TITLE\r\n"
              "[__Dont_Touch_Me__]\r\n"
              "Sectors=2\r\n"
              "Sectors_1=A,x,T\r\n"
              "Sectors_2=Main,SortHeader,List\r\n"
              "Sectors_3=Main,SortHeader,List\r\n");
    EXPECT_TRUE(takeAsserts().empty());
}

TEST_F(INIClassSectorTest, FirstRunWritesTheLocationAndTheReservedSection) {
    SettingsWithLocation ini;
    ini.Init(kIni);
    EXPECT_EQ(ini.Location, "");
    ini.Update();
    ini.Kill();
    EXPECT_EQ(iniText(), "[Preserved]\nGlo:FileLocation=\n[__Dont_Touch_Me__]\nSectors=0\n");
    EXPECT_TRUE(takeAsserts().empty());
}

TEST_F(INIClassSectorTest, GarbageAndDamagedSectorListsLoadWhatIsSound) {
    std::string garbage = "\x7f\x45LF\x01\x00\x00[[[=]]]\n==\n\xff\xfe[Broken\n";
    garbage.append(std::string("\0\0\0", 3));
    writeIni(garbage + "\n[__Dont_Touch_Me__]\nSectors=4\nSectors_1=OnlyFamily\nSectors_2=" +
             std::string(150, 'f') + ",x,T\nSectors_3=A,x,T\nSectors_4=,,\n");
    INIClass ini;
    ini.Init(kIni);
    EXPECT_EQ(sectorsOf(ini), (std::vector<SectorEntry>{{"A", "x", "T"}}));
    // Two missing fields, then three entries the list refuses.
    EXPECT_EQ(takeAsserts().size(), 5u);

    ini.Kill();
    EXPECT_EQ(rt::SettingsFile::get(kIni, "__Dont_Touch_Me__", "Sectors", ""), "1");
    EXPECT_EQ(rt::SettingsFile::get(kIni, "__Dont_Touch_Me__", "Sectors_1", ""), "A,x,T");
}

}  // namespace
