#pragma once
// Pictures larger than any surface of the room needs are shrunk before they
// become textures. The upload rounds each side to a power of two and keeps a
// mipmap chain, so a picture near the 64 MiB cap would cost several times that
// (and seconds of rescaling); shrunk, no texture side exceeds 1024 and nine
// textures take at most about 50 MiB. No GL here.

#include <vector>

#include "textures/dib_reader.h"

// Sides of a texture, in texels.
struct TextureSize {
    int width = 0;
    int height = 0;
};

// The longest side a texture of the room is given: over one and a half times the
// width of the 640 x 480 window, the most a surface of the room spans there.
constexpr int kLargestTextureSide = 1024;

// The size to shrink a width x height picture to before its upload, or {0, 0}
// when it goes up as it is. The upload rounds each side to the nearest power of
// two (one and a half times a power rounds up); when that gives a side over
// kLargestTextureSide, both rounded sides are halved together (down to 1 at
// least) until neither does, so the picture keeps the shape it would have had.
TextureSize shrunkTextureSize(int width, int height);

// The picture averaged down to width x height texels (neither more than the
// picture's own side): each texel the mean of the pixels its part of the
// picture covers. Packed R G B rows, bottom row first, as the reader gives them.
std::vector<unsigned char> shrinkPicture(const RgbImage& picture, int width, int height);
