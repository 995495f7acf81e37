// The window's colours: one face colour behind every control and black text, whatever the
// desktop's palette.
#pragma once

#include <QPalette>

namespace zorvane::ui {

// The desktop's palette with its button-face colour as the background of every control and
// black text. Where that face is too dark for black text, a light palette of the window's own.
QPalette window_palette(const QPalette& desktop);

} // namespace zorvane::ui
