#pragma once
// Paints a list's cells: the style's item background (selection, focus),
// then the cell's text clipped at the cell's edge, from a laid-out copy kept
// while the same text shows again. A list repaints its whole page after
// every scroll or sort; laying out each text once instead of at every paint
// keeps that page cheap. Owns its cache of laid-out texts. GUI thread only.

#include <QCache>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace rt {

class ListCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    // The text laid out in font, from the cache when it is there.
    const QStaticText& layout(const QString& text, const QFont& font) const;

    // A few pages' worth of texts, for one font at a time.
    mutable QCache<QString, QStaticText> layouts_{2048};
    mutable QString fontKey_;
};

}  // namespace rt
