// The nine room textures loaded into a real GL context from a copy of the
// shipped Textures folder: names, images, mipmaps, row alignment, and a
// missing file, pictures too large for a texture.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/gl_test_window.h"
#include "tests/textures/dib_builder.h"
#include "textures/dib_reader.h"
#include "textures/room_pictures.h"
#include "textures/texture_set.h"

namespace {

std::vector<std::string> reports;

void captureReport(const char*, const char* text) {
    reports.emplace_back(text);
}

const char* const pictureNames[9] = {"Wall2", "Pol", "Wall3", "Wall4", "Stol",
                                     "Help3", "GreenWins", "PinkWins", "landscape2"};

unsigned int* const textureOf[9] = {&wall2Texture, &polTexture,       &wall3Texture,
                                    &wall4Texture, &stolTexture,      &help3Texture,
                                    &greenWinsTexture, &pinkWinsTexture, &landscape2Texture};

GLint levelWidth(unsigned int texture, int level, GLenum side = GL_TEXTURE_WIDTH) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, side, &width);
    return width;
}

// A window, and a working folder holding a copy of Textures/ as the current directory.
class TextureSetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(openTestWindow());
    }
    static void TearDownTestSuite() {
        closeTestWindow();
    }
    void SetUp() override {
        char pattern[] = "/tmp/texture_set_test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        const std::string copy = "cp -r '" DRAUGHTS_SOURCE_DIR "/Textures' '" + dir + "/'";
        ASSERT_EQ(std::system(copy.c_str()), 0);
        ASSERT_NE(getcwd(savedDir, sizeof savedDir), nullptr);
        ASSERT_EQ(chdir(dir.c_str()), 0);
        reports.clear();
        dibErrorReporter = captureReport;
        showDibErrors = true;
    }
    void TearDown() override {
        EXPECT_EQ(chdir(savedDir), 0);
        const std::string remove = "rm -rf '" + dir + "'";
        EXPECT_EQ(std::system(remove.c_str()), 0);
    }
    std::string dir;
    char savedDir[4096] = {};
};

TEST_F(TextureSetTest, ShippedPicturesGiveNineMipmappedTextures) {
    loadTextures();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(pictureNames[i]);
        EXPECT_NE(*textureOf[i], 0u);
        for (int j = 0; j < i; ++j) EXPECT_NE(*textureOf[i], *textureOf[j]);
        const GLint width = levelWidth(*textureOf[i], 0);
        EXPECT_GT(width, 0);
        EXPECT_EQ(levelWidth(*textureOf[i], 1), width / 2);  // the mipmap chain is there
    }
}

TEST_F(TextureSetTest, TexelsMatchTheFileEvenForANarrowWall) {
    // Wall2 replaced by a 2 x 2 picture: rows of 6 bytes, read wrongly under a
    // 4-byte row alignment.
    const std::vector<std::uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    {
        std::ofstream out(std::string("Textures/") + kWall2Picture, std::ios::binary | std::ios::trunc);
        const std::vector<std::uint8_t> file = buildRgb24(2, 2, rgb);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
    loadTextures();
    EXPECT_TRUE(reports.empty());
    glBindTexture(GL_TEXTURE_2D, wall2Texture);
    std::vector<std::uint8_t> texels(12, 7);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels, rgb);
}

TEST_F(TextureSetTest, MissingPictureIsReportedAndLeavesItsTextureEmpty) {
    ASSERT_EQ(std::remove("Textures/Pol.bmp"), 0);
    ASSERT_EQ(std::remove("Textures/PinkWins.bmp"), 0);
    loadTextures();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], "Failed to open DIB file Textures/Pol.bmp.\n");
    EXPECT_EQ(reports[1], "Failed to open DIB file Textures/PinkWins.bmp.\n");
    EXPECT_NE(polTexture, 0u);
    EXPECT_EQ(levelWidth(polTexture, 0), 0);
    EXPECT_EQ(levelWidth(pinkWinsTexture, 0), 0);
    EXPECT_GT(levelWidth(greenWinsTexture, 0), 0);
    EXPECT_GT(levelWidth(landscape2Texture, 0), 0);
}

TEST_F(TextureSetTest, PicturesTooLargeForATextureAreReportedAndLeftPlain) {
    // Run-length pictures of a few bytes that the reader accepts (each under its
    // own 256 MiB) but that no texture should take: 4800 x 4800 is 66 MiB of
    // pixel data, and one row wider than the GL's largest texture.
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    ASSERT_GT(maxSide, 0);
    const std::pair<const char*, std::int32_t> pictures[2] = {{"Pol", 4800}, {"PinkWins", maxSide + 1}};
    for (const auto& [name, width] : pictures) {
        DibLayout d;
        d.width = width;
        d.height = name == std::string("Pol") ? 4800 : 1;
        d.bitsPerPixel = 8;
        d.compression = 1;
        d.palette.assign(256, 0x00808080u);
        d.bits = {0, 1};  // end of picture at once: black pixels
        std::ofstream out(std::string("Textures/") + name + ".bmp", std::ios::binary | std::ios::trunc);
        const std::vector<std::uint8_t> file = buildDib(d);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
    loadTextures();
    ASSERT_EQ(reports.size(), 2u);
    // In file order: Pol before PinkWins.
    EXPECT_EQ(reports[0].rfind("Picture too large for a texture: 4800 x 4800 pixels", 0), 0u) << reports[0];
    EXPECT_EQ(reports[1].rfind("Picture too large for a texture: " + std::to_string(maxSide + 1) + " x 1 pixels", 0), 0u)
        << reports[1];
    EXPECT_EQ(levelWidth(polTexture, 0), 0);
    EXPECT_EQ(levelWidth(pinkWinsTexture, 0), 0);
    EXPECT_GT(levelWidth(greenWinsTexture, 0), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureSetTest, PictureBeyondTheLargestSideIsShrunkBeforeItsUpload) {
    // 6144 x 3640 (64 MiB), white below, black above: rounded to 8192 x 4096 unshrunk.
    DibLayout d;
    d.width = 6144;
    d.height = 3640;
    d.bitsPerPixel = 8;
    d.compression = 1;
    d.palette.assign(256, 0x00FFFFFFu);
    for (int row = 0; row < 1820; ++row) {  // runs of 24 x 255 + 24 pixels, end of the row
        for (int run = 0; run < 24; ++run) d.bits.insert(d.bits.end(), {255, 1});
        d.bits.insert(d.bits.end(), {24, 1, 0, 0});
    }
    d.bits.insert(d.bits.end(), {0, 1});  // end of the picture: the rows above stay black
    const std::vector<std::uint8_t> file = buildDib(d);
    std::ofstream("Textures/Pol.bmp", std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
    loadTextures();
    ASSERT_EQ(levelWidth(polTexture, 0), 1024);
    ASSERT_EQ(levelWidth(polTexture, 0, GL_TEXTURE_HEIGHT), 512);
    std::vector<std::uint8_t> texels(1024 * 512 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    const std::pair<int, int> rowGreys[] = {{0, 255}, {255, 255}, {256, 0}, {511, 0}};
    for (const auto& [row, grey] : rowGreys)
        for (int column : {0, 1023}) EXPECT_EQ(texels[(row * 1024 + column) * 3], grey) << row << ", " << column;
}

}  // namespace
