#pragma once
// Shows the error history in the window "ERRORWINDOW": a MsgBoxClass with
// a HistHandlerClass filling its list, for the length of one Show. Holds no
// state between calls. GUI thread.

#include "errors/ErrorHistoryView.h"

class HistoryWindow : public ErrorHistoryView {
  public:
    int Show(ErrorClass& errors, const std::vector<ErrorHistoryEntry>& history,
             std::string_view caption, int icon, int buttons, int defaultButton) override;
};
