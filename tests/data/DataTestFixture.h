#pragma once
// Tables and a fixture the record-framework tests share: an item table whose
// keys cover auto-numbering on one and on two components, a case-folded
// unique title and a descending component; file managers set up on it in a
// fresh temporary folder, with the error manager's dialogs recorded.

#include <cstdint>
#include <memory>
#include <string>

#include "data/FileManager.h"
#include "data/FilesManager.h"
#include "runtime/store/FileDefinition.h"
#include "runtime/text/FixedText.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/store/KeyedStation.h"
#include "tests/errors/ErrorTestFixture.h"
#include "tests/support/TempDir.h"

namespace datatest {

struct ItemRecord {
    std::int32_t Id = 0;
    std::int32_t Group = 0;
    std::int32_t Seq = 0;
    rt::String<20> Title;
    std::string Notes;
};

// Keys: 0 KeyId (Id; primary, unique), 1 KeyGroupSeq (Group, Seq; dups),
// 2 KeyTitle (UPPER(Title); unique), 3 KeyGroupDown (Group, -Seq; dups).
struct ItemTable {
    ItemRecord TST;
    rt::FileDefinition def;
    std::unique_ptr<rt::KeyedFile> file;

    explicit ItemTable(const std::string& fullName = "Items", bool threaded = true,
                       rt::KeyedStation* station = nullptr)
        : def("Items", "TST", fullName, "testsecret", threaded) {
        def.addField("TST:Id", TST.Id);
        def.addField("TST:Group", TST.Group);
        def.addField("TST:Seq", TST.Seq);
        def.addField("TST:Title", TST.Title, "@s20");
        def.addMemo("TST:Notes", TST.Notes, 200);
        def.addKey("TST:KeyId", "KeyId", {{TST.Id, true}}, true, true);
        def.addKey("TST:KeyGroupSeq", "", {{TST.Group, true}, {TST.Seq, true}}, false);
        def.addKey("TST:KeyTitle", "Title key", {{TST.Title, true}}, true, false, true);
        def.addKey("TST:KeyGroupDown", "", {{TST.Group, true}, {TST.Seq, false}}, false);
        file = std::make_unique<rt::KeyedFile>(def, station);
    }

    FileKey key(int n) const { return &def.keys()[n]; }
};

// A manager fully initialised on a table, keys registered by the test.
struct TestManager : FileManager {
    TestManager(ItemTable& table, ErrorClass& errors) {
        File = table.file.get();
        Errors = &errors;
        FileNameValue = "Items";
        FileManager::Init();
        FileManager::Init(*table.file, errors);
    }
};

class DataTest : public ErrorTestFixture {
  protected:
    void SetUp() override {
        ErrorTestFixture::SetUp();
        // The registry lives as long as the thread: start each test afresh.
        FilesManager::Current().StatusQ.clear();
    }

    int boxCount(const std::string& caption) const {
        int n = 0;
        for (const auto& box : boxes) n += box.caption == caption;
        return n;
    }

    // The directory goes first: it must outlive every table's file.
    testsupport::TempDir dir;
};

}  // namespace datatest
