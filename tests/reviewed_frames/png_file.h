#pragma once
// 8-bit RGB PNG files for the reference frames (libpng's simplified interface).

#include <cstdint>
#include <string>
#include <vector>

struct RgbFrame {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // rows top first, 3 bytes a pixel
};

bool readPng(const std::string& path, RgbFrame* frame);
bool writePng(const std::string& path, const RgbFrame& frame);
