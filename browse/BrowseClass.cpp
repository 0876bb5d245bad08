// BrowseClass: set-up, tear-down, sort orders, columns and the view reads.
#include "browse/BrowseClass.h"

#include "browse/LocatorClass.h"
#include "browse/StepClass.h"
#include "runtime/host/Assert.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"

BrowseClass::~BrowseClass() {
    Kill();
}

void BrowseClass::Init(IListControl& list, rt::View& view, BrowseQueue& queue,
                       RelationManager& relation, WindowManager& window) {
    Window = &window;
    ListQueue = &queue;
    ILC = &list;
    UseMRP = true;
    PrevChoice = 0;
    RetainRow = true;
    Sort = std::make_unique<BrowseSortOrderQueue>();
    Fields = std::make_unique<FieldPairsClass>();
    Fields->Init();
    Popup = std::make_unique<PopupClass>();
    Popup->Init();
    EditList = std::make_unique<EditQueue>();
    ViewManager::Init(view, relation, Sort.get());
    window.AddItem(*this);
    if (Selecting) {
        Primary->Me->UseFile(3);
        Buffer = Primary->Me->SaveBuffer();
    }
}

void BrowseClass::Init(int listControl, rt::FieldRef position, rt::View& view, PageQueue& queue,
                       RelationManager& relation, WindowManager& window) {
    Behavior = std::make_unique<StandardBehavior>();
    Behavior->Init(queue, position, listControl, window);
    Init(*Behavior, view, *Behavior, relation, window);
}

int BrowseClass::AddSortOrder(StepClass* thumb, FileKey key) {
    int number = ViewManager::AddSortOrder(key);
    BrowseSortOrder* entry = Sort ? Sort->Get(number) : nullptr;
    RT_ASSERT(entry, "Unable to add new sort order.");
    if (!entry) return 0;
    entry->Thumb = thumb;
    entry->Resets = std::make_unique<FieldPairsClass>();
    entry->Resets->Init();
    return number;
}

void BrowseClass::AddLocator(LocatorClass& locator) {
    if (BrowseSortOrder* last = Sort ? Sort->Get(Sort->Records()) : nullptr)
        last->Locator = &locator;
}

void BrowseClass::AddField(rt::FieldRef fileField, rt::FieldRef queueField) {
    Fields->AddPair(fileField, queueField);
}

void BrowseClass::SetLocatorFromSort() {
    BrowseSortOrder* order = current();
    RT_ASSERT(order && order->Locator, "BrowseClass::SetLocatorFromSort: the order has no locator");
    if (!order || !order->Locator || order->Order.empty()) return;
    order->Locator->SetLocatorField(GetFirstSortField());
    order->Locator->UpdateWindow();
}

void BrowseClass::Kill() {
    if (!Inited || Killed) return;
    if (Sort)
        for (const auto& entry : *Sort) {
            auto& order = static_cast<BrowseSortOrder&>(*entry);
            if (order.Thumb) order.Thumb->Kill();
            if (order.Resets) order.Resets->Kill();
            order.Resets.reset();
        }
    if (Window) Window->RemoveItem(*this);
    rt::View* view = View;
    ViewManager::Kill();
    Sort.reset();
    Fields.reset();
    if (Popup) Popup->Kill();
    Popup.reset();
    if (FreeEIP) {
        ownedEIP_.reset();
        EIP = nullptr;
        FreeEIP = false;
    }
    EditList.reset();
    ListQueue = nullptr;
    ILC = nullptr;
    Behavior.reset();
    if (UseMRP && view) view->setReadAhead(0);
}

ErrorLevel BrowseClass::Next() {
    ErrorLevel level = ViewManager::Next();
    if (level == LevelNotify) UpdateResets();
    if (level == LevelFatal && window()) window()->post(rt::EventCloseWindow);
    return level;
}

ErrorLevel BrowseClass::Previous() {
    ErrorLevel level = ViewManager::Previous();
    if (level == LevelNotify) UpdateResets();
    if (level == LevelFatal && window()) window()->post(rt::EventCloseWindow);
    return level;
}

void BrowseClass::positionView(int components) {
    ViewManager& manager = *this;
    manager.Reset(components);
}

void BrowseClass::positionFromBuffer() {
    BrowseSortOrder* order = current();
    positionView(order && order->MainKey ? GetFreeElementPosition() : 1);
}
