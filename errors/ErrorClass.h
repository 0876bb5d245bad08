#pragma once
// The one error manager (GlobalErrors): owns the table of known errors, the
// history of shown messages, the procedure-name stack and the built-in log;
// turns an error id into a shown message and a severity level. Borrows the
// ErrorStatusClass given to Init and the history window given at
// construction, which must outlive it. Any thread: shared state is guarded
// by CritSect; context values live in the caller's status.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "errors/ErrorEntry.h"
#include "errors/ErrorHistoryView.h"
#include "errors/ErrorIds.h"
#include "errors/ErrorLevels.h"
#include "errors/ErrorLogInterface.h"
#include "errors/ErrorStatusClass.h"
#include "errors/ErrorStatusGroup.h"
#include "pairs/CriticalSection.h"

class StandardErrorLogClass;

class ErrorClass {
  public:
    // historyView shows the history (HistoryMsg); without one, asking for
    // the history window is reported as a programming error.
    explicit ErrorClass(ErrorHistoryView* historyView = nullptr);
    virtual ~ErrorClass();
    ErrorClass(const ErrorClass&) = delete;
    ErrorClass& operator=(const ErrorClass&) = delete;

    // The replaceable operations, in their slot order.
    // REQUIRES: message and title outlive this object (they are not copied).
    virtual void AddError(ErrorId id, std::string_view message, std::string_view title,
                          ErrorLevel fatality, std::string category = {});
    // REQUIRES: block outlives this object; entries refer into its bytes.
    virtual void AddErrors(std::span<const std::uint8_t> block);
    virtual void AddHistory(ErrorHistoryEntry entry);
    virtual int HistoryMsg(std::string_view caption, int icon, int buttons, int defaultButton);
    virtual int Msg(std::string_view text, std::string_view caption, int icon, int buttons,
                    int defaultButton, int style);
    virtual int MessageBox(ErrorLevel level, std::string_view text, std::string_view caption,
                           int icon, int buttons, int defaultButton, int style);
    virtual void RemoveError(ErrorId id);
    // REQUIRES: log (when not null) outlives its use here.
    virtual void SetErrorLog(ErrorLogInterface* log);
    virtual ErrorLevel TakeBenign();
    virtual ErrorLevel TakeFatal();
    virtual ErrorLevel TakeNotify();
    virtual ErrorLevel TakeOther();
    virtual ErrorLevel TakeProgram();
    virtual ErrorLevel TakeUser();
    virtual int ViewHistory();

    // Set-up. Init(status) binds the per-thread status first; a second Init
    // changes nothing. Kill may be called twice.
    void Init(ErrorStatusClass& status);
    void Init();
    void Kill();

    // Categories; id -1 stands for the default category.
    void SetCategory(ErrorId id, std::string_view category);
    std::string GetCategory(ErrorId id);
    void SetDefaultCategory(std::string_view category);
    std::string GetDefaultCategory();

    // Context values of the calling thread. SetField, SetFile and SetKey
    // drop trailing spaces (for names taken from padded record fields);
    // SetFieldName, SetFileName and SetKeyName keep the text exactly as
    // given. Both cut a text longer than the status can hold.
    void SetField(std::string_view name);
    void SetFile(std::string_view name);
    void SetKey(std::string_view name);
    void SetFieldName(std::string_view name);
    void SetFileName(std::string_view name);
    void SetKeyName(std::string_view name);
    void SetMessageText(std::string_view text);
    void SetErrors();
    void SetProcedureName(std::string_view name);
    void SetProcedureName();
    std::string GetProcedureName();

    // Raising errors; each answers a severity level.
    ErrorLevel Throw(ErrorId id);
    ErrorLevel ThrowMessage(ErrorId id, std::string_view text);
    ErrorLevel TakeError(ErrorId id);
    // Shows the error as a question with these buttons; answers the button.
    int Message(ErrorId id, int buttons, int defaultButton);
    // The current entry's text with the calling thread's values substituted.
    std::string SubsString();

    // The entry a lookup finds (the one added last wins); false when missing.
    bool GetErrorEntry(ErrorId id, ErrorEntry& entry);
    ErrorId GetErrorBufferId();
    std::string GetErrorBufferTitle();
    ErrorLevel GetErrorBufferFatality();
    void GetAllStatusVariables(ErrorStatusGroup& group);

    bool GetSilent();
    void SetSilent(bool silent);
    bool GetLogErrors();
    void SetLogErrors(bool logErrors);
    std::int32_t GetHistoryThreshold();
    void SetHistoryThreshold(std::int32_t threshold);
    std::int32_t GetHistoryViewLevel();
    void SetHistoryViewLevel(std::int32_t level);
    bool GetHistoryResetOnView();
    void SetHistoryResetOnView(bool reset);
    std::int16_t GetMsgStyle();
    void SetMsgStyle(std::int16_t style);

    void ResetHistory();
    // A copy of the history, oldest first, for a window to show.
    std::vector<ErrorHistoryEntry> CopyHistory();

  protected:
    std::string DefaultCategory;
    std::unique_ptr<std::vector<ErrorEntry>> Errors;
    ErrorLogInterface* ErrorLog = nullptr;
    std::unique_ptr<std::vector<ErrorHistoryEntry>> History;
    std::unique_ptr<std::vector<ProcedureNameEntry>> ProcNames;
    std::unique_ptr<StandardErrorLogClass> StdErrorLog;
    bool Silent = false;
    bool LogErrors = false;
    std::int32_t HistoryThreshold = 0;  // 0 none, > 0 at most that many, < 0 all
    std::int32_t HistoryViewLevel = 3;
    bool HistoryResetOnView = false;
    CriticalSection CritSect;
    ErrorStatusClass* Status = nullptr;
    std::int16_t MsgStyle = 0;

  private:
    ErrorHistoryView* historyView_;

    ErrorStatusGroup& status();
    // REQUIRES: CritSect held. Position in Errors, or -1 when missing.
    int findEntry(ErrorId id);
    void storeErrorEntry(ErrorId id);
    void logLine(std::string_view text);
    void writeLogLine(std::string_view text);
    void recordHistory(std::string_view text);
    ErrorLevel dispatch(ErrorLevel fatality);
};
