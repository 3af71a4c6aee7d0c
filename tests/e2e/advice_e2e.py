#!/usr/bin/env python3
"""The advice on the play screen, in the real program outside classic mode:
T shows the hint (tools/draughts3d-engine says which move) on its two squares
in orange with its line of words; a move refused where a capture is due is
said in words and the piece that must capture is framed in white.
Every check waits for what it looks at.
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import board_view as bv
import game_driver as g
from game_driver import check, eventually

# The line of advice: orange letters on the baseline 210 pixels below the top.
ADVICE_LINE = (10, 198, 400, 213)


def is_orange(c):
    r, gr, b = c
    return r >= 120 and 0.3 * r <= gr <= 0.8 * r and b <= 70


def square_points(name, offsets):
    x, z = bv.square_centre(name)
    return [bv.project(x + dx, -2.9, z + dz, 0.0, bv.PLAY_ANGLE_Y) for dx, dz in offsets]


def hint_marked(picture, name):
    """The square's four corners (clear of its piece) are orange."""
    points = square_points(name, [(dx, dz) for dx in (-0.35, 0.35) for dz in (-0.35, 0.35)])
    return all(is_orange(picture.pixel(px, py)) for px, py in points)


def framed(picture, name):
    """The middles of its frame's four sides, inside the dark margin along the square's edge, are white."""
    points = square_points(name, [(-0.36, 0), (0.36, 0), (0, -0.36), (0, 0.36)])
    # The far side is a pixel or two thin: white within a pixel of its middle will do.
    return all(any(min(picture.pixel(px + dx, py + dy)) >= 150 for dx in (-1, 0, 1) for dy in (-1, 0, 1))
               for px, py in points)


def advice_said(picture):
    x0, y0, x1, y1 = ADVICE_LINE
    return picture.count(is_orange, x0, y0, x1, y1) >= 30


def main():
    args = g.arguments().parse_args()
    engine = g.EngineTool(args.engine)
    engine.init()
    hint = engine.hint()
    _, reply = engine.reply_after(["c3d4"])
    capture = engine.moves()[0]  # the capture the player now owes
    engine.close()
    game = g.start(args, options=["--windowed", "--animation", "off"], classic=False)
    try:
        check(game.wait_window() is not None and eventually(game.menu_showing, timeout=15), "the start menu is drawn")
        game.key("Down", "Right")  # each press acts in its turn, in one frame or two
        check(eventually(lambda: bv.square_colour(game.grab(), "c3") == "green", timeout=15), "a game starts")
        check(not advice_said(game.grab()), "nothing is said before T")

        game.key("t")
        shown = eventually(lambda: hint_marked(game.grab(), hint[:2]) and hint_marked(game.grab(), hint[-2:]),
                           timeout=15)
        check(shown, "T marks the hint %s on its squares" % hint)
        check(advice_said(game.grab()), "the hint is said on its line")

        game.key("c", "3", "d", "4")
        check(eventually(lambda: bv.square_colour(game.grab(), reply[-2:]) == "pink", timeout=15),
              "the move drops the hint and the computer replies %s" % reply)
        picture = game.grab()
        check(not hint_marked(picture, hint[:2]) and not framed(picture, capture[:2]),
              "the hint's squares are no longer marked, and no piece is framed")

        # a3-b4 while d4 must capture: refused, said, and d4 framed.
        game.key("a", "3", "b", "4")
        check(eventually(lambda: framed(game.grab(), capture[:2]), timeout=15),
              "a3-b4 is refused and %s, which must capture, is framed" % capture[:2])
        picture = game.grab()
        g.save_png(picture, os.path.join(args.shots, "advice_refusal.png"))
        check(advice_said(picture), "the reason is said on its line")
        check(bv.square_colour(picture, "a3") == "green" and bv.square_colour(picture, "b4") == "neither",
              "the refused move is not played")
    finally:
        game.stop()
    return g.finish("checks")


if __name__ == "__main__":
    sys.exit(main())
