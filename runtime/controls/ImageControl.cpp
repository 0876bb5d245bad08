#include "runtime/controls/ImageControl.h"

#include <QLabel>
#include <QMouseEvent>

#include "runtime/controls/Events.h"
#include "runtime/controls/IconLibrary.h"

namespace rt {

namespace {

class ClickableLabel : public QLabel {
  public:
    ClickableLabel(QWidget* parent, std::function<void()> onClick)
        : QLabel(parent), onClick_(std::move(onClick)) {}

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) onClick_();
    }

  private:
    std::function<void()> onClick_;
};

}  // namespace

QWidget* ImageControl::createWidget(QWidget* parent) {
    label_ = new ClickableLabel(parent, [this] { post(EventAccepted); });
    label_->setAlignment(Qt::AlignCenter);
    showIcon();
    return label_;
}

void ImageControl::showIcon() {
    QIcon icon = iconByName(decl_.icon.empty() ? decl_.text : decl_.icon);
    int side = decl_.height > 0 ? host().units().toPixelsY(decl_.height) : 32;
    label_->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(side, side));
}

void ImageControl::setProperty(Prop prop, int index, const Value& value) {
    Control::setProperty(prop, index, value);
    if (prop == Prop::Icon || prop == Prop::Text) {
        decl_.icon = value.text();
        showIcon();
    }
}

}  // namespace rt
