#!/usr/bin/env python3
"""Every game kept, in the real program outside classic mode with its own
folders: a game killed with SIGKILL replays from its record and is continued
from the menu at the engine tool's position, 9 and 0 step through it; a
pink-side record opens turned and a move in it starts a record from a FEN."""
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

def replay(args, path):
    return subprocess.run([args.engine, "--replay", path], capture_output=True, text=True).stdout.strip()


def records(home):
    return sorted(glob.glob(os.path.join(home, "data", "draughts3d", "games", "*.pdn")))


def shows(game, cells, green_side=1):
    return eventually(lambda: not bv.board_mismatches(game.grab(), cells, green_side), timeout=5)


def main():
    args = g.arguments().parse_args()
    home = tempfile.mkdtemp(prefix="draughts3d-keep-")
    engine = g.EngineTool(args.engine)
    cells2, reply = engine.reply_after(["g3h4"])
    cells4, _ = engine.reply_after(["g3h4", reply, "c3d4"])
    options = ["--windowed", "--animation", "off"]
    game = g.start(args, options=options, classic=False, home=home)
    try:
        check(game.wait_window() is not None and eventually(game.menu_showing), "the start menu is drawn")
        game.key("Down", "Right")
        eventually(lambda: g.play_showing(game.grab()))
        game.key("g", "3", "h", "4")
        check(eventually(lambda: records(home) and "ok 2 moves" in replay(args, records(home)[0])),
              "g3-h4 and the reply %s are on disk" % reply)
        game.key("c", "3", "d", "4")
        check(eventually(lambda: "ok 4 moves" in replay(args, records(home)[0])), "c3-d4 and its reply are on disk")
        game.process.kill()  # SIGKILL: nothing of the program runs after it
        game.wait_exit()
        check(replay(args, records(home)[0]).startswith("game 1: ok 4 moves"), "the killed game's record replays")

        game = g.start(args, options=options, classic=False, home=home)
        check(game.wait_window() is not None and eventually(game.menu_showing), "the menu is drawn again")
        game.key("Down", "Down")
        check(eventually(lambda: g.selected_item(game.grab()) == 3), "Down twice selects \"Continue the game\"")
        game.key("Right")
        check(shows(game, cells4), "the game continues where it was killed")
        game.key("9")
        check(shows(game, cells2), "9 takes back c3-d4 and its reply")
        game.key("0")
        check(shows(game, cells4), "0 plays them again")
        game.key("Escape")
        check(eventually(lambda: "Abandoned" in open(records(home)[0]).read()), "Escape marks the record abandoned")
        game.stop()

        pink = os.path.join(home, "pink game.pdn")
        open(pink, "w").write('[Black "Player"]\n[BlackType "human"]\n1. c3-d4 f6-g5 2. b2-c3 *\n')
        engine.init()
        assert all(engine.play(move) for move in ["c3d4", "f6g5", "b2c3"])
        opened = engine.show()[0][::-1].translate(str.maketrans("wbWB", "bwBW"))  # as the pink player sees it
        game = g.start(args, options=options + [pink], classic=False, home=home)
        bv.PLAY_ANGLE_Y = 0.0  # opened straight on the play screen, the view not turned
        bv._probe_pixels_cache.clear()
        check(game.wait_window() is not None and shows(game, opened, green_side=2),
              "a pink-side record opens at its last position, the player's pink men near")
        engine.set_position("pos %s 1 -" % opened)
        game.key(*engine.moves()[0])
        check(eventually(lambda: len(records(home)) == 2 and '[SetUp "1"]' in open(records(home)[-1]).read()),
              "a move of the player's starts a new record from the opened position")
    finally:
        game.stop()
        engine.close()
        shutil.rmtree(home, ignore_errors=True)
    return g.finish("checks")


if __name__ == "__main__":
    sys.exit(main())
