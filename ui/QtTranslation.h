#pragma once

class QCoreApplication;

namespace olv {

// Loads Qt's own Chinese translation, so that standard buttons ("确定", "取消") and context
// menus speak the candidates' language. Without the translation installed the texts stay
// English; false then.
bool installQtChineseTranslation(QCoreApplication& app);

} // namespace olv
