#include "app/FocusDefaults.h"

#include "window/EnhancedFocusClassType.h"

namespace {

constexpr int kYellow = 65535;
constexpr int kBlack = 0;
constexpr int kGrey = 8421504;

}  // namespace

void InitFocusDefaults(EnhancedFocusClassType& highlighter, rt::Window& window) {
    highlighter.Init(window, true, kYellow, true, false, kYellow, true, kYellow, kBlack, 2, kYellow,
                     kBlack, true, kGrey, "\u00bb", 8);
}
