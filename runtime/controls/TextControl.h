#pragma once
// Multi-line text bound to a variable (notes and memos).

#include "runtime/controls/Control.h"

class QPlainTextEdit;

namespace rt {

class TextControl : public Control {
  public:
    using Control::Control;
    QWidget* focusTarget() const override;
    bool takesFocus() const override { return true; }
    bool takesInput() const override { return true; }
    bool update() override;
    int commitEdit() override;
    std::string text() const override;
    void setText(const std::string& text) override;

  protected:
    QWidget* createWidget(QWidget* parent) override;

  private:
    QPlainTextEdit* edit_ = nullptr;
    bool edited_ = false;
};

}  // namespace rt
