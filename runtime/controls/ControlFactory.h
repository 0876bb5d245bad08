#pragma once
// Makes the control object for a declaration's kind (not yet built).

#include <memory>

#include "runtime/controls/Control.h"

namespace rt {

std::unique_ptr<Control> makeControl(int number, const ControlDeclaration& declaration,
                                     ControlHost& host);

}  // namespace rt
