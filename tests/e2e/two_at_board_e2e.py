#!/usr/bin/env python3
"""Two at the board, in the real program outside classic mode. Two players:
green types c3 d4, the view turns to pink's chair and settles there, pink types
c3 d4 in their own frame (f6-e5), and 9 takes back pink's move alone; the
record names both players. The computer against itself: its moves come one at
a time with the board still between them, a key pauses it, Return goes on, and
the record names both levels.
"""
import glob
import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import board_view as bv
import game_driver as g
from game_driver import check, eventually


def colour_seen(picture, name, angle_y):
    """The piece on a square seen with the view turned by `angle_y`: "green", "pink" or "neither"."""
    x, z = bv.square_centre(name)
    sx, sy = bv.project(x, bv.PIECE_PROBE_Y, z, 0.0, angle_y)
    box = picture.box(int(round(sx)) - 1, int(round(sy)) - 1, int(round(sx)) + 2, int(round(sy)) + 2)
    greens, pinks = sum(1 for c in box if g.is_green(c)), sum(1 for c in box if g.is_pink(c))
    return "green" if greens >= 5 else "pink" if pinks >= 5 else "neither" if greens + pinks <= 1 else "unclear"


def shows(game, angle_y, **expected):
    """Whether the board seen at `angle_y` shows each square's expected piece."""
    picture = game.grab()
    return all(colour_seen(picture, name, angle_y) == colour for name, colour in expected.items())


def record_text(game):
    files = glob.glob(os.path.join(game.home, "data", "draughts3d", "games", "*.pdn"))
    return open(files[0]).read() if len(files) == 1 else ""


def two_players(args):
    game = g.start(args, options=["--windowed", "--two-players"], classic=False)
    try:
        check(game.wait_window() is not None and eventually(game.menu_showing), "the start menu is drawn")
        game.key("Down", "Return", pause=0.3)
        check(eventually(lambda: shows(game, 3, c3="green", f6="pink")), "Return starts a game of two players")
        game.key("c", "3", "d", "4")
        check(eventually(lambda: shows(game, 180, d4="green", c3="neither", f6="pink"), timeout=4),
              "green plays c3-d4; the view turns to pink's chair and settles")
        game.key("c", "3", "d", "4")  # pink's c3 d4 is the game's f6-e5
        check(eventually(lambda: shows(game, 0, e5="pink", f6="neither", d4="green"), timeout=4),
              "pink types c3 d4 from their side: f6-e5; the view turns back to green's")
        game.key("9")
        check(eventually(lambda: shows(game, 180, f6="pink", e5="neither", d4="green"), timeout=4),
              "9 takes back pink's move alone, and the view turns to pink again")
        game.key("Escape")
        check(eventually(game.menu_showing), "Escape returns to the menu")
        text = record_text(game)
        check('[White "Green"]' in text and '[Black "Pink"]' in text and '[BlackType "human"]' in text
              and "1. c3-d4 *" in text, "the record names both players and holds the game's line")
    finally:
        game.stop()


def settled_boards(game, seconds):
    """The boards seen for `seconds`, each with how long it stayed: (board, seconds) in order."""
    seen, end = [], time.time() + seconds
    while time.time() < end:
        picture, now = game.grab(), time.time()
        board = tuple(bv.square_colour(picture, name) for name in bv.DARK_SQUARES)
        if seen and seen[-1][0] == board:
            seen[-1][2] = now
        else:
            seen.append([board, now, now])
    return [(board, last - first) for board, first, last in seen]


def computer_against_itself(args):
    game = g.start(args, options=["--windowed", "--watch", "club", "novice"], classic=False)
    try:
        check(game.wait_window() is not None and eventually(game.menu_showing), "the start menu is drawn")
        game.key("Down", "Right", pause=0.3)
        boards = settled_boards(game, 5.0)
        # Between two moves the board stands still for the reply delay (0.6 s).
        still = [board for board, lasted in boards if lasted >= 0.45 and "unclear" not in board]
        moves = sum(1 for a, b in zip(still, still[1:]) if a != b)
        check(moves >= 2, "the computer plays itself, a move at a time with the board still between (%d moves)"
              % moves)
        game.key("x")
        time.sleep(0.6)  # a move under way lands at once
        paused = settled_boards(game, 2.0)
        check(len(paused) == 1, "a key pauses it: nothing moves for 2 s")
        game.key("Return")
        check(eventually(lambda: len(settled_boards(game, 0.5)) > 1, timeout=5), "Return goes on")
        game.key("Escape")
        check(eventually(game.menu_showing), "Escape returns to the menu")
        text = record_text(game)
        check('[White "draughts3d Club"]' in text and '[Black "draughts3d Novice"]' in text
              and '[WhiteType "program"]' in text, "the record names both levels")
    finally:
        game.stop()


def main():
    args = g.arguments().parse_args()
    two_players(args)
    computer_against_itself(args)
    return g.finish("checks")


if __name__ == "__main__":
    sys.exit(main())
