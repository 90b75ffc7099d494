#pragma once

#include <QStyledItemDelegate>

namespace olv {

// Draws a list line on a grid of equal columns, one per byte of its GBK text: an ASCII
// character takes one column and a Chinese character two, as the layouts count them. Fonts
// rarely make a Chinese character exactly twice as wide as a Latin one, so drawing the
// text as a whole would let the option columns drift apart.
class ByteColumnDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace olv
