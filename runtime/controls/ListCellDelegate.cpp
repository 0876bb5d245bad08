#include "runtime/controls/ListCellDelegate.h"

#include <QApplication>
#include <QPainter>

namespace rt {

const QStaticText& ListCellDelegate::layout(const QString& text, const QFont& font) const {
    if (font.key() != fontKey_) {
        layouts_.clear();
        fontKey_ = font.key();
    }
    if (QStaticText* known = layouts_.object(text)) return *known;
    auto* laidOut = new QStaticText(text);
    laidOut->setTextFormat(Qt::PlainText);
    laidOut->prepare(QTransform(), font);
    layouts_.insert(text, laidOut);
    return *layouts_.object(text);
}

void ListCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    QString text = item.text;
    item.text.clear();
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    if (text.isEmpty()) return;
    QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const QStaticText& laidOut = layout(text, item.font);
    QSizeF size = laidOut.size();
    qreal x = area.left();
    if (item.displayAlignment & Qt::AlignRight) x = area.right() + 1 - size.width();
    if (item.displayAlignment & Qt::AlignHCenter)
        x = area.left() + (area.width() - size.width()) / 2;
    qreal y = area.top() + (area.height() - size.height()) / 2;
    bool selected = item.state & QStyle::State_Selected;
    QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                 : (item.state & QStyle::State_Active) ? QPalette::Normal
                                                                       : QPalette::Inactive;
    painter->save();
    painter->setClipRect(area);
    painter->setFont(item.font);
    painter->setPen(
        item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawStaticText(QPointF(x, y), laidOut);
    painter->restore();
}

}  // namespace rt
