// Shared by the widget tests: the application's font mapping and pixel helpers.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

namespace zorvane::test {

// The window's fonts name a Windows face; map it to an installed CJK face as the app does.
inline QFont songFont12() {
    static const bool mapped = [] {
        QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("AR PL UMing CN"),
                                                            QStringLiteral("Noto Serif CJK SC")});
        return true;
    }();
    Q_UNUSED(mapped);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    return font;
}

// Bounding box of every pixel that differs from `background`.
inline QRect inkBounds(const QImage& image, QRgb background) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace zorvane::test
