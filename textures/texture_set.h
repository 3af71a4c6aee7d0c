#pragma once
// The nine pictures of the room as mipmapped textures in the current context.

extern unsigned int wall2Texture;
extern unsigned int polTexture;
extern unsigned int wall3Texture;
extern unsigned int wall4Texture;
extern unsigned int stolTexture;
extern unsigned int help3Texture;
extern unsigned int greenWinsTexture;
extern unsigned int pinkWinsTexture;
extern unsigned int landscape2Texture;

// Reads the nine files under "Textures/" and uploads them; needs a current context.
void loadTextures();
