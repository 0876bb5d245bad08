#pragma once
// A check box bound to a variable that holds 1 when checked, 0 when not.

#include "runtime/controls/Control.h"

class QCheckBox;

namespace rt {

class CheckControl : public Control {
  public:
    using Control::Control;
    bool takesFocus() const override { return true; }
    bool takesInput() const override { return true; }
    void display() override;
    bool update() override;

  protected:
    std::string ownLabel() const override { return decl_.text; }
    QWidget* createWidget(QWidget* parent) override;

  private:
    QCheckBox* box_ = nullptr;
};

}  // namespace rt
