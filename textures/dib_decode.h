#pragma once
// Decoding of a bitmap that already lies in memory. loadDibImage maps the file
// and hands its bytes here; the fuzzer and the tests call it directly.

#include <cstddef>

#include "textures/dib_reader.h"

// Decodes `size` bytes of a bitmap (with or without its 14-byte file header).
// Returns a new image, or nullptr after reporting the failure (never reads
// outside data[0..size)).
RgbImage* decodeDibImage(const unsigned char* data, std::size_t size);

// Largest pixel buffer the reader will allocate: 256 MiB. Larger pictures are
// refused before anything is allocated. The fuzzer lowers it to stay fast.
constexpr std::size_t defaultDibPixelLimit = std::size_t(256) << 20;
extern std::size_t dibPixelLimit;
