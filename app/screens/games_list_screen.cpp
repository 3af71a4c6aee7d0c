// "Your games": the records of the games folder, newest first, one line each
// (when, against whom, the player's colour, the result and why, the moves);
// Up and Down or the wheel choose, Return or a click opens the review at the
// game's end, Escape goes back to the start menu. The folder is read once, as
// the list opens.
#include "app/screens/review_screens.h"

#include "app/files/game_files.h"
#include "app/files/game_list.h"
#include "app/input/keystate.h"
#include "app/input/mouse_state.h"
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "app/screens/screens.h"
#include "engine/rules/translation.h"

#include <GL/gl.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr float kTextX = 10, kTitleY = 25, kHeaderY = 50, kFirstRowY = 70, kRowHeight = 16;
// Room kept under the rows for the keys and what is said.
constexpr float kFooterHeight = 50;

struct GamesList {
    std::vector<KeptGameEntry> entries;
    int selected = 0;
    int top = 0;  // the first row shown
    std::string said;
    // What the last frame drawn showed, and how many frames in a row showed it.
    std::string shownKey;
    int shownFrames = 0;
};
GamesList list;

int rowsShown() {
    const float room = static_cast<float>(viewportHeight) - kFirstRowY - kFooterHeight;
    return std::max(1, static_cast<int>(room / kRowHeight));
}

void select(int index) {
    if (list.entries.empty()) return;
    list.selected = std::clamp(index, 0, static_cast<int>(list.entries.size()) - 1);
    if (list.selected < list.top) list.top = list.selected;
    if (list.selected >= list.top + rowsShown()) list.top = list.selected - rowsShown() + 1;
}

std::string resultWords(const KeptGameEntry& entry) {
    const bool whiteWon = entry.result == GameResult::WhiteWins, blackWon = entry.result == GameResult::BlackWins;
    std::string words;
    if (whiteWon || blackWon) {
        if (entry.twoPlayers || entry.watched)
            words = whiteWon ? tr("White won") : tr("Black won");
        else
            words = whiteWon == entry.playerWhite ? tr("You won") : tr("You lost");
    } else if (entry.result == GameResult::Draw) {
        // "Draw agreed" says the result itself: not "Draw, Draw agreed".
        if (parseTermination(entry.termination) == Termination::DrawAgreed) return tr("Draw agreed");
        words = tr("Draw");
    } else if (entry.result == GameResult::BothLost) {
        words = tr("Both lost");
    } else {
        words = tr("Unfinished");
    }
    if (!entry.termination.empty()) words += std::string(", ") + tr(entry.termination.c_str());
    return words;
}

// `text` cut or padded with spaces to `width` characters (not bytes: a
// translation's letters may take two bytes each).
std::string column(const std::string& text, std::size_t width) {
    std::string out;
    std::size_t characters = 0;
    for (const char c : text) {
        const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts && characters++ == width) break;
        out += c;
    }
    if (characters > width) characters = width;
    return out + std::string(width - characters, ' ');
}

// One row: "2026-12-08 15:05  Club                White  You won, No move              34 moves".
std::string rowText(const KeptGameEntry& entry) {
    std::tm local = {};
    localtime_r(&entry.start, &local);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
    if (!entry.readable) return formatText(tr("%s  cannot be read: %s"), when, entry.error.c_str());
    const std::string opponent = entry.twoPlayers ? tr("Two players")
                                 : entry.watched  ? tr("Computer v computer")
                                                  : tr(entry.opponent.c_str());
    // The player's colour, when one person played.
    const char* colour = entry.twoPlayers || entry.watched ? "" : entry.playerWhite ? tr("White") : tr("Black");
    const int moves = (entry.plies + 1) / 2;
    // The opponent's column as wide as the longest way of naming one (a level's name is shorter).
    const std::size_t opponentWidth =
        std::max({std::size_t{19}, characterCount(tr("Two players")), characterCount(tr("Computer v computer"))});
    const std::size_t colourWidth =
        std::max({std::size_t{6}, characterCount(tr("White")), characterCount(tr("Black"))});
    return std::string(when) + "  " + column(opponent, opponentWidth) + ' ' + column(colour, colourWidth) + ' ' +
           column(resultWords(entry), 29) + ' ' + formatText(trn("%d move", "%d moves", moves), moves);
}

void openSelected() {
    if (list.entries.empty()) return;
    const KeptGameEntry& entry = list.entries[list.selected];
    std::string error;
    if (!entry.readable)
        list.said = formatText(tr("This game cannot be read: %s"), entry.error.c_str());
    else if (!openReview(entry.path, 1, true, true, error))
        list.said = error;
}

// The row under a click, or -1.
int rowClicked(const MouseClick& click) {
    const double fromTop = viewportHeight - click.y;
    const int row = static_cast<int>((fromTop - (kFirstRowY - kRowHeight + 4)) / kRowHeight);
    if (fromTop < kFirstRowY - kRowHeight + 4 || row >= rowsShown()) return -1;
    const int index = list.top + row;
    return index < static_cast<int>(list.entries.size()) ? index : -1;
}

void readListInput() {
    for (int i = 0; i < keyPressCount() && currentScreen == kGamesListScreen; ++i) {
        const int key = keyPressAt(i);
        if (key == VK_UP) select(list.selected - 1);
        if (key == VK_DOWN) select(list.selected + 1);
        if (key == VK_RETURN || key == ' ') openSelected();
        if (key == VK_ESCAPE) currentScreen = 1;
    }
    if (currentScreen != kGamesListScreen) return;
    if (mouseInput.wheelSteps != 0) select(list.selected - mouseInput.wheelSteps);
    for (int i = 0; i < mouseInput.clickCount && currentScreen == kGamesListScreen; ++i) {
        const MouseClick& click = mouseInput.clicks[i];
        const int index = click.button == MouseButton::Left ? rowClicked(click) : -1;
        if (index < 0) continue;
        select(index);
        openSelected();
    }
}

void drawList() {
    endOverlay();
    glClearColor(0.08f, 0.1f, 0.14f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    beginOverlayTopLeft();
    glColor3f(0, 1, 0);
    printHudText(kTextX, kTitleY, "%s", tr("Your games"));
    glColor3f(0.6f, 0.6f, 0.6f);
    printHudText(kTextX, kHeaderY, "%s",
                 list.entries.empty()
                     ? tr("No game kept yet: every game played is kept here.")
                     : formatText(trn("%d game, the newest first", "%d games, the newest first", list.entries.size()),
                                  static_cast<int>(list.entries.size()))
                           .c_str());
    const int last = std::min(static_cast<int>(list.entries.size()), list.top + rowsShown());
    for (int index = list.top; index < last; ++index) {
        const float y = kFirstRowY + kRowHeight * static_cast<float>(index - list.top);
        if (index == list.selected) {
            glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
            glDisable(GL_TEXTURE_2D);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glColor4f(0.5f, 1.0f, 0.5f, 0.35f);
            glBegin(GL_QUADS);
            glVertex2f(0, y - kRowHeight + 4);
            glVertex2f(static_cast<float>(viewportWidth), y - kRowHeight + 4);
            glVertex2f(static_cast<float>(viewportWidth), y + 4);
            glVertex2f(0, y + 4);
            glEnd();
            glPopAttrib();
        }
        const KeptGameEntry& entry = list.entries[index];
        if (entry.readable)
            glColor3f(1, 1, 1);
        else
            glColor3f(1.0f, 0.45f, 0.4f);
        printHudText(kTextX, y, "%s", rowText(entry).c_str());
    }
    const float footer = static_cast<float>(viewportHeight) - kFooterHeight + 20;
    glColor3f(1.0f, 0.6f, 0.2f);
    if (!list.said.empty()) printHudText(kTextX, footer, "%s", list.said.c_str());
    glColor3f(0, 1, 0);
    printHudText(kTextX, footer + 18, "%s",
                 tr("Up, Down or the wheel: choose   Return or a click: review   Escape: back"));
    // The next frame's screen closes the overlay.
}

}  // namespace

void openGamesList() {
    list = GamesList{};
    list.entries = listKeptGames(gamesFolder());
    currentScreen = kGamesListScreen;
}

bool drawGamesListFrame(bool skipUnchanged) {
    readListInput();
    if (currentScreen != kGamesListScreen) {
        forgetShownPlayPicture();
        list.shownFrames = 0;
        return false;
    }
    // The picture depends on the selection, the rows shown, what is said and the window.
    const std::string key = std::to_string(list.selected) + ' ' + std::to_string(list.top) + ' ' +
                            std::to_string(viewportWidth) + ' ' + std::to_string(viewportHeight) + ' ' + list.said;
    const bool same = list.shownFrames > 0 && key == list.shownKey && !windowNeedsRedraw;
    if (skipUnchanged && same && list.shownFrames >= 2) return false;
    list.shownFrames = same ? list.shownFrames + 1 : 1;
    list.shownKey = key;
    windowNeedsRedraw = false;
    drawList();
    return true;
}
