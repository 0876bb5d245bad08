#include "window/HistoryWindow.h"

#include "runtime/gui/Window.h"
#include "window/ErrorWindow.h"
#include "window/HistHandlerClass.h"
#include "window/MsgBoxClass.h"

int HistoryWindow::Show(ErrorClass& errors, const std::vector<ErrorHistoryEntry>& history,
                        std::string_view caption, int icon, int buttons, int defaultButton) {
    // In the order each borrows the one before it.
    rt::Window window(ErrorWindowDeclaration());
    HistHandlerClass handler;
    MsgBoxClass box;
    box.Init(window, errors, caption, icon, buttons, defaultButton, 0);
    handler.Init(window, errors, history);
    box.HistoryHandler = &handler;
    box.Run();
    return box.MsgRVal;
}
