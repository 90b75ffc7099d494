#pragma once

namespace olv {

// Lets assistive technology move the keyboard focus to lists, trees and tables: Qt's own
// interfaces for item views offer no set-focus action, so a screen reader's "grab focus" on
// them does nothing. Call once after the QApplication exists; later calls do nothing.
void installViewFocusAction();

} // namespace olv
