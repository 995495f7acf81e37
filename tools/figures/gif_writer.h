// SPDX-License-Identifier: MIT
// Writes a 1-bit bitmap as a GIF89a file: one frame, a two-entry global palette (white, black),
// no transparency. Qt reads GIF but cannot write it, hence giflib.
#pragma once

#include "bitmap.h"

#include <string>
#include <vector>

namespace fig {

// Throws std::runtime_error with giflib's message when encoding fails.
std::vector<unsigned char> encodeGif(const Bitmap& bitmap);

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes);

} // namespace fig
