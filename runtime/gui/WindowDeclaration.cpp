#include "runtime/gui/WindowDeclaration.h"

namespace rt {

int misplacedControl(const WindowDeclaration& declaration) {
    const auto& controls = declaration.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        int place = static_cast<int>(i) + 1;
        if (controls[i].number != 0 && controls[i].number != place) return place;
    }
    return 0;
}

}  // namespace rt
