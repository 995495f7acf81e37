// SPDX-License-Identifier: MIT
// A 1-bit drawing surface. Everything is drawn without anti-aliasing from integer logical
// coordinates, multiplied by the surface's scale (1, or 2 for the high-density variant), so the
// same drawing comes out pixel for pixel the same on every machine.
#pragma once

#include <cstdint>
#include <vector>

namespace fig {

struct Point {
    int x = 0, y = 0;
};

class Bitmap {
public:
    Bitmap(int width, int height, int scale = 1);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int scale() const { return m_scale; }
    bool black(int x, int y) const { return m_pixels[std::size_t(y * m_width + x)] != 0; }
    void set(int x, int y, bool black = true);
    const std::vector<std::uint8_t>& pixels() const { return m_pixels; }
    int blackCount() const;

    // Logical-coordinate drawing; strokes and frames scale with the surface.
    void frame(int x, int y, int w, int h); // 1-unit outline of the box
    void line(Point a, Point b, int width); // stroke of `width` units
    void polygon(const std::vector<Point>& pts, int strokeWidth, int fillKind);
    void circle(Point c, int radius, int strokeWidth, int fillKind);
    void glyph(char ch, int x, int y, int magnify = 1); // top-left of a 5 x 7 glyph cell
    void text(const char* s, int x, int y, int magnify = 1);

    // Hatching is anchored to a cell origin so that equal figures hatch alike in every cell.
    void setHatchOrigin(Point p) { m_hatchOrigin = p; }

    // Copies `src` (same scale) with its top-left at logical (x, y).
    void blit(const Bitmap& src, int x, int y);

    enum FillKind { NoFill = 0, HatchFill = 1, SolidFill = 2 };

private:
    bool hatched(int px, int py) const;
    void fillPixel(int px, int py, int fillKind);

    int m_width, m_height, m_scale;
    Point m_hatchOrigin;
    std::vector<std::uint8_t> m_pixels;
};

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
bool hasGlyph(char ch);

} // namespace fig
