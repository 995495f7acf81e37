#include "colours.h"

#include <cmath>

namespace zorvane::ui {

namespace {

// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double luminance(const QColor& colour) {
    auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

// Black text on the face needs the contrast that legible body text asks for, 4.5 : 1.
bool black_text_legible_on(const QColor& face) {
    return (luminance(face) + 0.05) / 0.05 >= 4.5;
}

} // namespace

QPalette window_palette(const QPalette& desktop) {
    QPalette palette = desktop;
    if (!black_text_legible_on(desktop.color(QPalette::Active, QPalette::Button))) {
        // The common light button face, with shades, base and disabled text derived from it;
        // the desktop's selection colours still apply.
        palette = QPalette(QColor(240, 240, 240));
        for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                palette.setColor(group, role, desktop.color(group, role));
    }
    // One face everywhere, enabled or not: no seam between a label and its disabled container.
    const QColor face = palette.color(QPalette::Active, QPalette::Button);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, face);
        palette.setColor(group, QPalette::Button, face);
    }
    for (auto group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            palette.setColor(group, role, Qt::black);
    return palette;
}

} // namespace zorvane::ui
