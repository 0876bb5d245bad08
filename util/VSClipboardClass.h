#pragma once
// The right-click menu of a window's entries: Copy, Paste (with a sample of
// the clipboard), Cut and a one-step Undo of the last of them. Borrows the
// window, which must outlive it (Init to Kill). GUI thread only.

#include <string>
#include <vector>

namespace rt {
class Window;
}

class VSClipboardClass {
  public:
    VSClipboardClass();
    virtual ~VSClipboardClass();
    VSClipboardClass(const VSClipboardClass&) = delete;
    VSClipboardClass& operator=(const VSClipboardClass&) = delete;

    // Call once the window is open: every entry then answers a right click
    // with an alert-key event that TakeEvent turns into the menu.
    void Init(rt::Window& window);
    void Kill();
    // Copies and cuts from ThisField go to the clipboard as a secret: hidden
    // from clipboard history and cleared after a while.
    void SetSecret(int ThisField);

    // 1 when the current event was a right click on an entry and a menu
    // item was chosen and carried out; 0 leaves the event to the window.
    virtual int TakeEvent();
    virtual void SetPopupMenu(bool AllowCut, bool AllowCopy, bool AllowPaste);
    // Carries out Selection on the current event's control.
    virtual void Ask();
    virtual void DoCopy(int ThisField);
    virtual void DoPaste(int ThisField);
    virtual void DoCut(int ThisField);
    virtual void DoUndo();
    virtual void SaveContentsForUndo(int ThisField);
    virtual void SetMenuText();

    std::string PopupMenu;
    int Selection = 0;  // 1 Copy, 2 Paste, 3 Cut, 4 Undo; 0 none
    int Thread = 0;
    int SelStart = 0;  // first selected character, 1-based
    int SelEnd = 0;    // last selected character, inclusive
    std::string Sample;
    std::string LastContents;
    int LastField = 0;  // 0: nothing to undo
    int LastThread = 0;
    std::string LastClipboard;
    std::string CopyText, CutText, PasteText, UndoText;
    std::vector<int> SecretFields;

  protected:
    // The control's contents with characters SelStart to SelEnd replaced.
    std::string Spliced(int ThisField, const std::string& insert) const;
    // Shows text in the control and stores it in its variable, as typing would.
    void SetContents(int ThisField, const std::string& text);
    void TakeSample(const std::string& clipboard);

    rt::Window* window_ = nullptr;
};
