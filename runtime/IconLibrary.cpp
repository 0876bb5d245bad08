#include "runtime/IconLibrary.h"

#include <QApplication>
#include <QFileInfo>
#include <QStyle>
#include <map>

namespace rt {

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

QIcon iconByName(const std::string& name) {
    if (name.empty()) return {};
    std::string key = lower(name);
    if (!key.empty() && key[0] == '~') key.erase(0, 1);
    static const std::map<std::string, QStyle::StandardPixmap> standard = {
        {"add.ico", QStyle::SP_FileDialogNewFolder},
        {"refresh.ico", QStyle::SP_BrowserReload},
        {"delete.ico", QStyle::SP_TrashIcon},
        {"settings.ico", QStyle::SP_FileDialogDetailedView},
        {"log out.ico", QStyle::SP_DialogCloseButton},
        {"hyperlink_green.ico", QStyle::SP_ArrowForward},
        {"safe.ico", QStyle::SP_DriveHDIcon},
        {"folder document2.ico", QStyle::SP_DirIcon},
        {"ok.ico", QStyle::SP_DialogOkButton},
        {"cancel.ico", QStyle::SP_DialogCancelButton},
    };
    auto it = standard.find(key);
    if (it != standard.end()) return QApplication::style()->standardIcon(it->second);
    QString file = QString::fromStdString(name[0] == '~' ? name.substr(1) : name);
    if (QFileInfo::exists(file)) return QIcon(file);
    return {};
}

QCursor cursorByName(const std::string& name) {
    std::string key = lower(name);
    if (key == "~hand.cur" || key == "hand") return QCursor(Qt::PointingHandCursor);
    if (key == "~wait.cur" || key == "wait") return QCursor(Qt::WaitCursor);
    if (key == "~ibeam.cur" || key == "ibeam") return QCursor(Qt::IBeamCursor);
    if (key == "~cross.cur" || key == "cross") return QCursor(Qt::CrossCursor);
    return QCursor(Qt::ArrowCursor);
}

}  // namespace rt
