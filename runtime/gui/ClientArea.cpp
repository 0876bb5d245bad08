#include "runtime/gui/ClientArea.h"

#include <QPainter>
#include <algorithm>

namespace rt {

void ClientArea::addBox(const QRect& rect, const QColor& fill, const QColor& border) {
    drawings_.push_back({rect, fill, border, {}});
    update(rect);
}

void ClientArea::addText(const QPoint& at, const QString& text, const QColor& color) {
    QRect rect(at, fontMetrics().size(Qt::TextSingleLine, text));
    drawings_.push_back({rect, {}, color, text});
    update(rect);
}

void ClientArea::blank(const QRect& area) {
    std::erase_if(drawings_, [&](const Drawing& d) { return area.contains(d.rect); });
    update(area);
}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (const Drawing& d : drawings_) {
        if (d.text.isEmpty()) {
            p.setPen(d.border);
            p.setBrush(d.fill);
            p.drawRect(d.rect.adjusted(0, 0, -1, -1));
        } else {
            p.setPen(d.border);
            p.drawText(d.rect, Qt::AlignLeft | Qt::AlignTop, d.text);
        }
    }
}

}  // namespace rt
