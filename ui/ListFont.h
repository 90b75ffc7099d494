#pragma once

#include <QFont>

namespace olv {

// The fixed-width font of the paper and answer card lists: a CJK character takes exactly
// two columns, so the byte-counted layouts line up on screen.
QFont listFont();

} // namespace olv
