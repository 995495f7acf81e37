// SPDX-License-Identifier: MIT
#include "assets.h"

#include "catalogue.h"
#include "gif_writer.h"
#include "render.h"

#include <QPainter>
#include <algorithm>
#include <array>

namespace fig {
namespace {

// Box sizes of picture boxes 1..50 (inside any border). Box 1 has a one-pixel border inside its
// 152 x 152 box; box 42 stretches its image to the box, so all of it shows.
constexpr std::array<Box, kPictureCount> kBoxes{{
    {150, 150, false}, {136, 128, false}, {192, 152, false}, {152, 136, false}, {192, 152, false},
    {152, 136, false}, {192, 152, false}, {152, 136, false}, {192, 152, false}, {152, 136, false},
    {192, 152, false}, {152, 136, false}, {192, 152, false}, {152, 136, false}, {192, 56, false},
    {200, 80, false},  {192, 56, false},  {200, 80, false},  {192, 56, false},  {200, 80, false},
    {192, 56, false},  {208, 80, false},  {192, 56, false},  {216, 80, false},  {192, 56, false},
    {216, 80, false},  {192, 56, false},  {208, 80, false},  {192, 56, false},  {200, 88, false},
    {192, 56, false},  {216, 80, false},  {192, 56, false},  {200, 80, false},  {192, 64, false},
    {264, 48, false},  {192, 56, false},  {256, 64, false},  {192, 56, false},  {256, 56, false},
    {192, 56, false},  {264, 56, true},   {192, 56, false},  {208, 64, false},  {192, 56, false},
    {200, 56, false},  {192, 56, false},  {200, 56, false},  {200, 56, false},  {208, 56, false},
}};

} // namespace

Box boxOf(int picture) {
    return kBoxes.at(std::size_t(picture - 1));
}

int questionOfPicture(int picture) {
    return 9 + (picture - 1) / 2;
}

Bitmap pictureImage(int picture, int scale) {
    const Puzzle& p = puzzles().at(std::size_t(questionOfPicture(picture) - 9));
    Images images = render(p, scale);
    return picture % 2 == 1 ? images.question : images.options;
}

ShownArea shownArea(int picture) {
    const Box& box = boxOf(picture);
    const Bitmap image = pictureImage(picture, 1);
    if (box.stretched)
        return {image.width(), image.height()};
    return {std::min(box.width, image.width()), std::min(box.height, image.height())};
}

std::string pictureFileName(int picture, int scale) {
    return std::to_string(picture) + (scale == 2 ? "@2x" : "") + ".gif";
}

int writePictures(const std::string& dir) {
    int written = 0;
    for (int n = 1; n <= kPictureCount; ++n)
        for (int scale : {1, 2}) {
            writeFile(dir + "/" + pictureFileName(n, scale), encodeGif(pictureImage(n, scale)));
            ++written;
        }
    return written;
}

QImage toImage(const Bitmap& bitmap) {
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            image.setPixel(x, y, bitmap.black(x, y) ? 0xff000000u : 0xffffffffu);
    return image;
}

QImage contactSheet() {
    constexpr int margin = 8, labelWidth = 40, gap = 16;
    std::vector<int> rowHeights;
    int height = margin, width = 0;
    for (int q = 9; q <= 33; ++q) {
        const int n = 2 * (q - 9) + 1;
        const ShownArea a = shownArea(n), b = shownArea(n + 1);
        rowHeights.push_back(std::max({a.height, b.height, 2 * kGlyphHeight * 2 + 4}) + margin);
        height += rowHeights.back();
        width = std::max(width, margin + labelWidth + a.width + gap + b.width + margin);
    }
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(0xffd4d0c8u); // the grey around a picture box
    QPainter painter(&sheet);
    int y = margin;
    for (int q = 9; q <= 33; ++q) {
        const int n = 2 * (q - 9) + 1;
        Bitmap label(labelWidth - 4, 2 * kGlyphHeight * 2 + 4);
        label.text(std::to_string(q).c_str(), 0, 0, 2);
        label.text(catalogue()[std::size_t(q - 9)].key.c_str(), 0, kGlyphHeight * 2 + 4, 2);
        painter.drawImage(margin, y, toImage(label));
        int x = margin + labelWidth;
        for (int picture : {n, n + 1}) {
            const ShownArea a = shownArea(picture);
            painter.drawImage(x, y,
                              toImage(pictureImage(picture, 1)).copy(0, 0, a.width, a.height));
            x += a.width + gap;
        }
        y += rowHeights[std::size_t(q - 9)];
    }
    return sheet;
}

} // namespace fig
