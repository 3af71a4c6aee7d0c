#pragma once
// The window's events as the game sees them: key state and presses, the active
// flag, the viewport, and the request to quit.

#include <SDL2/SDL_events.h>

// What the main loop must do after an event.
enum class EventOutcome { Continue, Quit };

// The game's virtual-key code for an SDL key, or -1 for a key the game never
// reads and has no code for.
int virtualKeyFor(SDL_Keycode key);
// The same for a key event's symbol and physical key: a letter key whose
// symbol is not a Latin letter gives the letter of its place (scancode).
int virtualKeyFor(SDL_Keycode key, SDL_Scancode scancode);

// Handles one event: key down/up set KeyState (key-downs also go to the press
// queue; auto-repeats are ignored, so a held key is one press); F10 and keys
// pressed with Alt never reach the keyboard state, and Alt+F4 asks to quit
// like the window's close button; minimising clears windowActive, restoring
// sets it; a size change sets the viewport to the new drawable size; an expose
// asks for the next frame to be drawn.
EventOutcome windowProcedure(const SDL_Event& event);
