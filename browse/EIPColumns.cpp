// EIPManager: the editors of the row's columns, choosing the column to edit
// and laying its editor over the cell.
#include <algorithm>

#include "browse/EIPManager.h"
#include "browse/EditEntryClass.h"
#include "pairs/FieldPairsClass.h"
#include "runtime/controls/ControlDeclaration.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Assert.h"

int EIPManager::columnCount() const {
    return MyWindow ? static_cast<int>(MyWindow->property(ListControl, rt::Prop::Columns).number())
                    : 0;
}

EditQueueEntry* EIPManager::entryFor(int column) {
    if (!EQ || column < 1) return nullptr;
    for (EditQueueEntry& entry : EQ->Entries)
        if (entry.Column == column) return &entry;
    return nullptr;
}

EditQueueEntry* EIPManager::entryOfControl(int control) {
    if (!EQ || control == 0) return nullptr;
    for (EditQueueEntry& entry : EQ->Entries)
        if (entry.Control && entry.Control->GetFeq() == control) return &entry;
    return nullptr;
}

int EIPManager::editableColumn(int from, int step) {
    int columns = columnCount();
    for (int column = from; column >= 1 && column <= columns; column += step) {
        EditQueueEntry* entry = entryFor(column);
        if (entry && entry->Control &&
            MyWindow->property(ListControl, rt::Prop::ColumnWidth, column).number() > 0)
            return column;
    }
    return 0;
}

// List column n shows queue field n, whose field pair is the browse's n-th.
void EIPManager::InitControls() {
    const std::vector<FieldPairsClass::FieldPair>* pairs = Fields ? Fields->List() : nullptr;
    int columns = columnCount();
    for (int column = 1; column <= columns; ++column) {
        auto it = std::find_if(EQ->Entries.begin(), EQ->Entries.end(),
                               [column](const EditQueueEntry& e) { return e.Field == column; });
        if (it == EQ->Entries.end()) {
            EQ->Entries.push_back({column, true, new EditEntryClass, 0});
            it = std::prev(EQ->Entries.end());
        }
        it->Column = column;
        bool paired = pairs && static_cast<std::size_t>(column) <= pairs->size();
        RT_ASSERT(paired, "EIPManager::InitControls: a list column has no field pair");
        if (it->Control && paired)
            it->Control->Init(column, ListControl, (*pairs)[column - 1].Right, *MyWindow);
        else
            MyWindow->setProperty(ListControl, rt::Prop::ColumnColor, rt::systemGrayTextColor(),
                                  column);
    }
    std::stable_sort(
        EQ->Entries.begin(), EQ->Entries.end(),
        [](const EditQueueEntry& a, const EditQueueEntry& b) { return a.Column < b.Column; });
}

// At the end of the row the search turns back once.
EditQueueEntry* EIPManager::GetEdit() {
    int step = SeekForward ? 1 : -1;
    int found = editableColumn(Column, step);
    if (found == 0) found = editableColumn(Column, -step);
    SeekForward = false;
    RT_ASSERT(found != 0, "EIPManager::GetEdit: the row has no column to edit");
    if (found == 0) return nullptr;
    Column = found;
    return entryFor(found);
}

void EIPManager::ResetColumn() {
    MyWindow->setKeyCode(0);
    EditQueueEntry* entry = GetEdit();
    if (!entry || entry->Control->ResetControl() != 0) return;
    int control = entry->Control->GetFeq();
    if (Column != LastColumn) {
        ClearColumn();
        MyWindow->setProperty(ListControl, rt::Prop::Edit, rt::Value(control), Column);
        LastColumn = Column;
    }
    // Also when the column stays: a click on the list took the focus.
    MyWindow->select(control);
}

void EIPManager::ClearColumn() {
    if (LastColumn == 0) return;
    MyWindow->setProperty(ListControl, rt::Prop::Edit, rt::Value(0), LastColumn);
    LastColumn = 0;
}
