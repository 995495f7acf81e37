// Accessibility for the widgets of this library that Qt cannot describe by itself:
// the tabs of TabControl and the captions of TextLabel.
#pragma once

namespace zorvane::ui {

// Call once after QApplication exists, before the window is built. Safe to call again.
void installWidgetAccessibility();

} // namespace zorvane::ui
