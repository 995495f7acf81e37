// SPDX-License-Identifier: MIT
#include "gif_writer.h"

#include <fstream>
#include <gif_lib.h>
#include <stdexcept>

namespace fig {
namespace {

int appendBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<unsigned char>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

[[noreturn]] void fail(const char* step, int error) {
    const char* message = GifErrorString(error);
    throw std::runtime_error(std::string("GIF ") + step + ": " + (message ? message : "unknown"));
}

} // namespace

std::vector<unsigned char> encodeGif(const Bitmap& bitmap) {
    std::vector<unsigned char> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendBytes, &error);
    if (!gif)
        fail("open", error);
    EGifSetGifVersion(gif, true);

    GifColorType colours[2] = {{255, 255, 255}, {0, 0, 0}};
    ColorMapObject* palette = GifMakeMapObject(2, colours);
    auto check = [&](int result, const char* step) {
        if (result == GIF_ERROR) {
            const int e = gif->Error;
            GifFreeMapObject(palette);
            EGifCloseFile(gif, &error);
            fail(step, e);
        }
    };
    check(EGifPutScreenDesc(gif, bitmap.width(), bitmap.height(), 1, 0, palette), "screen");
    check(EGifPutImageDesc(gif, 0, 0, bitmap.width(), bitmap.height(), false, nullptr), "image");
    std::vector<GifPixelType> row(std::size_t(bitmap.width()));
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x)
            row[std::size_t(x)] = bitmap.black(x, y) ? 1 : 0;
        check(EGifPutLine(gif, row.data(), bitmap.width()), "line");
    }
    GifFreeMapObject(palette);
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        fail("close", error);
    return out;
}

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

} // namespace fig
