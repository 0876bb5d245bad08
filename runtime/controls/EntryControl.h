#pragma once
// A one-line entry bound to a variable: plain, masked, read-only or required
// (the accept-all pass stops at it while it is blank).

#include "runtime/controls/Control.h"

class QLineEdit;

namespace rt {

class EntryControl : public Control {
  public:
    using Control::Control;
    QWidget* focusTarget() const override;
    bool takesFocus() const override { return true; }
    bool takesInput() const override { return true; }
    void bind(FieldRef use, std::string picture) override;
    bool update() override;
    int commitEdit() override;
    std::string text() const override;
    void setText(const std::string& text) override;
    Value property(Prop prop, int index) const override;
    void setProperty(Prop prop, int index, const Value& value) override;

  protected:
    QWidget* createWidget(QWidget* parent) override;

  private:
    void limitLength();
    // Selection positions count characters, as the text's length does.
    int characterAt(int utf16Index) const;
    int utf16Index(int characters) const;
    void select(int start, int end);
    QLineEdit* edit_ = nullptr;
    bool edited_ = false;
};

}  // namespace rt
