#pragma once
// One tab of a sheet: its text on the sheet's tab bar. It has no widget of
// its own; the controls declared on it are shown while it is current.

#include "runtime/controls/Control.h"

namespace rt {

class TabControl : public Control {
  public:
    using Control::Control;
    std::string text() const override { return decl_.text; }
    void setText(const std::string& text) override;

  protected:
    QWidget* createWidget(QWidget* parent) override;
};

}  // namespace rt
