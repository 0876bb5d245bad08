#include "window/PopupToolbox.h"

#include <algorithm>

#include "runtime/gui/Window.h"

namespace {

// Often enough that a button follows its control's state without a person
// waiting for it, seldom enough not to flicker.
constexpr int kRefreshHundredths = 50;

rt::WindowDeclaration toolboxDeclaration(const std::string& title) {
    rt::WindowDeclaration d;
    d.caption = title;
    d.width = 20;
    d.height = 14;
    d.timer = kRefreshHundredths;
    return d;
}

}  // namespace

PopupToolbox::PopupToolbox(const std::string& title)
    : window_(std::make_unique<rt::Window>(toolboxDeclaration(title))) {}

PopupToolbox::~PopupToolbox() = default;

void PopupToolbox::setButtons(const std::vector<Button>& buttons) {
    // Only a change of looks rebuilds: a button keeps its number while it
    // only turns on or off, and nothing flickers.
    if (!sameLooks(buttons)) build(buttons);
    for (size_t i = 0; i < buttons.size(); ++i)
        window_->setProperty(controls_[i], rt::Prop::Disable, buttons[i].disabled ? 1 : 0);
    shown_ = buttons;
}

bool PopupToolbox::sameLooks(const std::vector<Button>& buttons) const {
    if (buttons.size() != shown_.size()) return false;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const Button& a = buttons[i];
        const Button& b = shown_[i];
        if (a.text != b.text || a.icon != b.icon || a.tip != b.tip) return false;
    }
    return true;
}

void PopupToolbox::build(const std::vector<Button>& buttons) {
    for (int control : controls_) window_->destroy(control);
    controls_.clear();
    int x = 0, height = 0;
    for (const Button& b : buttons) {
        rt::ControlDeclaration d =
            rt::control(rt::ControlKind::Button, b.icon.empty() ? b.text : "");
        d.at(x, 0).iconName(b.icon).tipText(b.tip);
        int control = window_->create(d);
        controls_.push_back(control);
        x += static_cast<int>(window_->property(control, rt::Prop::Width).number());
        height = std::max(height,
                          static_cast<int>(window_->property(control, rt::Prop::Height).number()));
    }
    if (!buttons.empty()) window_->resize(x, height);
}

int PopupToolbox::buttonNumber(int control) const {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    return it == controls_.end() ? 0 : static_cast<int>(it - controls_.begin()) + 1;
}

void PopupToolbox::open(std::function<void(const rt::WindowEvent&)> handler) {
    window_->openModeless(std::move(handler));
}
