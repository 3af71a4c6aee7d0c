#!/usr/bin/env python3
"""Your games and their review, in the real program outside classic mode with
its own folders: two games played are listed newest first, the older opens at
its end, Home and Right step through it, and the computer's analysis marks the
move that gave a man away."""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import board_view as bv
import game_driver as g
from game_driver import check, eventually

OPTIONS = ["--windowed", "--animation", "off"]
# The list's rows (baselines from the top, app/screens/games_list_screen.cpp)
# and the review's graph box and verdict line (app/screens/review_screen.cpp).
FIRST_ROW_Y, ROW_HEIGHT = 70, 16
GRAPH = (390, 10, 630, 74)
VERDICT_Y = 140


def plies_kept(args, home):
    """The whole moves of each record in the games folder, oldest first."""
    found = sorted(glob.glob(os.path.join(home, "data", "draughts3d", "games", "*.pdn")))
    lines = [subprocess.run([args.engine, "--replay", f], capture_output=True, text=True).stdout for f in found]
    return [int(line.split()[3]) if ": ok " in line else -1 for line in lines]


def row_has_text(picture, row):
    y = FIRST_ROW_Y + ROW_HEIGHT * row
    return picture.count(lambda c: min(c) >= 200, 10, y - 10, 600, y + 2) > 40


def play_game(args, game, home, moves):
    """A new game: each of `moves` typed once the computer's reply to the one before is kept."""
    game.key("Down", "Right")  # "Start the game", from "Select side"
    check(eventually(lambda: g.play_showing(game.grab())), "a new game starts")
    for plies, move in enumerate(moves, 1):
        game.key(*move)
        kept = eventually(lambda: plies_kept(args, home)[-1:] == [2 * plies], timeout=10)
    check(kept, "%s played and answered" % " ".join(moves))
    game.key("Escape")
    check(eventually(game.menu_showing), "Escape leaves the game for the menu")


def main():
    args = g.arguments().parse_args()
    home = tempfile.mkdtemp(prefix="draughts3d-review-")
    engine = g.EngineTool(args.engine)
    # g3-h4, the reply, then h4-g5 gives the man away for nothing (f6:h4).
    reply = engine.reply_after(["g3h4"])[1]
    engine.init()
    initial = engine.show()[0]
    engine.play("g3h4")
    after_first = engine.show()[0]
    game = g.start(args, options=OPTIONS, classic=False, home=home)
    try:
        check(game.wait_window() is not None and eventually(game.menu_showing), "the start menu is drawn")
        play_game(args, game, home, ["g3h4", "h4g5"])
        game.key("Up")  # back to "Select side"
        play_game(args, game, home, ["c3d4"])

        game.click(320, g.HEIGHT - 18)  # "Your games", along the menu's lower edge
        listed = lambda: row_has_text(game.grab(), 0) and row_has_text(game.grab(), 1)
        check(eventually(listed) and not row_has_text(game.grab(), 2), "the list shows the two games played")
        game.key("Down", "Return")
        bv.PLAY_ANGLE_Y = 0.0  # the review looks straight on
        bv._probe_pixels_cache.clear()
        engine.init()
        for move in ["g3h4", reply, "h4g5"]:
            engine.play(move)
        engine.play(engine.search())
        at_end = engine.show()[0]
        shows = lambda cells: eventually(lambda: not bv.board_mismatches(game.grab(), cells))
        check(shows(at_end), "the older game opens at its end, the man taken on h4")
        game.key("Home")
        check(shows(initial), "Home shows its start")
        game.key("Right")
        check(shows(after_first), "Right steps to g3-h4")

        game.key("Right", "Right", "n")  # to h4-g5, then the analysis
        marked = lambda: game.grab().count(lambda c: c[0] >= 220 and c[1] >= 180 and c[2] <= 60, *GRAPH) > 10
        check(eventually(marked, timeout=60), "the analysis marks h4-g5 in the graph")
        verdict = game.grab().count(lambda c: c[0] >= 220 and 80 <= c[1] <= 130 and c[2] <= 100, 10,
                                    VERDICT_Y - 10, 330, VERDICT_Y + 2)
        check(verdict > 30, "the HUD says what h4-g5 lost")
        kept = glob.glob(os.path.join(home, "cache", "draughts3d", "analysis", "*.txt"))
        check(len(kept) == 1, "the analysis is kept in the cache folder")
    finally:
        game.stop()
        engine.close()
        shutil.rmtree(home, ignore_errors=True)
    return g.finish("checks")


if __name__ == "__main__":
    sys.exit(main())
