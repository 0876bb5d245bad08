#include "runtime/gui/Window.h"

#include <QApplication>
#include <QImage>
#include <QMetaObject>
#include <QPixmap>

#include "runtime/controls/IconLibrary.h"
#include "runtime/controls/ListControl.h"
#include "runtime/host/Thread.h"
#include "runtime/gui/WindowImpl.h"
#include "runtime/gui/WindowRegistry.h"

namespace rt {

Window::Window(const WindowDeclaration& declaration)
    : impl_(std::make_unique<Impl>(*this, declaration)) {}

Window::~Window() = default;

void Window::open() {
    impl_->open();
}
void Window::openModeless(std::function<void(const WindowEvent&)> handler) {
    impl_->decl_.modeless = true;
    impl_->handler_ = std::move(handler);
    impl_->open();
}
void Window::close() {
    impl_->closeNow();
}
bool Window::isOpen() const {
    return impl_->opened_ && !impl_->closed_;
}

WindowEvent Window::accept() {
    return impl_->accept();
}
WindowEvent Window::poll() {
    return impl_->poll();
}
void Window::cycle() {
    impl_->cycled_ = true;
}
const WindowEvent& Window::current() const {
    return impl_->current_;
}
int Window::keyCode() const {
    return impl_->keyCode_;
}
void Window::setKeyCode(int key) {
    impl_->keyCode_ = key;
    impl_->keyChar_ = 0;
}
char32_t Window::keyCharacter() const {
    return impl_->keyChar_;
}
int Window::mouseX() const {
    return impl_->units_.fromPixelsX(impl_->mouse_.x());
}
int Window::mouseY() const {
    return impl_->units_.fromPixelsY(impl_->mouse_.y());
}

void Window::post(int event, int control) {
    impl_->post({event, control, impl_->keyCode_, impl_->keyChar_});
}

void Window::postKey(int control, int key) {
    impl_->post({EventAlertKey, control, key, 0});
}

bool Window::postToThread(int thread, int event, int control) {
    Window* target = nullptr;
    for (Window* w : WindowRegistry::all())
        if (w->impl_->thread_ == thread && !w->impl_->decl_.modeless) target = w;
    if (!target) return false;
    if (threadNumber() == thread) {
        target->post(event, control);
        return true;
    }
    // Another thread may not touch the window: the post travels to the
    // window's thread and wakes its loop there.
    Impl* impl = target->impl_.get();
    QMetaObject::invokeMethod(
        impl,
        [impl, event, control] {
            impl->post({event, control, impl->keyCode_});
        },
        Qt::QueuedConnection);
    return true;
}

bool Window::notify(int thread, int code, int parameter) {
    Window* target = nullptr;
    for (Window* w : WindowRegistry::all())
        if (w->impl_->thread_ == thread && !w->impl_->decl_.modeless) target = w;
    if (!target) return false;
    Impl* impl = target->impl_.get();
    int from = threadNumber();
    auto deliver = [impl, code, from, parameter] {
        impl->notifications_.push_back({code, from, parameter});
        impl->post({EventNotify, 0, impl->keyCode_});
    };
    if (from == thread) {
        deliver();
    } else {
        QMetaObject::invokeMethod(impl, deliver, Qt::QueuedConnection);
    }
    return true;
}

bool Window::takeNotification(int& code, int& thread, int& parameter) {
    if (impl_->notifications_.empty()) return false;
    auto n = impl_->notifications_.front();
    impl_->notifications_.pop_front();
    code = n.code, thread = n.thread, parameter = n.parameter;
    return true;
}

void Window::select(int control) {
    impl_->select(control);
}
int Window::focus() const {
    return impl_->focus();
}
void Window::display(int control) {
    impl_->display(control);
}
void Window::update(int control) {
    impl_->update(control);
}
void Window::acceptAll() {
    impl_->acceptAll();
}
bool Window::inAcceptAll() const {
    return impl_->acceptAll_;
}
std::string Window::requiredMessage() const {
    return impl_->requiredMessage_;
}

std::string Window::refusalMessage() const {
    return impl_->refusalMessage_;
}

void Window::hide(int control) {
    setProperty(control, Prop::Hide, 1);
}
void Window::unhide(int control) {
    setProperty(control, Prop::Hide, 0);
}
void Window::enable(int control) {
    setProperty(control, Prop::Disable, 0);
}
void Window::disable(int control) {
    setProperty(control, Prop::Disable, 1);
}

void Window::alert(int key, int control) {
    if (control == 0) {
        impl_->windowAlerts_.insert(key);
    } else if (Control* c = impl_->controlAt(control)) {
        c->alerts().insert(key);
    }
}

void Window::clearAlerts(int control) {
    if (control == 0) {
        impl_->windowAlerts_.clear();
    } else if (Control* c = impl_->controlAt(control)) {
        c->alerts().clear();
    }
}

bool Window::removeAlert(int key, int control) {
    if (control == 0) return impl_->windowAlerts_.erase(key) != 0;
    Control* c = impl_->controlAt(control);
    return c && c->alerts().erase(key) != 0;
}

bool Window::isAlerted(int key, int control) const {
    return impl_->isAlerted(key, control);
}

Value Window::property(int control, Prop prop, int index) const {
    if (control == 0) {
        switch (prop) {
            case Prop::Text:
                return Value(caption());
            case Prop::Width:
                return Value(width());
            case Prop::Height:
                return Value(height());
            case Prop::XPos:
                return Value(units().fromPixelsX(impl_->frame_->x()));
            case Prop::YPos:
                return Value(units().fromPixelsY(impl_->frame_->y()));
            default:
                return Value(0);
        }
    }
    Control* c = impl_->controlAt(control);
    return c ? c->property(prop, index) : Value(0);
}

void Window::setProperty(int control, Prop prop, const Value& value, int index) {
    if (control == 0) {
        int n = static_cast<int>(value.number());
        QWidget* frame = impl_->frame_.get();
        if (prop == Prop::Text) setCaption(value.text());
        if (prop == Prop::Alert) alert(n);
        if (prop == Prop::XPos) frame->move(units().toPixelsX(n), frame->y());
        if (prop == Prop::YPos) frame->move(frame->x(), units().toPixelsY(n));
        return;
    }
    Control* c = impl_->controlAt(control);
    if (!c) return;
    if (prop == Prop::Alert) {
        c->alerts().insert(static_cast<int>(value.number()));
        return;
    }
    c->setProperty(prop, index, value);
    // Hiding a sheet, tab or group hides what it holds.
    if (prop == Prop::Hide) impl_->refreshTabVisibility();
    if (prop == Prop::Hide && c->kind() == ControlKind::Region && c->isVisible())
        impl_->regionShown(control);
}

std::string Window::text(int control) const {
    return property(control, Prop::Text).text();
}
void Window::setText(int control, const std::string& text) {
    setProperty(control, Prop::Text, Value(text));
}
bool Window::exists(int control) const {
    return impl_->controlAt(control) != nullptr;
}

std::vector<int> Window::controls() const {
    std::vector<int> numbers;
    for (auto& [number, c] : impl_->controls_) numbers.push_back(number);
    return numbers;
}

void Window::setListRows(int control, const std::vector<std::vector<Value>>& rows) {
    if (auto* list = dynamic_cast<ListControl*>(impl_->controlAt(control))) list->setRows(rows);
}

void Window::setListSource(int control, ListSource source) {
    if (auto* list = dynamic_cast<ListControl*>(impl_->controlAt(control)))
        list->setSource(std::move(source));
}

void Window::setListRowsSource(int control,
                               std::function<std::vector<std::vector<Value>>()> source) {
    if (auto* list = dynamic_cast<ListControl*>(impl_->controlAt(control)))
        list->setRowsSource(std::move(source));
}

int Window::listRowCount(int control) const {
    auto* list = dynamic_cast<ListControl*>(impl_->controlAt(control));
    return list ? list->rowCount() : 0;
}

std::string Window::listCell(int control, int row, int column) const {
    auto* list = dynamic_cast<ListControl*>(impl_->controlAt(control));
    return list ? list->cellText(row, column) : std::string();
}

int Window::create(const ControlDeclaration& declaration) {
    // Declared controls may have taken numbers from 100 on themselves.
    while (impl_->controlAt(impl_->nextRuntimeNumber_)) ++impl_->nextRuntimeNumber_;
    int number = impl_->addControl(impl_->nextRuntimeNumber_++, declaration);
    impl_->refreshTabVisibility();
    return number;
}

void Window::destroy(int control) {
    impl_->controls_.erase(control);
}

void Window::bind(int control, FieldRef use, const std::string& picture) {
    if (Control* c = impl_->controlAt(control)) c->bind(use, picture);
}

std::string Window::caption() const {
    return impl_->frame_->windowTitle().toStdString();
}
void Window::setCaption(const std::string& caption) {
    impl_->frame_->setWindowTitle(QString::fromStdString(caption));
}
void Window::setStatusText(int zone, const std::string& text) {
    impl_->setStatus(zone, text);
}
std::string Window::statusText(int zone) const {
    return impl_->status(zone);
}

void Window::setTimer(int hundredths) {
    impl_->timer_.stop();
    if (hundredths <= 0) return;
    impl_->timer_.setInterval(hundredths * 10);
    if (isOpen()) impl_->timer_.start();
    impl_->decl_.timer = hundredths;
}

void Window::setMinimumSize(int width, int height) {
    impl_->client_->setMinimumSize(impl_->units_.toPixelsX(width), impl_->units_.toPixelsY(height));
}

int Window::width() const {
    return impl_->units_.fromPixelsX(impl_->client_->width());
}
int Window::height() const {
    return impl_->units_.fromPixelsY(impl_->client_->height());
}

void Window::resize(int width, int height) {
    QWidget* frame = impl_->frame_.get();
    // A window not yet shown has not laid out its client area: its frame
    // adds to the client what its layout asks for.
    QSize extra = frame->isVisible() ? frame->size() - impl_->client_->size()
                                     : frame->sizeHint() - impl_->client_->sizeHint();
    QSize size(impl_->units_.toPixelsX(width) + extra.width(),
               impl_->units_.toPixelsY(height) + extra.height());
    // A window the user cannot resize keeps its size fixed at the new one.
    if (frame->minimumSize() == frame->maximumSize())
        frame->setFixedSize(size);
    else
        frame->resize(size);
}

void Window::setCursor(const std::string& name, int control) {
    QWidget* w = impl_->frame_.get();
    if (control != 0) {
        Control* c = impl_->controlAt(control);
        if (!c) return;
        w = c->widget();
    }
    if (name.empty()) {
        w->unsetCursor();
    } else {
        w->setCursor(cursorByName(name));
    }
}

void Window::drawBox(int x, int y, int width, int height, int fill, int border) {
    const DialogUnits& u = impl_->units_;
    impl_->client_->addBox(
        QRect(u.toPixelsX(x), u.toPixelsY(y), u.toPixelsX(width), u.toPixelsY(height)),
        colorFromValue(fill), colorFromValue(border));
}

void Window::drawText(int x, int y, const std::string& text, int color) {
    const DialogUnits& u = impl_->units_;
    impl_->client_->addText(QPoint(u.toPixelsX(x), u.toPixelsY(y)), QString::fromStdString(text),
                            colorFromValue(color));
}

void Window::blank(int x, int y, int width, int height) {
    const DialogUnits& u = impl_->units_;
    impl_->client_->blank(
        QRect(u.toPixelsX(x), u.toPixelsY(y), u.toPixelsX(width), u.toPixelsY(height)));
}

const DialogUnits& Window::units() const {
    return impl_->units_;
}

std::vector<Window*> Window::openWindows() {
    return WindowRegistry::all();
}
Control* Window::TEST_control(int number) const {
    return impl_->controlAt(number);
}
void* Window::TEST_widget() const {
    return impl_->frame_.get();
}

int Window::TEST_pixel(int x, int y) const {
    QImage image = impl_->client_->grab().toImage();
    return valueFromColor(image.pixelColor(units().toPixelsX(x), units().toPixelsY(y)));
}

std::vector<int> Window::TEST_pixels(int x, int y, int width, int height) const {
    const DialogUnits& u = impl_->units_;
    QImage shot = impl_->client_->grab().toImage();
    QRect area = QRect(u.toPixelsX(x), u.toPixelsY(y), u.toPixelsX(width), u.toPixelsY(height))
                     .intersected(shot.rect());
    std::vector<int> colors;
    for (int py = area.top(); py <= area.bottom(); ++py) {
        for (int px = area.left(); px <= area.right(); ++px)
            colors.push_back(valueFromColor(shot.pixelColor(px, py)));
    }
    return colors;
}

void Window::TEST_abandonAll() {
    WindowRegistry::setAbandoned(true);
    for (Window* w : WindowRegistry::all()) w->close();
}

void Window::TEST_resume() {
    WindowRegistry::setAbandoned(false);
}

void showBusyCursor(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (QApplication::overrideCursor()) {
        QApplication::restoreOverrideCursor();
    }
}

bool busyCursorShown() {
    return QApplication::overrideCursor() &&
           QApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

void setApplicationIcon(const std::string& name) {
    QApplication::setWindowIcon(iconByName(name));
}

}  // namespace rt
