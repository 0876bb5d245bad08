// Menu strings of popup menus: items, submenus, separators, attributes.
#include <cstdlib>

#include "runtime/gui/PopupMenu.h"
#include "tests/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rt::PopupMenu menu(fuzz::text(data, size));
    int numbered = 0;
    for (const rt::MenuItem& item : menu.items()) {
        if (item.depth < 1) std::abort();
        if (item.number != 0 && item.number != ++numbered) std::abort();
    }
    if (numbered != menu.selectableCount()) std::abort();
    return 0;
}
