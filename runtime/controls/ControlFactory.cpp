#include "runtime/controls/ControlFactory.h"

#include "runtime/controls/ButtonControl.h"
#include "runtime/controls/CheckControl.h"
#include "runtime/controls/EntryControl.h"
#include "runtime/controls/GroupControl.h"
#include "runtime/controls/ImageControl.h"
#include "runtime/controls/ListControl.h"
#include "runtime/controls/RegionControl.h"
#include "runtime/controls/ShapeControl.h"
#include "runtime/controls/SheetControl.h"
#include "runtime/controls/StringControl.h"
#include "runtime/controls/TabControl.h"
#include "runtime/controls/TextControl.h"

namespace rt {

std::unique_ptr<Control> makeControl(int number, const ControlDeclaration& d, ControlHost& host) {
    switch (d.kind) {
        case ControlKind::Entry:
            return std::make_unique<EntryControl>(number, d, host);
        case ControlKind::Button:
            return std::make_unique<ButtonControl>(number, d, host);
        case ControlKind::Check:
            return std::make_unique<CheckControl>(number, d, host);
        case ControlKind::Group:
            return std::make_unique<GroupControl>(number, d, host);
        case ControlKind::Image:
            return std::make_unique<ImageControl>(number, d, host);
        case ControlKind::List:
            return std::make_unique<ListControl>(number, d, host);
        case ControlKind::Region:
            return std::make_unique<RegionControl>(number, d, host);
        case ControlKind::Line:
        case ControlKind::Box:
            return std::make_unique<ShapeControl>(number, d, host);
        case ControlKind::Sheet:
            return std::make_unique<SheetControl>(number, d, host);
        case ControlKind::Tab:
            return std::make_unique<TabControl>(number, d, host);
        case ControlKind::Text:
            return std::make_unique<TextControl>(number, d, host);
        case ControlKind::String:
        case ControlKind::Prompt:
            return std::make_unique<StringControl>(number, d, host);
    }
    return std::make_unique<StringControl>(number, d, host);
}

}  // namespace rt
