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

// The items shown: outside classic mode the computer's level, and "Continue
// the game" when the latest game can be continued; always the side and the start.
ShownMenuItems shownItems() {
    ShownMenuItems shown;
    for (const MenuItemLayout& layout : kMenuItems) {
        const bool shows = layout.item == kLevelItem || layout.item == kYourGamesItem ? !settings.classic
                           : layout.item == kContinueGameItem ? !settings.classic && playSession.canContinueGame()
                                                              : true;
        if (shows) shown.items[shown.count++] = layout.item;
    }
    return shown;
}

std::string captionOf(const MenuItemLayout& item) {
    if (item.item == kLevelItem) return std::string("Level: ") + levelTitle(settings.level);
    // A translation the menu's lettering cannot draw is not shown.
    const char* translated = tr(item.caption);
    return StrokeFont().canDraw(translated) ? translated : item.caption;
}

// The next level up (step 1) or down (-1), round the list; the choice is kept
// in the settings file.
void switchLevel(int step) {
    constexpr int count = static_cast<int>(sizeof kAllLevels / sizeof kAllLevels[0]);
    int at = 0;
    for (int i = 0; i < count; ++i)
        if (kAllLevels[i] == settings.level) at = i;
    settings.level = kAllLevels[((at + step) % count + count) % count];
    // Only the level's line changes; the choice holds for this run whatever the file.
    std::string error;
    if (!saveSetting("level", levelName(settings.level), error))
        std::fprintf(stderr, "draughts3d: the level is not kept: %s\n", error.c_str());
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
    if (item == kLevelItem)
        switchLevel(step);
    else if (item == kSelectSideItem)
        switchGreenSide();
    else if (item == kStartGameItem)
        playSession.startNewGame();
    else if (item == kContinueGameItem)
        playSession.continueLatestGame();
    else if (item == kYourGamesItem)
        openGamesList();
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
    // move between the shown items, Left and Right act on the selected one.
    // Once the game has started the rest of the presses are not the menu's.
    const ShownMenuItems shown = shownItems();
    if (!shown.shows(menuItem)) menuItem = kStartGameItem;
    for (int i = 0; i < keyPressCount() && currentScreen == 1; ++i) {
        const int key = keyPressAt(i);
        if (key == VK_UP || key == VK_DOWN)
            menuItem = neighbourItem(shown, key == VK_DOWN ? 1 : -1);
        else if (key == VK_LEFT || key == VK_RIGHT)
            actOn(menuItem, key == VK_RIGHT ? 1 : -1);
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
        font.drawText(caption.c_str(), static_cast<int>(width / item.shadowXBy),
                      static_cast<int>(item.captionYTimes * height / item.shadowYBy), 0.5f, 0.5f, 0.5f, 3);
        font.drawText(caption.c_str(), width / item.captionXBy, item.captionYTimes * height / item.captionYBy, 0.0f,
                      3.0f, 0.0f, 3);
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
