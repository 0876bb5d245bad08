#include "runtime/gui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace rt {

std::string clipboardText() {
    return QGuiApplication::clipboard()->text().toStdString();
}

void setClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace rt
