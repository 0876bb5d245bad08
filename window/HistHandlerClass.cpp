#include "window/HistHandlerClass.h"

#include <string>

#include "runtime/controls/Events.h"
#include "runtime/controls/ListSource.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Assert.h"
#include "window/ErrorWindow.h"

void HistHandlerClass::Init(rt::Window& window, ErrorClass& errors,
                            const std::vector<ErrorHistoryEntry>& history) {
    Win = &window;
    Err = &errors;
    History = &history;
}

ErrorLevel HistHandlerClass::TakeEvent() {
    const rt::WindowEvent& event = Win->current();
    if (event.event != rt::EventOpenWindow || event.control != 0) return LevelBenign;
    LBColumns =
        static_cast<std::int16_t>(Win->property(ErrorWindowList, rt::Prop::Columns).number());
    Win->setListSource(ErrorWindowList,
                       [this](int row, int column) { return VLBProc(row, column); });
    return LevelBenign;
}

void HistHandlerClass::UpdateWindow() {
    Win->display(ErrorWindowList);
}

rt::Value HistHandlerClass::VLBProc(int row, int column) {
    const int entries = History ? static_cast<int>(History->size()) : 0;
    switch (row) {
        case rt::ListAskRows:
            return rt::Value(entries);
        case rt::ListAskColumns:
            return rt::Value(LBColumns);
        case rt::ListAskChanged:
            return rt::Value(1);
        default:
            break;
    }
    if (row < 1 || row > entries) {
        rt::assertFailed("Unable to read history entry " + std::to_string(row), __FILE__, __LINE__);
        return rt::Value(std::string());
    }
    const ErrorHistoryEntry& entry = (*History)[static_cast<std::size_t>(row - 1)];
    if (column == 1) return rt::Value(entry.Txt);
    if (column == 2) return rt::Value(entry.Category);
    return rt::Value(std::string());
}
