#include "textures/texture_set.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "textures/dib_reader.h"

unsigned int wall2Texture = 0;
unsigned int polTexture = 0;
unsigned int wall3Texture = 0;
unsigned int wall4Texture = 0;
unsigned int stolTexture = 0;
unsigned int help3Texture = 0;
unsigned int greenWinsTexture = 0;
unsigned int pinkWinsTexture = 0;
unsigned int landscape2Texture = 0;

namespace {

// The folder that holds "Textures/", with a trailing '/'; "" for the current folder.
std::string textureFolder;

RgbImage* loadPicture(const char* name) { return loadDibImageA((textureFolder + "Textures/" + name).c_str()); }

// The most pixel data one picture may bring to the upload. The reader takes
// pictures of up to 256 MiB, but rescaling and mipmapping one of those costs
// gigabytes and many seconds; no surface of the room needs more than this.
constexpr std::uint64_t kMaxTextureBytes = 64u << 20;

// Whether the GL can take the picture as a texture: each side within the GL's
// largest texture size and its pixel data within kMaxTextureBytes. Reports it
// like any unreadable picture when not.
bool fitsTexture(const RgbImage& image) {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    const std::uint64_t bytes = static_cast<std::uint64_t>(image.width) * static_cast<std::uint64_t>(image.height) * 3;
    if (image.width <= maxSide && image.height <= maxSide && bytes <= kMaxTextureBytes) return true;
    if (showDibErrors && dibErrorReporter) {
        char text[240];
        std::snprintf(text, sizeof text,
                      "Picture too large for a texture: %d x %d pixels (at most %d per side and %d MiB).",
                      static_cast<int>(image.width), static_cast<int>(image.height), static_cast<int>(maxSide),
                      static_cast<int>(kMaxTextureBytes >> 20));
        dibErrorReporter("Error", text);
    }
    return false;
}

// Binds the texture and builds its mipmap chain; a picture the reader could not
// give, or one too large for a texture, leaves the texture without an image, so
// its surfaces draw plain colour.
void uploadTexture(unsigned int texture, const RgbImage* image) {
    glBindTexture(GL_TEXTURE_2D, texture);
    if (!image || !fitsTexture(*image)) return;
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
}

}  // namespace

void setTextureFolder(const std::string& folder) { textureFolder = folder; }

void loadTextures() {
    glEnable(GL_TEXTURE_2D);

    RgbImage* wall2 = loadPicture("Wall2.bmp");
    RgbImage* pol = loadPicture("Pol.bmp");
    RgbImage* wall3 = loadPicture("Wall3.bmp");
    RgbImage* wall4 = loadPicture("Wall4.bmp");
    RgbImage* stol = loadPicture("Stol.bmp");
    RgbImage* help3 = loadPicture("Help3.bmp");
    RgbImage* greenWins = loadPicture("GreenWins.bmp");
    RgbImage* pinkWins = loadPicture("PinkWins.bmp");
    RgbImage* landscape2 = loadPicture("landscape2.bmp");

    glGenTextures(1, &wall2Texture);
    glGenTextures(1, &polTexture);
    glGenTextures(1, &wall3Texture);
    glGenTextures(1, &wall4Texture);
    glGenTextures(1, &stolTexture);
    glGenTextures(1, &help3Texture);
    glGenTextures(1, &greenWinsTexture);
    glGenTextures(1, &pinkWinsTexture);
    glGenTextures(1, &landscape2Texture);

    // The reader's rows are packed (3 * width bytes), so every picture is read
    // with 1-byte row alignment, whatever its width.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    uploadTexture(wall2Texture, wall2);
    uploadTexture(wall3Texture, wall3);
    uploadTexture(wall4Texture, wall4);
    uploadTexture(stolTexture, stol);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    uploadTexture(help3Texture, help3);
    uploadTexture(greenWinsTexture, greenWins);
    uploadTexture(pinkWinsTexture, pinkWins);
    uploadTexture(landscape2Texture, landscape2);
    uploadTexture(polTexture, pol);

    for (RgbImage* image : {wall2, pol, wall3, wall4, stol, help3, greenWins, pinkWins, landscape2})
        freeRgbImage(image);
}
