#include "app/message_box.h"

#include <SDL2/SDL.h>

#include <cstdio>

namespace {

Uint32 sdlFlags(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return SDL_MESSAGEBOX_ERROR;
        case MessageIcon::Warning: return SDL_MESSAGEBOX_WARNING;
        case MessageIcon::Information:
        case MessageIcon::Question: break;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

constexpr int kYes = 6;  // the answers keep the ids a Windows box returns
constexpr int kNo = 7;

}  // namespace

void showMessageBox(const char* caption, const char* text, MessageIcon icon) {
    const SDL_MessageBoxButtonData ok = {
        SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "OK"};
    SDL_MessageBoxData box = {};
    box.flags = sdlFlags(icon);
    box.title = caption;
    box.message = text;
    box.numbuttons = 1;
    box.buttons = &ok;
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) std::fprintf(stderr, "%s: %s\n", caption, text);
}

Answer askYesNo(const char* caption, const char* text, MessageIcon icon, Answer answerWithoutBox) {
    const SDL_MessageBoxButtonData buttons[2] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kYes, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kNo, "No"},
    };
    SDL_MessageBoxData box = {};
    box.flags = sdlFlags(icon);
    box.title = caption;
    box.message = text;
    box.numbuttons = 2;
    box.buttons = buttons;
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        std::fprintf(stderr, "%s: %s\n(no message box could be shown: %s)\nAnswered: %s\n", caption, text,
                     SDL_GetError(), answerWithoutBox == Answer::Yes ? "Yes" : "No");
        return answerWithoutBox;
    }
    if (pressed == kYes) return Answer::Yes;
    if (pressed == kNo) return Answer::No;
    return Answer::NoAnswer;
}
