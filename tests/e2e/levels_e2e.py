#!/usr/bin/env python3
"""The computer's levels in the real program, outside classic mode: the menu's
Opponent item switched by a click and by Left (the choice kept in the settings
file), and the window alive while the strongest level thinks: F1 replaces the
window and Escape returns to the menu at once, the search stopped with it.
Run in the sanitizer build too, where the search's thread and the frame's
must share nothing unguarded.
"""
import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import game_driver as g
from game_driver import TITLE, check, eventually

LEVEL_BAND_Y = g.HEIGHT - 435  # "Opponent: ..." lies 408..463 pixels from the bottom


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def settings_text(game):
    path = os.path.join(game.home, "config", "draughts3d", "settings.ini")
    return open(path).read() if os.path.exists(path) else ""


def main():
    args = g.arguments().parse_args()
    game = g.start(args, options=["--windowed"], classic=False)
    try:
        check(game.wait_window() is not None and eventually(game.menu_showing), "the start menu is drawn")
        game.click(320, LEVEL_BAND_Y)  # classic, the first choice, then beginner
        check(eventually(lambda: "level = beginner" in settings_text(game)), "a click on the Opponent item switches it")
        game.key("Left", pause=0.2)  # back to classic
        check(eventually(lambda: "level = classic" in settings_text(game)), "Left switches back up the list, kept")
        game.key("Left", "Left", "Left", pause=0.2)  # Computer v computer, Two players, then expert
        check(eventually(lambda: "level = expert" in settings_text(game) and "opponent = computer" in settings_text(game)),
              "round the list, past the two players' choices, to the strongest")

        game.key("Down", pause=0.2)  # "Select side"
        game.key("Left", pause=0.2)  # pink: the computer opens
        game.key("Down", "Right", pause=0.2)
        check(eventually(lambda: not game.menu_showing()), "the game starts, the computer to move")
        first = game.window
        time.sleep(0.3)
        game.key("F1")
        check(game.wait_window(TITLE, timeout=3.0, other_than=first) is not None,
              "F1 replaces the window while the expert thinks")
        time.sleep(0.3)
        game.key("Escape")
        sent = time.time()
        # At once: well within the expert's three seconds, also on a busy machine.
        check(eventually(game.menu_showing, timeout=2.0), "Escape returns to the menu at once (%.2f s, under 2 s)"
              % (time.time() - sent))
        cpu, wall = cpu_seconds(game.process.pid), time.time()
        time.sleep(1.0)
        share = 100 * (cpu_seconds(game.process.pid) - cpu) / (time.time() - wall)
        # The menu alone takes about half a core; a search still running would add a whole one.
        check(share < 100, "the search stopped with it (%.0f%% of a core on the menu)" % share)
        game.key("Escape")
        check(game.wait_exit() == 0, "Escape on the menu ends the program with status 0")
    finally:
        game.stop()
    return g.finish("checks")


if __name__ == "__main__":
    sys.exit(main())
