// SortHeaderClassType: set-up and tear-down, the recorded headers and what
// the columns are called, and which columns may sort.
#include "browse/SortHeaderClassType.h"

#include <cctype>
#include <cstdlib>

#include "runtime/controls/ControlDeclaration.h"
#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"
#include "runtime/store/View.h"
#include "runtime/text/FixedText.h"
#include "runtime/text/TextCase.h"

namespace {

constexpr std::size_t kHeaderTextSize = 512;
constexpr std::size_t kNameSize = 255;

bool sameName(std::string_view a, std::string_view b) {
    return rt::upper(a) == rt::upper(b);
}

}  // namespace

SortHeaderClassType::~SortHeaderClassType() {
    Kill();
}

void SortHeaderClassType::Init(rt::Window& window, PageQueue& listQueue, int listControl,
                               std::string_view iniFileName, std::string_view procedureName,
                               rt::View* view, FileKey key) {
    if (RegionControl != 0) return;
    Window = &window;
    QueueListHeader = std::make_unique<std::vector<ListHeaderEntry>>();
    QueueListSort = std::make_unique<std::vector<ListSortEntry>>();
    // Hidden until a press lays it over a cell; it reports every move so a
    // drag off the cell and back is seen.
    int parent = static_cast<int>(window.property(listControl, rt::Prop::Parent).number());
    RegionControl = window.create(rt::control(rt::ControlKind::Region)
                                      .at(0, 0, 1, 1)
                                      .in(parent)
                                      .with(rt::FlagImmediate | rt::FlagHidden));
    ListQueue = &listQueue;
    ListControl = listControl;
    SetRegionUp();
    ForceChangeSignOrder = false;
    LastKeyCode = Click;
    FirstSortField.clear();
    NoCase = true;
    UsePictureForCase = false;
    DisableNonViewColumns = true;
    View = view;
    if (View && View->primary().sqlDriver()) NoCase = false;
    if (key) PK = key;
    SortOrder = PrevSortOrder = 0;
    // In this runtime a list's column n shows its queue's field n.
    for (int c = 1; c <= columns(); ++c) {
        std::string text = window.property(listControl, rt::Prop::HeaderText, c).text();
        QueueListHeader->push_back({std::string(rt::utf8Prefix(text, kHeaderTextSize)), c});
    }
    window.alert(Click, listControl);
    MouseRegionStatus = 0;
    MultipleColumns = true;
    if (!iniFileName.empty() && !procedureName.empty()) {
        SetStorageSettings(iniFileName, procedureName);
        LoadSort();
    }
}

void SortHeaderClassType::SetStorageSettings(std::string_view iniFileName,
                                             std::string_view procedureName) {
    IniFileName = rt::utf8Prefix(iniFileName, kNameSize);
    ProcedureName = rt::utf8Prefix(procedureName, kNameSize);
}

void SortHeaderClassType::SetAlerts() {
    if (!Window) return;
    Window->alert(ShiftClick);
    Window->alert(CtrlClick);
}

void SortHeaderClassType::Kill() {
    if (RegionControl == 0) return;
    SaveSort();
    ClearSort();
    RestoreHeaderText();
    QueueListHeader.reset();
    QueueListSort.reset();
    Window->destroy(RegionControl);
    RegionControl = 0;
}

std::int32_t SortHeaderClassType::GetSortOrder() const {
    if (RegionControl == 0) return 0;
    if (QueueListSort->empty()) return SortOrder;
    return QueueListSort->front().PrevListSortColumn;
}

void SortHeaderClassType::ClearSort() {
    if (RegionControl == 0) return;
    RestoreHeaderText();
    PrevSortOrder = 0;
    QueueListSort->clear();
}

void SortHeaderClassType::ResetSort() {
    ClearSort();
    QueueResorted({});
}

int SortHeaderClassType::listNumber(rt::Prop prop, int index) const {
    return static_cast<int>(Window->property(ListControl, prop, index).number());
}

int SortHeaderClassType::columns() const {
    return Window ? listNumber(rt::Prop::Columns) : 0;
}

const ListHeaderEntry* SortHeaderClassType::headerOf(int column) const {
    if (!QueueListHeader || column < 1 || column > columns()) return nullptr;
    for (const ListHeaderEntry& entry : *QueueListHeader)
        if (entry.FieldNo == column) return &entry;
    return nullptr;
}

std::string SortHeaderClassType::GetColumnName(int column) const {
    const ListHeaderEntry* header = headerOf(column);
    return header ? rt::upper(ListQueue->Who(header->FieldNo)) : std::string();
}

std::string SortHeaderClassType::GetColumnText(int column) const {
    if (!QueueListHeader || column < 1 || column > static_cast<int>(QueueListHeader->size()))
        return {};
    return rt::rightTrim((*QueueListHeader)[static_cast<std::size_t>(column - 1)].ListHeaderText);
}

void SortHeaderClassType::RestoreHeaderText() {
    if (RegionControl == 0) return;
    for (int c = 1; c <= columns(); ++c)
        if (const ListHeaderEntry* header = headerOf(c))
            Window->setProperty(ListControl, rt::Prop::HeaderText,
                                rt::Value(header->ListHeaderText), c);
}

bool SortHeaderClassType::ValidField(std::string_view name) {
    if (name.empty()) return false;
    if (!View || !DisableNonViewColumns) return true;
    const rt::FileDefinition& def = View->primary().definition();
    for (int field : View->projection())
        if (sameName(def.fields()[static_cast<std::size_t>(field)].label, name)) return true;
    return false;
}

bool SortHeaderClassType::AllowDescending(std::string_view) {
    return true;
}

// The picture's type letter is its second character; no picture reads as
// text. Numbers, times, dates and exponents never fold.
std::string SortHeaderClassType::GetSortingColumnString(std::string_view sign,
                                                        std::string_view name,
                                                        std::string_view picture) {
    char type = static_cast<char>(
        std::toupper(static_cast<unsigned char>((std::string(picture) + "@S")[1])));
    bool text = type != 'N' && type != 'T' && type != 'D' && type != 'E';
    if (text && (NoCase || (UsePictureForCase && type == 'S')))
        return std::string(sign) + "UPPER(" + std::string(name) + ")";
    return std::string(sign) + std::string(name);
}

bool SortHeaderClassType::sortsColumn(int column) const {
    for (const ListSortEntry& entry : *QueueListSort)
        if (entry.ListSortColumn == column) return true;
    return false;
}

void SortHeaderClassType::noteFirstSortField(int column) {
    const ListHeaderEntry* header = headerOf(column);
    rt::FieldRef field = header ? ListQueue->What(header->FieldNo) : rt::FieldRef();
    int row = listNumber(rt::Prop::Selected);
    if (field.isNull() || !ListQueue->Get(row)) return;
    FirstSortField = rt::utf8Prefix(field.get().text(), 1024);
}
