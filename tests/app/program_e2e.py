#!/usr/bin/env python3
"""The real program under an X server with no window manager, driven from outside.

How the program is driven (reusable by other end-to-end tests):
  - Windows are found by exact title with `x11_window_tool find TITLE`: the
    message boxes carry UTF-8 titles, which xdotool's search does not read.
  - A message box gets the keyboard with `xdotool windowfocus --sync ID`; then
    `xdotool key Return` answers Yes (or OK) and `xdotool key Escape` answers No.
  - The game window gets the keyboard the same way; keys go with `xdotool key`.
  - Closing as a window manager's close button does: `x11_window_tool close ID`
    sends WM_DELETE_WINDOW.
  - The screen is read back with ImageMagick's `import -window root`.

Scenarios: the start question answered No opens a 640x480 window; F1 switches
the display mode and back with the game going on (with the default 1024x768
screen the fullscreen mode is refused and the fallback question is answered;
with --fullscreen-accepted the screen is 640x480 and the switch needs no
question); Escape on the play screen returns to the menu, Escape on the menu
ends the program with status 0; closing the window ends it with status 0; a
refused fullscreen answered No ends it with status 1. With the X server's font
path cut down to its built-in fonts no message box can be shown: the start
question then counts as No and the fallback question as Yes, both written to
standard error, and the game opens its window. The command line: --help,
--version, --windowed, --fullscreen; anything else (also X's and freeglut's
own -display) is refused with the usage and status 2, before any window.
"""
import argparse
import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import RunningProgram, check, eventually, failures, passes  # noqa: E402

TITLE = "OpenGL WinAPI template by Quillow P.D."
QUESTION = "Start FullScreen?"
FALLBACK = "Kiva GL"

class Game(RunningProgram):
    def __init__(self, args, options=(), cwd=None):
        self.args = args
        env = dict(os.environ)
        env.pop("DRAUGHTS3D_FULLSCREEN", None)  # the question must be asked
        super().__init__([args.game] + list(options), cwd or args.root, env)

    def stderr_text(self):
        """Standard error, once the program has ended."""
        return self.process.stderr.read().decode(errors="replace") if self.process.poll() is not None else ""

    def windows(self, title):
        run = subprocess.run([self.args.window_tool, "find", title], capture_output=True, text=True)
        return [int(line) for line in run.stdout.split()]

    def wait_window(self, title, timeout=15.0, other_than=None):
        end = time.time() + timeout
        while time.time() < end:
            found = [w for w in self.windows(title) if w != other_than]
            if found:
                time.sleep(0.3)  # let it map and draw
                return found[0]
            if self.process.poll() is not None:
                return None
            time.sleep(0.1)
        return None

    def key(self, window, key):
        subprocess.run(["xdotool", "windowfocus", "--sync", str(window)], check=False)
        subprocess.run(["xdotool", "key", key], check=False)

    def hold_key(self, window, key, seconds):
        """Key down, held over several frames, then up."""
        subprocess.run(["xdotool", "windowfocus", "--sync", str(window)], check=False)
        subprocess.run(["xdotool", "keydown", key], check=False)
        time.sleep(seconds)
        subprocess.run(["xdotool", "keyup", key], check=False)

    def geometry(self, window):
        run = subprocess.run(["xdotool", "getwindowgeometry", str(window)], capture_output=True, text=True)
        for line in run.stdout.splitlines():
            if "Geometry:" in line:
                w, h = line.split(":")[1].strip().split("x")
                return int(w), int(h)
        return None

    def close(self, window):
        subprocess.run([self.args.window_tool, "close", str(window)], check=False)


def screen():
    """The root window as (width, height, rgb bytes), top row first."""
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True).stdout
    fields, pos = [], 0
    while len(fields) < 4:  # P6 width height maxval, whitespace separated
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def lit_points(width, rgb):
    """Points of a coarse grid over the 640x480 window that are not near-black."""
    return sum(1 for y in range(0, 480, 8) for x in range(0, 640, 8)
               if max(rgb[(y * width + x) * 3:(y * width + x) * 3 + 3]) > 40)


def menu_showing():
    """The start menu leaves black gaps between its four views: the middle of
    the window is black there, and shows the room on the play screen."""
    width, _, rgb = screen()
    dark = total = 0
    for y in range(228, 252, 2):
        for x in range(308, 332, 2):
            i = (y * width + x) * 3
            total += 1
            dark += max(rgb[i], rgb[i + 1], rgb[i + 2]) < 16
    return dark == total and lit_points(width, rgb) > 100


def something_drawn():
    width, _, rgb = screen()
    return lit_points(width, rgb) > 100


def answer_start_question(game, key):
    box = game.wait_window(QUESTION)
    if not check(box is not None, "the start question is shown"):
        return False
    game.key(box, key)
    return True


def switch_display(game, window, fullscreen_accepted, phase):
    """F1 once; answers the fallback question when the screen refuses the mode."""
    game.key(window, "F1")
    if not fullscreen_accepted and phase == "to fullscreen":
        box = game.wait_window(FALLBACK)
        if not check(box is not None, "F1 %s: the refused mode brings the fallback question" % phase):
            return None
        game.key(box, "Return")  # Yes: windowed instead
    new = game.wait_window(TITLE, other_than=window)
    check(new is not None and new != window, "F1 %s: a new window replaces the old one" % phase)
    if new is not None:
        check(game.geometry(new) == (640, 480), "F1 %s: the new window is 640x480" % phase)
        check(eventually(something_drawn), "F1 %s: the game is drawn in the new window" % phase)
    return new


def play_and_quit(args):
    game = Game(args)
    try:
        if not answer_start_question(game, "Escape"):
            return
        window = game.wait_window(TITLE)
        if not check(window is not None, "answering No opens the window"):
            return
        check(game.geometry(window) == (640, 480), "the client area is 640x480")
        check(game.windows(QUESTION) == [], "the question box is gone")
        check(eventually(menu_showing), "the start menu is drawn")
        subprocess.run(["import", "-window", "root", os.path.join(args.shots, "e2e_menu.png")], check=False)

        window = switch_display(game, window, args.fullscreen_accepted, "to fullscreen")
        if window is None:
            return
        check(eventually(menu_showing), "after F1 the start menu is still drawn")
        if args.fullscreen_accepted:
            window = switch_display(game, window, True, "back to windowed")
            if window is None:
                return

        game.key(window, "Down")
        time.sleep(0.3)
        game.key(window, "Right")
        check(eventually(lambda: not menu_showing()), "Down, Right start the game: the play screen is drawn")
        subprocess.run(["import", "-window", "root", os.path.join(args.shots, "e2e_play.png")], check=False)
        # Held over several frames: the press that leaves the play screen must
        # not also end the program on the start menu.
        game.hold_key(window, "Escape", 0.4)
        check(eventually(menu_showing), "Escape on the play screen returns to the start menu")
        time.sleep(1.0)
        check(game.alive(), "Escape on the play screen does not end the program")
        game.key(window, "Escape")
        check(game.wait_exit() == 0, "Escape on the start menu ends the program with status 0")
    finally:
        game.stop()


def close_window(args):
    game = Game(args)
    try:
        if not answer_start_question(game, "Escape"):
            return
        window = game.wait_window(TITLE)
        if not check(window is not None, "the window opens for the close test"):
            return
        game.close(window)
        check(game.wait_exit() == 0, "closing the window ends the program with status 0")
    finally:
        game.stop()


def yes_to_start(args):
    game = Game(args)
    try:
        if not answer_start_question(game, "Return"):
            return
        if args.fullscreen_accepted:
            window = game.wait_window(TITLE)
            check(window is not None and game.windows(FALLBACK) == [],
                  "Return answers Yes: the window opens fullscreen without a fallback question")
            if window is not None:
                check(game.geometry(window) == (640, 480), "the fullscreen window covers the 640x480 screen")
                game.key(window, "Escape")
                check(game.wait_exit() == 0, "Escape ends the fullscreen game with status 0")
        else:
            box = game.wait_window(FALLBACK)
            if not check(box is not None, "Return answers Yes: the refused mode brings the fallback question"):
                return
            game.key(box, "Escape")  # No
            closing = game.wait_window("ERROR")
            if check(closing is not None, "answering No says the program will close"):
                game.key(closing, "Return")
            check(game.windows(TITLE) == [], "no game window was opened")
            check(game.wait_exit() == 1, "the program ends with status 1 when it gets no window")
    finally:
        game.stop()


def run_briefly(command, cwd=None):
    """(status, stdout, stderr) of a command that should end at once; status
    None when it was still running after 10 s (and has been stopped)."""
    try:
        run = subprocess.run(command, capture_output=True, text=True, timeout=10, cwd=cwd, stdin=subprocess.DEVNULL)
        return run.returncode, run.stdout, run.stderr
    except subprocess.TimeoutExpired as timeout:
        return None, timeout.stdout or "", timeout.stderr or ""


def command_line(args):
    for options, status, stream, text in (
            (["--help"], 0, "stdout", "--windowed"),
            (["--version"], 0, "stdout", "draughts3d 1.0"),
            (["--bogus"], 2, "stderr", "Usage: draughts3d"),
            (["-display", ":199"], 2, "stderr", "Usage: draughts3d"),
            (["--windowed", "--fullscreen"], 2, "stderr", "Usage: draughts3d")):
        got, out, err = run_briefly([args.game] + options, args.root)
        check(got == status and text in (out if stream == "stdout" else err) and (status == 0) == (err == ""),
              "draughts3d %s: status %d, %r on %s (got %s)" % (" ".join(options), status, text, stream, got))
    check(subprocess.run([args.window_tool, "find", TITLE]).returncode == 1, "the refused command lines opened no window")
    engine = os.path.join(os.path.dirname(args.game), "..", "tools", "draughts3d-engine")
    for options, status, stream in ((["--help"], 0, "stdout"), (["--bogus"], 2, "stderr")):
        got, out, err = run_briefly([engine] + options)
        check(got == status and "perft" in (out if stream == "stdout" else err),
              "draughts3d-engine %s: status %d, the commands on %s" % (" ".join(options), status, stream))

    # --windowed skips the question; started from an unrelated folder, the
    # game finds its pictures in the source tree without an error box.
    game = Game(args, ["--windowed"], cwd="/")
    try:
        window = game.wait_window(TITLE)
        check(window is not None and game.windows(QUESTION) == [], "--windowed, started in /: the window opens without a question")
        if window is not None:
            check(eventually(menu_showing) and game.windows("Error") == [],
                  "the start menu is drawn, no error box: the pictures are found")
            game.key(window, "Escape")
        check(game.wait_exit() == 0, "Escape ends it with status 0")
    finally:
        game.stop()


def without_boxes(args):
    """No box can be shown: the questions take the windowed answer on stderr."""
    subprocess.run([args.window_tool, "fontpath", "built-ins"], check=False)
    try:
        for options, question, answer in (([], "Would You Like To Run In Fullscreen Mode?", "No"),
                                          (["--fullscreen"], "Use Windowed Mode Instead?", "Yes")):
            if options and args.fullscreen_accepted:
                continue  # the mode is granted: no fallback question
            game = Game(args, options)
            try:
                window = game.wait_window(TITLE)
                what = "no box can be shown (%s)" % (" ".join(options) or "no option")
                check(window is not None and game.windows(QUESTION) == [] and game.windows(FALLBACK) == [],
                      what + ": the game opens its window")
                if window is not None:
                    check(game.geometry(window) == (640, 480), what + ": windowed, 640x480")
                    check(eventually(menu_showing), what + ": the start menu is drawn")
                    game.key(window, "Escape")
                check(game.wait_exit() == 0, what + ": Escape ends it with status 0")
                err = game.stderr_text()
                check(question in err and ("Answered: %s" % answer) in err,
                      what + ": the question and the answer %s are on stderr" % answer)
            finally:
                game.stop()
    finally:
        subprocess.run([args.window_tool, "fontpath", "default"], check=False)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--window-tool", required=True)
    parser.add_argument("--root", required=True, help="the project root: the game reads Textures/ from there")
    parser.add_argument("--fullscreen-accepted", action="store_true")
    parser.add_argument("--shots", default=os.environ.get("TMPDIR", "/tmp"))
    args = parser.parse_args()
    command_line(args)
    play_and_quit(args)
    close_window(args)
    yes_to_start(args)
    without_boxes(args)
    print("e2e: %d checks passed, %d failed" % (len(passes), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
