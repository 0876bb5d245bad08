#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <thread>

#include "app/Dictionary.h"
#include "app/GlobalErrors.h"
#include "data/FilesManager.h"
#include "runtime/expr/Bindings.h"
#include "runtime/store/FileErrors.h"
#include "tests/errors/ErrorTestFixture.h"
#include "tests/support/TempDir.h"

namespace {

std::size_t recordSize(const rt::FileDefinition& def) {
    std::size_t size = 0;
    for (const auto& field : def.fields()) size += field.ref.size();
    return size;
}

class DictionaryTest : public ErrorTestFixture {
  protected:
    void SetUp() override {
        ErrorTestFixture::SetUp();
        GlobalErrors.Init(GlobalErrorStatus);
        FilesManager::Current().StatusQ.clear();
        PAS.File.clearBuffer();
        SYS.File.clearBuffer();
        DctInit();
    }

    void TearDown() override {
        DctKill();
        ErrorTestFixture::TearDown();
    }

    // Adds an entry the way the credential form does: prime, fill, insert.
    void addEntry(const std::string& title) {
        ASSERT_EQ(Access_Passwords->PrimeRecord(), LevelBenign);
        PAS.Title = title;
        PAS.Notes = "notes of " + title;
        ASSERT_EQ(Access_Passwords->Insert(), LevelBenign);
    }

    testsupport::TempDir dir;
};

}  // namespace

TEST_F(DictionaryTest, TablesAreDeclaredWithTheirFieldsKeysAndOwnerPassword) {
    EXPECT_EQ(PAS.Definition.fullName(), "Lockora\\!Password");
    EXPECT_EQ(PAS.Definition.fields().size(), 11u);
    EXPECT_EQ(recordSize(PAS.Definition), 469u);
    ASSERT_EQ(PAS.Definition.memos().size(), 1u);
    EXPECT_EQ(PAS.Definition.memos()[0].label, "PAS:Notes");
    EXPECT_EQ(PAS.Definition.memos()[0].maxSize, 1000u);
    EXPECT_EQ(PAS.KeyPrimary->name, "PAS:KeyPrimary");
    EXPECT_TRUE(PAS.KeyPrimary->primary && PAS.KeyPrimary->unique);
    EXPECT_EQ(PAS.KeyTitle->name, "PAS:KeyTitle");
    EXPECT_EQ(PAS.KeyTitle->components.size(), 2u);
    EXPECT_EQ(PAS.KeyTitle->components[0].field, 0);  // the entry number first

    EXPECT_EQ(SYS.Definition.fullName(), "Lockora\\!System");
    EXPECT_EQ(SYS.Definition.fields().size(), 12u);
    EXPECT_EQ(recordSize(SYS.Definition), 516u);
    EXPECT_EQ(SYS.System_IDKey->name, "Sys:System_IDKey");
    EXPECT_EQ(PAS.Definition.ownerPassword(), "mirlotapex");
    EXPECT_EQ(SYS.Definition.ownerPassword(), "mirlotapex");
}

TEST_F(DictionaryTest, KeysAreRegisteredOnTheFirstUseOfATable) {
    ASSERT_NE(Access_Passwords, nullptr);
    ASSERT_NE(Relate_Passwords, nullptr);
    EXPECT_EQ(Relate_Passwords->Me, Access_Passwords);
    EXPECT_FALSE(Access_Passwords->Initialized);
    EXPECT_EQ(Access_Passwords->GetName(), "Passwords");
    EXPECT_TRUE(Relate_Passwords->UseLogout);

    ASSERT_EQ(Relate_Passwords->Open(), LevelBenign);
    ASSERT_TRUE(Access_Passwords->Initialized);
    ASSERT_EQ(Access_Passwords->Keys->size(), 2u);
    EXPECT_EQ((*Access_Passwords->Keys)[0].Description, "PAS:KeyPrimary");
    EXPECT_EQ((*Access_Passwords->Keys)[0].AutoInc, 1);
    EXPECT_EQ((*Access_Passwords->Keys)[1].Description, "PAS:KeyTitle");
    EXPECT_EQ((*Access_Passwords->Keys)[1].AutoInc, 0);
    EXPECT_EQ(Access_Passwords->PrimaryKey, 1);
    EXPECT_EQ(Access_Passwords->LockRecover, 10);
    EXPECT_NE(rt::Bindings::current().find("PAS:NOTES"), nullptr);
    Relate_Passwords->Close();
}

TEST_F(DictionaryTest, FirstOpenCreatesTheProtectedDataFile) {
    ASSERT_FALSE(std::filesystem::exists(dir.file("Lockora.lkdb")));
    ASSERT_EQ(Relate_System->Open(), LevelBenign);
    EXPECT_TRUE(std::filesystem::exists(dir.file("Lockora.lkdb")));
    EXPECT_TRUE(boxes.empty());
    Relate_System->Close();

    ASSERT_EQ(Relate_Passwords->Open(), LevelBenign);
    addEntry("Secret bank");
    Relate_Passwords->Close();
    EXPECT_EQ(testsupport::readFile(dir.file("Lockora.lkdb")).find("Secret bank"),
              std::string::npos);

    // Without the owner password the tables do not open.
    struct Probe {
        std::int32_t id = 0;
    } probe;
    rt::FileDefinition wrong("Passwords", "PAS", "Lockora\\!Password", "not-the-owner");
    wrong.addField("PAS:Primary_ID", probe.id);
    rt::KeyedFile file(wrong);
    EXPECT_NE(file.open(), 0);
}

TEST_F(DictionaryTest, EntriesAreNumberedAndEqualTitlesAreBothKept) {
    ASSERT_EQ(Relate_Passwords->Open(), LevelBenign);
    addEntry("Mail");
    EXPECT_EQ(PAS.Primary_ID, 1);
    addEntry("Mail");
    EXPECT_EQ(PAS.Primary_ID, 2);
    addEntry("Bank");
    EXPECT_EQ(PAS.Primary_ID, 3);

    PAS.File.set(1);  // PAS:KeyTitle
    std::vector<std::string> titles;
    while (Access_Passwords->TryNext() == LevelBenign)
        titles.push_back(PAS.Title.clipped() + "#" + std::to_string(PAS.Primary_ID));
    EXPECT_EQ(titles, (std::vector<std::string>{"Mail#1", "Mail#2", "Bank#3"}));
    PAS.Primary_ID = 2;
    ASSERT_EQ(Access_Passwords->Fetch(PAS.KeyPrimary), LevelBenign);
    EXPECT_EQ(PAS.Notes, "notes of Mail");
    EXPECT_TRUE(boxes.empty());
    Relate_Passwords->Close();
}

TEST_F(DictionaryTest, SystemRecordKeepsItsFileLocation) {
    ASSERT_EQ(Relate_System->Open(), LevelBenign);
    SYS.File.clearBuffer();
    SYS.System_ID = 1;
    SYS.MasterPassword = "Open Sesame";
    SYS.FileLocation = "/kept/as/stored";
    ASSERT_EQ(Access_System->Insert(), LevelBenign);
    SYS.CompanyName = "Owner";
    ASSERT_EQ(Relate_System->Update(), LevelBenign);
    Relate_System->Close();

    SYS.File.clearBuffer();
    ASSERT_EQ(Relate_System->Open(), LevelBenign);
    SYS.File.set(0);
    ASSERT_EQ(Access_System->Next(), LevelBenign);
    EXPECT_EQ(SYS.FileLocation.clipped(), "/kept/as/stored");
    EXPECT_EQ(SYS.MasterPassword.clipped(), "Open Sesame");
    EXPECT_EQ(SYS.CompanyName.clipped(), "Owner");
    Relate_System->Close();
}

TEST_F(DictionaryTest, KillClearsTheReferencesAndTheDictionaryBuildsAgain) {
    Relate_Passwords->Open();
    addEntry("x");
    Relate_Passwords->Close();
    DctKill();
    EXPECT_EQ(Access_Passwords, nullptr);
    EXPECT_EQ(Relate_Passwords, nullptr);
    EXPECT_EQ(Access_System, nullptr);
    EXPECT_EQ(Relate_System, nullptr);
    EXPECT_TRUE(FilesManager::Current().FileMapping.empty());
    DctKill();  // harmless twice

    DctInit();
    ASSERT_EQ(Relate_Passwords->Open(), LevelBenign);
    addEntry("y");
    EXPECT_EQ(PAS.Primary_ID, 2);
    Relate_Passwords->Close();
    EXPECT_TRUE(asserts.empty());
}

TEST_F(DictionaryTest, CancellingAPrimedEntryDeletesItsReservedNumber) {
    ASSERT_EQ(Relate_Passwords->Open(), LevelBenign);
    addEntry("kept");
    ASSERT_EQ(Access_Passwords->PrimeRecord(), LevelBenign);
    EXPECT_EQ(PAS.Primary_ID, 2);
    EXPECT_EQ(PAS.File.records(), 2);
    EXPECT_EQ(Relate_Passwords->CancelAutoInc(), LevelBenign);
    EXPECT_EQ(PAS.File.records(), 1);
    EXPECT_FALSE(Access_Passwords->AutoIncDone);
    EXPECT_FALSE(PAS.File.station().inTransaction());
    EXPECT_TRUE(boxes.empty());  // no confirmation for a reserved number
    Relate_Passwords->Close();
}

TEST_F(DictionaryTest, AnotherThreadBuildsAndTearsDownItsOwnDictionary) {
    FileManager* mine = Access_Passwords;
    FileManager* theirs = nullptr;
    std::int32_t numbered = 0;
    bool clearedAfterwards = false;
    std::thread([&] {
        {
            Dictionary dictionary;
            theirs = Access_Passwords;
            if (!theirs || Relate_Passwords->Open() != LevelBenign) return;
            Access_Passwords->PrimeRecord();
            PAS.Title = "from another thread";
            Access_Passwords->Insert();
            numbered = PAS.Primary_ID;
            Relate_Passwords->Close();
        }
        clearedAfterwards = Access_Passwords == nullptr && Relate_Passwords == nullptr;
    }).join();
    EXPECT_NE(theirs, nullptr);
    EXPECT_NE(theirs, mine);
    EXPECT_EQ(numbered, 1);
    EXPECT_TRUE(clearedAfterwards);
    EXPECT_EQ(Access_Passwords, mine);
    EXPECT_TRUE(boxes.empty());
}
