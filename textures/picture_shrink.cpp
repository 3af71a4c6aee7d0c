#include "textures/picture_shrink.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// The power of two the upload rounds a side to, as gluBuild2DMipmaps does.
std::int64_t roundedSide(std::int64_t side) {
    std::int64_t power = 1;
    while (power * 2 <= side) power *= 2;
    return side >= power + power / 2 ? power * 2 : power;
}

}  // namespace

TextureSize shrunkTextureSize(int width, int height) {
    std::int64_t w = roundedSide(width), h = roundedSide(height);
    if (w <= kLargestTextureSide && h <= kLargestTextureSide) return {};
    while (w > kLargestTextureSide || h > kLargestTextureSide) {
        w = std::max<std::int64_t>(1, w / 2);
        h = std::max<std::int64_t>(1, h / 2);
    }
    return {static_cast<int>(w), static_cast<int>(h)};
}

std::vector<unsigned char> shrinkPicture(const RgbImage& picture, int width, int height) {
    const std::size_t fromWidth = static_cast<std::size_t>(picture.width);
    const std::size_t fromHeight = static_cast<std::size_t>(picture.height);
    const std::size_t toWidth = static_cast<std::size_t>(width), toHeight = static_cast<std::size_t>(height);
    // Texel x covers the picture's columns [first[x], first[x + 1]), at least one
    // since the picture is no narrower; likewise for the rows.
    std::vector<std::size_t> first(toWidth + 1);
    for (std::size_t x = 0; x <= toWidth; ++x) first[x] = x * fromWidth / toWidth;
    std::vector<unsigned char> texels(toWidth * toHeight * 3);
    std::vector<std::uint64_t> sums(toWidth * 3);
    for (std::size_t y = 0; y < toHeight; ++y) {
        const std::size_t bottom = y * fromHeight / toHeight, top = (y + 1) * fromHeight / toHeight;
        std::fill(sums.begin(), sums.end(), 0);
        for (std::size_t row = bottom; row < top; ++row) {
            const unsigned char* pixel = picture.pixels + row * fromWidth * 3;
            for (std::size_t x = 0; x < toWidth; ++x) {
                std::uint64_t* sum = &sums[x * 3];
                for (std::size_t column = first[x]; column < first[x + 1]; ++column, pixel += 3) {
                    sum[0] += pixel[0];
                    sum[1] += pixel[1];
                    sum[2] += pixel[2];
                }
            }
        }
        unsigned char* texel = &texels[y * toWidth * 3];
        for (std::size_t x = 0; x < toWidth; ++x) {
            const std::uint64_t count = (top - bottom) * (first[x + 1] - first[x]);
            for (int c = 0; c < 3; ++c) *texel++ = static_cast<unsigned char>((sums[x * 3 + c] + count / 2) / count);
        }
    }
    return texels;
}
