// The bitmap reader against files written byte by byte: every depth and
// compression, both headers, the colour-table rules, and every refusal with its
// exact text.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <future>
#include <string>
#include <utility>
#include <vector>

#include "tests/textures/dib_builder.h"
#include "textures/dib_decode.h"
#include "textures/dib_reader.h"

// The reporter the reader starts with, taken before any test replaces it.
const DibErrorReporter initialReporter = dibErrorReporter;

namespace {

std::vector<std::pair<std::string, std::string>> reports;

void captureReport(const char* caption, const char* text) {
    reports.emplace_back(caption, text);
}

using Pixels = std::vector<std::uint8_t>;

// A temporary folder for the test's files, and a report catcher.
class DibReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dib_reader_test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        reports.clear();
        dibErrorReporter = captureReport;
        showDibErrors = true;
    }
    void TearDown() override {
        std::string command = "rm -rf '" + dir + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    std::string write(const std::vector<std::uint8_t>& bytes, const std::string& name = "pic.bmp") {
        const std::string path = dir + "/" + name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    // Loads through a file; expects success and no report.
    Pixels load(const std::vector<std::uint8_t>& bytes, int width, int height) {
        RgbImage* image = loadDibImageA(write(bytes).c_str());
        Pixels result;
        EXPECT_TRUE(reports.empty()) << reports.front().second;
        EXPECT_NE(image, nullptr);
        if (!image) return result;
        EXPECT_EQ(image->width, width);
        EXPECT_EQ(image->height, height);
        result.assign(image->pixels, image->pixels + static_cast<std::size_t>(image->width) * image->height * 3);
        freeRgbImage(image);
        return result;
    }

    // Loads through a file; expects a refusal with exactly one report.
    void expectRefused(const std::vector<std::uint8_t>& bytes, const std::string& text) {
        reports.clear();
        EXPECT_EQ(loadDibImageA(write(bytes).c_str()), nullptr);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].first, "Error");
        EXPECT_EQ(reports[0].second, text);
        reports.clear();
    }

    std::string dir;
};

// Palette colour for index i: easy to tell apart and to predict.
std::uint32_t paletteColour(unsigned i) {
    return ((i * 7 + 1) & 0xFF) << 16 | ((i * 13 + 2) & 0xFF) << 8 | ((255 - i) & 0xFF);
}

std::vector<std::uint32_t> makePalette(unsigned count) {
    std::vector<std::uint32_t> p;
    for (unsigned i = 0; i < count; ++i) p.push_back(paletteColour(i));
    return p;
}

// The RGB triples of palette indices (-1 = black), in output order.
Pixels indexed(std::initializer_list<int> indices) {
    Pixels out;
    for (int i : indices) {
        const std::uint32_t c = i < 0 ? 0 : paletteColour(static_cast<unsigned>(i));
        out.push_back(static_cast<std::uint8_t>(c >> 16));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c));
    }
    return out;
}

DibLayout rgb24Width5() {
    DibLayout d;
    d.width = 5;
    d.height = 2;
    // Bottom row then top row, stored blue, green, red.
    addRow(d.bits, {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13});
    addRow(d.bits, {23, 22, 21, 26, 25, 24, 29, 28, 27, 32, 31, 30, 35, 34, 33});
    return d;
}

const Pixels rgb24Width5Expected = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                    21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35};

TEST_F(DibReaderTest, TwentyFourBitRowsArePackedBottomRowFirstInRgbOrder) {
    DibLayout d = rgb24Width5();
    EXPECT_EQ(d.bits.size(), 32u);  // rows padded to 16 bytes in the file
    EXPECT_EQ(load(buildDib(d), 5, 2), rgb24Width5Expected);
    d.fileHeader = false;
    EXPECT_EQ(load(buildDib(d), 5, 2), rgb24Width5Expected);
    d.coreHeader = true;
    EXPECT_EQ(load(buildDib(d), 5, 2), rgb24Width5Expected);
}

TEST_F(DibReaderTest, TopDownPictureComesOutBottomRowFirstWithPositiveHeight) {
    DibLayout d = rgb24Width5();
    d.height = -2;
    std::swap_ranges(d.bits.begin(), d.bits.begin() + 16, d.bits.begin() + 16);
    EXPECT_EQ(load(buildDib(d), 5, 2), rgb24Width5Expected);
}

TEST_F(DibReaderTest, PaletteDepthsReadBitsFromTheHighEnd) {
    DibLayout one;
    one.width = 10;
    one.height = 1;
    one.bitsPerPixel = 1;
    one.palette = makePalette(2);
    addRow(one.bits, {0b10110000, 0b01000000});
    EXPECT_EQ(load(buildDib(one), 10, 1), indexed({1, 0, 1, 1, 0, 0, 0, 0, 0, 1}));

    DibLayout four;
    four.width = 3;
    four.height = 2;
    four.bitsPerPixel = 4;
    four.palette = makePalette(16);
    addRow(four.bits, {0x1F, 0x20});
    addRow(four.bits, {0x34, 0x5F});
    EXPECT_EQ(load(buildDib(four), 3, 2), indexed({1, 15, 2, 3, 4, 5}));

    DibLayout eight;
    eight.width = 5;
    eight.height = 1;
    eight.bitsPerPixel = 8;
    eight.palette = makePalette(256);
    addRow(eight.bits, {0, 255, 7, 128, 9});
    const Pixels expected = indexed({0, 255, 7, 128, 9});
    EXPECT_EQ(load(buildDib(eight), 5, 1), expected);
    eight.fileHeader = false;
    EXPECT_EQ(load(buildDib(eight), 5, 1), expected);
}

TEST_F(DibReaderTest, CoreHeaderTakesThreeByteColourEntries) {
    for (bool core : {false, true}) {
        for (bool fileHeader : {false, true}) {
            DibLayout d;
            d.coreHeader = core;
            d.fileHeader = fileHeader;
            d.width = 3;
            d.height = 2;
            d.bitsPerPixel = 8;
            d.palette = makePalette(256);
            addRow(d.bits, {10, 20, 30});
            addRow(d.bits, {40, 50, 60});
            SCOPED_TRACE(std::to_string(core) + std::to_string(fileHeader));
            EXPECT_EQ(load(buildDib(d), 3, 2), indexed({10, 20, 30, 40, 50, 60}));
        }
    }
}

TEST_F(DibReaderTest, ColoursUsedSetsTheTableLength) {
    // 4 bits with 3 colours: the pixels follow the third entry, index 5 is black.
    DibLayout d;
    d.fileHeader = false;
    d.width = 4;
    d.height = 1;
    d.bitsPerPixel = 4;
    d.coloursUsed = 3;
    d.palette = makePalette(3);
    addRow(d.bits, {0x01, 0x25});
    EXPECT_EQ(load(buildDib(d), 4, 1), indexed({0, 1, 2, -1}));

    // Only the low 16 bits count: 0x10002 means 2 entries.
    d.coloursUsed = 0x10002;
    d.palette = makePalette(2);
    EXPECT_EQ(load(buildDib(d), 4, 1), indexed({0, 1, -1, -1}));

    // Colours-used 0 on a 1-bit core picture means 2 entries.
    DibLayout core;
    core.coreHeader = true;
    core.fileHeader = false;
    core.width = 2;
    core.height = 1;
    core.bitsPerPixel = 1;
    core.palette = makePalette(2);
    addRow(core.bits, {0x40});
    EXPECT_EQ(load(buildDib(core), 2, 1), indexed({0, 1}));

    // A table on a 24-bit picture is skipped over.
    DibLayout rgb = rgb24Width5();
    rgb.fileHeader = false;
    rgb.coloursUsed = 2;
    rgb.palette = makePalette(2);
    EXPECT_EQ(load(buildDib(rgb), 5, 2), rgb24Width5Expected);
}

TEST_F(DibReaderTest, SixteenBitChannelsStretchToFullRange) {
    DibLayout d;
    d.width = 4;
    d.height = 1;
    d.bitsPerPixel = 16;
    addRow(d.bits, {0xFF, 0x7F, 0x00, 0x7C, 0x10, 0x00, 0x00, 0x80});
    // 0x7FFF white, 0x7C00 red, blue 16 of 31, top bit ignored.
    EXPECT_EQ(load(buildDib(d), 4, 1), (Pixels{255, 255, 255, 255, 0, 0, 0, 0, 132, 0, 0, 0}));

    d.compression = 3;
    d.masks = {0xF800, 0x07E0, 0x001F};
    d.bits.clear();
    addRow(d.bits, {0x00, 0xF8, 0xE0, 0x07, 0x00, 0x04, 0x1F, 0x00});
    // 5-6-5: full red, full green, green 32 of 63, full blue.
    EXPECT_EQ(load(buildDib(d), 4, 1), (Pixels{255, 0, 0, 0, 255, 0, 0, 130, 0, 0, 0, 255}));
}

TEST_F(DibReaderTest, ThirtyTwoBitIgnoresFourthByteUnlessMasksSayOtherwise) {
    DibLayout d;
    d.width = 2;
    d.height = 1;
    d.bitsPerPixel = 32;
    addRow(d.bits, {1, 2, 3, 99, 200, 100, 50, 255});
    EXPECT_EQ(load(buildDib(d), 2, 1), (Pixels{3, 2, 1, 50, 100, 200}));

    // Ten-bit channels, red in the top bits.
    d.compression = 3;
    d.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    d.bits.clear();
    putU32(d.bits, 0x3FFFFFFF);
    putU32(d.bits, (512u << 20) | 1023u);
    EXPECT_EQ(load(buildDib(d), 2, 1), (Pixels{255, 255, 255, 128, 0, 255}));

    // Alpha in the low byte: the colour sits in the upper three.
    d.masks = {0xFF000000, 0x00FF0000, 0x0000FF00};
    d.bits.clear();
    putU32(d.bits, 0x102030FF);
    putU32(d.bits, 0xAABBCC00);
    EXPECT_EQ(load(buildDib(d), 2, 1), (Pixels{0x10, 0x20, 0x30, 0xAA, 0xBB, 0xCC}));
}

TEST_F(DibReaderTest, RunLengthEightHonoursEveryEscape) {
    DibLayout d;
    d.width = 6;
    d.height = 3;
    d.bitsPerPixel = 8;
    d.compression = 1;
    d.palette = makePalette(256);
    d.bits = {3, 5,                // three of 5
              0, 3, 7, 8, 9, 0,    // absolute 7 8 9, padded
              0, 0,                // end of line
              0, 2, 2, 1,          // jump 2 right, 1 up
              2, 10,               // two of 10
              0, 1};               // end of picture
    EXPECT_EQ(load(buildDib(d), 6, 3),
              indexed({5, 5, 5, 7, 8, 9, -1, -1, -1, -1, -1, -1, -1, -1, 10, 10, -1, -1}));

    // A run longer than the row is cut at the row's end, and the stream may end
    // with the last end of line instead of an end of picture.
    d.height = 1;
    d.bits = {9, 4, 0, 0};
    EXPECT_EQ(load(buildDib(d), 6, 1), indexed({4, 4, 4, 4, 4, 4}));
}

TEST_F(DibReaderTest, RunLengthFourAlternatesNibbles) {
    DibLayout d;
    d.width = 5;
    d.height = 2;
    d.bitsPerPixel = 4;
    d.compression = 2;
    d.palette = makePalette(16);
    d.bits = {5, 0x12,            // 1 2 1 2 1
              0, 0,               // end of line
              0, 3, 0x34, 0x50,   // absolute 3 4 5
              1, 0x60,            // one 6
              0, 1};              // end of picture, last pixel stays black
    EXPECT_EQ(load(buildDib(d), 5, 2), indexed({1, 2, 1, 2, 1, 3, 4, 5, 6, -1}));

    // An odd absolute run of five nibbles is padded to four bytes.
    d.height = 1;
    d.bits = {0, 5, 0x12, 0x34, 0x50, 0x00, 0, 1};
    EXPECT_EQ(load(buildDib(d), 5, 1), indexed({1, 2, 3, 4, 5}));
}

TEST_F(DibReaderTest, UnknownHeadersAndEncodingsAreRefused) {
    for (std::uint32_t size : {4u, 16u, 64u, 108u, 124u}) {
        DibLayout d = rgb24Width5();
        d.headerSize = size;
        SCOPED_TRACE(size);
        expectRefused(buildDib(d), "Unknown DIB file format.");
    }
    struct Encoding {
        std::uint16_t bits;
        std::uint32_t compression;
    };
    for (Encoding e : {Encoding{24, 4}, Encoding{8, 5}, Encoding{4, 1}, Encoding{8, 2}, Encoding{24, 3},
                       Encoding{8, 3}, Encoding{2, 0}, Encoding{0, 0}, Encoding{32, 6}}) {
        DibLayout d = rgb24Width5();
        d.bitsPerPixel = e.bits;
        d.compression = e.compression;
        d.masks = {0xFF, 0xFF00, 0xFF0000};
        if (e.bits == 4 || e.bits == 8) d.palette = makePalette(1u << e.bits);
        SCOPED_TRACE(std::to_string(e.bits) + " " + std::to_string(e.compression));
        expectRefused(buildDib(d), "Image file conversion error.");
    }
}

TEST_F(DibReaderTest, EmptyOrHugeSizesAreRefusedWithoutAllocating) {
    DibLayout d = rgb24Width5();
    for (std::pair<int, int> size : {std::pair{0, 2}, std::pair{5, 0}, std::pair{-5, 2}}) {
        d.width = size.first;
        d.height = size.second;
        expectRefused(buildDib(d), "Image file conversion error.");
    }
    // 10000 x 10000 x 3 is over 256 MiB; 9000 x 9000 x 3 would fit but the file is short.
    d.width = 10000;
    d.height = 10000;
    expectRefused(buildDib(d), "Out of memory.");
    d.width = 9000;
    d.height = 9000;
    expectRefused(buildDib(d), "Image file conversion error.");
    // The limit is 256 MiB exactly: one row of 89478485 pixels fits, one more does not.
    d.height = 1;
    d.width = 89478485;
    expectRefused(buildDib(d), "Image file conversion error.");
    d.width = 89478486;
    expectRefused(buildDib(d), "Out of memory.");
}

TEST_F(DibReaderTest, EveryTruncationIsRefusedWithTheRightText) {
    // 8 bits, 4 colours, no file header: 40 header + 16 table + 8 pixel bytes.
    DibLayout d;
    d.fileHeader = false;
    d.width = 3;
    d.height = 2;
    d.bitsPerPixel = 8;
    d.coloursUsed = 4;
    d.palette = makePalette(4);
    addRow(d.bits, {0, 1, 2});
    addRow(d.bits, {3, 2, 1});
    const std::vector<std::uint8_t> full = buildDib(d);
    ASSERT_EQ(full.size(), 64u);
    load(full, 3, 2);
    for (std::size_t n = 1; n < full.size(); ++n) {
        SCOPED_TRACE(n);
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<long>(n));
        expectRefused(cut, n < 56 ? "Unknown DIB file format." : "Image file conversion error.");
        // The same bytes in an exactly sized buffer, so a sanitizer sees any over-read.
        auto* exact = new unsigned char[n];
        std::copy(cut.begin(), cut.end(), exact);
        EXPECT_EQ(decodeDibImage(exact, n), nullptr);
        delete[] exact;
        EXPECT_EQ(reports.size(), 1u);
        reports.clear();
    }

    // With the file header the pixels are found through its offset.
    const std::vector<std::uint8_t> rgb = buildDib(rgb24Width5());
    for (std::size_t n = 1; n < rgb.size(); ++n) {
        SCOPED_TRACE(n);
        expectRefused(std::vector<std::uint8_t>(rgb.begin(), rgb.begin() + static_cast<long>(n)),
                      n < 54 ? "Unknown DIB file format." : "Image file conversion error.");
    }

    // Masks cut short, and an offset pointing past the end.
    DibLayout masked;
    masked.bitsPerPixel = 16;
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0, 0x001F};
    addRow(masked.bits, {0, 0});
    const std::vector<std::uint8_t> m = buildDib(masked);
    expectRefused(std::vector<std::uint8_t>(m.begin(), m.begin() + 60), "Unknown DIB file format.");
    std::vector<std::uint8_t> farOffset = buildDib(rgb24Width5());
    farOffset[10] = 0xFF;
    farOffset[11] = 0xFF;
    expectRefused(farOffset, "Image file conversion error.");
}

TEST_F(DibReaderTest, RunLengthStreamCutShortIsRefused) {
    DibLayout d;
    d.width = 4;
    d.height = 2;
    d.bitsPerPixel = 8;
    d.compression = 1;
    d.palette = makePalette(256);
    for (auto bits : {std::vector<std::uint8_t>{4, 1, 0, 0, 2},        // cut inside a pair
                      std::vector<std::uint8_t>{4, 1, 0, 0},           // no second row
                      std::vector<std::uint8_t>{0, 4, 1, 2},           // absolute run cut
                      std::vector<std::uint8_t>{0, 2, 1},              // jump cut
                      std::vector<std::uint8_t>{}}) {
        d.bits = bits;
        expectRefused(buildDib(d), "Image file conversion error.");
    }
}

TEST_F(DibReaderTest, OpenFailuresNameTheFile) {
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    EXPECT_EQ(loadDibImageA("Textures/x.bmp"), nullptr);
    EXPECT_EQ(loadDibImage(u"Textures/x.bmp", true), nullptr);
    ASSERT_EQ(chdir(cwd), 0);
    ASSERT_EQ(reports.size(), 2u);
    for (const auto& report : reports) {
        EXPECT_EQ(report.first, "Error");
        EXPECT_EQ(report.second, "Failed to open DIB file Textures/x.bmp.\n");
    }
    reports.clear();

    const std::string empty = write({}, "empty.bmp");
    EXPECT_EQ(loadDibImageA(empty.c_str()), nullptr);
    EXPECT_EQ(loadDibImageA(dir.c_str()), nullptr);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].second, "Failed to open DIB file " + empty + ".\n");
    EXPECT_EQ(reports[1].second, "Failed to open DIB file " + dir + ".\n");
    reports.clear();

    // A FIFO named like a picture is refused at once instead of waiting for a writer.
    const std::string fifo = dir + "/fifo.bmp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto loading = std::async(std::launch::async, [&fifo] { return loadDibImageA(fifo.c_str()); });
    if (loading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "the reader still waits on a FIFO after 5 s";
        const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // lets the waiting open return
        loading.wait();
        if (writer >= 0) close(writer);
    }
    EXPECT_EQ(loading.get(), nullptr);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].second, "Failed to open DIB file " + fifo + ".\n");
    reports.clear();

    const std::string longName(400, 'n');
    EXPECT_EQ(loadDibImageA(longName.c_str()), nullptr);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].second, "Failed to open DIB file " + longName.substr(0, 239 - 24));
}

TEST_F(DibReaderTest, WideNamesOpenTheSameFile) {
    write(buildDib(rgb24Width5()), "p\xC3\xA9.bmp");  // UTF-8 for U+00E9
    const std::u16string wide = u"/p\u00E9.bmp";
    std::u16string path(dir.begin(), dir.end());
    path += wide;
    RgbImage* image = loadDibImage(path.c_str(), true);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(Pixels(image->pixels, image->pixels + 30), rgb24Width5Expected);
    freeRgbImage(image);
    EXPECT_TRUE(reports.empty());
}

TEST_F(DibReaderTest, ReportsOnlyWhileSwitchedOnAndByDefaultToStandardError) {
    showDibErrors = false;
    EXPECT_EQ(loadDibImageA("/nonexistent/x.bmp"), nullptr);
    EXPECT_TRUE(reports.empty());
    showDibErrors = true;

    dibErrorReporter = initialReporter;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(loadDibImageA("/nonexistent/x.bmp"), nullptr);
    const std::string text = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(text.find("Error"), std::string::npos);
    EXPECT_NE(text.find("Failed to open DIB file /nonexistent/x.bmp."), std::string::npos);
}

}  // namespace
