#pragma once
// Builds bitmap files byte by byte for the reader's tests and the fuzzer's
// seeds, so every header variant, depth and compression can be written exactly.

#include <cstdint>
#include <initializer_list>
#include <vector>

// What to put in one synthetic bitmap file.
struct DibLayout {
    bool fileHeader = true;
    bool coreHeader = false;
    std::uint32_t headerSize = 0;  // 0: 12 for a core header, 40 otherwise
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint32_t> masks;           // written right after the header
    std::vector<std::uint32_t> palette;         // 0x00RRGGBB per entry
    std::vector<std::uint8_t> bits;             // pixel bytes as stored
};

inline void putU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    putU16(out, v & 0xFFFFu);
    putU16(out, v >> 16);
}

inline std::vector<std::uint8_t> buildDib(const DibLayout& d) {
    std::vector<std::uint8_t> header;
    const std::uint32_t headerSize = d.headerSize ? d.headerSize : (d.coreHeader ? 12u : 40u);
    putU32(header, headerSize);
    if (d.coreHeader) {
        putU16(header, static_cast<std::uint16_t>(d.width));
        putU16(header, static_cast<std::uint16_t>(d.height));
        putU16(header, 1);
        putU16(header, d.bitsPerPixel);
    } else {
        putU32(header, static_cast<std::uint32_t>(d.width));
        putU32(header, static_cast<std::uint32_t>(d.height));
        putU16(header, 1);
        putU16(header, d.bitsPerPixel);
        putU32(header, d.compression);
        putU32(header, static_cast<std::uint32_t>(d.bits.size()));
        putU32(header, 2835);
        putU32(header, 2835);
        putU32(header, d.coloursUsed);
        putU32(header, 0);
        while (header.size() < headerSize) header.push_back(0);
    }
    for (std::uint32_t m : d.masks) putU32(header, m);
    for (std::uint32_t c : d.palette) {
        header.push_back(static_cast<std::uint8_t>(c));
        header.push_back(static_cast<std::uint8_t>(c >> 8));
        header.push_back(static_cast<std::uint8_t>(c >> 16));
        if (!d.coreHeader) header.push_back(0);
    }
    std::vector<std::uint8_t> file;
    if (d.fileHeader) {
        const std::uint32_t offset = 14 + static_cast<std::uint32_t>(header.size());
        file.push_back('B');
        file.push_back('M');
        putU32(file, offset + static_cast<std::uint32_t>(d.bits.size()));
        putU32(file, 0);
        putU32(file, offset);
    }
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), d.bits.begin(), d.bits.end());
    return file;
}

// Appends one stored row, padded with zeros to a multiple of 4 bytes (rows
// are added one after another from an empty vector).
inline void addRow(std::vector<std::uint8_t>& bits, std::initializer_list<std::uint8_t> row) {
    bits.insert(bits.end(), row.begin(), row.end());
    while (bits.size() % 4 != 0) bits.push_back(0);
}

// The bitmap a texture file holds: width x height, 24 bits, with file header.
inline std::vector<std::uint8_t> buildRgb24(int width, int height, const std::vector<std::uint8_t>& rgbBottomUp) {
    DibLayout d;
    d.width = width;
    d.height = height;
    const int stride = (width * 3 + 3) / 4 * 4;
    d.bits.assign(static_cast<std::size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                d.bits[y * stride + x * 3 + c] = rgbBottomUp[(y * width + x) * 3 + 2 - c];
    return buildDib(d);
}
