#include "app/LinkRegion.h"

#include "runtime/controls/ControlDeclaration.h"
#include "runtime/gui/Window.h"

int CreateLinkRegion(rt::Window& window, int over) {
    int region = window.create(rt::control(rt::ControlKind::Region).with(rt::FlagImmediate));
    for (rt::Prop p : {rt::Prop::XPos, rt::Prop::YPos, rt::Prop::Width, rt::Prop::Height})
        window.setProperty(region, p, window.property(over, p));
    window.unhide(region);
    window.setCursor("~hand.cur", region);
    return region;
}
