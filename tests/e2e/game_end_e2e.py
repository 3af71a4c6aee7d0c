#!/usr/bin/env python3
"""How a game ends outside classic mode, read from its record and the screen: a
draw agreed (O), a resignation (R, R), an opened finished file not played on, an
opened file waiting for Return, kings shuffled until the rules declare a draw."""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import game_driver as g
from game_driver import check, eventually

OPTIONS = ["--windowed", "--animation", "off"]


def latest_record(home):
    return (sorted(glob.glob(os.path.join(home, "data", "draughts3d", "games", "*.pdn"))) or [None])[-1]


def record_text(home):
    return open(latest_record(home)).read() if latest_record(home) else ""


def ended_as(home, result, termination):
    return '[Result "%s"]\n' % result in record_text(home) and '"%s"]' % termination in record_text(home)


END_Y, ACTS_Y = 245, 225  # baselines of the end held and the acts' line (app/screens/play_screen.cpp)


def hud_shows(game, y, kind=lambda c: c[0] >= 200 and c[1] >= 200 and c[2] <= 80):
    """Whether the HUD line whose baseline is `y` pixels from the top has text of `kind` (yellow)."""
    return game.grab(0, y - 11, 330, 14).count(kind, 0, y - 11, 330, y + 3) > 30


def replayed(args, home):
    """(whole moves, final position as the engine tool's "pos" text) of the latest record; (0, None) for none."""
    found = latest_record(home)
    line = subprocess.run([args.engine, "--replay", found], capture_output=True, text=True).stdout if found else ""
    return (int(line.split()[3]), tool_position(line.split("FEN ")[1].split(", result")[0].strip())) if ": ok " in line else (0, None)


def tool_position(fen):
    """A FEN with algebraic squares ("W:WKa1,c3:BKh8") as the engine tool's position (White is side 1)."""
    cells = ["."] * 64
    side, white, black = fen.split(":")
    for pieces, man in ((white[1:], "w"), (black[1:], "b")):
        for piece in filter(None, pieces.split(",")):
            cells[(8 - int(piece[-1])) * 8 + ord(piece[-2]) - ord("a")] = man.upper() if piece[0] == "K" else man
    return "pos %s %d -" % ("".join(cells), 1 if side == "W" else 2)


def safe_step(engine, position, back):
    """`back` (the king returning) when it leaves the computer no capture, else the first such step."""
    engine.set_position(position)
    moves = engine.moves()
    for move in ([back] if back in moves else []) + moves:
        engine.set_position(position)
        engine.play(move)
        replies = engine._send("moves", lambda line: line.startswith("count "))  # "c3e5 2": a capture
        if not any(line.endswith(" 2") for line in replies):
            return move
    return moves[0]


def open_file(args, home, name, text):
    open(os.path.join(home, name), "w").write(text)
    game = g.start(args, options=OPTIONS + [os.path.join(home, name)], classic=False, home=home)
    check(game.wait_window() is not None and eventually(lambda: g.play_showing(game.grab())),
          "%s opens on the play screen" % name)
    return game


def main():
    args = g.arguments().parse_args()
    engine = g.EngineTool(args.engine)
    home = tempfile.mkdtemp(prefix="draughts3d-end-")
    os.makedirs(os.path.join(home, "config", "draughts3d"))
    open(os.path.join(home, "config", "draughts3d", "settings.ini"), "w").write("reply_delay = 0\n")
    game = None
    try:
        # The Classic level counts the near side's men as worth more the further
        # they stand: at the start it is not ahead, and accepts.
        game = g.start(args, options=OPTIONS + ["--level", "classic"], classic=False, home=home)
        check(game.wait_window() is not None and eventually(game.menu_showing), "the start menu is drawn")
        game.key("Down", "Right")
        eventually(lambda: g.play_showing(game.grab()))
        game.key("c", "3", "d", "4")
        check(eventually(lambda: replayed(args, home)[0] == 2 and '[Black "draughts3d Classic"]' in record_text(home)),
              "c3-d4 and the reply are kept, the computer named by its level")
        game.key("o")
        check(eventually(lambda: ended_as(home, "1/2-1/2", "Draw agreed")), "O: the draw agreed is on record")
        check(eventually(lambda: hud_shows(game, END_Y)), "the end is held on the screen with its words")
        game.stop()

        shutil.rmtree(os.path.join(home, "data"))
        game = g.start(args, options=OPTIONS + ["--level", "club"], classic=False, home=home)
        game.wait_window() and eventually(game.menu_showing)
        game.key("Down", "Right")
        check(eventually(lambda: g.play_showing(game.grab()) and record_text(home)), "a new game, its record made")
        game.key("r")
        check(eventually(lambda: hud_shows(game, ACTS_Y, g.is_white)), "R asks to confirm")
        game.key("r")
        check(eventually(lambda: ended_as(home, "0-1", "Resignation")), "R again: the resignation is on record")
        game.stop()

        # A game that has ended opens with its end held; a move typed there is
        # not played, the keys return to the menu, and nothing is kept.
        shutil.rmtree(os.path.join(home, "data"))
        game = open_file(args, home, "finished.pdn", '[Black "draughts3d Club"]\n1. c3-d4 f6-g5 0-1\n')
        check(eventually(lambda: hud_shows(game, END_Y)), "the finished file shows its end")

        check(eventually(lambda: game.key("g", "3", "h", "4") or game.menu_showing(), timeout=8),
              "a legal move typed there (again after the end's first second) returns to the menu")
        check(not record_text(home), "and nothing is played or kept")
        game.stop()

        # On the computer's turn an opened file waits for Return.
        game = open_file(args, home, "its turn.pdn", '[Black "draughts3d Club"]\n1. c3-d4 *\n')
        check(eventually(lambda: hud_shows(game, ACTS_Y, g.is_white)), "the screen asks for Return")
        check(not record_text(home), "no move is played by itself")
        game.key("Return")
        check(eventually(lambda: replayed(args, home)[0] == 1), "Return: the computer's reply starts a record")
        game.stop()

        # Three kings against two shuffled: the computer, behind, goes back
        # where it was, and the third time the same position comes the game is drawn.
        shutil.rmtree(os.path.join(home, "data"))
        start = "W:WKa1,Kc1,Ke1:BKf8,Kh8"
        game = open_file(args, home, "kings.pdn", '[Black "draughts3d Club"]\n[FEN "%s"]\n*\n' % start)
        last = ""
        for _ in range(20):
            if "1/2-1/2" in record_text(home):
                break
            plies, position = replayed(args, home)
            last = safe_step(engine, position or tool_position(start), last[2:] + last[:2])
            game.key(*last)
            eventually(lambda: replayed(args, home)[0] >= plies + 2 or "1/2-1/2" in record_text(home), timeout=10)
        check(ended_as(home, "1/2-1/2", "Repetition"), "the shuffle ends drawn by repetition on record")
        check(eventually(lambda: hud_shows(game, END_Y)), "and on the screen")
        g.save_png(game.grab(), os.path.join(args.shots, "game_end_repetition.png"))
    finally:
        if game:
            game.stop()
        engine.close()
        shutil.rmtree(home, ignore_errors=True)
    return g.finish("checks")


if __name__ == "__main__":
    sys.exit(main())
