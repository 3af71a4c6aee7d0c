// libFuzzer entry for the bitmap reader: any bytes at all must either decode to
// a picture of the stated size or be refused with one report, never read
// outside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "textures/dib_decode.h"

namespace {
int reports = 0;
void countReport(const char*, const char*) {
    ++reports;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Pictures of many megabytes only cost time here; the limit check itself is the same.
    dibPixelLimit = std::size_t(4) << 20;
    dibErrorReporter = countReport;
    showDibErrors = true;
    reports = 0;
    RgbImage* image = decodeDibImage(data, size);
    if (image) {
        if (reports != 0 || image->width <= 0 || image->height <= 0 || !image->pixels) std::abort();
        // Touch the last byte so a buffer shorter than width * height * 3 shows up.
        const std::size_t bytes = static_cast<std::size_t>(image->width) * image->height * 3;
        volatile unsigned char last = image->pixels[bytes - 1];
        (void)last;
        freeRgbImage(image);
    } else if (reports != 1) {
        std::abort();
    }
    return 0;
}
