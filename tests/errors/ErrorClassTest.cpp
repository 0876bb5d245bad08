#include <gtest/gtest.h>

#include <latch>
#include <string>
#include <thread>

#include "errors/DefaultErrors.h"
#include "errors/ErrorIds.h"
#include "errors/ErrorLevels.h"
#include "tests/errors/ErrorTestFixture.h"

namespace {

using ErrorClassTest = ErrorTestFixture;

// Extra entries for tests; ids well clear of the default table.
constexpr ErrorId kProbe = 900;

TEST_F(ErrorClassTest, DefaultTableKeepsExactTextsTitlesAndLevels) {
    struct Row {
        ErrorId id;
        ErrorLevel level;
        const char* title;
        const char* text;
    };
    const Row rows[] = {
        {ErrRecordRetrieval, LevelNotify, "Record Retrieval Error",
         "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to "
         "previous window."},
        {ErrConfirmDelete, LevelUser, "Confirm Delete",
         "Are you sure you want to delete the highlighted record?"},
        {ErrOpenFailed, LevelFatal, "File Access Error",
         "File %File could not be opened.  Error: %ErrorText."},
        {ErrFileNotOpen, LevelProgram, "File Usage Error",
         "Attempt to use file (%File) before it was opened"},
        {ErrSmtp, LevelNotify, "SMTP Error", "The following SMTP Error occurred: %Message "},
        {ErrWinsock, LevelNotify, "Winsock Error", "%Message "},
        {ErrReportBadComment, LevelNotify, "Report Writer Error",
         "Poorly Formed Comment String \"%Message\" at Position %Field."},
        {ErrReportUnknownProperty, LevelNotify, "Report Writer Error",
         "Unknown Property %Message."},
    };
    for (const Row& row : rows) {
        ErrorEntry entry;
        ASSERT_TRUE(errors.GetErrorEntry(row.id, entry)) << row.id;
        EXPECT_EQ(entry.Title, row.title);
        EXPECT_EQ(entry.Message, row.text);
        EXPECT_EQ(entry.Fatality, row.level);
        EXPECT_EQ(entry.Category, "");
    }
    ErrorEntry missing;
    EXPECT_FALSE(errors.GetErrorEntry(32, missing));
    EXPECT_EQ(asserts, std::vector<std::string>{"Identifier not found."});
}

TEST_F(ErrorClassTest, DefaultBlockIsFiftyTwoLittleEndianRowsEndingExactly) {
    auto block = DefaultErrorBlock();
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(block[0] | (block[1] << 8), 52);
    std::size_t at = 2;
    std::vector<int> ids;
    for (int row = 0; row < 52; ++row) {
        ids.push_back(block[at] | (block[at + 1] << 8));
        at += 3;
        at += 1 + block[at];  // title
        at += 1 + block[at];  // text
        ASSERT_LE(at, block.size());
    }
    EXPECT_EQ(at, block.size());
    EXPECT_EQ(ids.front(), 1);
    EXPECT_EQ(ids[30], 31);
    EXPECT_EQ(ids[31], 33);  // 32 is not in the table
    EXPECT_EQ(ids.back(), 53);
}

TEST_F(ErrorClassTest, UserLevelAsksYesNoAndYesGivesBenignNoGivesCancel) {
    answers = {rt::ButtonYes, rt::ButtonNo};
    EXPECT_EQ(errors.Throw(ErrSaveRecord), LevelBenign);
    EXPECT_EQ(errors.Throw(ErrSaveRecord), LevelCancel);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(lastBox().caption, "Save Record");
    EXPECT_EQ(lastBox().text, "Do you want to save the changes to this record?");
    EXPECT_EQ(lastBox().icon, rt::IconQuestion);
    EXPECT_EQ(lastBox().buttons, rt::ButtonYes | rt::ButtonNo);
    EXPECT_EQ(lastBox().defaultButton, rt::ButtonYes);

    // An entry of the cancel level is asked the same way.
    errors.AddError(kProbe, "Go on?", "Probe", LevelCancel);
    answers = {rt::ButtonNo};
    EXPECT_EQ(errors.Throw(kProbe), LevelCancel);
    EXPECT_EQ(lastBox().buttons, rt::ButtonYes | rt::ButtonNo);
}

TEST_F(ErrorClassTest, SilentShowsNothingAndUserLevelTakesTheDefaultYes) {
    errors.SetSilent(true);
    answers = {rt::ButtonNo};
    EXPECT_EQ(errors.Throw(ErrSaveRecord), LevelBenign);
    EXPECT_EQ(errors.Throw(ErrInvalidKey), LevelNotify);
    EXPECT_EQ(errors.Message(ErrConfirmDelete, rt::ButtonYes | rt::ButtonNo, rt::ButtonNo),
              rt::ButtonNo);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ErrorClassTest, NotifyShowsOkOnlyWithExclamationAndAnswersNotify) {
    errors.SetFile("Passwords   ");
    errors.SetMsgStyle(7);
    EXPECT_EQ(errors.Throw(ErrInvalidKey), LevelNotify);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(lastBox().caption, "Invalid Key");
    EXPECT_EQ(lastBox().text, "Passwords key file is invalid. Key must be rebuilt.");
    EXPECT_EQ(lastBox().icon, rt::IconExclamation);
    EXPECT_EQ(lastBox().buttons, rt::ButtonOk);
    EXPECT_EQ(lastBox().defaultButton, rt::ButtonOk);
    EXPECT_EQ(lastBox().style, 7);
    EXPECT_TRUE(halts.empty());
}

TEST_F(ErrorClassTest, FatalShowsPressOkThenHaltsAsAFailureWithTheTitle) {
    rt::setLastError(2);
    errors.SetFile("Lockora");
    EXPECT_EQ(errors.Throw(ErrOpenFailed), LevelFatal);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(lastBox().text,
              "File Lockora could not be opened.  Error: File Not Found (2).  Press OK to end this "
              "application");
    EXPECT_EQ(lastBox().buttons, rt::ButtonOk);
    EXPECT_EQ(lastBox().icon, rt::IconExclamation);
    ASSERT_EQ(halts.size(), 1u);
    EXPECT_NE(halts[0].exitCode, 0);
    EXPECT_EQ(halts[0].message, "File Access Error");
}

TEST_F(ErrorClassTest, ProgramAndUnknownLevelsAreHandledAsFatal) {
    errors.AddError(kProbe, "Odd level", "Strange", 9);
    EXPECT_EQ(errors.Throw(ErrFileNotOpen), LevelFatal);
    EXPECT_EQ(errors.Throw(kProbe), LevelFatal);
    ASSERT_EQ(halts.size(), 2u);
    EXPECT_EQ(halts[0].message, "File Usage Error");
    EXPECT_EQ(halts[1].message, "Strange");
    EXPECT_EQ(lastBox().text, "Odd level  Press OK to end this application");
}

TEST_F(ErrorClassTest, ErrorTextTakesTheDriversTextOnlyForCodes90And100) {
    errors.AddError(kProbe, "[%ErrorText]", "Probe", LevelBenign);
    struct Case {
        int code;
        const char* driverCode;
        const char* driverText;
        const char* expected;
    } cases[] = {
        {90, "11", "database disk image is malformed", "[database disk image is malformed (11)]"},
        {100, "5", "database is locked", "[database is locked (5)]"},
        {2, "ENOENT", "no such file", "[File Not Found (2)]"},
        {89, "", "", "[Record Changed By Another Station (89)]"},
        {0, "", "", "[ (0)]"},
    };
    for (const Case& c : cases) {
        rt::setLastError(c.code, c.driverCode, c.driverText);
        EXPECT_EQ(errors.Throw(kProbe), LevelBenign);
        EXPECT_EQ(errors.SubsString(), c.expected) << c.code;
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ErrorClassTest, LongerPlaceholdersAreReplacedBeforeTheirPrefixes) {
    errors.AddError(kProbe, "%FileErrorCode/%FileError/%File/%ErrorCode/%ErrorText/%Error", "Probe",
                    LevelBenign);
    rt::setLastError(90, "E42", "disk full");
    errors.SetFile("Lockora");
    errors.Throw(kProbe);
    EXPECT_EQ(errors.SubsString(), "E42/disk full/Lockora/90/disk full (E42)/File System Error");
}

TEST_F(ErrorClassTest, PlaceholdersIgnoreCaseButPreviousNeedsItsExactCase) {
    errors.AddError(kProbe, "%file %FILE %kEy %message %Category %previous", "Probe", LevelBenign);
    errors.SetFile("F");
    errors.SetKey("K");
    errors.SetMessageText("M");
    errors.SetCategory(kProbe, "CAT");
    errors.Throw(ErrNoRecords);
    errors.Throw(kProbe);
    EXPECT_EQ(errors.SubsString(), "F F K M CAT %previous");

    static const std::string withPrevious = "Before: %Previous|%Field";
    errors.AddError(kProbe + 1, withPrevious, "Probe", LevelBenign);
    errors.SetField("Title");
    errors.Throw(ErrInvalidKey);
    errors.Throw(kProbe + 1);
    // The previous entry's template comes in unsubstituted.
    EXPECT_EQ(errors.SubsString(), "Before: %File key file is invalid. Key must be rebuilt.|Title");
}

TEST_F(ErrorClassTest, PreviousOfAnUnknownEntryIsReplacedByNothing) {
    errors.AddError(kProbe, "<%Previous>", "Probe", LevelBenign);
    errors.Throw(kProbe);  // the previous id is 0, which no entry has
    EXPECT_EQ(errors.SubsString(), "<>");
    EXPECT_TRUE(asserts.empty());
}

TEST_F(ErrorClassTest, ValueHoldingItsOwnPlaceholderIsInsertedOnceAndStops) {
    errors.AddError(kProbe, "%File and %File; %Message", "Probe", LevelBenign);
    errors.SetFile("%FILE.txt");
    errors.SetMessageText("x%Messagex");
    errors.Throw(kProbe);
    EXPECT_EQ(errors.SubsString(), "%FILE.txt and %FILE.txt; x%Messagex");
}

TEST_F(ErrorClassTest, LaterEntryWinsAndRemovingItBringsTheEarlierBack) {
    errors.AddError(ErrInvalidKey, "Rebuild %File now", "Rebuild", LevelNotify);
    errors.SetFile("Passwords");
    errors.Throw(ErrInvalidKey);
    EXPECT_EQ(lastBox().text, "Rebuild Passwords now");
    EXPECT_EQ(lastBox().caption, "Rebuild");
    errors.RemoveError(ErrInvalidKey);
    errors.Throw(ErrInvalidKey);
    EXPECT_EQ(lastBox().caption, "Invalid Key");
    errors.RemoveError(ErrInvalidKey);
    errors.RemoveError(ErrInvalidKey);
    EXPECT_EQ(asserts, std::vector<std::string>{"Identifier not found."});
}

TEST_F(ErrorClassTest, UnknownIdAssertsShowsNothingButMessageShowsAnEmptyBox) {
    errors.SetFile("Kept");
    EXPECT_EQ(errors.Throw(999), LevelBenign);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(errors.GetErrorBufferId(), 0);
    EXPECT_EQ(errors.GetErrorBufferTitle(), "");
    answers = {rt::ButtonCancel};
    EXPECT_EQ(errors.Message(999, rt::ButtonOk | rt::ButtonCancel, rt::ButtonOk), rt::ButtonCancel);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(lastBox().text, "");
    EXPECT_EQ(lastBox().caption, "");
    EXPECT_EQ(asserts,
              (std::vector<std::string>{"Identifier not found.", "Identifier not found."}));
}

TEST_F(ErrorClassTest, MessageAsksWithTheGivenButtonsWithoutHistory) {
    errors.SetHistoryThreshold(-1);
    answers = {rt::ButtonRetry};
    int answer =
        errors.Message(ErrDeleteAgain, rt::ButtonRetry | rt::ButtonCancel, rt::ButtonCancel);
    EXPECT_EQ(answer, rt::ButtonRetry);
    EXPECT_EQ(lastBox().caption, "Record Delete Error");
    EXPECT_EQ(lastBox().icon, rt::IconQuestion);
    EXPECT_EQ(lastBox().buttons, rt::ButtonRetry | rt::ButtonCancel);
    EXPECT_EQ(lastBox().defaultButton, rt::ButtonCancel);
    EXPECT_TRUE(errors.CopyHistory().empty());
}

TEST_F(ErrorClassTest, ThrowMessageTrimsTheTextAndThrowCapturesTheLastError) {
    rt::setLastError(40);
    errors.ThrowMessage(ErrDuplicateKey, "PAS:KeyTitle   ");
    EXPECT_EQ(lastBox().text,
              "Adding this record creates a duplicate entry for the key: PAS:KeyTitle");
    ErrorStatusGroup group;
    errors.GetAllStatusVariables(group);
    EXPECT_EQ(group.SaveErrorCode, 40);
    EXPECT_EQ(group.SaveError, "Creates Duplicate Key");
    EXPECT_EQ(group.ErrorBuffer.Id, ErrDuplicateKey);
    EXPECT_EQ(group.ErrorBuffer.Fatality, LevelNotify);

    // TakeError leaves the captured codes alone.
    rt::setLastError(2);
    errors.AddError(kProbe, "%ErrorCode", "Probe", LevelBenign);
    errors.TakeError(kProbe);
    EXPECT_EQ(errors.SubsString(), "40");
    errors.GetAllStatusVariables(group);
    EXPECT_EQ(group.PrevErrorId, ErrDuplicateKey);
}

TEST_F(ErrorClassTest, ProcedureNamesStackPerThread) {
    errors.AddError(kProbe, "in %Procedure", "Probe", LevelBenign);
    errors.Throw(kProbe);
    EXPECT_EQ(errors.SubsString(), "in ");
    errors.SetProcedureName("Main  ");
    errors.SetProcedureName("UpdatePassword");
    EXPECT_EQ(errors.GetProcedureName(), "UpdatePassword");
    std::string elsewhere = "unset";
    std::thread([&] { elsewhere = errors.GetProcedureName(); }).join();
    EXPECT_EQ(elsewhere, "");
    errors.SetProcedureName();
    EXPECT_EQ(errors.SubsString(), "in Main");
    errors.SetProcedureName();
    errors.SetProcedureName();  // nothing left: nothing happens
    EXPECT_EQ(errors.GetProcedureName(), "");
    EXPECT_TRUE(asserts.empty());
}

TEST_F(ErrorClassTest, CategoriesFallBackToTheDefault) {
    EXPECT_EQ(errors.GetDefaultCategory(), "APP");
    errors.SetCategory(ErrDuplicateKey, "DATA");
    EXPECT_EQ(errors.GetCategory(ErrDuplicateKey), "DATA");
    EXPECT_EQ(errors.GetCategory(ErrNotInFile), "APP");
    errors.SetCategory(-1, "SYS");
    EXPECT_EQ(errors.GetCategory(ErrNotInFile), "SYS");
    EXPECT_EQ(errors.GetCategory(-1), "SYS");
    errors.SetDefaultCategory("LOCK");
    EXPECT_EQ(errors.GetDefaultCategory(), "LOCK");
    EXPECT_TRUE(asserts.empty());
    errors.SetCategory(999, "none");
    EXPECT_EQ(asserts, std::vector<std::string>{"Identifier not found."});
}

// Records the history window's calls instead of showing one.
class HistoryWindowErrorClass : public ErrorClass {
  public:
    int HistoryMsg(std::string_view caption, int icon, int buttons, int defaultButton) override {
        shown.push_back({std::string(caption), icon, buttons, defaultButton, CopyHistory().size()});
        return answer;
    }
    struct Shown {
        std::string caption;
        int icon, buttons, defaultButton;
        std::size_t entries;
    };
    std::vector<Shown> shown;
    int answer = rt::ButtonHelp;
};

TEST_F(ErrorClassTest, HistoryThresholdKeepsTheLatestEntries) {
    errors.SetHistoryThreshold(3);
    errors.SetSilent(true);
    for (const char* file : {"A", "B", "C", "D", "E"}) {
        errors.SetFile(file);
        errors.Throw(ErrInvalidKey);
    }
    auto history = errors.CopyHistory();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[0].Txt, "C key file is invalid. Key must be rebuilt.");
    EXPECT_EQ(history[2].Txt, "E key file is invalid. Key must be rebuilt.");
    EXPECT_EQ(history[2].Id, ErrInvalidKey);
    EXPECT_EQ(history[2].Category, "APP");

    errors.SetHistoryThreshold(-1);
    for (int i = 0; i < 5; ++i) errors.Throw(ErrNoRecords);
    EXPECT_EQ(errors.CopyHistory().size(), 8u);
    errors.ResetHistory();
    EXPECT_TRUE(errors.CopyHistory().empty());
}

TEST_F(ErrorClassTest, HistoryTextIsCutAt1023Characters) {
    errors.SetHistoryThreshold(-1);
    errors.SetSilent(true);
    errors.Msg(std::string(3000, 'h'), "Long", 0, rt::ButtonOk, rt::ButtonOk, 0);
    ASSERT_EQ(errors.CopyHistory().size(), 1u);
    EXPECT_EQ(errors.CopyHistory()[0].Txt, std::string(1023, 'h'));
}

class HistoryWindowTest : public ErrorTestFixture {
  protected:
    void SetUp() override {
        ErrorTestFixture::SetUp();
        window.Init(status);
    }
    HistoryWindowErrorClass window;
};

TEST_F(HistoryWindowTest, WithHistoryOnOnlyTheViewLevelShowsTheHistoryWindow) {
    window.SetHistoryThreshold(10);
    EXPECT_EQ(window.Throw(ErrInvalidKey), LevelNotify);  // level 5: not the view level 3
    EXPECT_TRUE(window.shown.empty());
    EXPECT_TRUE(boxes.empty());

    window.Throw(ErrOpenFailed);  // level 3
    ASSERT_EQ(window.shown.size(), 1u);
    EXPECT_EQ(window.shown[0].caption, "File Access Error");
    EXPECT_EQ(window.shown[0].buttons, rt::ButtonOk);
    EXPECT_EQ(window.shown[0].entries, 2u);
    EXPECT_EQ(halts.size(), 1u);
    EXPECT_TRUE(boxes.empty());

    window.SetHistoryViewLevel(LevelUser);
    window.SetHistoryResetOnView(true);
    window.answer = rt::ButtonYes;
    EXPECT_EQ(window.Throw(ErrSaveRecord), LevelBenign);
    EXPECT_EQ(window.shown.back().entries, 3u);
    EXPECT_TRUE(window.CopyHistory().empty());
}

TEST_F(HistoryWindowTest, ViewHistoryOpensTheWindowWithOkAndHelp) {
    window.answer = rt::ButtonOk;
    EXPECT_EQ(window.ViewHistory(), rt::ButtonOk);
    ASSERT_EQ(window.shown.size(), 1u);
    EXPECT_EQ(window.shown[0].caption, "Errors History");
    EXPECT_EQ(window.shown[0].icon, 0);
    EXPECT_EQ(window.shown[0].buttons, rt::ButtonOk | rt::ButtonHelp);
    EXPECT_EQ(window.shown[0].defaultButton, rt::ButtonOk);
}

TEST_F(ErrorClassTest, StatusTextsAreTrimmedOrKeptAndCutAtCapacity) {
    errors.SetField("PAS:Title   ");
    errors.SetFileName("Lockora   ");
    errors.SetKey(std::string(300, 'k'));
    errors.SetMessageText(std::string(300, 'm'));
    ErrorStatusGroup group;
    errors.GetAllStatusVariables(group);
    EXPECT_EQ(group.FieldName, "PAS:Title");
    EXPECT_EQ(group.FileName, "Lockora   ");
    EXPECT_EQ(group.KeyName, std::string(254, 'k'));
    EXPECT_EQ(group.MessageText, std::string(254, 'm'));

    // A character is never split: 300 two-byte letters keep 254 whole ones.
    std::string umlauts;
    for (int i = 0; i < 300; ++i) umlauts += "\xC3\xA4";
    errors.SetFile(umlauts);
    errors.GetAllStatusVariables(group);
    EXPECT_EQ(group.FileName.size(), 2u * 254);

    rt::setLastError(90, std::string(400, 'c') + "  ", std::string(400, 't'));
    errors.SetErrors();
    errors.GetAllStatusVariables(group);
    EXPECT_EQ(group.SaveFileErrorCode.size(), 254u);
    EXPECT_EQ(group.SaveFileError.size(), 254u);
}

TEST_F(ErrorClassTest, SubstitutedTextIsCutAt1999Characters) {
    errors.AddError(kProbe,
                    "%Message%Message%Message%Message%Message%Message%Message%Message%Message",
                    "Probe", LevelBenign);
    errors.SetMessageText(std::string(254, 'x'));
    errors.Throw(kProbe);
    EXPECT_EQ(errors.SubsString(), std::string(1999, 'x'));
}

TEST_F(ErrorClassTest, TruncatedBlockLoadsItsWholeRowsAndAsserts) {
    static const std::uint8_t block[] = {
        2,    0,                                       // two rows
        0x2C, 0x01, LevelNotify, 1, 'T', 2, 'h', 'i',  // id 300
        0x2D, 0x01, LevelNotify, 1, 'T', 9, 'c', 'u',  // id 301, cut short
    };
    errors.AddErrors(block);
    ErrorEntry entry;
    EXPECT_TRUE(errors.GetErrorEntry(300, entry));
    EXPECT_EQ(entry.Message, "hi");
    EXPECT_FALSE(errors.GetErrorEntry(301, entry));
    EXPECT_EQ(asserts, (std::vector<std::string>{"Unable to add new error message to queue.",
                                                 "Identifier not found."}));
}

TEST_F(ErrorClassTest, SecondInitChangesNothingAndKillTwiceIsHarmless) {
    errors.SetHistoryThreshold(5);
    errors.SetDefaultCategory("MINE");
    errors.AddError(kProbe, "kept", "Probe", LevelBenign);
    errors.Init(status);
    EXPECT_EQ(errors.GetHistoryThreshold(), 5);
    EXPECT_EQ(errors.GetDefaultCategory(), "MINE");
    ErrorEntry entry;
    EXPECT_TRUE(errors.GetErrorEntry(kProbe, entry));

    errors.Kill();
    errors.Kill();
    // A killed manager has no lists: misuse is reported, never a crash.
    errors.SetProcedureName("Main");
    EXPECT_EQ(errors.Throw(ErrInvalidKey), LevelBenign);
    EXPECT_EQ(asserts, (std::vector<std::string>{"ErrorClass incorrectly initialized.",
                                                 "ErrorClass not correctly initialized"}));
    errors.Init();
    EXPECT_EQ(errors.GetDefaultCategory(), "APP");
    EXPECT_EQ(errors.GetHistoryThreshold(), 0);
    EXPECT_FALSE(errors.GetErrorEntry(kProbe, entry));
    EXPECT_EQ(errors.Throw(ErrInvalidKey), LevelNotify);
}

// Notes what it was asked to show instead of showing a window.
class RecordingView : public ErrorHistoryView {
  public:
    int Show(ErrorClass& errors, const std::vector<ErrorHistoryEntry>& history,
             std::string_view caption, int icon, int buttons, int defaultButton) override {
        shownBy = &errors;
        shown = history;
        this->caption = caption;
        asked = {icon, buttons, defaultButton};
        return answer;
    }
    ErrorClass* shownBy = nullptr;
    std::vector<ErrorHistoryEntry> shown;
    std::string caption;
    std::vector<int> asked;
    int answer = rt::ButtonNo;
};

TEST_F(ErrorClassTest, HistoryMsgHandsItsViewACopyOfTheHistoryAndWithoutOneSaysSo) {
    RecordingView view;
    ErrorClass withView(&view);
    withView.Init(status);
    withView.SetHistoryThreshold(-1);
    withView.SetSilent(true);
    withView.SetFile("Passwords");
    withView.Throw(ErrInvalidKey);
    withView.Throw(ErrNoRecords);
    EXPECT_EQ(withView.HistoryMsg("Caption", rt::IconQuestion, rt::ButtonYes | rt::ButtonNo,
                                  rt::ButtonYes),
              rt::ButtonNo);
    EXPECT_EQ(view.shownBy, &withView);
    ASSERT_EQ(view.shown.size(), 2u);
    EXPECT_EQ(view.shown[0].Txt, "Passwords key file is invalid. Key must be rebuilt.");
    EXPECT_EQ(view.shown[1].Id, ErrNoRecords);
    EXPECT_EQ(view.caption, "Caption");
    EXPECT_EQ(view.asked,
              (std::vector<int>{rt::IconQuestion, rt::ButtonYes | rt::ButtonNo, rt::ButtonYes}));
    EXPECT_TRUE(asserts.empty());

    // The fixture's manager has no view: a programming error, and the
    // default button is the answer.
    EXPECT_EQ(errors.ViewHistory(), rt::ButtonOk);
    EXPECT_EQ(asserts, std::vector<std::string>{"ErrorClass has no history window"});
}

TEST_F(ErrorClassTest, UseBeforeInitWithStatusIsReportedAndTheProgramGoesOn) {
    RecordingView view;
    ErrorClass bare(&view);
    bare.Init();
    bare.SetFile("Passwords");
    EXPECT_EQ(bare.Throw(ErrInvalidKey), LevelNotify);
    EXPECT_EQ(lastBox().text, "Passwords key file is invalid. Key must be rebuilt.");
    bare.ViewHistory();
    ASSERT_FALSE(asserts.empty());
    for (const std::string& text : asserts)
        EXPECT_EQ(text, "ErrorClass not correctly initialized with Status");
}

TEST_F(ErrorClassTest, TwoThreadsRaisingAtOnceKeepTheirOwnStatus) {
    std::latch bothSet(2);
    std::string seenA, seenB;
    auto raise = [&](const char* file, std::string& seen) {
        errors.SetFile(file);
        bothSet.arrive_and_wait();
        errors.Throw(ErrInvalidKey);
        seen = errors.SubsString();
    };
    std::thread a(raise, "Alpha", std::ref(seenA));
    std::thread b(raise, "Beta", std::ref(seenB));
    a.join();
    b.join();
    EXPECT_EQ(seenA, "Alpha key file is invalid. Key must be rebuilt.");
    EXPECT_EQ(seenB, "Beta key file is invalid. Key must be rebuilt.");
    EXPECT_EQ(boxes.size(), 2u);
    ErrorStatusGroup mine;
    errors.GetAllStatusVariables(mine);
    EXPECT_EQ(mine.FileName, "");
}

}  // namespace
