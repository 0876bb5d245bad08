#pragma once
// A push button: text, icon, tip; pressing it makes EventAccepted. The
// default button is also pressed by Enter.

#include "runtime/controls/Control.h"

class QPushButton;

namespace rt {

class ButtonControl : public Control {
  public:
    using Control::Control;
    bool takesFocus() const override { return true; }
    std::string text() const override;
    void setText(const std::string& text) override;
    void setProperty(Prop prop, int index, const Value& value) override;

  protected:
    std::string ownLabel() const override { return decl_.text; }
    QWidget* createWidget(QWidget* parent) override;

  private:
    QPushButton* button_ = nullptr;
};

}  // namespace rt
