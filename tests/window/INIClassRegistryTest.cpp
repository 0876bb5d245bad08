#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "runtime/host/Registry.h"
#include "tests/window/IniTestFixture.h"
#include "window/INIClass.h"
#include "window/RecordQueue.h"

namespace {

class INIClassRegistryTest : public IniTestFixture {
  protected:
    void SetUp() override {
        IniTestFixture::SetUp();
        registry().TEST_setFile(dir_.file("registry.ini").string());
    }
    void TearDown() override {
        registry().TEST_setFile("");
        IniTestFixture::TearDown();
    }

    static rt::Registry& registry() { return rt::Registry::user(); }
    static std::optional<std::string> stored(const std::string& path, std::string_view name) {
        rt::Registry::Key key = registry().openKey(path);
        if (!key) return std::nullopt;
        auto value = registry().queryValue(key, name);
        registry().closeKey(key);
        return value;
    }
};

TEST_F(INIClassRegistryTest, ValuesLiveUnderTheFileNameAndSectorKey) {
    INIClass ini;
    ini.Init("Software\\Lockora", NV_Registry, rt::Registry::CurrentUser);
    ini.Update("Main", "SortHeader_8", "PAS:TITLE");
    EXPECT_EQ(stored("HKEY_CURRENT_USER\\Software\\Lockora\\Main", "SortHeader_8"), "PAS:TITLE");
    EXPECT_EQ(ini.Fetch("main", "sortheader_8"), "PAS:TITLE");
    EXPECT_EQ(ini.Fetch("Main", "Missing", "dflt", ini.FileName), "dflt");
    EXPECT_EQ(ini.TryFetch("Nowhere", "Missing"), "");

    // An empty value removes the registry value.
    ini.Update("Main", "SortHeader_8", "");
    EXPECT_EQ(stored("HKEY_CURRENT_USER\\Software\\Lockora\\Main", "SortHeader_8"), std::nullopt);
    EXPECT_EQ(ini.TryFetch("Main", "SortHeader_8"), "");
    ini.Update("Main", "Other", "x");
    ini.Remove("Main", "Other");
    ini.Remove("Main", "NeverThere");
    ini.Remove("NoSuchKey", "NeverThere");
    EXPECT_EQ(stored("HKEY_CURRENT_USER\\Software\\Lockora\\Main", "Other"), std::nullopt);
    EXPECT_TRUE(takeAsserts().empty());
}

TEST_F(INIClassRegistryTest, ListsAndTheSectorRegistryUseTheSameKeys) {
    {
        INIClass ini;
        ini.Init("Software\\Lockora", NV_Registry, rt::Registry::CurrentUser);
        RecordQueue<SectorEntry> rows;
        rows.Buffer = {"a", "b", "c"};
        rows.Add();
        ini.UpdateQueue("Lists", "Rows", rows, rows.Buffer.Family, rows.Buffer.Item);
        rows.Free();
        ini.FetchQueue("Lists", "Rows", rows, rows.Buffer.Family, rows.Buffer.Item);
        ASSERT_EQ(rows.Records(), 1u);
        EXPECT_EQ(rows.records()[0].Item, "b");
        ini.AddSector("Q$a$$T");
    }
    const std::string reserved = "HKEY_CURRENT_USER\\Software\\Lockora\\__Dont_Touch_Me__";
    EXPECT_EQ(stored(reserved, "Sectors"), "1");
    EXPECT_EQ(stored(reserved, "Sectors_1"), "Q,a,T");

    INIClass next;
    next.Init("Software\\Lockora", NV_Registry, rt::Registry::CurrentUser);
    ASSERT_NE(next.Sectors, nullptr);
    EXPECT_EQ(next.Sectors->Records(), 1u);
    EXPECT_TRUE(takeAsserts().empty());
}

TEST_F(INIClassRegistryTest, NoRootMeansClassesRootAndNoFileNameMeansTheSectorAlone) {
    INIClass ini;
    ini.Init("", NV_Registry, 0);
    ini.Update("Lockora Test", "Key", "value");
    EXPECT_EQ(stored("HKEY_CLASSES_ROOT\\Lockora Test", "Key"), "value");
    EXPECT_EQ(ini.Fetch("Lockora Test", "Key"), "value");
    EXPECT_TRUE(takeAsserts().empty());

    // A value the stand-in cannot hold is reported, not lost in silence.
    ini.Update("Lockora Test", "Key", "two\nlines");
    EXPECT_EQ(takeAsserts().size(), 1u);
    EXPECT_EQ(ini.Fetch("Lockora Test", "Key"), "value");
}

}  // namespace
