#pragma once
// A drawn line or box: decoration only, never focused.

#include "runtime/controls/Control.h"

namespace rt {

class ShapeControl : public Control {
  public:
    using Control::Control;

  protected:
    QWidget* createWidget(QWidget* parent) override;
};

}  // namespace rt
