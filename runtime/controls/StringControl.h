#pragma once
// A string or prompt: one line of text, fixed or showing its bound variable.

#include "runtime/controls/Control.h"

class QLabel;

namespace rt {

class StringControl : public Control {
  public:
    using Control::Control;
    std::string text() const override;
    void setText(const std::string& text) override;
    // A prompt's mnemonic gives the focus to buddy.
    void setBuddy(QWidget* buddy);

  protected:
    QWidget* createWidget(QWidget* parent) override;

  private:
    QLabel* label_ = nullptr;
};

}  // namespace rt
