#!/usr/bin/env python3
"""Seeing the moves, in the real program outside classic mode, read back from
the screen frame by frame: after c3-d4 the computer's reply (predicted by
tools/draughts3d-engine) is seen between its squares, lands at least half a
second after the player's move has landed, and leaves its from- and to-squares
marked; a key pressed while a move travels lands it at once.
"""
import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import board_view as bv
import game_driver as g
from game_driver import check, eventually


def is_blue(c):
    return c[2] > 90 and c[2] > c[0] + 50 and c[2] > c[1] + 30


def marked(picture, name):
    """Whether the corners of a square (clear of any piece) show the last move's blue."""
    x, z = bv.square_centre(name)
    points = [bv.project(x + dx, -2.9, z + dz, 0.0, bv.PLAY_ANGLE_Y) for dx in (-0.35, 0.35) for dz in (-0.35, 0.35)]
    return all(is_blue(picture.pixel(int(round(px)), int(round(py)))) for px, py in points)


def watch(game, squares, seconds):
    """(time, colour of each square) read as fast as the screen can be grabbed."""
    seen, end = [], time.time() + seconds
    while time.time() < end:
        picture = game.grab()
        seen.append((time.time(), {name: bv.square_colour(picture, name) for name in squares}))
    return seen


def first_time(seen, condition):
    return next((t for t, colours in seen if condition(colours)), None)


def main():
    args = g.arguments().parse_args()
    engine = g.EngineTool(args.engine)
    _, reply = engine.reply_after(["c3d4"])
    move = engine.moves()[0]  # the player's next move (a capture, if one is due)
    engine.close()
    start, end = reply[:2], reply[-2:]
    # Slow: a one-square move travels for 0.4 s, long enough to see it cut short.
    game = g.start(args, options=["--windowed", "--animation", "slow"], classic=False)
    try:
        check(game.wait_window() is not None and eventually(game.menu_showing), "the start menu is drawn")
        game.key("Down")
        time.sleep(0.3)
        game.key("Right")
        check(eventually(lambda: bv.square_colour(game.grab(), "c3") == "green"), "a game starts")

        game.key("c", "3", "d", "4")
        seen = watch(game, ["c3", "d4", start, end], 3.0)
        landed = first_time(seen, lambda c: c["d4"] == "green" and c["c3"] == "neither")
        between = first_time(seen, lambda c: c[start] == "neither" and c[end] == "neither")
        replied = first_time(seen, lambda c: c[end] == "pink")
        check(landed is not None, "c3-d4 lands on d4")
        check(between is not None and replied is not None and between < replied,
              "the reply %s is seen between its squares before it lands" % reply)
        if landed is not None and replied is not None:
            check(replied - landed >= 0.5, "the reply lands %.2f s after the player's move (at least 0.5 s)"
                  % (replied - landed))
        picture = game.grab()
        g.save_png(picture, os.path.join(args.shots, "see_moves.png"))
        check(marked(picture, start) and marked(picture, end), "the reply's squares %s and %s are marked" % (start, end))
        check(not marked(picture, "c3"), "the player's move is no longer marked")

        # The next move with a key right after it: it lands at once.
        game.keys_in_one_frame(move[0], move[1], move[2], move[3])
        check(eventually(lambda: bv.square_colour(game.grab(), move[:2]) == "neither", timeout=0.3, interval=0.01),
              "%s sets off" % move)
        sent = time.time()
        game.keys_in_one_frame("u")
        check(eventually(lambda: bv.square_colour(game.grab(), move[2:]) == "green", timeout=0.15, interval=0.01)
              and time.time() - sent < 0.25, "a key pressed while %s travels lands it at once" % move)
    finally:
        game.stop()
    return g.finish("checks")


if __name__ == "__main__":
    sys.exit(main())
