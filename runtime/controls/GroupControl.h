#pragma once
// A framed group box with a title; the controls inside it are its children
// for hiding and disabling.

#include "runtime/controls/Control.h"

class QGroupBox;

namespace rt {

class GroupControl : public Control {
  public:
    using Control::Control;
    std::string text() const override;
    void setText(const std::string& text) override;

  protected:
    std::string ownLabel() const override { return decl_.text; }
    QWidget* createWidget(QWidget* parent) override;

  private:
    QGroupBox* box_ = nullptr;
};

}  // namespace rt
