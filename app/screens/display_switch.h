#pragma once
// The F1 display-mode switch: the window and its rendering context are replaced
// by new ones in the other display mode. Whatever lived in the old context (the
// cached shapes' display lists, the textures) is made again in the new one; the
// game, the screen and the view go on as they were.

// Returns false when the new window could not be made (the reason was shown).
bool replaceRenderWindow(const char* title, int colourDepth);
