// SPDX-License-Identifier: MIT
#include "bitmap.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace fig {
namespace {

struct Glyph {
    char ch;
    std::array<const char*, kGlyphHeight> rows;
};

// Drawn into the images themselves, so no installed font can change them.
constexpr std::array<Glyph, 20> kGlyphs{{
    {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
    {'b', {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "####."}},
    {'c', {".....", ".....", ".###.", "#....", "#....", "#...#", ".###."}},
    {'d', {"....#", "....#", ".##.#", "#..##", "#...#", "#...#", ".####"}},
    {'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"###..", "#..#.", "#...#", "#...#", "#...#", "#..#.", "###.."}},
    {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
}};

const Glyph* findGlyph(char ch) {
    for (const Glyph& g : kGlyphs)
        if (g.ch == ch)
            return &g;
    return nullptr;
}

double distanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

bool hasGlyph(char ch) {
    return findGlyph(ch) != nullptr;
}

Bitmap::Bitmap(int width, int height, int scale)
    : m_width(width * scale), m_height(height * scale), m_scale(scale),
      m_pixels(std::size_t(m_width * m_height), 0) {}

void Bitmap::set(int x, int y, bool black) {
    if (x >= 0 && y >= 0 && x < m_width && y < m_height)
        m_pixels[std::size_t(y * m_width + x)] = black ? 1 : 0;
}

int Bitmap::blackCount() const {
    return int(std::count(m_pixels.begin(), m_pixels.end(), std::uint8_t(1)));
}

void Bitmap::frame(int x, int y, int w, int h) {
    const int s = m_scale;
    for (int px = x * s; px < (x + w) * s; ++px)
        for (int k = 0; k < s; ++k) {
            set(px, y * s + k);
            set(px, (y + h - 1) * s + k);
        }
    for (int py = y * s; py < (y + h) * s; ++py)
        for (int k = 0; k < s; ++k) {
            set(x * s + k, py);
            set((x + w - 1) * s + k, py);
        }
}

void Bitmap::line(Point a, Point b, int width) {
    const int s = m_scale;
    const double half = width * s / 2.0;
    // An odd stroke is centred on pixel centres, an even one on pixel edges, so that both cover
    // exactly `width` units across a straight line, at either scale in the same place.
    const double shift = width % 2 ? s / 2.0 : 0.0;
    const double ax = a.x * s + shift, ay = a.y * s + shift, bx = b.x * s + shift,
                 by = b.y * s + shift;
    const int x0 = int(std::floor(std::min(ax, bx) - half)) - 1;
    const int x1 = int(std::ceil(std::max(ax, bx) + half)) + 1;
    const int y0 = int(std::floor(std::min(ay, by) - half)) - 1;
    const int y1 = int(std::ceil(std::max(ay, by) + half)) + 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (distanceToSegment(x + 0.5, y + 0.5, ax, ay, bx, by) < half)
                set(x, y);
}

bool Bitmap::hatched(int px, int py) const {
    const int lx = floorDiv(px, m_scale) - m_hatchOrigin.x;
    const int ly = floorDiv(py, m_scale) - m_hatchOrigin.y;
    return ((lx + ly) % 4 + 4) % 4 == 0;
}

void Bitmap::fillPixel(int px, int py, int fillKind) {
    if (fillKind == SolidFill || (fillKind == HatchFill && hatched(px, py)))
        set(px, py);
}

void Bitmap::polygon(const std::vector<Point>& pts, int strokeWidth, int fillKind) {
    const int s = m_scale;
    if (fillKind != NoFill) {
        int y0 = m_height, y1 = 0, x0 = m_width, x1 = 0;
        for (const Point& p : pts) {
            x0 = std::min(x0, p.x * s);
            x1 = std::max(x1, p.x * s);
            y0 = std::min(y0, p.y * s);
            y1 = std::max(y1, p.y * s);
        }
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                // Even-odd rule at the pixel centre.
                const double cx = x + 0.5, cy = y + 0.5;
                bool inside = false;
                for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                    const double xi = pts[i].x * s, yi = pts[i].y * s;
                    const double xj = pts[j].x * s, yj = pts[j].y * s;
                    if ((yi > cy) != (yj > cy) && cx < (xj - xi) * (cy - yi) / (yj - yi) + xi)
                        inside = !inside;
                }
                if (inside)
                    fillPixel(x, y, fillKind);
            }
    }
    if (strokeWidth > 0)
        for (std::size_t i = 0; i < pts.size(); ++i)
            line(pts[i], pts[(i + 1) % pts.size()], strokeWidth);
}

void Bitmap::circle(Point c, int radius, int strokeWidth, int fillKind) {
    const int s = m_scale;
    const double cx = c.x * s, cy = c.y * s, r = radius * s, half = strokeWidth * s / 2.0;
    const int reach = int(std::ceil(r + half)) + 1;
    for (int y = int(cy) - reach; y <= int(cy) + reach; ++y)
        for (int x = int(cx) - reach; x <= int(cx) + reach; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d < r)
                fillPixel(x, y, fillKind);
            if (strokeWidth > 0 && std::abs(d - r) < half)
                set(x, y);
        }
}

void Bitmap::glyph(char ch, int x, int y, int magnify) {
    const Glyph* g = findGlyph(ch);
    if (!g)
        return;
    const int unit = magnify * m_scale;
    for (int r = 0; r < kGlyphHeight; ++r)
        for (int c = 0; c < kGlyphWidth; ++c)
            if (g->rows[r][c] == '#')
                for (int dy = 0; dy < unit; ++dy)
                    for (int dx = 0; dx < unit; ++dx)
                        set((x + c * magnify) * m_scale + dx, (y + r * magnify) * m_scale + dy);
}

void Bitmap::text(const char* s, int x, int y, int magnify) {
    for (; *s; ++s, x += (kGlyphWidth + 1) * magnify)
        glyph(*s, x, y, magnify);
}

void Bitmap::blit(const Bitmap& src, int x, int y) {
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx)
            if (src.black(sx, sy))
                set(x * m_scale + sx, y * m_scale + sy);
}

} // namespace fig
