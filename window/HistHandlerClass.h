#pragma once
// The part of the error history window that fills its list: makes the list
// virtual and answers its questions from the history, so a history of any
// length opens at once. Borrows the window, the error manager and the
// history given to Init, which must outlive it. GUI thread.

#include <cstdint>
#include <vector>

#include "errors/ErrorClass.h"
#include "errors/ErrorEntry.h"
#include "runtime/text/Value.h"
#include "window/WindowComponent.h"

namespace rt {
class Window;
}

class HistHandlerClass : public WindowComponent {
  public:
    void Init(rt::Window& window, ErrorClass& errors,
              const std::vector<ErrorHistoryEntry>& history);

    void Kill() override {}
    void Reset(bool) override {}
    bool ResetRequired() override { return false; }
    void SetAlerts() override {}
    // On the window's opening, hands the list to VLBProc.
    ErrorLevel TakeEvent() override;
    void Update() override {}
    // Redisplays the list.
    void UpdateWindow() override;

    // The list's questions (rt::ListSource): the number of entries, the
    // number of columns, whether anything changed (always), or a cell of an
    // entry: column 1 its text, column 2 its category. An entry that cannot
    // be read is reported and answers empty.
    virtual rt::Value VLBProc(int row, int column);

    ErrorClass* Err = nullptr;
    const std::vector<ErrorHistoryEntry>* History = nullptr;
    std::int16_t LBColumns = 0;
    rt::Window* Win = nullptr;
};
