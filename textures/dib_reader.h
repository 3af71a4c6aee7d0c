#pragma once
// Reads a Windows bitmap (with or without its 14-byte file header) into packed
// 24-bit RGB rows, bottom row first. The only reader of files a user can replace.

#include <cstdint>

struct RgbImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    unsigned char* pixels = nullptr;  // width * height * 3 bytes, R G B, bottom row first
};

// `name` is a char string, or a char16_t string when nameIsWide is true.
// Returns a new image, or nullptr after reporting the failure.
RgbImage* loadDibImage(const void* name, bool nameIsWide);
RgbImage* loadDibImageA(const char* name);
// Releases the pixel buffer and then the record.
void freeRgbImage(RgbImage* image);

// While on, every failure is reported once through dibErrorReporter.
extern bool showDibErrors;
// Shows one failure (caption "Error"). The game installs a message box; the
// default writes to standard error; tests capture the text.
using DibErrorReporter = void (*)(const char* caption, const char* text);
extern DibErrorReporter dibErrorReporter;
