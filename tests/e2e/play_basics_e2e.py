#!/usr/bin/env python3
"""The real game under an X server, driven only by key presses and read back
from the screen: the start menu (four views, captions, side marker), the side
switch, the start of a game (play screen with its help text), a typed move and
the computer's answer, the take-back key, and Escape to the menu and out.

The computer's answer is not guessed: tools/draughts3d-engine searches the same
position with the same rules and must choose the same move.
"""
import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import board_view as bv
import game_driver as g
from game_driver import check, eventually

VIEW_ORIGINS = [(32, 24), (352, 24), (352, 264), (32, 264)]  # from the bottom-left corner
VIEW_SIZE = (256, 192)


def check_menu_layout(picture):
    # Four lit views of 256x192.
    for number, (ox, oy) in enumerate(VIEW_ORIGINS, 1):
        top = g.HEIGHT - oy - VIEW_SIZE[1]
        box = picture.box(ox + 4, top + 4, ox + VIEW_SIZE[0] - 4, top + VIEW_SIZE[1] - 4, 8)
        lit = sum(1 for c in box if max(c) > 40)
        check(lit > 0.8 * len(box), "menu view %d at (%d, %d) is drawn (%d of %d points lit)" % (number, ox, oy, lit, len(box)))
    # Black gaps around and between them (the bar of the selected item and the
    # "Start the game" caption cross the columns, so those rows are left out).
    bar_rows = range(104, 188)
    caption_rows = range(280, 332)
    gap_points = []
    for x in list(range(2, 30, 6)) + list(range(291, 350, 6)) + list(range(611, 640, 6)):
        for y in range(0, g.HEIGHT, 6):
            if y in bar_rows or (291 <= x < 350 and y in caption_rows):
                continue
            gap_points.append((x, y))
    for y in list(range(0, 22, 4)) + list(range(218, 262, 4)) + list(range(458, 480, 4)):
        for x in range(0, g.WIDTH, 6):
            gap_points.append((x, y))
    lit_gaps = [(x, y) for x, y in gap_points if not g.is_dark(picture.pixel(x, y))]
    check(not lit_gaps, "the gaps between the views are black (%d lit points, first %s)" % (len(lit_gaps), lit_gaps[:3]))
    # Views 2 to 4 show the same picture: compare the parts no caption covers.
    # View 1 is left out: its hand-built polygons are lit with the normal the
    # previous frame's marker sphere left, views 2 to 4 with the one the view
    # before them left, so view 1 may be shaded a little differently.
    def strip(origin, top_offset, rows):
        ox, oy = origin
        top = g.HEIGHT - oy - VIEW_SIZE[1] + top_offset
        return picture.box(ox, top, ox + VIEW_SIZE[0], top + rows, 2)
    # Rows 120..190 of the lower views and 0..70 of the upper ones are clear of
    # the captions and the bar; rows 164..190 are clear in all four.
    for a, b, offset, rows in ((3, 2, 0, 70), (1, 2, 164, 26), (1, 3, 164, 26)):
        sa, sb = strip(VIEW_ORIGINS[a], offset, rows), strip(VIEW_ORIGINS[b], offset, rows)
        differing = sum(1 for ca, cb in zip(sa, sb) if max(abs(p - q) for p, q in zip(ca, cb)) > 24)
        check(differing < 0.02 * len(sa), "views %d and %d show the same picture (%d of %d points differ)"
              % (a + 1, b + 1, differing, len(sa)))
    # Captions: "Select side" from (160, 320) and "Start the game" from (128, 160)
    # (bottom-left origin), 30 pixels high, green.
    select = picture.count(bv.is_bright_green, 156, g.HEIGHT - 320 - 34, 500, g.HEIGHT - 320 + 2)
    start = picture.count(bv.is_bright_green, 124, g.HEIGHT - 160 - 34, 560, g.HEIGHT - 160 + 2)
    check(select > 300, "the green \"Select side\" caption is drawn from (160, 320) (%d green pixels)" % select)
    check(start > 300, "the green \"Start the game\" caption is drawn from (128, 160) (%d green pixels)" % start)
    between = picture.count(bv.is_bright_green, 124, g.HEIGHT - 280, 560, g.HEIGHT - 200)
    check(between < 40, "no caption between the two (%d green pixels)" % between)


def main():
    args = g.arguments().parse_args()

    engine = g.EngineTool(args.engine)
    game = g.start(args)
    try:
        run(game, engine, args)
    finally:
        game.stop()
        engine.close()
    return g.finish()


def run(game, engine, args):
    if not check(game.wait_window() is not None, "the game window opens"):
        return
    if not check(eventually(game.menu_showing, 10), "the start menu is drawn"):
        return
    menu = game.grab()
    check_menu_layout(menu)
    check(g.marker_colour(menu) == "green", "the side marker at (64, 331) is green: the player's side is green")
    check(g.selected_item(menu) == 1, "the bar stands on \"Select side\"")

    # Left on "Select side" switches the side, and again switches it back.
    game.key("Left")
    check(eventually(lambda: g.marker_colour(game.grab()) == "pink", 10), "Left on \"Select side\": the marker turns pink")
    game.key("Right")
    check(eventually(lambda: g.marker_colour(game.grab()) == "green", 10), "Right on \"Select side\": the marker is green again")
    if args.shots:
        g.save_screenshot(os.path.join(args.shots, "menu.png"))

    # Down, Right: the game starts.
    game.key("Down")
    check(eventually(lambda: g.selected_item(game.grab()) == 2, 10), "Down moves the bar to \"Start the game\"")
    check(game.menu_showing() and g.marker_colour(game.grab()) == "green", "the menu stays, the side unchanged")
    game.key("Right")
    started = eventually(lambda: bv.help_text_shown(game.grab()), 5)
    if not check(started, "Down, Right start the game: the play screen shows its help text"):
        return
    play = game.grab()
    lines, credit = bv.help_text_lines(play)
    check(not g.menu_showing(play), "the start menu is gone")
    for baseline, (labels, keys) in zip(bv.HELP_BASELINES, lines):
        check(labels >= 40 and keys >= 10, "help line at baseline %d: green label (%d px) and white keys (%d px)"
              % (baseline, labels, keys))
    check(credit >= 40, "the red credit line at y 450 (%d px)" % credit)
    # Nothing green or white between the help block and the credit line at the left edge.
    stray = play.count(bv.is_bright_green, 10, 80, 190, 100)
    check(stray < 5, "no help text below baseline 70 (%d green pixels)" % stray)

    engine.init()
    initial = engine.show()[0]
    wrong = bv.board_mismatches(play, initial)
    check(not wrong, "the initial position is on the board (wrong: %s)" % wrong)
    check(bv.turn_ball_colour(play) == "green", "the turn ball is green: the player moves first")

    # The player's move c3-d4, typed key by key; the computer answers.
    after, reply = engine.reply_after(["c3d4"])
    game.key("c", "3", "d", "4")
    seen = eventually(lambda: not bv.board_mismatches(game.grab(), after), 5)
    answered = game.grab()
    check(seen, "c, 3, d, 4 plays c3-d4 and the computer answers %s (wrong: %s)"
          % (reply, bv.board_mismatches(answered, after)))
    check(bv.square_colour(answered, "c3") == "neither" and bv.square_colour(answered, "d4") == "green",
          "c3 is empty and the green man stands on d4")
    check(bv.square_colour(answered, reply[:2]) == "neither" and bv.square_colour(answered, reply[2:]) == "pink",
          "the computer's man left %s for %s" % (reply[:2], reply[2:]))
    check(bv.turn_ball_colour(answered) == "green", "the turn ball is green again: the player's turn")

    # A half-typed move lights its square; U forgets it.
    game.key("e", "3")
    lit = eventually(lambda: highlighted(game.grab(), "e3"), 10)
    check(lit, "e, 3 lights the square e3 in yellow")
    if args.shots:
        g.save_screenshot(os.path.join(args.shots, "game.png"))
    game.key("u")
    check(eventually(lambda: not highlighted(game.grab(), "e3"), 10), "U clears the half-typed move")

    # 9 takes back the computer's move and the player's.
    game.key("9")
    back = eventually(lambda: not bv.board_mismatches(game.grab(), initial), 5)
    picture = game.grab()
    check(back, "9 takes both moves back (wrong: %s)" % bv.board_mismatches(picture, initial))
    check(bv.square_colour(picture, "c3") == "green" and bv.square_colour(picture, "d4") == "neither"
          and bv.square_colour(picture, reply[:2]) == "pink" and bv.square_colour(picture, reply[2:]) == "neither",
          "c3 is occupied again, d4 empty, the computer's man back on %s" % reply[:2])

    # The same move again after the take-back gets the same answer.
    game.key("c", "3", "d", "4")
    check(eventually(lambda: not bv.board_mismatches(game.grab(), after), 5),
          "after the take-back c3-d4 is answered by %s again" % reply)

    # Escape: back to the menu, and the program goes on; Escape again ends it.
    game.key("Escape")
    check(eventually(game.menu_showing, 5), "Escape on the play screen returns to the start menu")
    time.sleep(1.0)
    check(game.alive() and game.menu_showing(), "the program keeps running on the menu")
    game.key("Escape")
    check(game.wait_exit() == 0, "Escape on the start menu ends the program with status 0")


def highlighted(picture, name):
    """Yellow on the square `name` beside its man (the highlight lies at y = -2.9)."""
    x, z = bv.square_centre(name)
    points = [bv.project(x + dx, -2.9, z + dz, 0.0, bv.PLAY_ANGLE_Y)
              for dx, dz in ((-0.38, 0.0), (0.38, 0.0), (-0.38, 0.38), (0.38, 0.38), (0.0, 0.4))]
    yellow = [c for c in (picture.pixel(px, py) for px, py in points) if c[0] >= 150 and c[1] >= 150 and c[2] <= 90]
    return len(yellow) >= 4


if __name__ == "__main__":
    sys.exit(main())
