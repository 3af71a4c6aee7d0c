#pragma once
#include <string>

// The platform seam: everything the game asks of the system it runs on. The
// start and end of the video system, the display check, the window with its GL
// context, the events that feed the key and mouse state, the message boxes and
// the wait for the next frame, and the clipboard. One file speaks to SDL behind it
// (platform_sdl.cpp); no other file of the game includes SDL. What the game
// says and how it sets up its GL live above it (render_window.h), so another
// back-end could be written beside it without touching the game.

// --- Start and end ----------------------------------------------------------

// Starts the video system (the screen saver stays off while the game runs). A
// failure is not reported here: displayStatus says what went wrong. When DISPLAY
// is set and SDL's X11 driver does not start (SDL_VIDEODRIVER unset or naming
// x11), it is tried again, a fifth of a second apart, six tries in all; the
// hidden switch DRAUGHTS3D_X11_TRIES=N sets that number (tests).
void startPlatform();
// Ends everything startPlatform began.
void stopPlatform();

// Whether the video system has a display to show windows on, once
// startPlatform has run. SDL falls back to a headless video driver
// ("offscreen", "dummy") when no display can be reached; a game would then run
// with no window at all. Those drivers count as usable only when
// SDL_VIDEODRIVER asks for them by name. When the display is not usable the
// video system is let go (a message box may still be tried).
struct DisplayStatus {
    bool usable = false;
    std::string driver;      // the video driver that started, or empty for none
    std::string reason;      // why none started
    std::string x11Failure;  // why the X11 driver, tried again, would not start
};
DisplayStatus displayStatus();

// --- The window -------------------------------------------------------------
// One window at a time: it is drawn into and swapped, and its events feed the
// key and mouse state.

// Takes the video system for the game's windows; false when it cannot be had.
// The game's first window takes it, and it is let go with the last.
bool holdVideo();
void releaseVideo();
// Whether the display offers a mode of exactly width x height whose pixels
// take colourDepth bits.
bool displayHasMode(int width, int height, int colourDepth);

// What openWindow asks for; `stageEnded`, when set, is told as the window is
// made ("window") and its context made current ("context").
struct WindowRequest {
    const char* title = "";
    int width = 0, height = 0, colourDepth = 32;
    bool fullscreen = false;
    void (*stageEnded)(const char* stage) = nullptr;
};
// What went wrong in openWindow.
enum class WindowFailure { None, Window, Context, Activate };

// Opens a window with a double-buffered GL 2.1 compatibility context, makes the
// context current, and shows and raises the window and gives it the keyboard.
// A fullscreen window takes the display mode of its size (the caller checks
// with displayHasMode first) and hides the pointer until the mouse moves. On
// failure (or while another window is open) no window is left open by it.
WindowFailure openWindow(const WindowRequest& request);
// Lets the window's GL context go (the window stays, showing its last picture);
// false when it could not be let go cleanly.
bool releaseContext();
// Closes the window (its context first, if it is still there).
void closeWindow();
// Presents the back buffer of the window.
void swapRenderWindow();
// Set when the window's picture may be lost or stale (a new window, an expose):
// the next frame must be drawn even if nothing in the game changed. Whoever
// draws that frame clears it.
extern bool windowNeedsRedraw;
// The address of a GL function of the current context, or nullptr; and whether
// the context offers a GL extension.
void* glFunctionAddress(const char* name);
bool glExtensionSupported(const char* name);

// --- Events -----------------------------------------------------------------

// What the main loop must do after an event: go on, end the program, or fit
// the viewport to the window's new size (resizedWindowSize).
enum class EventOutcome { Continue, Quit, Resized };
struct WindowSize {
    int width = 0, height = 0;
};
// The drawable size after the last Resized outcome.
WindowSize resizedWindowSize();

// Takes one waiting event, if there is one, and hands it to windowProcedure;
// returns false, leaving `outcome` alone, when none is waiting.
bool handleNextEvent(EventOutcome& outcome);
// Whether a key is down on the keyboard itself, whatever the window was told
// (a key let go while no window of the game had the keyboard sends no release);
// Unknown where the system does not say.
enum class KeyReading { Down, Up, Unknown };
KeyReading readKeyboardKey(int virtualKey);

// Waits until an event arrives or `milliseconds` pass, without taking the event.
void waitForEvent(int milliseconds);

// --- Message boxes ----------------------------------------------------------
// Modal boxes without an owner window: the start question, the fullscreen
// fallback question and every error the game reports to the user.

// Icons of the boxes, after the kinds of message they carry.
enum class MessageIcon { Information, Warning, Error, Question };

// Shows `text` with an OK button when a box can be shown; false when not.
bool tryMessageBox(const char* caption, const char* text, MessageIcon icon);
// Shows `text` with an OK button. When no box can be shown (no display), the
// message goes to standard error instead so it is not lost.
void showMessageBox(const char* caption, const char* text, MessageIcon icon);

// What a Yes/No question got back; NoAnswer when the box was closed without
// either button.
enum class Answer { Yes, No, NoAnswer };

// Yes/No question: Return answers Yes, Escape answers No. When no box can be
// shown (no display, or no fonts for it on the X server), the question and
// `answerWithoutBox` (Yes or No) are written to standard error and that answer
// is returned, so the game goes on.
Answer askYesNo(const char* caption, const char* text, MessageIcon icon, Answer answerWithoutBox);

// --- The clipboard ----------------------------------------------------------

// Puts `text` (UTF-8) on the system's clipboard, where other programs paste it
// from while the game runs; false when it could not.
bool setClipboardText(const std::string& text);

// --- What the tests reach behind the seam -----------------------------------
// SDL's own types, named but not included.

struct SDL_Window;
union SDL_Event;

// The window createRenderWindow made, or nullptr while there is none.
SDL_Window* renderWindowHandle();

// The game's virtual-key code for an SDL key (SDL_Keycode), or -1 for a key the
// game never reads and has no code for.
int virtualKeyFor(int key);
// The same for a key event's symbol and physical key (SDL_Scancode): a letter
// key whose symbol is not a Latin letter gives the letter of its place.
int virtualKeyFor(int key, int scancode);

// Handles one event: key down/up set KeyState (key-downs also go to the press
// queue; auto-repeats are ignored, so a held key is one press); F10 and keys
// pressed with Alt never reach the keyboard state, and Alt+F4 asks to quit
// like the window's close button; minimising clears windowActive, restoring
// sets it; a size change answers Resized; an expose asks for the next frame to
// be drawn. A button pressed as the window gets the focus (the click that gave
// it the focus) is no click.
EventOutcome windowProcedure(const SDL_Event& event);
