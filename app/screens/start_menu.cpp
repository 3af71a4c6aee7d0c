#include "app/input/keystate.h"
#include "app/input/mouse_state.h"
#include "app/screens/menu_layout.h"
#include "app/screens/mouse_actions.h"
#include "app/screens/play_session.h"
#include "app/screens/review_screens.h"
#include "app/platform/render_window.h"
#include "app/screens/screens.h"
#include "app/files/settings.h"
#include "app/platform/window_state.h"
#include "engine/rules/board.h"
#include "engine/game/turn.h"
#include "lettering/stroke_font.h"
#include "scene/scene.h"
#include "scene/shape_cache.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>

int menuItem = 1;
bool menuCopiesViews = true;

namespace {

// Lower-left corners of the four views, as fractions of the window size.
struct ViewOrigin {
    double x, y;
};
constexpr ViewOrigin kViewOrigins[4] = {{0.05, 0.05}, {0.55, 0.05}, {0.55, 0.55}, {0.05, 0.55}};

// The items shown: outside classic mode the opponent (with the levels when the
// computer plays itself), and "Continue the game" when the latest game can be
// continued; always the side and the start.
ShownMenuItems shownItems() {
    ShownMenuItems shown;
    for (const MenuItemLayout& layout : kMenuItems) {
        bool shows = true;
        if (layout.item == kOpponentItem || layout.item == kYourGamesItem) shows = !settings.classic;
        if (layout.item == kWatchLevelsItem) shows = !settings.classic && settings.opponent == Opponent::Watch;
        if (layout.item == kContinueGameItem) shows = !settings.classic && playSession.canContinueGame();
        if (shows) shown.items[shown.count++] = layout.item;
    }
    return shown;
}

// The opponent item's choices, round the list: the original computer first, so
// that it does not read as the strongest, then the levels from the weakest, then
// a second person and the computer against itself.
struct OpponentChoice {
    Opponent opponent;
    Level level;
    const char* title;
};
constexpr OpponentChoice kOpponentChoices[] = {
    {Opponent::Computer, Level::Classic, N_("Classic (original computer)")},
    {Opponent::Computer, Level::Beginner, N_("Beginner")},
    {Opponent::Computer, Level::Novice, N_("Novice")},
    {Opponent::Computer, Level::Club, N_("Club")},
    {Opponent::Computer, Level::Strong, N_("Strong")},
    {Opponent::Computer, Level::Expert, N_("Expert")},
    {Opponent::TwoPlayers, Level::Classic, N_("Two players")},
    {Opponent::Watch, Level::Classic, N_("Computer v computer")},
};
constexpr int kOpponentChoiceCount = static_cast<int>(sizeof kOpponentChoices / sizeof kOpponentChoices[0]);

// Where the settings' opponent stands in the list.
int opponentChoiceIndex() {
    for (int i = 0; i < kOpponentChoiceCount; ++i) {
        const OpponentChoice& choice = kOpponentChoices[i];
        if (choice.opponent == settings.opponent &&
            (settings.opponent != Opponent::Computer || choice.level == settings.level))
            return i;
    }
    return 0;
}

// An item's caption, translated or in English.
std::string captionIn(const MenuItemLayout& item, bool translated) {
    const auto text = [translated](const char* english) { return translated ? tr(english) : english; };
    if (item.item == kOpponentItem)
        return formatText(text(N_("Opponent: %s")), text(kOpponentChoices[opponentChoiceIndex()].title));
    if (item.item == kWatchLevelsItem)
        return formatText(text(N_("Levels: %s v %s")), text(levelTitle(watchLevelOf(settings, true))),
                          text(levelTitle(watchLevelOf(settings, false))));
    return text(item.caption);
}

std::string captionOf(const MenuItemLayout& item) {
    // A translation the menu's lettering cannot draw is not shown.
    const std::string translated = captionIn(item, true);
    return StrokeFont().canDraw(translated.c_str()) ? translated : captionIn(item, false);
}

// One setting kept in the settings file; the choice holds for this run whatever the file.
void keepSetting(const char* name, const std::string& value) {
    std::string error;
    if (!saveSetting(name, value, error))
        std::fprintf(stderr, tr("draughts3d: the %s is not kept: %s\n"), name, error.c_str());
}

// The next opponent (step 1) or the one before (-1), round the list; the choice
// is kept in the settings (a level as the computer's level, with the computer
// as the opponent).
void switchOpponent(int step) {
    const OpponentChoice& choice =
        kOpponentChoices[((opponentChoiceIndex() + step) % kOpponentChoiceCount + kOpponentChoiceCount) %
                         kOpponentChoiceCount];
    settings.opponent = choice.opponent;
    if (choice.opponent == Opponent::Computer) {
        settings.level = choice.level;
        keepSetting("level", levelName(settings.level));
    }
    keepSetting("opponent", opponentName(settings.opponent));
}

// The next level up (step 1) or down (-1) in kAllLevels' order, round the list,
// for both sides when the computer plays itself; kept as the computer's level.
void switchWatchLevels(int step) {
    constexpr int count = static_cast<int>(sizeof kAllLevels / sizeof kAllLevels[0]);
    int at = 0;
    for (int i = 0; i < count; ++i)
        if (kAllLevels[i] == watchLevelOf(settings, true)) at = i;
    settings.level = kAllLevels[((at + step) % count + count) % count];
    settings.watchGreenLevel.reset();
    settings.watchPinkLevel.reset();
    keepSetting("level", levelName(settings.level));
}

// The shown item `step` places from the selected one (down for 1, up for -1),
// from the last round to the first and back: with two items, either toggles.
int neighbourItem(const ShownMenuItems& shown, int step) {
    int at = 0;
    for (int i = 0; i < shown.count; ++i)
        if (shown.items[i] == menuItem) at = i;
    return shown.items[((at + step) % shown.count + shown.count) % shown.count];
}

void actOn(int item, int step) {
    if (item == kOpponentItem)
        switchOpponent(step);
    else if (item == kWatchLevelsItem)
        switchWatchLevels(step);
    else if (item == kSelectSideItem)
        switchGreenSide();
    else if (item == kStartGameItem)
        playSession.startNewGame();
    else if (item == kContinueGameItem)
        playSession.continueLatestGame();
    else if (item == kYourGamesItem)
        openGamesList();
}

// What the menu's keys do, said over it outside classic mode.
const char* const kMenuHelp = N_("Up/Down to choose, Left/Right or Return to change; Escape quits");

// The size an item's caption is drawn at: its own, or smaller so that it ends
// short of the window's right edge.
float captionSize(const MenuItemLayout& item, const std::string& caption, int width) {
    const float room = static_cast<float>(width - width / item.captionXBy - 2);
    const float fits = room / (10.0f * static_cast<float>(StrokeFont().cellCount(caption.c_str())));
    return fits < item.size ? fits : item.size;
}

// Reads the menu's keys and clicks; returns whether they started a game.
bool updateStartMenu();
void drawStartMenuOverlay(bool gameStarted);

}  // namespace

void drawStartMenuFrame() {
    // Closes the overlay the previous menu frame left open.
    endOverlay();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const int width = windowWidth;
    const int height = windowHeight;
    const int viewWidth = static_cast<int>(0.4 * width);
    const int viewHeight = static_cast<int>(0.4 * height);
    // Each view starts from the GL state the one before it left. The first
    // inherits the last frame's overlay; the second, third and fourth start
    // alike and show the same picture, so with menuCopiesViews the last two are
    // copies of the second. Not pixel for pixel, though: the GL rounds the
    // edges of a view by where it lies in the window. A winner picture, a plane
    // through the eye here, always draws in all four.
    for (int view = 0; view < 4; ++view) {
        const float x = static_cast<float>(kViewOrigins[view].x * width);
        const float y = static_cast<float>(kViewOrigins[view].y * height);
        setViewport(viewWidth, viewHeight, x, y);
        if (view >= 2 && menuCopiesViews && !sceneShowsWinnerPicture()) {
            const float secondX = static_cast<float>(kViewOrigins[1].x * width);
            const float secondY = static_cast<float>(kViewOrigins[1].y * height);
            if (copyBackBufferBlock(static_cast<int>(secondX), static_cast<int>(secondY), viewWidth, viewHeight,
                                    static_cast<int>(x), static_cast<int>(y)))
                continue;
        }
        drawScene();  // the menu is up already, whatever the scene says of the game
    }
    // The keys and clicks act on what the views showed; the overlay shows the
    // menu as they left it.
    const bool gameStarted = updateStartMenu();
    drawStartMenuOverlay(gameStarted);
    viewAngleY += 3;
    // The overlay stays open: the next frame's endOverlay closes it.
}

namespace {

bool updateStartMenu() {
    const int width = windowWidth;
    const int height = windowHeight;
    // Every press since the last frame acts, in the order typed: Up and Down
    // move between the shown items, Left and Right act on the selected one,
    // and outside classic mode Return (the keypad's Enter too) and Space act
    // as Right does.
    // Once the game has started the rest of the presses are not the menu's.
    const ShownMenuItems shown = shownItems();
    if (!shown.shows(menuItem)) menuItem = kStartGameItem;
    for (int i = 0; i < keyPressCount() && currentScreen == 1; ++i) {
        const int key = keyPressAt(i);
        if (key == VK_UP || key == VK_DOWN)
            menuItem = neighbourItem(shown, key == VK_DOWN ? 1 : -1);
        else if (key == VK_LEFT || key == VK_RIGHT)
            actOn(menuItem, key == VK_RIGHT ? 1 : -1);
        else if (!settings.classic && (key == VK_RETURN || key == ' '))
            actOn(menuItem, 1);
    }

    // A left click on an item's band selects it and acts on it as Left or Right would.
    for (int i = 0; i < mouseInput.clickCount && currentScreen == 1; ++i) {
        if (const int item = menuItemClicked(i, width, height, shown)) {
            menuItem = item;
            actOn(item, 1);
        }
    }
    return currentScreen == 0;
}

void drawStartMenuOverlay(bool gameStarted) {
    const int width = windowWidth;
    const int height = windowHeight;
    setViewport(width, height, 0, 0);
    beginOverlayBottomLeft();

    // Each caption over a grey copy a little lower down, its shadow.
    const StrokeFont font;
    const ShownMenuItems shown = shownItems();
    for (int i = 0; i < shown.count; ++i) {
        const MenuItemLayout& item = menuItemLayout(shown.items[i]);
        const std::string caption = captionOf(item);
        const float size = captionSize(item, caption, width);
        font.drawText(caption.c_str(), static_cast<int>(width / item.shadowXBy),
                      static_cast<int>(item.captionYTimes * height / item.shadowYBy), 0.5f, 0.5f, 0.5f, size);
        font.drawText(caption.c_str(), width / item.captionXBy, item.captionYTimes * height / item.captionYBy, 0.0f,
                      3.0f, 0.0f, size);
    }
    // Outside classic mode, how to use the menu, along its top edge.
    if (!settings.classic) {
        glColor3f(1.0f, 1.0f, 1.0f);
        printHudText(static_cast<float>(width / 16), static_cast<float>(height - 15), "%s", tr(kMenuHelp));
    }

    // A game started this frame leaves the play screen's perspective in place
    // of the overlay's projection for the bar and the disc.
    if (gameStarted) setViewport(width, height, 0, 0);

    const MenuBand bar = menuItemBand(menuItem, height);
    const float barBottom = bar.bottom, barTop = bar.top;

    // Translucent bar over the selected caption.
    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4d(0.5, 1.0, 0.5, 0.5);
    glBegin(GL_POLYGON);
    glVertex3d(0, barBottom, 0);
    glVertex3d(width, barBottom, 0);
    glVertex3d(width, barTop, 0);
    glVertex3d(0, barTop, 0);
    glEnd();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);

    // The player's colour, as a disc left of "Select side".
    if (greenSide == 1)
        glColor3d(0, 1, 0);
    else
        glColor3d(1, 0, 1);
    glPushMatrix();
    glTranslated(width / 10, 2 * height / 2.9, -20);
    cachedSphere(15);
    glPopMatrix();
}

}  // namespace
