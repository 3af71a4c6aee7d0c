#!/usr/bin/env python3
"""Typing moves as players of other keyboard layouts do, and holding keys.

Each run of the game gets the X server's layout set first (setxkbmap), and
the keys are pressed by their symbols under that layout, as a player would
press the key labelled with them:
  - Russian: the keys labelled C and D give the Cyrillic letters es and ve;
    the game must still read c3-d4 (letters by the key's place);
  - French (AZERTY): the letter a stands where QWERTY has q; the game must
    read a, not q (a Latin layout keeps its own letters).
Held keys are one press, however long they auto-repeat: a digit held for
1.5 s fills the from-rank only, so the next letter and digit complete the
move; Escape held for 2 s on the play screen returns to the menu and the
game goes on there.
The computer's answers come from tools/draughts3d-engine.
"""
import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import board_view as bv
import game_driver as g
from game_driver import check, eventually

HOLD = 1.5  # well past the server's auto-repeat delay (660 ms)


def set_layout(layout):
    run = subprocess.run(["setxkbmap", "-layout", layout], capture_output=True, text=True)
    return check(run.returncode == 0, "setxkbmap -layout %s (%s)" % (layout, run.stderr.strip()))


def start_game(game, layout):
    if not check(game.wait_window() is not None, "%s: the game window opens" % layout):
        return False
    if not check(eventually(game.menu_showing, 10), "%s: the start menu is drawn" % layout):
        return False
    game.key("Down", "Right", pause=0.3)
    return check(eventually(lambda: bv.help_text_shown(game.grab()), 5), "%s: Down, Right start the game" % layout)


def type_with_held_digit(game, letter1, digit1, letter2, digit2):
    """letter1, digit1 held for HOLD seconds, then letter2 and digit2."""
    game.key(letter1, pause=0.2)
    game.hold_key(digit1, HOLD)
    game.key(letter2, digit2, pause=0.2)


def played(game, board):
    return eventually(lambda: not bv.board_mismatches(game.grab(), board), 8)


def russian(args, engine):
    if not set_layout("ru"):
        return
    game = g.start(args)
    try:
        if not start_game(game, "ru"):
            return
        after = engine.reply_after(["c3d4"])[0]
        game.key("Cyrillic_es", "3", "Cyrillic_ve", "4", pause=0.2)
        check(played(game, after), "ru: the keys C, 3, D, 4 (es, 3, ve, 4) play c3-d4 and get the answer")
        # U (Cyrillic ghe) forgets, 9 takes back.
        game.key("Cyrillic_ghe", "9", pause=0.2)
        engine.init()
        initial = engine.show()[0]
        check(eventually(lambda: not bv.board_mismatches(game.grab(), initial), 5), "ru: 9 takes both moves back")
        type_with_held_digit(game, "Cyrillic_es", "3", "Cyrillic_ve", "4")
        check(played(game, after), "ru: C, 3 held %.1f s, D, 4 still play c3-d4: the held 3 is one press" % HOLD)
        game.hold_key("Escape", 2.0)
        check(eventually(game.menu_showing, 5), "Escape held for 2 s returns to the start menu")
        time.sleep(1.0)
        check(game.alive() and game.menu_showing(), "... and the game goes on there")
        game.key("Escape")
        check(game.wait_exit() == 0, "Escape on the menu ends the game with status 0")
    finally:
        game.stop()


def french(args, engine):
    if not set_layout("fr"):
        return
    game = g.start(args)
    try:
        if not start_game(game, "fr"):
            return
        after = engine.reply_after(["a3b4"])[0]
        game.key("a", "3", "b", "4", pause=0.2)
        check(played(game, after), "fr (AZERTY): a, 3, b, 4 play a3-b4 (the a key, not the q place)")
    finally:
        game.stop()
        set_layout("us")


def main():
    args = g.arguments().parse_args()
    engine = g.EngineTool(args.engine)
    try:
        russian(args, engine)
        french(args, engine)
    finally:
        engine.close()
    return g.finish()


if __name__ == "__main__":
    sys.exit(main())
