#include "browse/EditEntryClass.h"

#include "runtime/controls/ControlDeclaration.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"

void EditEntryClass::CreateControl() {
    std::string header = Win->property(ListBoxFeq, rt::Prop::HeaderText, FieldNo).text();
    Feq = Win->create(
        rt::control(rt::ControlKind::Entry).with(rt::FlagHidden).tipText(std::move(header)));
}
