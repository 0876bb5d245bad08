#include "runtime/controls/IconLibrary.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QStyle>
#include <map>

// The icons the program ships live in a resource of this static library;
// nothing else refers to it, so it is registered by hand.
static void initIconResource() {
    Q_INIT_RESOURCE(icons);
}

namespace rt {

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

// The program's own drawing of a name, when this toolkit can show SVG (it
// needs its SVG image plugin); a null icon otherwise.
static QIcon shippedIcon(const std::string& key) {
    static const std::map<std::string, QString> shipped = {
        {"safe.ico", "safe.svg"},
        {"add.ico", "add.svg"},
        {"refresh.ico", "refresh.svg"},
        {"delete.ico", "delete.svg"},
        {"settings.ico", "settings.svg"},
        {"log out.ico", "log-out.svg"},
        {"hyperlink_green.ico", "hyperlink-green.svg"},
        {"key.ico", "key.svg"},
        {"folder document2.ico", "folder-document.svg"},
        {"lockora-logo.svg", "lockora-logo.svg"},
    };
    static const bool svgReadable = [] {
        initIconResource();
        return QImageReader::supportedImageFormats().contains("svg");
    }();
    auto it = shipped.find(key);
    if (!svgReadable || it == shipped.end()) return {};
    return QIcon(":/icons/" + it->second);
}

QIcon iconByName(const std::string& name) {
    if (name.empty()) return {};
    std::string key = lower(name);
    if (!key.empty() && key[0] == '~') key.erase(0, 1);
    if (QIcon own = shippedIcon(key); !own.isNull()) return own;
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
        {"key.ico", QStyle::SP_DialogApplyButton},
        {"lockora-logo.svg", QStyle::SP_DriveHDIcon},
        // The record navigation arrows, first to last.
        {"vcrfirst.ico", QStyle::SP_MediaSkipBackward},
        {"vcrprior.ico", QStyle::SP_MediaSeekBackward},
        {"vcrup.ico", QStyle::SP_ArrowUp},
        {"vcrdown.ico", QStyle::SP_ArrowDown},
        {"vcrnext.ico", QStyle::SP_MediaSeekForward},
        {"vcrlast.ico", QStyle::SP_MediaSkipForward},
        // The message icons by their standard codes' names (MessageBox.h).
        {"hand.ico", QStyle::SP_MessageBoxCritical},
        {"application.ico", QStyle::SP_ComputerIcon},
        {"question.ico", QStyle::SP_MessageBoxQuestion},
        {"exclamation.ico", QStyle::SP_MessageBoxWarning},
        {"asterisk.ico", QStyle::SP_MessageBoxInformation},
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
