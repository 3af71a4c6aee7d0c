#pragma once
// textures/ holds the pictures of the room: a reader for the BMP files in the
// game's "Textures" folder (dib_reader.h, no GL), and, here, the nine pictures
// as mipmapped textures in the current GL context.

#include <string>

extern unsigned int wall2Texture;
extern unsigned int polTexture;
extern unsigned int wall3Texture;
extern unsigned int wall4Texture;
extern unsigned int stolTexture;
extern unsigned int help3Texture;
extern unsigned int greenWinsTexture;
extern unsigned int pinkWinsTexture;
extern unsigned int landscape2Texture;

// The folder, with a trailing '/', in which loadTextures looks for "Textures/";
// "" (the default) is the current folder.
void setTextureFolder(const std::string& folder);

// Reads the nine files under "Textures/" and uploads them; needs a current context.
void loadTextures();
