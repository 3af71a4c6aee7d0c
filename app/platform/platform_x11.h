#pragma once
// The seam between the SDL back-end and Xlib itself: what the game asks of the
// X server past SDL. platform_sdl.cpp finds the X display of its window and
// passes it in; platform_x11.cpp speaks Xlib and includes no SDL, and its X
// headers (which define None, Bool and the like) stay in it.

#include "app/platform/platform.h"

// Xlib's display connection, named but not included.
struct _XDisplay;

// Whether the key the game calls `virtualKey` is down on the keyboard of
// `display` (XQueryKeymap); Unknown for a key with no X symbol or keycode.
KeyReading readX11Key(_XDisplay* display, int virtualKey);

// From now on a BadWindow or BadDrawable error of any X connection of the
// program is let pass; other errors go to the handler that was there before.
// Once is enough: later calls change nothing.
void tolerateVanishedX11Windows();
