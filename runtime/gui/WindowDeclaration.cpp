#include "runtime/gui/WindowDeclaration.h"

#include <set>

namespace rt {

int controlNumberAt(const WindowDeclaration& declaration, int place) {
    int named = declaration.controls[static_cast<std::size_t>(place - 1)].number;
    return named != 0 ? named : place;
}

int clashingControl(const WindowDeclaration& declaration) {
    std::set<int> taken;
    for (int place = 1; place <= static_cast<int>(declaration.controls.size()); ++place)
        if (!taken.insert(controlNumberAt(declaration, place)).second) return place;
    return 0;
}

}  // namespace rt
