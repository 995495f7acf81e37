// The layout's fonts: its face names mapped onto installed faces, and the font of each role.
#pragma once

#include "layout/layout.h"

#include <QFont>

namespace zorvane::ui {

// Maps the layout's font faces onto installed ones; call before any font is made.
void install_font_substitutions();

// Makes the layout's default GUI font the application font; call once QApplication exists.
void apply_default_gui_font();

// The font of a control with the given role, every property set explicitly.
QFont font_for(FontRole role);

} // namespace zorvane::ui
