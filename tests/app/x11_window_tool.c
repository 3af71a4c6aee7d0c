/* Window look-ups for the end-to-end tests, without a window manager:
 *   x11_window_tool find TITLE   prints the ids of the mapped windows titled
 *                                exactly TITLE (UTF-8 titles too, which
 *                                xdotool's search misses), one a line; exit 1
 *                                when there is none
 *   x11_window_tool close ID     asks the window to close as a window manager's
 *                                close button does (WM_DELETE_WINDOW)
 *   x11_window_tool fontpath PATH sets the X server's font path to the one
 *                                folder or catalogue PATH ("built-ins" leaves
 *                                only the server's own two fonts), or back to
 *                                the server's default with "default"
 *   x11_window_tool focus ID     gives the keyboard focus to the window, or to
 *                                the root window with "root" (another window
 *                                taking it from the game) */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int titleIs(Display* display, Window window, const char* title) {
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    int same = 0;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        same = type == utf8 && strlen(title) == count && memcmp(data, title, count) == 0;
        XFree(data);
        if (same) return 1;
    }
    XTextProperty text;
    if (XGetWMName(display, window, &text) && text.value) {
        same = strlen(title) == text.nitems && memcmp(text.value, title, text.nitems) == 0;
        XFree(text.value);
    }
    return same;
}

static int findWindows(Display* display, Window parent, const char* title) {
    Window root, parentOut, *children = NULL;
    unsigned int count = 0;
    int found = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return 0;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable) continue;
        if (titleIs(display, children[i], title)) {
            printf("%lu\n", (unsigned long)children[i]);
            ++found;
        }
        found += findWindows(display, children[i], title);
    }
    if (children) XFree(children);
    return found;
}

static int setFontPath(Display* display, const char* path) {
    char* one[1] = {(char*)path};
    if (strcmp(path, "default") == 0)
        XSetFontPath(display, NULL, 0);
    else
        XSetFontPath(display, one, 1);
    XSync(display, False);
    return 0;
}

static int closeWindow(Display* display, Window window) {
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return sent ? 0 : 1;
}

static int focusWindow(Display* display, const char* which) {
    const Window window = strcmp(which, "root") == 0 ? DefaultRootWindow(display) : (Window)strtoul(which, NULL, 0);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    return 0;
}

int main(int argc, char** argv) {
    if (argc != 3 || (strcmp(argv[1], "find") != 0 && strcmp(argv[1], "close") != 0 &&
                      strcmp(argv[1], "fontpath") != 0 && strcmp(argv[1], "focus") != 0)) {
        fprintf(stderr, "usage: %s find TITLE | close WINDOW-ID | fontpath PATH|default | focus WINDOW-ID|root\n",
                argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "x11_window_tool: no display\n");
        return 2;
    }
    int status;
    if (strcmp(argv[1], "find") == 0)
        status = findWindows(display, DefaultRootWindow(display), argv[2]) > 0 ? 0 : 1;
    else if (strcmp(argv[1], "fontpath") == 0)
        status = setFontPath(display, argv[2]);
    else if (strcmp(argv[1], "focus") == 0)
        status = focusWindow(display, argv[2]);
    else
        status = closeWindow(display, (Window)strtoul(argv[2], NULL, 0));
    XCloseDisplay(display);
    return status;
}
