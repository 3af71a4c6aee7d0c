#include "textures/texture_set.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "textures/dib_reader.h"
#include "textures/picture_shrink.h"
#include "textures/room_pictures.h"

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
// its surfaces draw plain colour. A picture whose texture would have a side over
// kLargestTextureSide is shrunk first.
void uploadTexture(unsigned int texture, const RgbImage* image) {
    glBindTexture(GL_TEXTURE_2D, texture);
    if (!image || !fitsTexture(*image)) return;
    const TextureSize shrunk = shrunkTextureSize(image->width, image->height);
    if (shrunk.width == 0) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
        return;
    }
    const std::vector<unsigned char> texels = shrinkPicture(*image, shrunk.width, shrunk.height);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, shrunk.width, shrunk.height, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
}

}  // namespace

void setTextureFolder(const std::string& folder) { textureFolder = folder; }

void loadTextures() {
    glEnable(GL_TEXTURE_2D);
    const struct {
        const char* file;
        unsigned int* texture;
    } pictures[] = {{kWall2Picture, &wall2Texture},
                    {kPolPicture, &polTexture},
                    {kWall3Picture, &wall3Texture},
                    {kWall4Picture, &wall4Texture},
                    {kStolPicture, &stolTexture},
                    {kHelp3Picture, &help3Texture},
                    {kGreenWinsPicture, &greenWinsTexture},
                    {kPinkWinsPicture, &pinkWinsTexture},
                    {kLandscape2Picture, &landscape2Texture}};
    for (const auto& picture : pictures) glGenTextures(1, picture.texture);

    // The reader's rows are packed (3 * width bytes), so every picture is read
    // with 1-byte row alignment, whatever its width.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // One picture at a time: read, uploaded and released before the next is read.
    for (const auto& picture : pictures) {
        RgbImage* image = loadPicture(picture.file);
        uploadTexture(*picture.texture, image);
        freeRgbImage(image);
    }
}
