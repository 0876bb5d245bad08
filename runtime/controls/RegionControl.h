#pragma once
// An invisible mouse area: reports the mouse coming in, going out, moving
// (when immediate), button down and up; draws a bevel when given one.

#include "runtime/controls/Control.h"

namespace rt {

class RegionControl : public Control {
  public:
    using Control::Control;
    Value property(Prop prop, int index) const override;
    void setProperty(Prop prop, int index, const Value& value) override;
    int bevel() const { return bevel_; }
    bool immediate() const { return immediate_; }
    void mouse(int event) { post(event); }

  protected:
    QWidget* createWidget(QWidget* parent) override;

  private:
    int bevel_ = 0;
    bool immediate_ = false;
};

}  // namespace rt
