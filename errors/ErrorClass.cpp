#include "errors/ErrorClass.h"

#include <utility>

#include "errors/DefaultErrors.h"
#include "errors/ErrorLogLine.h"
#include "errors/ErrorText.h"
#include "errors/MessageSubstitution.h"
#include "errors/StandardErrorLogClass.h"
#include "pairs/CriticalProcedure.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/host/Assert.h"
#include "runtime/host/Halt.h"
#include "runtime/host/LastError.h"
#include "runtime/host/Thread.h"
#include "runtime/text/FixedText.h"

namespace {

constexpr char kNoStatus[] = "ErrorClass not correctly initialized with Status";
constexpr char kNoErrorList[] = "ErrorClass not correctly initialized";
constexpr char kNoList[] = "ErrorClass incorrectly initialized.";
constexpr char kIdNotFound[] = "Identifier not found.";
constexpr char kCannotAddError[] = "Unable to add new error message to queue.";
constexpr char kNoErrorLog[] = "Attempt to LogErrors with ErrorLogInterface NULL!";
constexpr char kCannotOpenLog[] = "Unable to Open error log; ";
constexpr char kCannotUpdateLog[] = "Unable to update error log; ";
constexpr char kCannotCloseLog[] = "Unable to close error log; ";
constexpr char kFatalSuffix[] = "  Press OK to end this application";
// A fatal error ends the program as a failure, so that whoever started it
// can tell (a refused or cancelled login still ends with 0).
constexpr int kFatalExitCode = 1;
constexpr char kHistoryCaption[] = "Errors History";
constexpr char kNoHistoryView[] = "ErrorClass has no history window";

void reportFailure(std::string_view text, int line) {
    rt::assertFailed(text, __FILE__, line);
}

}  // namespace

ErrorClass::ErrorClass(ErrorHistoryView* historyView) : historyView_(historyView) {}

ErrorClass::~ErrorClass() {
    Kill();
}

// ---- Set-up ----

void ErrorClass::Init(ErrorStatusClass& status) {
    Status = &status;
    Init();
}

void ErrorClass::Init() {
    CriticalProcedure lock(CritSect);
    if (!Status) reportFailure(kNoStatus, __LINE__);
    if (StdErrorLog) return;
    StdErrorLog = std::make_unique<StandardErrorLogClass>();
    DefaultCategory = "APP";
    Errors.reset();
    History.reset();
    ProcNames.reset();
    HistoryThreshold = 0;
    HistoryViewLevel = 3;
    HistoryResetOnView = false;
    SetErrorLog(StdErrorLog.get());
}

void ErrorClass::Kill() {
    CriticalProcedure lock(CritSect);
    Errors.reset();
    History.reset();
    ProcNames.reset();
    if (ErrorLog == StdErrorLog.get()) ErrorLog = nullptr;
    StdErrorLog.reset();  // force-closes the log file
}

void ErrorClass::SetErrorLog(ErrorLogInterface* log) {
    CriticalProcedure lock(CritSect);
    ErrorLog = log;
    if (!Errors) {
        Errors = std::make_unique<std::vector<ErrorEntry>>();
        AddErrors(DefaultErrorBlock());
    }
    if (!ProcNames) ProcNames = std::make_unique<std::vector<ProcedureNameEntry>>();
    if (!History) History = std::make_unique<std::vector<ErrorHistoryEntry>>();
}

// ---- The table ----

void ErrorClass::AddErrors(std::span<const std::uint8_t> block) {
    CriticalProcedure lock(CritSect);
    if (!Errors) return reportFailure(kNoList, __LINE__);
    if (block.size() < 2) return reportFailure(kCannotAddError, __LINE__);
    const std::size_t count = block[0] | (block[1] << 8);
    std::size_t at = 2;
    // A row that would run past the end of the block is refused whole.
    auto text = [&](std::string_view& out) {
        if (at >= block.size() || at + 1 + block[at] > block.size()) return false;
        out = std::string_view(reinterpret_cast<const char*>(&block[at + 1]), block[at]);
        at += 1 + block[at];
        return true;
    };
    for (std::size_t row = 0; row < count; ++row) {
        if (at + 3 > block.size()) return reportFailure(kCannotAddError, __LINE__);
        ErrorEntry entry;
        entry.Id = block[at] | (block[at + 1] << 8);
        entry.Fatality = block[at + 2];
        at += 3;
        if (!text(entry.Title) || !text(entry.Message))
            return reportFailure(kCannotAddError, __LINE__);
        Errors->push_back(std::move(entry));
    }
}

void ErrorClass::AddError(ErrorId id, std::string_view message, std::string_view title,
                          ErrorLevel fatality, std::string category) {
    CriticalProcedure lock(CritSect);
    if (!Errors) return reportFailure(kNoList, __LINE__);
    Errors->push_back(ErrorEntry{id, message, title, fatality, std::move(category)});
}

int ErrorClass::findEntry(ErrorId id) {
    if (!Errors) {
        reportFailure(kNoErrorList, __LINE__);
        return -1;
    }
    // From the end, so that an entry added later overrides an earlier one.
    for (int i = static_cast<int>(Errors->size()) - 1; i >= 0; --i)
        if ((*Errors)[i].Id == id) return i;
    return -1;
}

void ErrorClass::RemoveError(ErrorId id) {
    CriticalProcedure lock(CritSect);
    int found = findEntry(id);
    if (found >= 0)
        Errors->erase(Errors->begin() + found);
    else if (Errors)
        reportFailure(kIdNotFound, __LINE__);
}

bool ErrorClass::GetErrorEntry(ErrorId id, ErrorEntry& entry) {
    CriticalProcedure lock(CritSect);
    int found = findEntry(id);
    if (found < 0) {
        if (Errors) reportFailure(kIdNotFound, __LINE__);
        entry = ErrorEntry{};
        return false;
    }
    entry = (*Errors)[found];
    return true;
}

// ---- Categories ----

void ErrorClass::SetCategory(ErrorId id, std::string_view category) {
    CriticalProcedure lock(CritSect);
    if (id == -1) {
        DefaultCategory = category;
        return;
    }
    int found = findEntry(id);
    if (found >= 0)
        (*Errors)[found].Category = category;
    else if (Errors)
        reportFailure(kIdNotFound, __LINE__);
}

std::string ErrorClass::GetCategory(ErrorId id) {
    CriticalProcedure lock(CritSect);
    if (id == -1) return DefaultCategory;
    // Messages shown through Msg alone carry no id: no assertion for those.
    if (Errors)
        for (auto it = Errors->rbegin(); it != Errors->rend(); ++it)
            if (it->Id == id) return it->Category.empty() ? DefaultCategory : it->Category;
    return DefaultCategory;
}

void ErrorClass::SetDefaultCategory(std::string_view category) {
    SetCategory(-1, category);
}

std::string ErrorClass::GetDefaultCategory() {
    return GetCategory(-1);
}

// ---- Context values ----

ErrorStatusGroup& ErrorClass::status() {
    if (Status) return Status->Group();
    reportFailure(kNoStatus, __LINE__);
    // A stand-in per thread keeps the program going after the report.
    thread_local ErrorStatusGroup standIn;
    return standIn;
}

void ErrorClass::SetField(std::string_view name) {
    status().FieldName = ClipToCapacity(name, kStatusTextCapacity);
}

void ErrorClass::SetFile(std::string_view name) {
    status().FileName = ClipToCapacity(name, kStatusTextCapacity);
}

void ErrorClass::SetKey(std::string_view name) {
    status().KeyName = ClipToCapacity(name, kStatusTextCapacity);
}

void ErrorClass::SetFieldName(std::string_view name) {
    status().FieldName = CutToCapacity(name, kStatusTextCapacity);
}

void ErrorClass::SetFileName(std::string_view name) {
    status().FileName = CutToCapacity(name, kStatusTextCapacity);
}

void ErrorClass::SetKeyName(std::string_view name) {
    status().KeyName = CutToCapacity(name, kStatusTextCapacity);
}

void ErrorClass::SetMessageText(std::string_view text) {
    status().MessageText = CutToCapacity(text, kStatusTextCapacity);
}

void ErrorClass::SetErrors() {
    const rt::LastError& last = rt::lastError();
    ErrorStatusGroup& group = status();
    group.SaveErrorCode = last.code;
    group.SaveError = ClipToCapacity(last.text, kStatusTextCapacity);
    group.SaveFileErrorCode = ClipToCapacity(last.driverCode, kStatusTextCapacity);
    group.SaveFileError = ClipToCapacity(last.driverText, kStatusTextCapacity);
}

void ErrorClass::GetAllStatusVariables(ErrorStatusGroup& group) {
    group = status();
}

ErrorId ErrorClass::GetErrorBufferId() {
    return status().ErrorBuffer.Id;
}

std::string ErrorClass::GetErrorBufferTitle() {
    return status().ErrorBuffer.Title;
}

ErrorLevel ErrorClass::GetErrorBufferFatality() {
    return status().ErrorBuffer.Fatality;
}

// ---- Procedure names ----

void ErrorClass::SetProcedureName(std::string_view name) {
    CriticalProcedure lock(CritSect);
    if (!ProcNames) return reportFailure(kNoList, __LINE__);
    ProcNames->push_back(ProcedureNameEntry{rt::threadNumber(), rt::rightTrim(name)});
}

void ErrorClass::SetProcedureName() {
    CriticalProcedure lock(CritSect);
    if (!ProcNames) return reportFailure(kNoList, __LINE__);
    const int thread = rt::threadNumber();
    for (auto it = ProcNames->rbegin(); it != ProcNames->rend(); ++it) {
        if (it->Thread == thread) {
            ProcNames->erase(std::next(it).base());
            return;
        }
    }
}

std::string ErrorClass::GetProcedureName() {
    CriticalProcedure lock(CritSect);
    if (!ProcNames) {
        reportFailure(kNoList, __LINE__);
        return {};
    }
    const int thread = rt::threadNumber();
    for (auto it = ProcNames->rbegin(); it != ProcNames->rend(); ++it)
        if (it->Thread == thread) return it->Name;
    return {};
}

// ---- Raising errors ----

ErrorLevel ErrorClass::Throw(ErrorId id) {
    SetErrors();
    return TakeError(id);
}

ErrorLevel ErrorClass::ThrowMessage(ErrorId id, std::string_view text) {
    SetMessageText(rt::rightTrim(text));
    return Throw(id);
}

void ErrorClass::storeErrorEntry(ErrorId id) {
    ErrorStatusGroup& group = status();
    group.PrevErrorId = group.ErrorBuffer.Id;
    ErrorEntry entry;
    GetErrorEntry(id, entry);  // a missing id leaves the entry empty
    group.ErrorBuffer = ReportedError{entry.Id, std::string(entry.Message),
                                      std::string(entry.Title), entry.Fatality, entry.Category};
}

ErrorLevel ErrorClass::TakeError(ErrorId id) {
    storeErrorEntry(id);
    return dispatch(status().ErrorBuffer.Fatality);
}

ErrorLevel ErrorClass::dispatch(ErrorLevel fatality) {
    switch (fatality) {
        case LevelBenign:
            return TakeBenign();
        case LevelUser:
        case LevelCancel:
            return TakeUser();
        case LevelProgram:
            return TakeProgram();
        case LevelFatal:
            return TakeFatal();
        case LevelNotify:
            TakeNotify();
            return LevelNotify;
        default:
            return TakeOther();
    }
}

ErrorLevel ErrorClass::TakeBenign() {
    return LevelBenign;
}

ErrorLevel ErrorClass::TakeUser() {
    int answer = Msg(SubsString(), GetErrorBufferTitle(), rt::IconQuestion,
                     rt::ButtonYes | rt::ButtonNo, rt::ButtonYes, GetMsgStyle());
    return answer == rt::ButtonYes ? LevelBenign : LevelCancel;
}

ErrorLevel ErrorClass::TakeNotify() {
    Msg(SubsString(), GetErrorBufferTitle(), rt::IconExclamation, rt::ButtonOk, rt::ButtonOk,
        GetMsgStyle());
    return LevelNotify;
}

ErrorLevel ErrorClass::TakeFatal() {
    std::string title = GetErrorBufferTitle();
    Msg(SubsString() + kFatalSuffix, title, rt::IconExclamation, rt::ButtonOk, rt::ButtonOk,
        GetMsgStyle());
    rt::halt(kFatalExitCode, title);
    return LevelFatal;
}

ErrorLevel ErrorClass::TakeProgram() {
    return TakeFatal();
}

ErrorLevel ErrorClass::TakeOther() {
    return TakeProgram();
}

int ErrorClass::Message(ErrorId id, int buttons, int defaultButton) {
    if (GetSilent()) return defaultButton;
    storeErrorEntry(id);
    return MessageBox(LevelBenign, SubsString(), GetErrorBufferTitle(), rt::IconQuestion, buttons,
                      defaultButton, GetMsgStyle());
}

std::string ErrorClass::SubsString() {
    const ErrorStatusGroup copy = status();
    auto previousTemplate = [this, id = copy.PrevErrorId] {
        CriticalProcedure lock(CritSect);
        int found = findEntry(id);
        return found >= 0 ? std::string((*Errors)[found].Message) : std::string();
    };
    return MessageSubstitution(copy, GetProcedureName(), previousTemplate).Apply();
}

// ---- Showing ----

int ErrorClass::Msg(std::string_view text, std::string_view caption, int icon, int buttons,
                    int defaultButton, int style) {
    bool silent = false, resetOnView = false;
    std::int32_t threshold = 0, viewLevel = 0;
    {
        CriticalProcedure lock(CritSect);
        if (LogErrors) logLine(text);
        if (HistoryThreshold != 0) recordHistory(text);
        silent = Silent;
        threshold = HistoryThreshold;
        viewLevel = HistoryViewLevel;
        resetOnView = HistoryResetOnView;
    }
    // Boxes are shown outside the lock: other threads may raise errors meanwhile.
    if (silent) return defaultButton;
    const ErrorLevel level = status().ErrorBuffer.Fatality;
    if (threshold == 0)
        return MessageBox(level, text, caption, icon, buttons, defaultButton, style);
    if (level != viewLevel) return defaultButton;
    int answer = HistoryMsg(caption, icon, buttons, defaultButton);
    if (resetOnView) ResetHistory();
    return answer;
}

void ErrorClass::logLine(std::string_view text) {
    if (!ErrorLog) return reportFailure(kNoErrorLog, __LINE__);
    // The log's own file calls must not wipe out the error being reported,
    // which the caller may still look at.
    const rt::LastError reported = rt::lastError();
    writeLogLine(text);
    rt::setLastError(reported.code, reported.driverCode, reported.driverText);
}

void ErrorClass::writeLogLine(std::string_view text) {
    if (ErrorLog->Open(false) != LevelBenign)
        return reportFailure(kCannotOpenLog + rt::lastError().text, __LINE__);
    if (ErrorLog->Take(ErrorLogLine(text)) != LevelBenign)
        reportFailure(kCannotUpdateLog + rt::lastError().text, __LINE__);
    if (ErrorLog->Close(false) != LevelBenign)
        reportFailure(kCannotCloseLog + rt::lastError().text, __LINE__);
}

void ErrorClass::recordHistory(std::string_view text) {
    if (!History) return reportFailure(kNoList, __LINE__);
    if (HistoryThreshold > 0) {
        const auto keep = static_cast<std::size_t>(HistoryThreshold);
        while (History->size() >= keep) History->erase(History->begin());
    }
    const ErrorId id = status().ErrorBuffer.Id;
    AddHistory(ErrorHistoryEntry{GetCategory(id), CutToCapacity(text, kHistoryTextCapacity),
                                 static_cast<std::uint16_t>(id)});
}

int ErrorClass::MessageBox(ErrorLevel, std::string_view text, std::string_view caption, int icon,
                           int buttons, int defaultButton, int style) {
    return rt::messageBox(rt::MessageBoxRequest{std::string(text), std::string(caption), icon,
                                                buttons, defaultButton, style});
}

// ---- History ----

void ErrorClass::AddHistory(ErrorHistoryEntry entry) {
    CriticalProcedure lock(CritSect);
    if (!History) return reportFailure(kNoList, __LINE__);
    History->push_back(std::move(entry));
}

void ErrorClass::ResetHistory() {
    CriticalProcedure lock(CritSect);
    if (History) History->clear();
}

std::vector<ErrorHistoryEntry> ErrorClass::CopyHistory() {
    CriticalProcedure lock(CritSect);
    return History ? *History : std::vector<ErrorHistoryEntry>{};
}

// The window works on a private copy, taken under the lock, so that other
// threads may raise errors while it is open.
int ErrorClass::HistoryMsg(std::string_view caption, int icon, int buttons, int defaultButton) {
    if (!historyView_) {
        reportFailure(kNoHistoryView, __LINE__);
        return defaultButton;
    }
    const std::vector<ErrorHistoryEntry> history = CopyHistory();
    return historyView_->Show(*this, history, caption, icon, buttons, defaultButton);
}

int ErrorClass::ViewHistory() {
    if (!Status) reportFailure(kNoStatus, __LINE__);
    return HistoryMsg(kHistoryCaption, 0, rt::ButtonOk | rt::ButtonHelp, rt::ButtonOk);
}

// ---- Settings ----

bool ErrorClass::GetSilent() {
    CriticalProcedure lock(CritSect);
    return Silent;
}

void ErrorClass::SetSilent(bool silent) {
    CriticalProcedure lock(CritSect);
    Silent = silent;
}

bool ErrorClass::GetLogErrors() {
    CriticalProcedure lock(CritSect);
    return LogErrors;
}

void ErrorClass::SetLogErrors(bool logErrors) {
    CriticalProcedure lock(CritSect);
    LogErrors = logErrors;
}

std::int32_t ErrorClass::GetHistoryThreshold() {
    CriticalProcedure lock(CritSect);
    return HistoryThreshold;
}

void ErrorClass::SetHistoryThreshold(std::int32_t threshold) {
    CriticalProcedure lock(CritSect);
    HistoryThreshold = threshold;
}

std::int32_t ErrorClass::GetHistoryViewLevel() {
    CriticalProcedure lock(CritSect);
    return HistoryViewLevel;
}

void ErrorClass::SetHistoryViewLevel(std::int32_t level) {
    CriticalProcedure lock(CritSect);
    HistoryViewLevel = level;
}

bool ErrorClass::GetHistoryResetOnView() {
    CriticalProcedure lock(CritSect);
    return HistoryResetOnView;
}

void ErrorClass::SetHistoryResetOnView(bool reset) {
    CriticalProcedure lock(CritSect);
    HistoryResetOnView = reset;
}

std::int16_t ErrorClass::GetMsgStyle() {
    CriticalProcedure lock(CritSect);
    return MsgStyle;
}

void ErrorClass::SetMsgStyle(std::int16_t style) {
    CriticalProcedure lock(CritSect);
    MsgStyle = style;
}
