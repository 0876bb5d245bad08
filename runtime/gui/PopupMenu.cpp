#include "runtime/gui/PopupMenu.h"

#include <QCursor>
#include <QMenu>
#include <QPointer>
#include <functional>

#include "runtime/controls/IconLibrary.h"
#include "runtime/gui/Window.h"

namespace rt {

namespace {

// Reads "[code(arg),code(arg)]" at the start of text; answers the icon and
// leaves the rest of the text in place.
std::string takeAttributes(std::string& text) {
    std::string icon;
    if (text.empty() || text[0] != '[') return icon;
    size_t i = 1;
    int depth = 0;
    size_t codeStart = 1;
    std::string code;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '(' && depth++ == 0) {
            code = text.substr(codeStart, i - codeStart);
            size_t close = text.find(')', i);
            if (close == std::string::npos) break;
            std::string arg = text.substr(i + 1, close - i - 1);
            if (code == std::to_string(kMenuIconAttribute))
                icon = !arg.empty() && arg[0] == '~' ? arg.substr(1) : arg;
            i = close;
            depth = 0;
        } else if (c == ',') {
            codeStart = i + 1;
        } else if (c == ']') {
            break;
        }
    }
    text.erase(0, std::min(i + 1, text.size()));
    return icon;
}

}  // namespace

PopupMenu::PopupMenu(std::string_view menu) {
    int depth = 1;
    std::string pending;
    for (char c : menu) {
        if (c == '|' || c == '{' || c == '}') {
            add(std::move(pending), depth);
            pending.clear();
            if (c == '{') {
                if (!items_.empty() && items_.back().depth == depth) items_.back().submenu = true;
                ++depth;
            }
            // A stray "}" at the top level is ignored, not taken below level 1.
            if (c == '}' && depth > 1) --depth;
        } else {
            pending += c;
        }
    }
    add(std::move(pending), depth);
    // Only now is it known which items open submenus: number the rest.
    for (MenuItem& item : items_)
        if (!item.separator && !item.submenu) item.number = ++selectable_;
}

void PopupMenu::add(std::string text, int depth) {
    if (text.empty()) return;
    MenuItem item;
    item.depth = depth;
    if (text == "-") {
        item.separator = true;
        items_.push_back(item);
        return;
    }
    size_t i = 0;
    for (; i < text.size(); ++i) {
        if (text[i] == '~')
            item.disabled = true;
        else if (text[i] == '+')
            item.check = 1;
        else if (text[i] == '-')
            item.check = 2;
        else
            break;
    }
    text.erase(0, i);
    item.icon = takeAttributes(text);
    item.text = text;
    items_.push_back(item);
}

int PopupMenu::ask(int x, int y) const {
    QMenu top;
    int chosen = 0;
    std::vector<QMenu*> open{&top};
    for (size_t i = 0; i < items_.size(); ++i) {
        const MenuItem& item = items_[i];
        while (static_cast<int>(open.size()) > item.depth) open.pop_back();
        while (static_cast<int>(open.size()) < item.depth)
            open.push_back(open.back()->addMenu(QString()));
        QMenu* into = open.back();
        if (item.separator) {
            into->addSeparator();
            continue;
        }
        if (item.submenu) {
            QMenu* sub = into->addMenu(iconByName(item.icon), QString::fromStdString(item.text));
            sub->setEnabled(!item.disabled);
            open.push_back(sub);
            continue;
        }
        QAction* action = into->addAction(iconByName(item.icon), QString::fromStdString(item.text));
        action->setEnabled(!item.disabled);
        action->setCheckable(item.check != 0);
        action->setChecked(item.check == 1);
        int number = item.number;
        QObject::connect(action, &QAction::triggered, &top, [&chosen, number, &top] {
            chosen = number;
            top.close();
        });
    }
    QPoint at = QCursor::pos();
    if ((x != 0 || y != 0) && !Window::openWindows().empty()) {
        Window* w = Window::openWindows().back();
        auto* frame = static_cast<QWidget*>(w->TEST_widget());
        at = frame->mapToGlobal(QPoint(w->units().toPixelsX(x), w->units().toPixelsY(y)));
    }
    top.exec(at);
    return chosen;
}

}  // namespace rt
