#include "runtime/robot/Robot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <filesystem>

#include "runtime/controls/Control.h"
#include "runtime/controls/KeyCodes.h"
#include "runtime/controls/ListControl.h"
#include "runtime/controls/SheetControl.h"
#include "runtime/gui/Window.h"
#include "runtime/robot/SyntheticInput.h"

namespace rt {

namespace {

Window* newestWindow() {
    auto open = Window::openWindows();
    return open.empty() ? nullptr : open.back();
}

std::string trimmed(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

// A control a person could use now: it exists, is shown and is enabled.
Control* usable(int number) {
    Window* w = newestWindow();
    Control* c = w ? w->TEST_control(number) : nullptr;
    if (!c || !c->isVisible() || !c->isEnabled() || !c->widget()->isVisible()) return nullptr;
    // A person acts on the window in front, which has the keyboard.
    auto* frame = static_cast<QWidget*>(w->TEST_widget());
    if (!frame->isActiveWindow()) QApplication::setActiveWindow(frame);
    return c;
}

QAction* findAction(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions()) {
        if (a->menu()) {
            if (QAction* inner = findAction(a->menu(), text)) return inner;
        } else if (!a->isSeparator() && a->text().remove('&') == text) {
            return a;
        }
    }
    return nullptr;
}

std::string openCaptions() {
    std::string list;
    for (Window* w : Window::openWindows())
        list += (list.empty() ? "'" : ", '") + w->caption() + "'";
    return list.empty() ? "none" : list;
}

}  // namespace

struct Robot::State {
    struct Step {
        std::string what;
        std::function<bool()> attempt;  // true once the step came true
        int timeout = 5000;
        bool answersBox = false;
        int button = 0;
        std::string* seen = nullptr;
    };
    std::vector<Step> steps;
    size_t next = 0;
    QElapsedTimer clock;
    int timeout = 5000;
    std::string folder = ".";
    QTimer timer;
    bool busy = false;
    bool done = false;
    std::string failure;
    std::vector<MessageBoxRequest> messages;
    MessageBoxHook previousHook;

    void add(std::string what, std::function<bool()> attempt) {
        steps.push_back({std::move(what), std::move(attempt), timeout});
    }
    void begin() {
        if (done) return;
        clock.start();
        if (!timer.isActive()) timer.start(5);
    }
    void advance() {
        ++next;
        clock.restart();
        if (next >= steps.size()) finish();
    }
    void finish() {
        done = true;
        timer.stop();
    }
    void tick() {
        if (busy || done || next >= steps.size()) return;
        busy = true;
        Step& step = steps[next];
        if (!step.answersBox && step.attempt()) {
            advance();
        } else if (clock.elapsed() > step.timeout) {
            fail("did not come true within " + std::to_string(step.timeout) + " ms");
        }
        busy = false;
    }
    void fail(const std::string& why) {
        if (done) return;
        std::string what = next < steps.size() ? steps[next].what : "after the last step";
        failure = "step " + std::to_string(next + 1) + " (" + what + ") " + why +
                  "; open windows: " + openCaptions();
        finish();
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        Window::TEST_abandonAll();
    }
    int onMessageBox(const MessageBoxRequest& request) {
        messages.push_back(request);
        if (!done && next < steps.size() && steps[next].answersBox) {
            Step& step = steps[next];
            if (step.seen) *step.seen = request.text;
            int button = step.button;
            advance();
            return button;
        }
        fail("met a message box nobody expected: \"" + request.text + "\"");
        if (request.buttons & ButtonCancel) return ButtonCancel;
        if (request.buttons & ButtonNo) return ButtonNo;
        return request.defaultButton;
    }
};

Robot::Robot() : state_(std::make_unique<State>()) {
    state_->timer.callOnTimeout([s = state_.get()] { s->tick(); });
    state_->previousHook = TEST_setMessageBoxHook(
        [s = state_.get()](const MessageBoxRequest& r) { return s->onMessageBox(r); });
}

Robot::~Robot() {
    TEST_setMessageBoxHook(state_->previousHook);
    Window::TEST_resume();
}

Robot& Robot::timeout(int milliseconds) {
    state_->timeout = milliseconds;
    return *this;
}

Robot& Robot::screenshotFolder(const std::string& folder) {
    state_->folder = folder;
    return *this;
}

Robot& Robot::waitForWindow(const std::string& caption) {
    state_->add("wait for the window \"" + caption + "\"", [caption] {
        Window* w = newestWindow();
        return w && trimmed(w->caption()) == trimmed(caption) &&
               static_cast<QWidget*>(w->TEST_widget())->isVisible();
    });
    return *this;
}

Robot& Robot::type(int control, const std::string& text) {
    state_->add("type \"" + text + "\" into control " + std::to_string(control), [control, text] {
        Window* w = newestWindow();
        int target = control != 0 || !w ? control : w->focus();
        Control* c = usable(target);
        if (!c || !c->focusTarget()) return false;
        w->select(target);
        sendKey(c->focusTarget(), Qt::Key_A, Qt::ControlModifier);
        sendKey(c->focusTarget(), Qt::Key_Delete, Qt::NoModifier);
        sendText(c->focusTarget(), QString::fromStdString(text));
        return true;
    });
    return *this;
}

Robot& Robot::press(int button) {
    state_->add("press button " + std::to_string(button), [button] {
        Control* c = usable(button);
        if (!c) return false;
        c->widget()->setFocus(Qt::MouseFocusReason);
        sendClick(c->widget(), c->widget()->rect().center(), Qt::LeftButton, Qt::NoModifier);
        return true;
    });
    return *this;
}

Robot& Robot::key(int keyCode, int control) {
    state_->add("press key " + std::to_string(keyCode) + " on control " + std::to_string(control),
                [keyCode, control] {
                    Window* w = newestWindow();
                    if (!w) return false;
                    QWidget* target = static_cast<QWidget*>(w->TEST_widget());
                    if (control != 0) {
                        Control* c = usable(control);
                        if (!c) return false;
                        w->select(control);
                        target = c->focusTarget();
                    } else if (QWidget* f = QApplication::focusWidget()) {
                        target = f;
                    }
                    sendKey(target, qtKeyFromCode(keyCode), modifiersFromCode(keyCode));
                    return true;
                });
    return *this;
}

Robot& Robot::typeKeys(int control, const std::string& text) {
    state_->add("type the keys \"" + text + "\" on control " + std::to_string(control),
                [control, text] {
                    Control* c = usable(control);
                    if (!c || !c->focusTarget()) return false;
                    newestWindow()->select(control);
                    sendText(c->focusTarget(), QString::fromStdString(text));
                    return true;
                });
    return *this;
}

bool Robot::typeNow(int control, const std::string& text) {
    Control* c = usable(control);
    if (!c || !c->focusTarget()) return false;
    newestWindow()->select(control);
    sendText(c->focusTarget(), QString::fromStdString(text));
    return true;
}

void Robot::whenIdle(std::function<void()> action) {
    QTimer::singleShot(0, qApp, std::move(action));
}

Robot& Robot::clickRow(int list, int row, int modifiers) {
    state_->add("click row " + std::to_string(row) + " of list " + std::to_string(list), [=] {
        auto* l = dynamic_cast<ListControl*>(usable(list));
        if (!l || row < 1 || row > l->rowCount()) return false;
        sendClick(l->rowArea(), l->cellCentre(row, 1), Qt::LeftButton,
                  modifiersFromCode(modifiers));
        return true;
    });
    return *this;
}

Robot& Robot::clickCell(int list, int row, int column) {
    state_->add("click row " + std::to_string(row) + ", column " + std::to_string(column) +
                    " of list " + std::to_string(list),
                [=] {
                    auto* l = dynamic_cast<ListControl*>(usable(list));
                    if (!l || row < 1 || row > l->rowCount() || column < 1 ||
                        column > l->property(Prop::Columns, 0).number())
                        return false;
                    sendClick(l->rowArea(), l->cellCentre(row, column), Qt::LeftButton,
                              Qt::NoModifier);
                    return true;
                });
    return *this;
}

Robot& Robot::doubleClickRow(int list, int row, int column) {
    state_->add("double-click row " + std::to_string(row) + " of list " + std::to_string(list),
                [=] {
                    auto* l = dynamic_cast<ListControl*>(usable(list));
                    if (!l || row < 1 || row > l->rowCount()) return false;
                    sendDoubleClick(l->rowArea(), l->cellCentre(row, column));
                    return true;
                });
    return *this;
}

Robot& Robot::clickHeader(int list, int column, int modifiers) {
    state_->add("click header " + std::to_string(column) + " of list " + std::to_string(list), [=] {
        auto* l = dynamic_cast<ListControl*>(usable(list));
        if (!l || column < 1 || column > l->property(Prop::Columns, 0).number()) return false;
        sendClick(l->headerArea(), l->headerCentre(column), Qt::LeftButton,
                  modifiersFromCode(modifiers));
        return true;
    });
    return *this;
}

namespace {

// Where a held mouse goes on a list's header: a cell's centre, or (column 0)
// a point below the header, in the header's coordinates.
bool headerPoint(ListControl* l, int column, QPoint& at) {
    if (!l || column < 0 || column > l->property(Prop::Columns, 0).number()) return false;
    at = column > 0 ? l->headerCentre(column)
                    : QPoint(l->headerCentre(1).x(), l->headerArea()->height() + 20);
    return true;
}

}  // namespace

Robot& Robot::pressHeader(int list, int column, int modifiers) {
    state_->add("press header " + std::to_string(column) + " of list " + std::to_string(list), [=] {
        auto* l = dynamic_cast<ListControl*>(usable(list));
        QPoint at;
        if (column < 1 || !headerPoint(l, column, at)) return false;
        sendPress(l->headerArea(), at, modifiersFromCode(modifiers));
        return true;
    });
    return *this;
}

Robot& Robot::dragHeaderTo(int list, int column) {
    state_->add("drag to header " + std::to_string(column) + " of list " + std::to_string(list),
                [=] {
                    auto* l = dynamic_cast<ListControl*>(usable(list));
                    QPoint at;
                    if (!headerPoint(l, column, at)) return false;
                    sendDrag(l->headerArea(), at);
                    return true;
                });
    return *this;
}

Robot& Robot::releaseHeader(int list, int column, int modifiers) {
    state_->add(
        "release over header " + std::to_string(column) + " of list " + std::to_string(list), [=] {
            auto* l = dynamic_cast<ListControl*>(usable(list));
            QPoint at;
            if (!headerPoint(l, column, at)) return false;
            sendRelease(l->headerArea(), at, modifiersFromCode(modifiers));
            return true;
        });
    return *this;
}

Robot& Robot::rightClick(int control, int row) {
    state_->add("right-click control " + std::to_string(control), [=] {
        Control* c = usable(control);
        if (!c) return false;
        auto* l = dynamic_cast<ListControl*>(c);
        if (l && row > 0) {
            if (row > l->rowCount()) return false;
            sendClick(l->rowArea(), l->cellCentre(row, 1), Qt::RightButton, Qt::NoModifier);
        } else {
            QWidget* target = c->focusTarget() ? c->focusTarget() : c->widget();
            sendClick(target, target->rect().center(), Qt::RightButton, Qt::NoModifier);
        }
        return true;
    });
    return *this;
}

Robot& Robot::clickControl(int control) {
    state_->add("click control " + std::to_string(control), [=] {
        Control* c = usable(control);
        if (!c) return false;
        sendClick(c->widget(), c->widget()->rect().center(), Qt::LeftButton, Qt::NoModifier);
        return true;
    });
    return *this;
}

Robot& Robot::hover(int control) {
    state_->add("move the mouse onto control " + std::to_string(control), [=] {
        Control* c = usable(control);
        if (!c) return false;
        sendHover(c->widget(), c->widget()->rect().center());
        return true;
    });
    return *this;
}

Robot& Robot::leave(int control) {
    state_->add("move the mouse off control " + std::to_string(control), [=] {
        Control* c = usable(control);
        if (!c) return false;
        sendLeave(c->widget());
        return true;
    });
    return *this;
}

Robot& Robot::wheel(int list, int notches) {
    state_->add("turn the wheel over list " + std::to_string(list), [=] {
        auto* l = dynamic_cast<ListControl*>(usable(list));
        if (!l) return false;
        sendWheel(l->rowArea(), l->rowArea()->rect().center(), notches);
        return true;
    });
    return *this;
}

Robot& Robot::chooseTab(int tab) {
    state_->add("choose tab " + std::to_string(tab), [=] {
        Window* w = newestWindow();
        Control* t = w ? w->TEST_control(tab) : nullptr;
        auto* sheet = t ? dynamic_cast<SheetControl*>(usable(t->declaration().parent)) : nullptr;
        if (!sheet) return false;
        sendClick(sheet->tabBar(), sheet->tabCentre(tab), Qt::LeftButton, Qt::NoModifier);
        return true;
    });
    return *this;
}

Robot& Robot::dragThumb(int list, int position) {
    state_->add("drag the thumb of list " + std::to_string(list), [=] {
        auto* l = dynamic_cast<ListControl*>(usable(list));
        QScrollBar* bar = l ? l->scrollBar() : nullptr;
        if (!bar || !bar->isVisible()) return false;
        bar->setSliderDown(true);
        bar->setSliderPosition(position);
        bar->setSliderDown(false);
        return true;
    });
    return *this;
}

Robot& Robot::choosePopupItem(const std::string& text) {
    state_->add("choose \"" + text + "\" from the popup menu", [text] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* action =
            menu ? findAction(menu, QString::fromStdString(text).remove('&')) : nullptr;
        if (!action || !action->isEnabled()) return false;
        action->trigger();
        return true;
    });
    return *this;
}

Robot& Robot::dismissPopup() {
    state_->add("dismiss the popup menu", [] {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup) return false;
        popup->close();
        return true;
    });
    return *this;
}

Robot& Robot::readPopupItems(std::vector<std::string>* seen) {
    state_->add("read the popup menu's items", [seen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return false;
        seen->clear();
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                seen->push_back("-");
            else
                seen->push_back((a->isEnabled() ? "" : "~") + a->text().toStdString());
        }
        return true;
    });
    return *this;
}

Robot& Robot::answerMessageBox(int button, std::string* seen) {
    state_->add("answer a message box with button " + std::to_string(button), nullptr);
    state_->steps.back().answersBox = true;
    state_->steps.back().button = button;
    state_->steps.back().seen = seen;
    return *this;
}

Robot& Robot::closeWindow() {
    state_->add("close the window", [] {
        Window* w = newestWindow();
        if (!w) return false;
        static_cast<QWidget*>(w->TEST_widget())->close();
        return true;
    });
    return *this;
}

Robot& Robot::screenshot(const std::string& fileName) {
    std::string path = (std::filesystem::path(state_->folder) / fileName).string();
    state_->add("take the screenshot " + path, [path] {
        Window* w = newestWindow();
        if (!w) return false;
        return static_cast<QWidget*>(w->TEST_widget())
            ->grab()
            .save(QString::fromStdString(path), "PNG");
    });
    return *this;
}

Robot& Robot::check(const std::string& what, std::function<bool(Window&)> condition) {
    state_->add(what, [condition = std::move(condition)] {
        Window* w = newestWindow();
        return w && condition(*w);
    });
    return *this;
}

Robot& Robot::run(const std::string& what, std::function<void(Window&)> action) {
    state_->add(what, [action = std::move(action)] {
        Window* w = newestWindow();
        if (!w) return false;
        action(*w);
        return true;
    });
    return *this;
}

void Robot::start() {
    state_->add("every window closes", [] { return Window::openWindows().empty(); });
    state_->begin();
}

bool Robot::runNow() {
    if (state_->steps.empty()) return true;
    state_->begin();
    while (!state_->done) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return state_->failure.empty();
}

bool Robot::finished() const {
    return state_->done;
}
bool Robot::failed() const {
    return !state_->failure.empty();
}
std::string Robot::failure() const {
    return state_->failure;
}
const std::vector<MessageBoxRequest>& Robot::messages() const {
    return state_->messages;
}

}  // namespace rt
