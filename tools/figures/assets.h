// SPDX-License-Identifier: MIT
// The shipped images: picture box N (1..50) shows image N; odd N are question figures, even N
// the options of the same question. Each comes at scale 1 and, for dense screens, at scale 2.
#pragma once

#include "bitmap.h"

#include <QImage>
#include <string>

namespace fig {

constexpr int kPictureCount = 50;

int questionOfPicture(int picture); // 9..33

// The inside of picture box N, and whether it stretches its image to fill it.
struct Box {
    int width, height;
    bool stretched;
};
Box boxOf(int picture);
Bitmap pictureImage(int picture, int scale);

// The part of image N that its picture box shows, in image pixels at scale 1.
struct ShownArea {
    int width, height;
};
ShownArea shownArea(int picture);

std::string pictureFileName(int picture, int scale); // "7.gif", "7@2x.gif"

// Writes every image into `dir`; returns the number of files written.
int writePictures(const std::string& dir);

// Each question's two figures side by side as the boxes show them, numbered, with the key.
QImage contactSheet();

QImage toImage(const Bitmap& bitmap);

} // namespace fig
