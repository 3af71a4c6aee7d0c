#!/usr/bin/env python3
"""The real game left alone on the play screen: it must stay cool, keep its
picture when covered and uncovered, and still answer a key at once.

  - Idle: over 3 s with nothing pressed the game uses at most 5% of one core
    (frames that would show nothing new are not drawn).
  - Covered by another window and uncovered, the window shows the play screen
    again, the same picture to the last byte, not what covered it.
  - A typed file ("e") shows its highlight within a few frames.
Both as the game first was (--classic) and with moves shown travelling, where
a move, its travel and the computer's reply come first: once they are over,
the play screen is idle again.
"""
import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import game_driver as g
from game_driver import check, eventually


def cpu_seconds(pid):
    """Processor time of the process, all its threads, from /proc."""
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    # Fields after the name start at 3 (state); utime and stime are 14 and 15.
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def idle_share(game):
    pid = game.process.pid
    cpu, wall = cpu_seconds(pid), time.time()
    time.sleep(3.0)
    return 100 * (cpu_seconds(pid) - cpu) / (time.time() - wall)


def run(game, args):
    check(game.wait_window() is not None, "the game window opens")
    check(eventually(game.menu_showing, 10.0), "the start menu shows")
    game.key("Down", "Right", pause=0.2)
    check(eventually(lambda: g.play_showing(game.grab()), 5.0), "Down and Right start the game")

    time.sleep(1.0)
    share = idle_share(game)
    check(share <= 5.0, "idle on the play screen the game uses %.1f%% of one core (at most 5%%)" % share)

    idle = game.grab()
    ox, oy = game.origin
    subprocess.run([args.cover, str(ox + 100), str(oy + 100), "300", "200", "400"], check=False)
    again = eventually(lambda: game.grab().rgb == idle.rgb, 10.0)
    check(again, "covered and uncovered, the window shows the same play screen again")

    game.key("e")
    start = time.time()
    changed = eventually(lambda: game.grab().rgb != idle.rgb, 2.0, interval=0.01)
    check(changed, "a typed file shows at once (%.0f ms after the key)" % (1000 * (time.time() - start)))
    if args.shots:
        g.save_screenshot(os.path.join(args.shots, "idle_play_typed.png"))


def main():
    parser = g.arguments()
    parser.add_argument("--cover", required=True)
    args = parser.parse_args()
    game = g.start(args)
    try:
        run(game, args)
    finally:
        game.stop()
    game = g.start(args, classic=False)
    try:
        check(game.wait_window() is not None and eventually(game.menu_showing, 10.0), "the game opens (moves shown)")
        game.key("Down", "Right", pause=0.2)
        check(eventually(lambda: g.play_showing(game.grab()), 5.0), "a game starts (moves shown)")
        game.key("c", "3", "d", "4")
        time.sleep(2.5)  # the move, the reply's wait and its travel
        share = idle_share(game)
        check(share <= 5.0, "moves shown, idle after the reply: %.1f%% of one core (at most 5%%)" % share)
    finally:
        game.stop()
    return g.finish()


if __name__ == "__main__":
    sys.exit(main())
