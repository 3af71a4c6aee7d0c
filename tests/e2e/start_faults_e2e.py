#!/usr/bin/env python3
"""The real program where its start-up and its menu could go wrong.

  - No display: the program must not run on without a window. It exits with
    status 1 after saying that no display could be opened (and why X11 did not
    start); a headless SDL video driver is used only when SDL_VIDEODRIVER asks
    for it by name. An X server up a second late: the game comes up on it.
  - A FIFO named like a picture (Textures/Pol.bmp): start-up must not wait on it
    for ever; the reader's "Error" box shows, and once answered the game opens.
  - Menu presses that arrive in one frame (the frame rate held at 2 a second,
    the presses 20 ms apart) each act, in order: Left Left switches the side
    twice, Up Up leaves the bar where it was.
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import game_driver as g
from game_driver import check, eventually

NO_DISPLAY_TEXT = "No display could be opened"


def unused_display():
    for n in random.sample(range(800, 990), 190):
        if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n):
            return ":%d" % n
    return ":999"


def run_without_display(game, root, extra):
    """(exit status or None when still running after 10 s, standard error)."""
    env = dict(os.environ)
    for name in ("SDL_VIDEODRIVER", "WAYLAND_DISPLAY"):
        env.pop(name, None)
    env.update({"DISPLAY": unused_display(), "DRAUGHTS3D_FULLSCREEN": "0"})
    env.update(extra)
    status, _, stderr = g.run_briefly([game], root, env)
    return status, stderr


def check_no_display(args):
    status, stderr = run_without_display(args.game, args.root, {})
    check(status == 1 and NO_DISPLAY_TEXT in stderr and "X11 video driver" in stderr,
          "with no X server the program ends with status 1 and says so (status %s, stderr %r)" % (status, stderr[-300:]))
    # Asked for by name, the headless driver is the player's choice and not refused.
    status, stderr = run_without_display(args.game, args.root, {"SDL_VIDEODRIVER": "offscreen"})
    check(NO_DISPLAY_TEXT not in stderr, "SDL_VIDEODRIVER=offscreen is not refused (stderr %r)" % stderr[-300:])


def check_late_server(args):
    display, own = unused_display(), os.environ["DISPLAY"]
    game = g.start(args, {"DISPLAY": display, "DRAUGHTS3D_X11_TRIES": "25"})  # tries for five seconds
    time.sleep(1.0)
    server = subprocess.Popen(["Xvfb", display, "-nolisten", "tcp"], stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = display  # where the window tool looks
    try:
        check(game.wait_window(timeout=10) is not None, "an X server up a second after the game: the game comes up on it")
    finally:
        os.environ["DISPLAY"] = own
        game.stop()
        server.kill()
        server.wait()


def check_fifo_picture(args):
    work = tempfile.mkdtemp(prefix="start_faults_")
    game = None
    try:
        shutil.copytree(os.path.join(args.root, "Textures"), os.path.join(work, "Textures"))
        os.remove(os.path.join(work, "Textures", "Pol.bmp"))
        os.mkfifo(os.path.join(work, "Textures", "Pol.bmp"))
        game = g.start(args, cwd=work)
        box = game.answer("Error", "Return", 10)
        if not check(box is not None, "a FIFO as Textures/Pol.bmp gives the reader's \"Error\" box instead of a hang"):
            return
        check(game.wait_window() is not None, "after the box the game window opens")
        check(eventually(game.menu_showing, 10), "and the start menu is drawn")
    finally:
        if game:
            game.stop()
        shutil.rmtree(work, ignore_errors=True)


def settled(read, game, seconds=1.6):
    """What `read` gives once a few frames (at 2 a second) have passed."""
    time.sleep(seconds)
    return read(game.grab())


def check_menu_presses(args):
    game = g.start(args, {"DRAUGHTS3D_MAX_FPS": "2"})
    try:
        if not check(game.wait_window() is not None, "the game window opens"):
            return
        if not check(eventually(game.menu_showing, 10), "the start menu is drawn"):
            return
        check(g.marker_colour(game.grab()) == "green", "the player starts green")
        game.keys_in_one_frame("Left", "Left")
        check(settled(g.marker_colour, game) == "green", "Left Left in one frame switches the side twice: green again")
        game.keys_in_one_frame("Left", "Left", "Left")
        check(settled(g.marker_colour, game) == "pink", "Left Left Left in one frame: pink")
        game.keys_in_one_frame("Up", "Up")
        check(settled(g.selected_item, game) == 1, "Up Up in one frame leaves \"Select side\" selected")
        # Down then Left: the bar moves first, so Left starts the game.
        game.keys_in_one_frame("Down", "Left")
        check(eventually(lambda: not game.menu_showing(), 10), "Down Left in one frame starts the game")
        game.key("Escape")
        check(eventually(game.menu_showing, 5), "Escape returns to the menu")
        game.key("Escape")
        check(game.wait_exit() == 0, "Escape on the menu ends the program with status 0")
    finally:
        game.stop()


def main():
    args = g.arguments().parse_args()
    check_no_display(args)
    check_late_server(args)
    check_fifo_picture(args)
    check_menu_presses(args)
    return g.finish()


if __name__ == "__main__":
    sys.exit(main())
