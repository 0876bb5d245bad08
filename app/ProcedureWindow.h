#pragma once
// What every window procedure of the program shares: its window, toolbar,
// focus highlighter and clipboard menu, the opening and closing steps of Init
// and Kill, and the order in which the highlighter and the clipboard menu see
// events. Owns the window and the companions. One thread.

#include <memory>
#include <string>

#include "runtime/gui/Window.h"
#include "runtime/gui/WindowDeclaration.h"
#include "util/VSClipboardClass.h"
#include "window/EnhancedFocusClassType.h"
#include "window/ToolbarClass.h"
#include "window/WindowManager.h"

class ProcedureWindow : public WindowManager {
  public:
    // Closes the clipboard menu, the window and the procedure's tables, pops
    // the procedure name and hands the response to the caller.
    ErrorLevel Kill() override;
    // The highlighter sees every event before anything else.
    ErrorLevel TakeEvent() override;
    // The clipboard menu takes its right-clicks before the procedure does.
    ErrorLevel TakeFieldEvent() override;

  protected:
    explicit ProcedureWindow(std::string procedureName)
        : procedureName_(std::move(procedureName)) {}

    // The opening of every Init: pushes the procedure name, takes the
    // request, runs the inherited Init, then sets the first field, the error
    // and navigation hooks and the toolbar, and clears the request globals.
    ErrorLevel BeginInit(int firstField);
    void OpenQuickWindow(const rt::WindowDeclaration& declaration);
    // The end of every Init: alerts, clipboard menu and focus highlight.
    void AttachCompanions();

    // Field events of the procedure's own, after the clipboard menu's.
    virtual void TakeOwnFieldEvent() {}
    // Closes the tables this procedure opened.
    virtual void CloseFiles() {}

    ToolbarClass Toolbar;
    EnhancedFocusClassType EnhancedFocusManager;
    VSClipboardClass VSClipboardMgr;
    std::unique_ptr<rt::Window> QuickWindow;

  private:
    std::string procedureName_;
};
