// SortHeaderClassType: the sort as text, and keeping it between runs.
#include <cstdlib>

#include "browse/SortHeaderClassType.h"
#include "browse/SortHeaderStorage.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"
#include "runtime/text/FixedText.h"
#include "runtime/text/TextCase.h"

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text) {
    std::size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

}  // namespace

// The entry is named after the list, so several lists of one procedure keep
// their sorts apart.
void SortHeaderClassType::LoadSort() {
    if (RegionControl == 0 || IniFileName.empty() || ProcedureName.empty()) return;
    std::string entry = "SortHeader_" + std::to_string(ListControl);
    SetSortFromString(SortHeaderStorage::Load(IniFileName, rt::rightTrim(ProcedureName), entry));
}

// A store that cannot be written keeps what it had; the sort is only lost.
void SortHeaderClassType::SaveSort() {
    if (RegionControl == 0 || IniFileName.empty() || ProcedureName.empty()) return;
    std::string entry = "SortHeader_" + std::to_string(ListControl);
    SortHeaderStorage::Save(IniFileName, rt::rightTrim(ProcedureName), entry, GetStringFromSort());
}

std::string SortHeaderClassType::GetStringFromSort() const {
    std::string text;
    if (!QueueListSort) return text;
    for (const ListSortEntry& entry : *QueueListSort) {
        if (!text.empty()) text += ",";
        if (entry.PrevListSortColumn < 0) text += "-";
        text += GetColumnName(entry.ListSortColumn);
    }
    return text;
}

// Saved texts may come from an older list or be damaged: whatever does not
// name a sortable column, and a column named twice, is passed over.
void SortHeaderClassType::SetSortFromString(std::string_view text) {
    if (RegionControl == 0) return;
    SortOrder = PrevSortOrder = 0;
    QueueListSort->clear();
    if (text.empty()) {
        RestoreHeaderText();
        return;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = std::min(text.find(',', start), text.size());
        std::string_view term = trimmed(text.substr(start, end - start));
        start = end + 1;
        bool descending = !term.empty() && term.front() == '-';
        if (!term.empty() && (term.front() == '-' || term.front() == '+')) term.remove_prefix(1);
        std::string name = rt::upper(trimmed(term));
        for (int c = 1; c <= columns() && !name.empty(); ++c) {
            if (GetColumnName(c) != name || listNumber(rt::Prop::ColumnWidth, c) == 0 ||
                sortsColumn(c) || !ValidField(name))
                continue;
            bool down = descending && AllowDescending(name);
            SortOrder = static_cast<std::int16_t>(c);
            PrevSortOrder = static_cast<std::int16_t>(down ? -c : c);
            QueueListSort->push_back({c, PrevSortOrder});
            break;
        }
        if (!MultipleColumns && !QueueListSort->empty()) break;
    }
    if (QueueListSort->empty()) RestoreHeaderText();
    SortQueue();
}
