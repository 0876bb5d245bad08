#include "util/VSClipboardClass.h"

#include <algorithm>

#include "runtime/controls/Events.h"
#include "runtime/gui/Clipboard.h"
#include "runtime/gui/PopupMenu.h"
#include "runtime/gui/SecretClipboard.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Thread.h"
#include "runtime/text/FixedText.h"

namespace {

constexpr size_t kContentsCapacity = 1024;
constexpr size_t kSampleCapacity = 32;
constexpr int kEntryType = static_cast<int>(rt::ControlKind::Entry);

// Characters first to last (1-based, inclusive) of text.
std::string characters(const std::string& text, int first, int last) {
    if (first < 1) first = 1;
    if (last < first) return {};
    std::string_view head = rt::utf8Prefix(text, static_cast<size_t>(last));
    std::string_view before = rt::utf8Prefix(head, static_cast<size_t>(first - 1));
    return std::string(head.substr(before.size()));
}

// Characters from first (1-based) to the end of text.
std::string charactersFrom(const std::string& text, int first) {
    return std::string(
        std::string_view(text).substr(rt::utf8Prefix(text, std::max(first - 1, 0)).size()));
}

std::string limited(const std::string& text) {
    return std::string(rt::utf8Prefix(text, kContentsCapacity));
}

bool blank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

int length(const std::string& text) {
    return static_cast<int>(rt::utf8Length(text));
}

}  // namespace

VSClipboardClass::VSClipboardClass() = default;

VSClipboardClass::~VSClipboardClass() {
    Kill();
}

void VSClipboardClass::Init(rt::Window& window) {
    window_ = &window;
    Thread = rt::threadNumber();
    SetMenuText();
    for (int control : window.controls())
        if (window.property(control, rt::Prop::Type).number() == kEntryType)
            window.alert(rt::MouseRight, control);
}

void VSClipboardClass::Kill() {
    LastThread = 0;
    LastContents.clear();
    LastField = 0;
    LastClipboard.clear();
}

void VSClipboardClass::SetMenuText() {
    CopyText = "&Copy";
    CutText = "Cu&t";
    PasteText = "&Paste";
    UndoText = "&Undo";
}

int VSClipboardClass::TakeEvent() {
    if (!window_) return 0;
    const rt::WindowEvent& e = window_->current();
    if (e.event != rt::EventAlertKey || window_->keyCode() != rt::MouseRight) return 0;
    if (window_->property(e.control, rt::Prop::Type).number() != kEntryType) return 0;
    window_->setKeyCode(0);
    std::string contents = window_->text(e.control);
    SelStart = static_cast<int>(window_->property(e.control, rt::Prop::SelStart).number());
    SelEnd = static_cast<int>(window_->property(e.control, rt::Prop::SelEnd).number());
    if (SelEnd == 0) SelEnd = length(rt::rightTrim(contents));
    std::string clipboard = rt::clipboardText();
    TakeSample(clipboard);
    bool password = window_->property(e.control, rt::Prop::Password).truthy();
    bool readOnly = window_->property(e.control, rt::Prop::ReadOnly).truthy();
    bool allowCopy = !password && !blank(contents);
    bool allowCut = !readOnly && allowCopy;
    bool allowPaste = !blank(clipboard) && !readOnly;
    SetPopupMenu(allowCut, allowCopy, allowPaste);
    if (PopupMenu.empty()) return 0;
    Selection = rt::PopupMenu(PopupMenu).ask();
    if (Selection == 0) return 0;
    Ask();
    return 1;
}

// The sample goes inside a menu item: characters the menu syntax reads
// ("{", "|", "}", "~") and control characters are left out.
void VSClipboardClass::TakeSample(const std::string& clipboard) {
    size_t start = clipboard.find_first_not_of(' ');
    std::string head(
        rt::utf8Prefix(start == std::string::npos ? "" : clipboard.substr(start), kSampleCapacity));
    Sample.clear();
    for (char c : head) {
        auto u = static_cast<unsigned char>(c);
        if (u >= ' ' && (u < '{' || u > '~')) Sample += c;
    }
    int limit = static_cast<int>(kSampleCapacity) - length(rt::rightTrim(PasteText)) - 4;
    std::string trimmed = rt::rightTrim(Sample);
    if (length(trimmed) > limit)
        Sample = rt::rightTrim(rt::utf8Prefix(trimmed, std::max(limit, 0))) + "...";
}

void VSClipboardClass::SetPopupMenu(bool AllowCut, bool AllowCopy, bool AllowPaste) {
    PopupMenu = std::string(AllowCopy ? "" : "~") + CopyText + "|";
    PopupMenu +=
        std::string(AllowPaste ? "" : "~") + PasteText + " (" + rt::rightTrim(Sample) + ")|";
    PopupMenu += std::string(AllowCut ? "" : "~") + CutText + "|-|";
    PopupMenu += std::string(LastThread == rt::threadNumber() ? "" : "~") + UndoText;
}

void VSClipboardClass::Ask() {
    int field = window_ ? window_->current().control : 0;
    switch (Selection) {
        case 1:
            DoCopy(field);
            break;
        case 2:
            DoPaste(field);
            break;
        case 3:
            DoCut(field);
            break;
        case 4:
            DoUndo();
            break;
        default:
            break;
    }
}

void VSClipboardClass::SaveContentsForUndo(int ThisField) {
    LastField = ThisField;
    LastContents = limited(window_->text(ThisField));
    LastClipboard = limited(rt::clipboardText());
    LastThread = rt::threadNumber();
}

void VSClipboardClass::DoCopy(int ThisField) {
    std::string copied = limited(characters(window_->text(ThisField), SelStart, SelEnd));
    // Nothing to copy (the caret after the text) must not wipe the clipboard.
    if (copied.empty()) return;
    SaveContentsForUndo(ThisField);
    if (std::find(SecretFields.begin(), SecretFields.end(), ThisField) != SecretFields.end())
        rt::copySecret(copied);
    else
        rt::setClipboardText(copied);
}

void VSClipboardClass::SetSecret(int ThisField) {
    if (std::find(SecretFields.begin(), SecretFields.end(), ThisField) == SecretFields.end())
        SecretFields.push_back(ThisField);
}

void VSClipboardClass::DoCut(int ThisField) {
    DoCopy(ThisField);
    SetContents(ThisField, Spliced(ThisField, ""));
}

void VSClipboardClass::DoPaste(int ThisField) {
    SaveContentsForUndo(ThisField);
    SetContents(ThisField, Spliced(ThisField, rt::clipboardText()));
}

void VSClipboardClass::DoUndo() {
    if (LastThread != rt::threadNumber() || LastField == 0 || !window_) return;
    SetContents(LastField, LastContents);
    rt::setClipboardText(LastClipboard);
}

std::string VSClipboardClass::Spliced(int ThisField, const std::string& insert) const {
    std::string contents = window_->text(ThisField);
    return characters(contents, 1, SelStart - 1) + insert +
           charactersFrom(rt::rightTrim(contents), SelEnd + 1);
}

void VSClipboardClass::SetContents(int ThisField, const std::string& text) {
    window_->setText(ThisField, text);
    window_->update(ThisField);
}
