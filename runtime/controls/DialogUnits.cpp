#include "runtime/controls/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>
#include <algorithm>

namespace rt {

DialogUnits DialogUnits::forFont(const std::string& family, int pointSize) {
    QFont font(QString::fromStdString(family), pointSize > 0 ? pointSize : 9);
    QFontMetrics metrics(font);
    // The average is taken over the Latin letters, as dialog layouts
    // traditionally were, so a window keeps its proportions across fonts.
    static const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    int average = (metrics.horizontalAdvance(letters) + 26) / 52;
    return DialogUnits(std::max(1, average), std::max(1, metrics.height()));
}

}  // namespace rt
