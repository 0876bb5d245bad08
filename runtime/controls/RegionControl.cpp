#include "runtime/controls/RegionControl.h"

#include <qdrawutil.h>

#include <QMouseEvent>
#include <QPainter>

#include "runtime/controls/Events.h"

namespace rt {

namespace {

class RegionWidget : public QWidget {
  public:
    RegionWidget(QWidget* parent, RegionControl& owner) : QWidget(parent), owner_(owner) {
        setMouseTracking(true);
    }

  protected:
    void enterEvent(QEnterEvent*) override { owner_.mouse(EventMouseIn); }
    void leaveEvent(QEvent*) override { owner_.mouse(EventMouseOut); }
    void mouseMoveEvent(QMouseEvent*) override {
        if (owner_.immediate()) owner_.mouse(EventMouseMove);
    }
    void mousePressEvent(QMouseEvent*) override { owner_.mouse(EventMouseDown); }
    void mouseReleaseEvent(QMouseEvent*) override { owner_.mouse(EventMouseUp); }
    void paintEvent(QPaintEvent*) override {
        if (owner_.bevel() == 0) return;
        QPainter p(this);
        qDrawShadePanel(&p, rect(), palette(), owner_.bevel() < 0, 1);
    }

  private:
    RegionControl& owner_;
};

}  // namespace

QWidget* RegionControl::createWidget(QWidget* parent) {
    immediate_ = (decl_.flags & FlagImmediate) != 0;
    return new RegionWidget(parent, *this);
}

Value RegionControl::property(Prop prop, int index) const {
    if (prop == Prop::Bevel) return Value(bevel_);
    if (prop == Prop::Immediate) return Value(immediate_ ? 1 : 0);
    return Control::property(prop, index);
}

void RegionControl::setProperty(Prop prop, int index, const Value& value) {
    if (prop == Prop::Bevel) {
        bevel_ = static_cast<int>(value.number());
        widget()->update();
    } else if (prop == Prop::Immediate) {
        immediate_ = value.truthy();
    } else {
        Control::setProperty(prop, index, value);
    }
}

}  // namespace rt
