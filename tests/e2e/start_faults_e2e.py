#!/usr/bin/env python3
"""The real program where its start-up and its menu could go wrong.

  - No display: the program must not run on without a window. It exits with
    status 1 after saying that no display could be opened; a headless SDL video
    driver is used only when SDL_VIDEODRIVER asks for it by name.
  - A FIFO named like a picture (Textures/Pol.bmp): start-up must not wait on it
    for ever; the reader's "Error" box shows, and once answered the game opens.
  - Menu presses that arrive in one frame (the frame rate held at 2 a second,
    the presses 20 ms apart) each act, in order: Left Left switches the side
    twice, Up Up leaves the bar where it was.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source folder clean
import game_driver as g
from game_driver import check, eventually

NO_DISPLAY_TEXT = "No display could be opened"


def unused_display():
    for n in range(990, 900, -1):
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
    try:
        run = subprocess.run([game], cwd=root, env=env, capture_output=True, text=True, timeout=10)
        return run.returncode, run.stderr
    except subprocess.TimeoutExpired as expired:
        text = expired.stderr.decode(errors="replace") if isinstance(expired.stderr, bytes) else (expired.stderr or "")
        return None, text


def check_no_display(args):
    status, stderr = run_without_display(args.game, args.root, {})
    check(status == 1 and NO_DISPLAY_TEXT in stderr,
          "with no X server the program ends with status 1 and says so (status %s, stderr %r)" % (status, stderr[-300:]))
    # Asked for by name, the headless driver is the player's choice and not refused.
    status, stderr = run_without_display(args.game, args.root, {"SDL_VIDEODRIVER": "offscreen"})
    check(NO_DISPLAY_TEXT not in stderr, "SDL_VIDEODRIVER=offscreen is not refused (stderr %r)" % stderr[-300:])


def check_fifo_picture(args):
    work = tempfile.mkdtemp(prefix="start_faults_")
    game = None
    try:
        shutil.copytree(os.path.join(args.root, "Textures"), os.path.join(work, "Textures"))
        os.remove(os.path.join(work, "Textures", "Pol.bmp"))
        os.mkfifo(os.path.join(work, "Textures", "Pol.bmp"))
        game = g.Game(args.game, args.window_tool, work, args.grab)

        def error_box():
            run = subprocess.run([args.window_tool, "find", "Error"], capture_output=True, text=True)
            return [int(w) for w in run.stdout.split()]
        boxes = eventually(error_box, 10)
        if not check(boxes, "a FIFO as Textures/Pol.bmp gives the reader's \"Error\" box instead of a hang"):
            return
        time.sleep(0.3)
        subprocess.run(["xdotool", "windowfocus", "--sync", str(boxes[0])], check=False)
        subprocess.run(["xdotool", "key", "Return"], check=False)
        check(game.wait_window() is not None, "after the box the game window opens")
        check(eventually(lambda: g.menu_showing(game.grab()), 10), "and the start menu is drawn")
    finally:
        if game:
            game.stop()
        shutil.rmtree(work, ignore_errors=True)


def keys_in_one_frame(game, *keys):
    subprocess.run(["xdotool", "windowfocus", "--sync", str(game.window)], check=False)
    subprocess.run(["xdotool", "key", "--delay", "20"] + list(keys), check=False)


def settled(read, game, seconds=1.6):
    """What `read` gives once a few frames (at 2 a second) have passed."""
    time.sleep(seconds)
    return read(game.grab())


def check_menu_presses(args):
    game = g.Game(args.game, args.window_tool, args.root, args.grab, {"DRAUGHTS3D_MAX_FPS": "2"})
    try:
        if not check(game.wait_window() is not None, "the game window opens"):
            return
        if not check(eventually(lambda: g.menu_showing(game.grab()), 10), "the start menu is drawn"):
            return
        check(g.marker_colour(game.grab()) == "green", "the player starts green")
        keys_in_one_frame(game, "Left", "Left")
        check(settled(g.marker_colour, game) == "green", "Left Left in one frame switches the side twice: green again")
        keys_in_one_frame(game, "Left", "Left", "Left")
        check(settled(g.marker_colour, game) == "pink", "Left Left Left in one frame: pink")
        keys_in_one_frame(game, "Up", "Up")
        check(settled(g.selected_item, game) == 1, "Up Up in one frame leaves \"Select side\" selected")
        # Down then Left: the bar moves first, so Left starts the game.
        keys_in_one_frame(game, "Down", "Left")
        check(eventually(lambda: not g.menu_showing(game.grab()), 3), "Down Left in one frame starts the game")
        game.key("Escape")
        check(eventually(lambda: g.menu_showing(game.grab()), 5), "Escape returns to the menu")
        game.key("Escape")
        check(game.wait_exit() == 0, "Escape on the menu ends the program with status 0")
    finally:
        game.stop()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--window-tool", required=True)
    parser.add_argument("--grab", required=True)
    parser.add_argument("--engine", required=False)
    parser.add_argument("--root", required=True, help="the project root: the game reads Textures/ from there")
    parser.add_argument("--shots", default=None)
    args = parser.parse_args()
    check_no_display(args)
    check_fifo_picture(args)
    check_menu_presses(args)
    print("e2e: %d passed, %d failed" % (len(g.passes), len(g.failures)))
    return 1 if g.failures else 0


if __name__ == "__main__":
    sys.exit(main())
