#include "textures/dib_reader.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "textures/dib_decode.h"

namespace {

const char* const unknownFormatText = "Unknown DIB file format.";
const char* const conversionErrorText = "Image file conversion error.";
const char* const outOfMemoryText = "Out of memory.";

// Compression codes of the info header.
constexpr std::uint32_t compressionRgb = 0;
constexpr std::uint32_t compressionRle8 = 1;
constexpr std::uint32_t compressionRle4 = 2;
constexpr std::uint32_t compressionBitFields = 3;

constexpr std::size_t fileHeaderSize = 14;
constexpr std::uint32_t coreHeaderSize = 12;
constexpr std::uint32_t infoHeaderSize = 40;

void writeToStandardError(const char* caption, const char* text) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
}

void reportDibError(const char* text) {
    if (showDibErrors && dibErrorReporter) dibErrorReporter("Error", text);
}

std::uint16_t readU16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t readU32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// One colour channel of a 16- or 32-bit pixel: where its bits lie and how far
// they reach, so that any mask width can be stretched to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;
};

Channel makeChannel(std::uint32_t mask) {
    Channel c;
    if (mask == 0) return c;
    c.mask = mask;
    while (((mask >> c.shift) & 1u) == 0) ++c.shift;
    c.max = mask >> c.shift;
    return c;
}

unsigned char scaleChannel(const Channel& c, std::uint32_t pixel) {
    if (c.max == 0) return 0;
    const std::uint64_t value = (pixel & c.mask) >> c.shift;
    return static_cast<unsigned char>((value * 255 + c.max / 2) / c.max);
}

// Everything the row decoders need to know about one source bitmap, taken from
// its headers once they have been checked against the file's length.
struct DibSource {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // always positive here
    bool topDown = false;
    unsigned bitsPerPixel = 0;
    std::uint32_t compression = compressionRgb;
    const unsigned char* palette = nullptr;
    std::uint32_t colourCount = 0;
    unsigned entrySize = 4;
    Channel red, green, blue;
    std::size_t bitsOffset = 0;
};

// Output rows are bottom row first; `fileRow` counts rows in the order the file
// stores them.
unsigned char* outputRow(const DibSource& src, unsigned char* pixels, std::int64_t fileRow) {
    const std::int64_t row = src.topDown ? src.height - 1 - fileRow : fileRow;
    return pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(src.width) * 3;
}

void putIndexed(const DibSource& src, unsigned char* out, std::uint32_t index) {
    if (index >= src.colourCount) {
        out[0] = out[1] = out[2] = 0;
        return;
    }
    const unsigned char* entry = src.palette + static_cast<std::size_t>(index) * src.entrySize;
    out[0] = entry[2];
    out[1] = entry[1];
    out[2] = entry[0];
}

void decodeUncompressedRow(const DibSource& src, const unsigned char* in, unsigned char* out) {
    const std::int64_t width = src.width;
    switch (src.bitsPerPixel) {
    case 1:
        for (std::int64_t x = 0; x < width; ++x)
            putIndexed(src, out + x * 3, (in[x >> 3] >> (7 - (x & 7))) & 1u);
        break;
    case 4:
        for (std::int64_t x = 0; x < width; ++x)
            putIndexed(src, out + x * 3, (x & 1) ? (in[x >> 1] & 0x0Fu) : (in[x >> 1] >> 4));
        break;
    case 8:
        for (std::int64_t x = 0; x < width; ++x) putIndexed(src, out + x * 3, in[x]);
        break;
    case 16:
        for (std::int64_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = readU16(in + x * 2);
            out[x * 3] = scaleChannel(src.red, pixel);
            out[x * 3 + 1] = scaleChannel(src.green, pixel);
            out[x * 3 + 2] = scaleChannel(src.blue, pixel);
        }
        break;
    case 24:
        for (std::int64_t x = 0; x < width; ++x) {
            out[x * 3] = in[x * 3 + 2];
            out[x * 3 + 1] = in[x * 3 + 1];
            out[x * 3 + 2] = in[x * 3];
        }
        break;
    case 32:
        for (std::int64_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = readU32(in + x * 4);
            out[x * 3] = scaleChannel(src.red, pixel);
            out[x * 3 + 1] = scaleChannel(src.green, pixel);
            out[x * 3 + 2] = scaleChannel(src.blue, pixel);
        }
        break;
    default:
        break;
    }
}

std::uint64_t rowStride(const DibSource& src) {
    return (static_cast<std::uint64_t>(src.bitsPerPixel) * src.width + 31) / 32 * 4;
}

// Whether the file holds all the rows an uncompressed picture declares.
bool haveAllRows(const DibSource& src) {
    const std::uint64_t needed = rowStride(src) * static_cast<std::uint64_t>(src.height);
    return src.bitsOffset <= src.size && needed <= src.size - src.bitsOffset;
}

void decodeUncompressed(const DibSource& src, unsigned char* pixels) {
    const std::uint64_t stride = rowStride(src);
    const unsigned char* in = src.data + src.bitsOffset;
    for (std::int64_t row = 0; row < src.height; ++row, in += stride)
        decodeUncompressedRow(src, in, outputRow(src, pixels, row));
}

// Run-length codes of 8- and 4-bit pictures: runs, absolute runs and the
// escapes for end of line, end of picture and a jump ahead. Pixels never
// written stay black. Running out of data before the last row is an error.
bool decodeRunLength(const DibSource& src, unsigned char* pixels) {
    const bool fourBit = src.compression == compressionRle4;
    const unsigned char* data = src.data;
    const std::size_t end = src.size;
    std::size_t pos = src.bitsOffset;
    if (pos > end) return false;
    std::int64_t x = 0;
    std::int64_t y = 0;
    auto put = [&](std::uint32_t index) {
        if (x < src.width && y < src.height) putIndexed(src, outputRow(src, pixels, y) + x * 3, index);
        ++x;
    };
    while (y < src.height) {
        if (end - pos < 2) return false;
        const unsigned count = data[pos];
        const unsigned value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(fourBit ? ((i & 1) ? (value & 0x0Fu) : (value >> 4)) : value);
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++y;
            break;
        case 1:  // end of picture
            return true;
        case 2:  // jump right and up
            if (end - pos < 2) return false;
            x += data[pos];
            y += data[pos + 1];
            pos += 2;
            break;
        default: {  // absolute run of `value` pixels, padded to a 16-bit boundary
            const std::size_t bytes = fourBit ? (value + 1) / 2 : value;
            if (end - pos < bytes) return false;
            for (unsigned i = 0; i < value; ++i) {
                const unsigned char b = data[pos + (fourBit ? i / 2 : i)];
                put(fourBit ? ((i & 1) ? (b & 0x0Fu) : (b >> 4)) : b);
            }
            const std::size_t padded = (bytes + 1) & ~std::size_t(1);
            pos += padded <= end - pos ? padded : bytes;
            break;
        }
        }
    }
    return true;
}

// Reads and checks the headers; on failure returns the text to report.
const char* readHeaders(const unsigned char* data, std::size_t size, DibSource& src) {
    src.data = data;
    src.size = size;
    std::size_t header = 0;
    bool haveFileHeader = false;
    std::uint32_t bitsOffset = 0;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        if (size < fileHeaderSize) return unknownFormatText;
        bitsOffset = readU32(data + 10);
        header = fileHeaderSize;
        haveFileHeader = true;
    }
    if (size - header < 4) return unknownFormatText;
    const std::uint32_t headerSize = readU32(data + header);
    if (headerSize != coreHeaderSize && headerSize != infoHeaderSize) return unknownFormatText;
    if (size - header < headerSize) return unknownFormatText;

    const unsigned char* h = data + header;
    std::uint32_t coloursUsed = 0;
    std::size_t masksSize = 0;
    if (headerSize == coreHeaderSize) {
        src.width = readU16(h + 4);
        src.height = readU16(h + 6);
        src.bitsPerPixel = readU16(h + 10);
        src.entrySize = 3;
    } else {
        src.width = static_cast<std::int32_t>(readU32(h + 4));
        const std::int64_t height = static_cast<std::int32_t>(readU32(h + 8));
        src.topDown = height < 0;
        src.height = height < 0 ? -height : height;
        src.bitsPerPixel = readU16(h + 14);
        src.compression = readU32(h + 16);
        coloursUsed = readU32(h + 32);
        src.entrySize = 4;
        if (src.compression == compressionBitFields) masksSize = 12;
    }

    if (coloursUsed != 0)
        src.colourCount = coloursUsed & 0xFFFFu;
    else if (src.bitsPerPixel == 1)
        src.colourCount = 2;
    else if (src.bitsPerPixel == 4)
        src.colourCount = 16;
    else if (src.bitsPerPixel == 8)
        src.colourCount = 256;
    else
        src.colourCount = 0;

    const std::size_t masksAt = header + headerSize;
    const std::size_t paletteAt = masksAt + masksSize;
    const std::size_t paletteEnd = paletteAt + static_cast<std::size_t>(src.colourCount) * src.entrySize;
    if (paletteEnd > size) return unknownFormatText;
    src.palette = data + paletteAt;
    src.bitsOffset = haveFileHeader ? bitsOffset : paletteEnd;

    if (masksSize) {
        src.red = makeChannel(readU32(data + masksAt));
        src.green = makeChannel(readU32(data + masksAt + 4));
        src.blue = makeChannel(readU32(data + masksAt + 8));
    } else if (src.bitsPerPixel == 16) {
        src.red = makeChannel(0x7C00);
        src.green = makeChannel(0x03E0);
        src.blue = makeChannel(0x001F);
    } else {
        src.red = makeChannel(0xFF0000);
        src.green = makeChannel(0x00FF00);
        src.blue = makeChannel(0x0000FF);
    }
    return nullptr;
}

// Depth and compression pairs that the published format defines.
bool supportedEncoding(const DibSource& src) {
    switch (src.compression) {
    case compressionRgb:
        return src.bitsPerPixel == 1 || src.bitsPerPixel == 4 || src.bitsPerPixel == 8 ||
               src.bitsPerPixel == 16 || src.bitsPerPixel == 24 || src.bitsPerPixel == 32;
    case compressionRle8:
        return src.bitsPerPixel == 8;
    case compressionRle4:
        return src.bitsPerPixel == 4;
    case compressionBitFields:
        return src.bitsPerPixel == 16 || src.bitsPerPixel == 32;
    default:
        return false;
    }
}

std::string utf16ToUtf8(const char16_t* name) {
    std::string out;
    if (!name) return out;
    for (std::size_t i = 0; name[i] != 0; ++i) {
        std::uint32_t c = name[i];
        if (c >= 0xD800 && c <= 0xDBFF && name[i + 1] >= 0xDC00 && name[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (name[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void reportOpenFailure(const std::string& path) {
    char text[240];
    std::snprintf(text, sizeof text, "Failed to open DIB file %s.\n", path.c_str());
    reportDibError(text);
}

}  // namespace

bool showDibErrors = true;
std::size_t dibPixelLimit = defaultDibPixelLimit;
DibErrorReporter dibErrorReporter = writeToStandardError;

RgbImage* decodeDibImage(const unsigned char* data, std::size_t size) {
    DibSource src;
    if (const char* failure = readHeaders(data, size, src)) {
        reportDibError(failure);
        return nullptr;
    }
    if (!supportedEncoding(src) || src.width <= 0 || src.height <= 0) {
        reportDibError(conversionErrorText);
        return nullptr;
    }
    const std::uint64_t bytes = static_cast<std::uint64_t>(src.width) * static_cast<std::uint64_t>(src.height) * 3;
    if (bytes > dibPixelLimit) {
        reportDibError(outOfMemoryText);
        return nullptr;
    }
    const bool runLength = src.compression == compressionRle8 || src.compression == compressionRle4;
    if (!runLength && !haveAllRows(src)) {
        reportDibError(conversionErrorText);
        return nullptr;
    }
    auto* pixels = static_cast<unsigned char*>(std::calloc(static_cast<std::size_t>(bytes), 1));
    if (!pixels) {
        reportDibError(outOfMemoryText);
        return nullptr;
    }
    if (runLength && !decodeRunLength(src, pixels)) {
        std::free(pixels);
        reportDibError(conversionErrorText);
        return nullptr;
    }
    if (!runLength) decodeUncompressed(src, pixels);
    auto* image = new (std::nothrow) RgbImage;
    if (!image) {
        std::free(pixels);
        reportDibError(outOfMemoryText);
        return nullptr;
    }
    image->width = static_cast<std::int32_t>(src.width);
    image->height = static_cast<std::int32_t>(src.height);
    image->pixels = pixels;
    return image;
}

RgbImage* loadDibImage(const void* name, bool nameIsWide) {
    const std::string path = nameIsWide ? utf16ToUtf8(static_cast<const char16_t*>(name))
                                        : std::string(name ? static_cast<const char*>(name) : "");
    // Without blocking: opening a FIFO with no writer would wait for ever. Only
    // a regular file is read; anything else counts as a file that cannot be opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    void* view = MAP_FAILED;
    std::size_t size = 0;
    if (fd >= 0) {
        struct stat info;
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
            size = static_cast<std::size_t>(info.st_size);
            view = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        }
    }
    if (view == MAP_FAILED) {
        if (fd >= 0) ::close(fd);
        reportOpenFailure(path);
        return nullptr;
    }
    RgbImage* image = decodeDibImage(static_cast<const unsigned char*>(view), size);
    ::munmap(view, size);
    ::close(fd);
    return image;
}

RgbImage* loadDibImageA(const char* name) {
    return loadDibImage(name, false);
}

void freeRgbImage(RgbImage* image) {
    if (!image) return;
    std::free(image->pixels);
    image->pixels = nullptr;
    delete image;
}
