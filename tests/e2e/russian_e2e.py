#!/usr/bin/env python3
"""The game in Russian as a Russian desktop asks for it: LANG=ru_RU.UTF-8, with
LC_ALL and LANGUAGE unset, on a machine that need have no Russian locale. The
start question carries its Russian title; a refused move is said on the HUD
as long as draughts3d-engine's Russian reason for it, not its English one; Escape
twice leaves. Every check waits for what it looks at.
"""
import os
import subprocess
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import game_driver as g
from game_driver import check, eventually

QUESTION_RU = "Во весь экран?"
# The line of advice: orange letters from x = 10, a character each 7 pixels
# (the 12-pixel font's whole-pixel advance), the last one's ink 5 pixels wide.
ADVICE_LINE = (10, 198, 639, 213)
CHARACTER = 7


def words_end(characters):
    return 10 + CHARACTER * (characters - 1) + 5


def is_orange(c):
    r, gr, b = c
    return r >= 120 and 0.3 * r <= gr <= 0.8 * r and b <= 70


def advice_end(picture):
    """The right edge of the orange words from the left (a gap of three characters
    ends them: the room behind has orange of its own further right), or None."""
    x0, y0, x1, y1 = ADVICE_LINE
    end = None
    for x in range(x0, x1):
        if any(is_orange(picture.pixel(x, y)) for y in range(y0, y1)):
            end = x
        elif end is not None and x - end > 3 * CHARACTER:
            break
        elif end is None and x - x0 > 2 * CHARACTER:
            return None  # no words from the left edge: only the room's orange, if any
    return end


def reason(engine, environment, move):
    """Why the engine tool refuses `move` from the initial position, in the language of `environment`."""
    run = subprocess.run([engine], input="init\nwhy %s\n" % move, capture_output=True, text=True, env=environment,
                         timeout=30)
    return run.stdout.splitlines()[-1]


def main():
    args = g.arguments().parse_args()
    russian = dict(os.environ, LANG="ru_RU.UTF-8")
    for name in ("LC_ALL", "LC_MESSAGES", "LANGUAGE"):
        russian.pop(name, None)
        os.environ.pop(name, None)
    english = dict(russian, LANG="C.UTF-8")
    said, english_said = reason(args.engine, russian, "c3c4"), reason(args.engine, english, "c3c4")
    check(said != english_said and "c4" in said, "the engine tool says why in Russian: %s" % said)

    game = g.start(args, env={"LANG": "ru_RU.UTF-8"}, options=["--animation", "off"], question=True, classic=False)
    try:
        check(game.answer(QUESTION_RU, "Escape") is not None, "the start question is asked in Russian")
        check(game.wait_window() is not None and eventually(game.menu_showing, timeout=15), "the start menu is drawn")
        game.key("Down", "Return")
        check(eventually(lambda: g.play_showing(game.grab()), timeout=15), "a game starts")

        game.key("c", "3", "c", "4")
        # The words are read from the very picture that showed them: a busy
        # machine's next grab may come after their time is up.
        said_in = []
        check(eventually(lambda: advice_end(said_in.append(game.grab()) or said_in[-1]) is not None, timeout=15),
              "c3-c4 is refused and said")
        picture = said_in[-1]
        g.save_png(picture, os.path.join(args.shots, "russian_refusal.png"))
        end = advice_end(picture)
        check(abs(end - words_end(len(said))) < CHARACTER and abs(end - words_end(len(english_said))) > 2 * CHARACTER,
              "the reason on the screen ends at %d, as its %d Russian characters do" % (end, len(said)))

        game.key("Escape")
        check(eventually(game.menu_showing, timeout=15), "Escape returns to the menu")
        game.key("Escape")
        check(game.wait_exit() == 0, "Escape on the menu leaves the game")
    finally:
        game.stop()
    return g.finish("checks")


if __name__ == "__main__":
    sys.exit(main())
