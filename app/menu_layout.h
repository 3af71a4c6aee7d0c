#pragma once
// The start menu's item bands, defined once: the menu draws its highlight bar
// over the selected item's band, and a click is read against the same bands.

// The band of an item: the area its highlight bar covers, across the whole
// width, from `bottom` to `top` (window pixels from the lower edge). Single
// precision, as the bar is drawn.
struct MenuBand {
    float bottom, top;
};

// Item 1 is "Select side", item 2 "Start the game"; laid out against the
// window height the menu is drawn for.
inline MenuBand menuItemBand(int item, int height) {
    if (item == 1) return MenuBand{static_cast<float>(2 * height / 3.2), static_cast<float>(2 * height / 2.6)};
    return MenuBand{static_cast<float>(height / 3.5), static_cast<float>(height / 2.3)};
}

// The item whose band contains the window point (x, y) of a menu laid out at
// width x height; 0 outside both bands.
inline int menuItemAt(double x, double y, int width, int height) {
    if (x < 0 || x > width) return 0;
    for (int item = 1; item <= 2; ++item) {
        const MenuBand band = menuItemBand(item, height);
        if (y >= band.bottom && y <= band.top) return item;
    }
    return 0;
}
