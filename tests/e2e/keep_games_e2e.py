#!/usr/bin/env python3
"""Every game kept, in the real program outside classic mode, with its own
player's folders: two moves and the computer's replies, the program killed
with SIGKILL, the record on disk replayed by tools/draughts3d-engine to the
engine's own position; the program started again, "Continue the game" chosen,
the board read back from the screen, 9 and 0 stepping through it, Escape
writing the game as abandoned. Then a pink-side record opened from a file (the
board turned so the player's men are near), a move played in it starting a new
record from a FEN, and a broken file named in a box before the menu.
"""
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

PINK_GAME = """[White "draughts3d"]\n[Black "Player"]\n[WhiteType "program"]\n[BlackType "human"]
1. c3-d4 f6-g5 2. b2-c3 *\n"""


def replay(args, path):
    """The engine tool's line for the first game of a PDN file."""
    return subprocess.run([args.engine, "--replay", path], capture_output=True, text=True).stdout.strip()


def records(home):
    return sorted(glob.glob(os.path.join(home, "data", "draughts3d", "games", "*.pdn")))


def cells_of(fen, turned):
    """The engine tool's cells for a PDN FEN ("W:Wa1,Kc3:Bb8"); `turned`: as the
    game holds it when the player is Black (White is side 2, every square turned)."""
    cells = ["."] * 64
    for part in fen.split(":")[1:]:
        for name in filter(None, part[1:].split(",")):
            f, r = ord(name.lstrip("K")[0]) - 96, int(name.lstrip("K")[1:])
            if turned:
                f, r = 9 - f, 9 - r
            piece = "w" if (part[0] == "W") != turned else "b"
            cells[(8 - r) * 8 + f - 1] = piece.upper() if name.startswith("K") else piece
    return "".join(cells)


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
        game.key("g", "3", "h", "4")
        check(eventually(lambda: records(home) and "ok 2 moves" in replay(args, records(home)[0])),
              "g3-h4 and the reply %s are on disk" % reply)
        game.key("c", "3", "d", "4")
        check(eventually(lambda: "ok 4 moves" in replay(args, records(home)[0])), "c3-d4 and its reply are on disk")
        game.process.kill()  # SIGKILL: nothing of the program runs after it
        game.wait_exit()
        line = replay(args, records(home)[0])
        check(cells_of(line.split("FEN ")[-1], False) == cells4, "the killed game's record replays to the engine's "
              "position: " + line)

        game = g.start(args, options=options, classic=False, home=home)
        check(game.wait_window() is not None and eventually(game.menu_showing), "the menu is drawn again")
        game.key("Down", "Down", pause=0.2)
        check(eventually(lambda: g.selected_item(game.grab()) == 3), "Down twice selects \"Continue the game\"")
        game.key("Right")
        check(shows(game, cells4), "the game continues where it was killed")
        game.key("9")
        check(shows(game, cells2), "9 takes back c3-d4 and its reply")
        game.key("0")
        check(shows(game, cells4), "0 plays them again")
        game.key("Escape")
        check(eventually(game.menu_showing), "Escape returns to the menu")
        text = open(records(home)[0]).read()
        check('[Termination "Abandoned"]' in text and '[Result "*"]' in text and len(records(home)) == 1,
              "the same record is marked abandoned")
        game.key("Escape")
        game.wait_exit()

        pink = os.path.join(home, "pink game.pdn")
        with open(pink, "w") as out:
            out.write(PINK_GAME)
        opened = cells_of(replay(args, pink).split("FEN ")[-1], True)
        game = g.start(args, options=options + [pink], classic=False, home=home)
        bv.set_play_angle(0.0)  # opened straight on the play screen, the view not turned
        check(game.wait_window() is not None and shows(game, opened, green_side=2),
              "a pink-side record opens at its last position, the player's pink men near")
        engine.set_position("pos %s 1 -" % opened)
        move = engine.moves()[0]
        game.key(*move)
        check(eventually(lambda: len(records(home)) == 2 and "ok " in replay(args, records(home)[-1])),
              "%s starts a new record" % move)
        check('[SetUp "1"]' in open(records(home)[-1]).read(), "... from the opened position, as a FEN")
        game.key("Escape")
        game.key("Escape")
        game.wait_exit()

        broken = os.path.join(home, "broken.pdn")
        with open(broken, "w") as out:
            out.write("[Event \"x\"]\n1. c3-d5 *\n")
        game = g.start(args, options=options + [broken], classic=False, home=home)
        check(game.answer("Cannot open the game", "Return") is not None, "a broken file is named in a box")
        check(game.wait_window() is not None and eventually(game.menu_showing), "... and the menu follows")
        game.key("Escape")
        check(game.wait_exit() == 0 and "broken.pdn: game 1, line 2" in game.stderr_text(),
              "... and on standard error with its game and line")
    finally:
        game.stop()
        engine.close()
        shutil.rmtree(home, ignore_errors=True)
    return g.finish("checks")


if __name__ == "__main__":
    sys.exit(main())
