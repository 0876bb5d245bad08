#include "runtime/controls/TabControl.h"

#include "runtime/controls/SheetControl.h"

namespace rt {

QWidget* TabControl::createWidget(QWidget* parent) {
    if (auto* sheet = dynamic_cast<SheetControl*>(host().controlAt(decl_.parent)))
        sheet->addTab(number(), decl_.text);
    // A zero-sized placeholder keeps geometry and property reads uniform.
    auto* placeholder = new QWidget(parent);
    placeholder->setFixedSize(0, 0);
    return placeholder;
}

void TabControl::setText(const std::string& text) {
    Control::setText(text);
    if (auto* sheet = dynamic_cast<SheetControl*>(host().controlAt(decl_.parent)))
        sheet->setTabText(number(), text);
}

}  // namespace rt
