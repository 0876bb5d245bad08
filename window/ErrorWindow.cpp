#include "window/ErrorWindow.h"

#include <string>

namespace {

constexpr char kListFormat[] = "217L(2)|M~Message~@s255@42L(2)|M~Category~@s255@";
constexpr int kButtonWidth = 34;
constexpr int kButtonGap = 2;

}  // namespace

rt::WindowDeclaration ErrorWindowDeclaration() {
    using rt::ControlKind;
    rt::WindowDeclaration d;
    d.caption = "Error";
    d.fontFamily = "MS Sans Serif";
    d.fontSize = 8;
    d.width = 316;
    d.height = 130;
    d.controls = {
        rt::control(ControlKind::Image)
            .numbered(ErrorWindowImage)
            .at(6, 6, 24, 24)
            .tipText("Message icon"),
        rt::control(ControlKind::List)
            .numbered(ErrorWindowList)
            .at(36, 6, 274, 98)
            .listFormat(kListFormat)
            .tipText("Messages")
            .with(rt::FlagVScroll),
    };
    for (int i = 0; i < ErrorWindowButtonCount; ++i) {
        d.controls.push_back(rt::control(ControlKind::Button, "Button " + std::to_string(i + 1))
                                 .numbered(ErrorWindowFirstButton + i)
                                 .at(36 + i * (kButtonWidth + kButtonGap), 110, kButtonWidth, 14)
                                 .with(rt::FlagHidden));
    }
    return d;
}
