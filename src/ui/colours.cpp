#include "colours.h"

#include <algorithm>
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

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast that legible body text asks for.
constexpr double legible = 4.5;

} // namespace

QPalette window_palette(const QPalette& desktop) {
    QPalette palette = desktop;
    if (contrast(desktop.color(QPalette::Active, QPalette::Button), Qt::black) < legible) {
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
    // The status boxes are disabled: their grey text says so, but must still be read at a
    // glance on their white, at 4.5 : 1 for the faintest stroke. Anti-aliasing leaves the 1-px
    // strokes of 12-px Chinese text at about four fifths of their colour, so the grey is chosen
    // for those, and a lighter one of the desktop's (Fusion's 190) gives way to it.
    const QColor readable_grey(72, 72, 72);
    if (contrast(palette.color(QPalette::Disabled, QPalette::Text), Qt::white) <
        contrast(readable_grey, Qt::white))
        palette.setColor(QPalette::Disabled, QPalette::Text, readable_grey);
    return palette;
}

} // namespace zorvane::ui
