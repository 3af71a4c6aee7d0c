/* Reads a rectangle of the X screen and writes it to standard output as a
 * binary PPM (P6), top row first:
 *   x11_grab [X Y WIDTH HEIGHT]      (the whole root window without arguments)
 * ImageMagick's `import` takes a tenth of a second or more for a screenshot;
 * this takes a few milliseconds, quick enough to catch a picture that the
 * game shows for only ten frames. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>

static int shiftOf(unsigned long mask) {
    int shift = 0;
    if (!mask) return 0;
    while (!(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

static unsigned char channel(unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    unsigned long value = (pixel & mask) >> shiftOf(mask);
    unsigned long max = mask >> shiftOf(mask);
    return (unsigned char)(value * 255 / max);
}

int main(int argc, char** argv) {
    if (argc != 1 && argc != 5) {
        fprintf(stderr, "usage: %s [X Y WIDTH HEIGHT]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "x11_grab: no display\n");
        return 2;
    }
    Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    int x = 0, y = 0, width = attributes.width, height = attributes.height;
    if (argc == 5) {
        x = atoi(argv[1]);
        y = atoi(argv[2]);
        width = atoi(argv[3]);
        height = atoi(argv[4]);
    }
    if (width <= 0 || height <= 0 || x < 0 || y < 0 || x + width > attributes.width ||
        y + height > attributes.height) {
        fprintf(stderr, "x11_grab: the rectangle is not inside the %dx%d screen\n", attributes.width,
                attributes.height);
        XCloseDisplay(display);
        return 2;
    }
    XImage* image = XGetImage(display, root, x, y, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
    if (!image) {
        fprintf(stderr, "x11_grab: XGetImage failed\n");
        XCloseDisplay(display);
        return 1;
    }
    unsigned char* rgb = malloc((size_t)width * (size_t)height * 3);
    if (!rgb) return 1;
    unsigned char* out = rgb;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            unsigned long pixel = XGetPixel(image, column, row);
            *out++ = channel(pixel, image->red_mask);
            *out++ = channel(pixel, image->green_mask);
            *out++ = channel(pixel, image->blue_mask);
        }
    printf("P6\n%d %d\n255\n", width, height);
    fwrite(rgb, 1, (size_t)width * (size_t)height * 3, stdout);
    free(rgb);
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
