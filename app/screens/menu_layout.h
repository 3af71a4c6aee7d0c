#pragma once
// The start menu's items, defined once: the menu draws each caption and its
// highlight bar over the selected item's band, and a click is read against the
// same bands. An item is one entry of kMenuItems.

#include "engine/rules/translation.h"

// The items, as menuItem (app/screens/screens.h) names them.
constexpr int kSelectSideItem = 1;
constexpr int kStartGameItem = 2;
constexpr int kContinueGameItem = 3;
// Who the player plays: the computer at a level, a second person, or nobody
// (the computer against itself); it was the computer's level once.
constexpr int kOpponentItem = 4;
constexpr int kLevelItem = kOpponentItem;
// The levels when the computer plays itself, shown only then.
constexpr int kWatchLevelsItem = 5;
// The list of the games kept, to review one: along the menu's lower edge,
// under "Continue the game" and clear of the gap between the views.
constexpr int kYourGamesItem = 6;

// Where an item lies in a window of width x height (pixels from the lower-left
// corner), as the menu has always computed it: its band from
// bandTimes * height / bandBottomBy to bandTimes * height / bandTopBy, its
// caption at (width / captionXBy, captionYTimes * height / captionYBy) in whole
// pixels, and the caption's grey shadow at (width / shadowXBy,
// captionYTimes * height / shadowYBy), a little right and lower down.
struct MenuItemLayout {
    int item;
    const char* caption;  // in English, marked; the menu shows its translation
    int bandTimes;
    double bandBottomBy, bandTopBy;
    int captionXBy;
    double shadowXBy;
    int captionYTimes, captionYBy;
    double shadowYBy;
    // The stroke font's size at most; a longer caption is drawn smaller to fit the width.
    float size;
};

// From the top of the menu down. The opponent's caption names it ("Opponent:
// Club"), the levels' both levels ("Levels: Club v Club").
constexpr MenuItemLayout kMenuItems[] = {
    {kOpponentItem, "Opponent", 4, 4.7, 4.15, 16, 15.5, 7, 8, 8.05, 3},
    {kWatchLevelsItem, "Levels", 1, 1.29, 1.19, 8, 7.9, 79, 100, 100.5, 2},
    {kSelectSideItem, N_("Select side"), 2, 3.2, 2.6, 4, 3.98, 2, 3, 3.02, 3},
    {kStartGameItem, N_("Start the game"), 1, 3.5, 2.3, 5, 4.98, 1, 3, 3.02, 3},
    {kContinueGameItem, N_("Continue the game"), 1, 13.0, 4.4, 5, 4.98, 1, 8, 8.05, 3},
    {kYourGamesItem, N_("Your games"), 1, 200.0, 14.0, 5, 4.98, 1, 40, 40.5, 2},
};
constexpr int kMenuItemCount = static_cast<int>(sizeof kMenuItems / sizeof kMenuItems[0]);

// The items shown now, from the top down.
struct ShownMenuItems {
    int count = 0;
    int items[kMenuItemCount] = {};
    bool shows(int item) const {
        for (int i = 0; i < count; ++i)
            if (items[i] == item) return true;
        return false;
    }
};

inline const MenuItemLayout& menuItemLayout(int item) {
    for (const MenuItemLayout& layout : kMenuItems)
        if (layout.item == item) return layout;
    return kMenuItems[0];
}

// The band of an item: the area its highlight bar covers, across the whole
// width, from `bottom` to `top` (window pixels from the lower edge). Single
// precision, as the bar is drawn.
struct MenuBand {
    float bottom, top;
};

// The band of `item`, laid out against the window height the menu is drawn for.
inline MenuBand menuItemBand(int item, int height) {
    const MenuItemLayout& layout = menuItemLayout(item);
    return MenuBand{static_cast<float>(layout.bandTimes * height / layout.bandBottomBy),
                    static_cast<float>(layout.bandTimes * height / layout.bandTopBy)};
}

// The shown item whose band contains the window point (x, y) of a menu laid out
// at width x height; 0 outside every band.
inline int menuItemAt(double x, double y, int width, int height, const ShownMenuItems& shown) {
    if (x < 0 || x > width) return 0;
    for (int i = 0; i < shown.count; ++i) {
        const MenuBand band = menuItemBand(shown.items[i], height);
        if (y >= band.bottom && y <= band.top) return shown.items[i];
    }
    return 0;
}
