#pragma once
// An image from an icon or image file; a click on it makes EventAccepted.

#include "runtime/controls/Control.h"

class QLabel;

namespace rt {

class ImageControl : public Control {
  public:
    using Control::Control;
    void setProperty(Prop prop, int index, const Value& value) override;

  protected:
    QWidget* createWidget(QWidget* parent) override;

  private:
    void showIcon();
    QLabel* label_ = nullptr;
};

}  // namespace rt
