#include "ui/ByteColumnDelegate.h"

#include <QApplication>
#include <QPainter>

namespace olv {

namespace {

// Columns a character takes in GBK text: one byte for ASCII, two for everything else.
int columnsOf(char32_t character) { return character < 0x80 ? 1 : 2; }

} // namespace

void ByteColumnDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    const QString text = background.text;
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &background, widget);
    const QFontMetrics metrics(background.font);
    const int columnWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const bool selected = option.state & QStyle::State_Selected;

    painter->save();
    painter->setFont(background.font);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    int column = 0;
    for (char32_t character : text.toUcs4()) {
        const int width = columnsOf(character) * columnWidth;
        const QRect cell(area.left() + column * columnWidth, area.top(), width, area.height());
        painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUcs4(&character, 1));
        column += columnsOf(character);
    }
    painter->restore();
}

} // namespace olv
