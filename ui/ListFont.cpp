#include "ui/ListFont.h"

namespace olv {

QFont listFont()
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(12);
    return font;
}

} // namespace olv
