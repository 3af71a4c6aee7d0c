#!/usr/bin/env python3
"""The real program played with the mouse through xdotool.

Where to click is worked out here from the scene and the play camera (square
(file i, rank j) has its centre at x = i - 4.5, z = 4 - j on the playing surface
y = -2.95; the camera of board_view.project), never with the game's own picking.

  - Menu: a click on the band of "Select side" switches the side (twice: pink,
    then green again); a click on the band of "Start the game" starts a game.
  - One whole game with every player move given as two clicks, checked against
    the engine tool after every turn, to the winner picture and back to the menu.
  - A second game: a click lights the from-square, a right click clears it, a
    click on the from-square again clears it too; a right drag turns the view
    by its stated amount (36 pixels right and 27 down: 12 degrees about the
    vertical, three 3-degree tilt steps) and back; then the view is turned with
    the arrow keys, and a move clicked in that view is played with the
    computer's answer.
"""
import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import board_view as bv
import game_driver as g
import whole_game_e2e as wg
from game_driver import check, eventually

FRAMES_PER_SECOND = 10
SURFACE_Y = -2.95
# The bands the highlight bars cover on the start menu, from the bottom of the
# 640x480 layout: "Select side" 2H/3.2..2H/2.6, "Start the game" H/3.5..H/2.3.
SELECT_BAND = (2 * g.HEIGHT / 3.2, 2 * g.HEIGHT / 2.6)
START_BAND = (g.HEIGHT / 3.5, g.HEIGHT / 2.3)
# Drag rate: a degree of turn per 3 pixels; tilt in 3-degree steps (9 pixels).
DRAG_RIGHT, DRAG_DOWN = 36, 27
DRAG_TURN, DRAG_TILT = 12, 9


class Mouse:
    """The game's clicks and drags, and the menu's bands."""

    def __init__(self, game):
        self.game = game
        self.click, self.drag = game.click, game.drag

    def click_band(self, band):
        """Clicks the middle of a menu band, a little right of the captions."""
        bottom, top = band
        self.click(560, g.HEIGHT - (bottom + top) / 2)


def square_point(name, angle_x=0.0, angle_y=3.0):
    """Screen point (from the top) of a square's centre on the playing surface."""
    x, z = bv.square_centre(name)
    return bv.project(x, SURFACE_Y, z, angle_x, angle_y)


def click_move(mouse, move, angle_x=0.0, angle_y=3.0):
    """A move such as "c3d4" as two clicks, from-square then to-square."""
    mouse.click(*square_point(move[0:2], angle_x, angle_y))
    mouse.click(*square_point(move[2:4], angle_x, angle_y))


# What the board shows, probed at points projected for given view angles (the
# same reading as board_view's, which assumes the start-of-game view).
def piece_colour(picture, name, angle_x, angle_y):
    x, z = bv.square_centre(name)
    sx, sy = bv.project(x, -2.88, z, angle_x, angle_y)
    cx, cy = int(round(sx)), int(round(sy))
    box = picture.box(cx - 1, cy - 1, cx + 2, cy + 2)
    greens = sum(1 for c in box if g.is_green(c))
    pinks = sum(1 for c in box if g.is_pink(c))
    if greens >= 5 and pinks == 0:
        return "green"
    if pinks >= 5 and greens == 0:
        return "pink"
    return "neither" if greens <= 1 and pinks <= 1 else "unclear"


def matches(picture, cells, angle_x, angle_y):
    """How many dark squares show the colour the engine tool's cells give."""
    count = 0
    for name in bv.DARK_SQUARES:
        piece = g.piece_at(cells, name)
        want = "neither" if piece == "." else ("green" if piece in "wW" else "pink")
        count += piece_colour(picture, name, angle_x, angle_y) == want
    return count


def best_view(picture, cells, tilts, turns):
    """The view angles whose projection the picture fits: among those that fit
    all 32 dark squares, the middle one; None when none fits."""
    fitting = [(ax, ay) for ax in tilts for ay in turns if matches(picture, cells, ax, ay) == len(bv.DARK_SQUARES)]
    if not fitting:
        return None
    ax = sum(a for a, _ in fitting) / len(fitting)
    ay = sum(b for _, b in fitting) / len(fitting)
    return 3 * round(ax / 3), 3 * round(ay / 3)


def is_yellow(c):
    r, gr, b = c
    return r >= 150 and gr >= 150 and b < 90


def from_square_lit(picture, name, angle_x=0.0, angle_y=3.0):
    """Yellow over the square beside its man (0.3 towards a corner)."""
    x, z = bv.square_centre(name)
    sx, sy = bv.project(x + 0.3, -2.9, z + 0.3, angle_x, angle_y)
    return sum(1 for c in picture.box(int(sx) - 1, int(sy) - 1, int(sx) + 2, int(sy) + 2) if is_yellow(c)) >= 7


def menu_part(game, mouse, shots):
    """Both items by click, ending on the play screen of a first game."""
    if not check(eventually(game.menu_showing, 10), "the start menu is drawn"):
        return False
    check(g.selected_item(game.grab()) == 1 and g.marker_colour(game.grab()) == "green",
          "the menu opens on \"Select side\" with the player green")
    mouse.click_band(SELECT_BAND)
    check(eventually(lambda: g.marker_colour(game.grab()) == "pink", 10),
          "a click on the band of \"Select side\" makes the player pink")
    mouse.click_band(SELECT_BAND)
    check(eventually(lambda: g.marker_colour(game.grab()) == "green", 10), "a second click makes the player green again")
    check(g.selected_item(game.grab()) == 1, "\"Select side\" stays selected")
    # Between the bands and over the views nothing happens.
    mouse.click(560, g.HEIGHT - (SELECT_BAND[0] + START_BAND[1]) / 2)
    time.sleep(0.4)
    picture = game.grab()
    check(g.menu_showing(picture) and g.marker_colour(picture) == "green" and g.selected_item(picture) == 1,
          "a click between the bands changes nothing")
    mouse.click_band(START_BAND)
    return True


def whole_game(game, mouse, engine, referee, shots):
    def enter(_game, move):
        click_move(mouse, move)
    if not wg.play_game(game, engine, referee, 8, 1, shots, True, enter_move=enter):
        return False
    check(g.selected_item(game.grab()) == 2, "the click on \"Start the game\" had selected it")
    return True


def second_game(game, mouse, engine, shots):
    engine.init()
    # Two side switches leave the player green and to move first, whoever
    # moved last in the first game; then the start.
    mouse.click_band(SELECT_BAND)
    mouse.click_band(SELECT_BAND)
    check(eventually(lambda: g.selected_item(game.grab()) == 1 and g.marker_colour(game.grab()) == "green", 10),
          "two clicks on \"Select side\" leave the player green")
    mouse.click_band(START_BAND)
    if not check(eventually(lambda: matches(game.grab(), engine.show()[0], 0, 3) == 32, 5),
                 "a click on the band of \"Start the game\" starts a new game"):
        return
    # Click c3: it lights; a right click clears it; c3 again is a from-square,
    # and a click on it once more clears it.
    mouse.click(*square_point("c3"))
    check(eventually(lambda: from_square_lit(game.grab(), "c3"), 10), "a click on c3 lights it as the from-square")
    mouse.click(600, 100, button=3)
    check(eventually(lambda: not from_square_lit(game.grab(), "c3"), 10), "a right click clears it")
    mouse.click(*square_point("c3"))
    check(eventually(lambda: from_square_lit(game.grab(), "c3"), 10), "the next click gives a from-square again")
    mouse.click(*square_point("c3"))
    check(eventually(lambda: not from_square_lit(game.grab(), "c3"), 10), "a click on the from-square again clears it")
    time.sleep(0.3)
    check(engine.show()[0] == wg.INITIAL and matches(game.grab(), wg.INITIAL, 0, 3) == 32, "nothing has moved")

    # A right drag turns the view: the picture now fits the turned camera and
    # no longer the first one.
    before = game.grab()
    mouse.drag(320, 240, DRAG_RIGHT, DRAG_DOWN)
    turned = (DRAG_TILT, 3 + DRAG_TURN)
    fits = eventually(lambda: matches(game.grab(), wg.INITIAL, *turned) == 32, 10)
    after = game.grab()
    check(fits and after.rgb != before.rgb and matches(after, wg.INITIAL, 0, 3) < 32,
          "a right drag of %d px right, %d px down turns the view by %d degrees and tilts it by %d"
          % (DRAG_RIGHT, DRAG_DOWN, DRAG_TURN, DRAG_TILT))
    mouse.click(*square_point("e3", *turned))
    check(eventually(lambda: from_square_lit(game.grab(), "e3", *turned), 10), "a click in the turned view lights e3")
    mouse.click(600, 100, button=3)
    mouse.drag(320, 240, -DRAG_RIGHT, -DRAG_DOWN)
    check(eventually(lambda: matches(game.grab(), wg.INITIAL, 0, 3) == 32, 10), "dragging back turns the view back")

    # Turned with the arrow keys (held for a few frames), then played by clicks.
    game.hold_key("Left", 0.45)
    game.hold_key("Down", 0.35)
    time.sleep(0.3)
    view = best_view(game.grab(), wg.INITIAL, range(0, -25, -3), range(3, 70, 3))
    if not check(view is not None and view != (0, 3), "the arrow keys turned the view (seen at %s)" % (view,)):
        return
    move = "c3d4"
    click_move(mouse, move, *view)
    engine.play(move)
    reply = engine.search()
    engine.play(reply)
    cells = engine.show()[0]
    check(eventually(lambda: matches(game.grab(), cells, *view) == 32, 6),
          "in the view turned to %s, clicks on c3 and d4 play the move and the computer answers %s" % (view, reply))
    # The next move's from-square clicked: a mouse game in progress, for the docs.
    following = sorted(engine.moves())[0]
    mouse.click(*square_point(following[0:2], *view))
    lit = eventually(lambda: from_square_lit(game.grab(), following[0:2], *view), 10)
    check(lit, "a click on %s lights it in the turned view" % following[0:2])
    if shots and lit:
        g.save_screenshot(os.path.join(shots, "mouse_game.png"))


def main():
    args = g.arguments().parse_args()
    if args.shots:
        os.makedirs(args.shots, exist_ok=True)

    began = time.time()
    engine = g.EngineTool(args.engine)
    referee = wg.Referee(args.engine)
    game = g.start(args, {"DRAUGHTS3D_MAX_FPS": str(FRAMES_PER_SECOND)})
    try:
        if check(game.wait_window() is not None, "the game window opens"):
            mouse = Mouse(game)
            if menu_part(game, mouse, args.shots) and whole_game(game, mouse, engine, referee, args.shots):
                second_game(game, mouse, engine, args.shots)
                game.key("Escape")
                check(eventually(game.menu_showing, 10), "Escape returns to the menu")
                game.key("Escape")
                check(game.wait_exit() == 0, "Escape on the start menu ends the program with status 0")
    finally:
        game.stop()
        engine.close()
        referee.close()
    print("e2e: the mouse run took %.1f s" % (time.time() - began))
    return g.finish()


if __name__ == "__main__":
    sys.exit(main())
