#include "runtime/controls/SheetControl.h"

#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "runtime/controls/Events.h"

namespace rt {

QWidget* SheetControl::createWidget(QWidget* parent) {
    tabs_ = new QTabWidget(parent);
    // The tab bar takes the focus for the sheet; the sheet itself taking it
    // too would give a screen reader a stop with nothing to say.
    tabs_->setFocusPolicy(Qt::NoFocus);
    QObject::connect(tabs_, &QTabWidget::currentChanged, tabs_, [this](int) {
        host().tabChanged(number());
        post(EventNewSelection);
    });
    return tabs_;
}

int SheetControl::addTab(int tabControl, const std::string& text) {
    tabControls_.push_back(tabControl);
    QSignalBlocker quiet(tabs_);
    return tabs_->addTab(new QWidget, QString::fromStdString(text));
}

int SheetControl::indexOf(int tabControl) const {
    auto it = std::find(tabControls_.begin(), tabControls_.end(), tabControl);
    return it == tabControls_.end() ? -1 : static_cast<int>(it - tabControls_.begin());
}

void SheetControl::setTabText(int tabControl, const std::string& text) {
    int i = indexOf(tabControl);
    if (i >= 0) tabs_->setTabText(i, QString::fromStdString(text));
}

int SheetControl::currentTab() const {
    int i = tabs_->currentIndex();
    return i < 0 ? 0 : tabControls_[static_cast<size_t>(i)];
}

void SheetControl::setCurrentTab(int tabControl) {
    int i = indexOf(tabControl);
    if (i >= 0) {
        QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(i);
        host().tabChanged(number());
    }
}

QWidget* SheetControl::tabBar() const {
    return tabs_->tabBar();
}

QPoint SheetControl::tabCentre(int tabControl) const {
    return tabs_->tabBar()->tabRect(indexOf(tabControl)).center();
}

Value SheetControl::property(Prop prop, int index) const {
    if (prop == Prop::Selected) return Value(tabs_->currentIndex() + 1);
    return Control::property(prop, index);
}

void SheetControl::setProperty(Prop prop, int index, const Value& value) {
    int i = static_cast<int>(value.number()) - 1;
    if (prop == Prop::Selected && i >= 0 && i < static_cast<int>(tabControls_.size())) {
        setCurrentTab(tabControls_[static_cast<size_t>(i)]);
        return;
    }
    Control::setProperty(prop, index, value);
}

}  // namespace rt
