/* Covers part of the screen for a while, as another window would, then
 * uncovers it: the windows beneath get an expose.
 *   x11_cover X Y WIDTH HEIGHT MILLISECONDS
 * The cover is white and needs no window manager (override-redirect). */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 6) {
        fprintf(stderr, "usage: %s X Y WIDTH HEIGHT MILLISECONDS\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) return 1;
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes;
    attributes.override_redirect = True;
    attributes.background_pixel = WhitePixel(display, screen);
    Window cover = XCreateWindow(display, RootWindow(display, screen), atoi(argv[1]), atoi(argv[2]),
                                 (unsigned)atoi(argv[3]), (unsigned)atoi(argv[4]), 0, CopyFromParent, InputOutput,
                                 CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display, cover);
    XSync(display, False);
    usleep((useconds_t)atoi(argv[5]) * 1000);
    XDestroyWindow(display, cover);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
