#include "app/platform/window_state.h"

unsigned char windowActive = 1;
unsigned char fullscreen = 1;
int windowWidth = 640;
int windowHeight = 480;
