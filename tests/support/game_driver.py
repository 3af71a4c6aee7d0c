"""Drives the real program from outside, as a player would, for every
end-to-end test. Python 3 standard library only.

  - `Game` starts the program in a process of its own, in a given folder (it
    reads "Textures/..." from there) and with its environment switches:
    DRAUGHTS3D_FULLSCREEN=0 opens the 640x480 window straight away, or the
    start question is left to be asked and answered.
  - Windows are found by exact title with x11_window_tool (tests/app): the
    message boxes carry UTF-8 titles, which xdotool's search does not read.
    A window gets the keyboard with `xdotool windowfocus --sync ID`; keys go
    with `xdotool key`, clicks with `xdotool click`. In a message box Return
    answers Yes (or OK) and Escape answers No. `x11_window_tool close ID`
    closes a window as a window manager's close button does.
  - The screen is read with x11_grab (tests/e2e), a few milliseconds a
    picture, or with ImageMagick's `import` when no grab tool is given.
  - `EngineTool` talks to tools/draughts3d-engine, which plays by the same
    rules and searches exactly like the game, so it tells what the game must
    show after each move.
"""
import argparse
import os
import shutil
import subprocess
import tempfile
import time

TITLE = "OpenGL WinAPI template by Quillow P.D."
QUESTION = "Start FullScreen?"
FALLBACK = "Kiva GL"
WIDTH, HEIGHT = 640, 480

failures = []
passes = []


def check(condition, what):
    """Prints and counts one check; returns whether it held."""
    print(("ok    " if condition else "FAIL  ") + what, flush=True)
    (passes if condition else failures).append(what)
    return bool(condition)


def eventually(condition, timeout=10.0, interval=0.05):
    """Polls `condition` until it gives a true value (returned) or `timeout` passes: long
    enough for a machine busy with other work; a check that holds returns at once."""
    end = time.time() + timeout
    while True:
        value = condition()
        if value or time.time() >= end:
            return value
        time.sleep(interval)


def finish(noun=""):
    """Prints the tally of checks; the exit status of the test (1 when one failed)."""
    print("e2e: %d %spassed, %d failed" % (len(passes), noun + " " if noun else "", len(failures)))
    return 1 if failures else 0


def arguments():
    """The command line every end-to-end script takes, to which it may add its own:
    the game, the tools from the build, the project root and a folder for pictures."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--window-tool", required=True)
    parser.add_argument("--grab", help="x11_grab; without it the screen is read with ImageMagick")
    parser.add_argument("--engine", help="tools/draughts3d-engine")
    parser.add_argument("--root", required=True, help="the project root: the game reads Textures/ from there")
    parser.add_argument("--shots", default=os.environ.get("TMPDIR", "/tmp"), help="folder for screenshots")
    return parser


def run_briefly(command, cwd=None, env=None):
    """(status, stdout, stderr) of a command that should end at once; status
    None when it was still running after 10 s (and has been stopped)."""
    try:
        run = subprocess.run(command, capture_output=True, text=True, timeout=10, cwd=cwd, env=env,
                             stdin=subprocess.DEVNULL)
        return run.returncode, run.stdout, run.stderr
    except subprocess.TimeoutExpired as expired:
        def text(stream):
            return stream.decode(errors="replace") if isinstance(stream, bytes) else (stream or "")
        return None, text(expired.stdout), text(expired.stderr)


class Picture:
    """An RGB picture read from the screen; coordinates from its top-left corner."""

    def __init__(self, width, height, rgb, left=0, top=0):
        self.width, self.height, self.rgb = width, height, rgb
        self.left, self.top = left, top

    def pixel(self, x, y):
        """The colour at screen position (x, y), y from the top."""
        x, y = int(round(x)) - self.left, int(round(y)) - self.top
        if not (0 <= x < self.width and 0 <= y < self.height):
            return (0, 0, 0)
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def pixel_from_bottom(self, x, y):
        """The colour at (x, y) counted from the bottom-left corner of the 640x480 window."""
        return self.pixel(x, HEIGHT - 1 - y)

    def count(self, kind, x0, y0, x1, y1, step=1):
        """How many pixels of the box [x0, x1) x [y0, y1) (from the top) are of `kind`."""
        return sum(1 for y in range(y0, y1, step) for x in range(x0, x1, step) if kind(self.pixel(x, y)))

    def box(self, x0, y0, x1, y1, step=1):
        return [self.pixel(x, y) for y in range(y0, y1, step) for x in range(x0, x1, step)]


def parse_ppm(data, left=0, top=0):
    """A binary PPM (P6, maxval 255) as a Picture whose top-left pixel is (left, top)."""
    if not data:
        return Picture(0, 0, b"", left, top)
    fields, pos = [], 0
    while len(fields) < 4:  # P6 width height maxval, whitespace separated
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    width, height = int(fields[1]), int(fields[2])
    return Picture(width, height, data[pos + 1:pos + 1 + width * height * 3], left, top)


def xdotool(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], check=False)


class Game:
    """The game program in its own process, and its window."""

    def __init__(self, game, window_tool, cwd, grab_tool=None, env=None, options=(), question=False, classic=True,
                 home=None):
        """`question`: leave the start question to be asked (otherwise the window
        opens at once); `env`: more environment switches; `options`: the command
        line; `classic`: the game as it first was (--classic); `home`: the folder
        whose config/, data/ and cache/ hold the player's files (a fresh one by default,
        so the tests never read or write the files of whoever runs them)."""
        self.window_tool, self.grab_tool = window_tool, grab_tool
        self.own_home = home is None
        self.home = home or tempfile.mkdtemp(prefix="draughts3d-e2e-")
        environment = dict(os.environ)
        environment["XDG_CONFIG_HOME"] = os.path.join(self.home, "config")
        environment["XDG_DATA_HOME"] = os.path.join(self.home, "data")
        environment["XDG_CACHE_HOME"] = os.path.join(self.home, "cache")
        if classic:
            options = ["--classic"] + list(options)
        if question:
            environment.pop("DRAUGHTS3D_FULLSCREEN", None)
        else:
            environment["DRAUGHTS3D_FULLSCREEN"] = "0"
        environment.update(env or {})
        self.process = subprocess.Popen([game] + list(options), cwd=cwd, env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.window = None
        self.origin = (0, 0)

    # The process.
    def wait_exit(self, timeout=10.0):
        """The exit status, or None when the program is still running after `timeout`."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def alive(self):
        return self.process.poll() is None

    def stop(self):
        if self.alive():
            self.process.kill()
            self.process.wait()
        if self.own_home:
            shutil.rmtree(self.home, ignore_errors=True)

    def stderr_text(self):
        """Standard error, once the program has ended."""
        return self.process.stderr.read().decode(errors="replace") if self.process.poll() is not None else ""

    # Windows.
    def windows(self, title):
        run = subprocess.run([self.window_tool, "find", title], capture_output=True, text=True)
        return [int(line) for line in run.stdout.split()]

    def wait_window(self, title=TITLE, timeout=15.0, other_than=None):
        """The first window with `title` (other than `other_than`), or None when
        none shows in time or the program ends. A game window becomes the one
        keys, clicks and grabs go to."""
        end = time.time() + timeout
        while time.time() < end and self.alive():
            found = [w for w in self.windows(title) if w != other_than]
            if found:
                time.sleep(0.3)  # let it map and draw
                if title == TITLE:
                    self.window = found[0]
                    self.origin = self._origin()
                return found[0]
            time.sleep(0.1)
        return None

    def answer(self, title, key, timeout=15.0):
        """Waits for the box `title` and answers it with `key`; the box, or None."""
        box = self.wait_window(title, timeout)
        if box is not None:
            self.key(key, window=box)
        return box

    def _origin(self):
        run = subprocess.run(["xdotool", "getwindowgeometry", str(self.window)], capture_output=True, text=True)
        for line in run.stdout.splitlines():
            if "Position:" in line:
                x, y = line.split(":")[1].split("(")[0].strip().split(",")
                return int(x), int(y)
        return 0, 0

    def geometry(self, window=None):
        """(width, height) of a window, the game window by default."""
        run = subprocess.run(["xdotool", "getwindowgeometry", str(window or self.window)],
                             capture_output=True, text=True)
        for line in run.stdout.splitlines():
            if "Geometry:" in line:
                w, h = line.split(":")[1].strip().split("x")
                return int(w), int(h)
        return None

    def close(self, window=None):
        """Closes a window (the game window by default) as a window manager does."""
        subprocess.run([self.window_tool, "close", str(window or self.window)], check=False)

    # Keys and the mouse.
    def key(self, *keys, pause=0.0, window=None):
        """Presses and releases each key in turn, the window focused first."""
        xdotool("windowfocus", "--sync", window or self.window)
        for key in keys:
            xdotool("key", key)
            if pause:
                time.sleep(pause)

    def keys_in_one_frame(self, *keys):
        """The keys 20 ms apart."""
        xdotool("windowfocus", "--sync", self.window)
        xdotool("key", "--delay", "20", *keys)

    def hold_key(self, key, seconds):
        """Key down, held over several frames, then up."""
        xdotool("windowfocus", "--sync", self.window)
        xdotool("keydown", key)
        time.sleep(seconds)
        xdotool("keyup", key)

    def _at(self, x, y):
        ox, oy = self.origin
        return int(round(ox + x)), int(round(oy + y))

    def click(self, x, y, button=1):
        """Moves to window point (x, y from the top) and clicks there."""
        xdotool("mousemove", "--sync", *self._at(x, y))
        xdotool("click", button)

    def drag(self, x, y, dx, dy, button=3):
        """Presses at (x, y), moves by (dx, dy) in four steps, releases."""
        xdotool("mousemove", "--sync", *self._at(x, y))
        xdotool("mousedown", button)
        for i in range(4):
            step_x = dx * (i + 1) // 4 - dx * i // 4
            step_y = dy * (i + 1) // 4 - dy * i // 4
            xdotool("mousemove_relative", "--", step_x, step_y)
            time.sleep(0.05)
        xdotool("mouseup", button)

    # The screen.
    def grab(self, x=0, y=0, width=WIDTH, height=HEIGHT):
        """The window's (x, y, width, height) rectangle, y from the top, as a Picture
        whose coordinates are window coordinates."""
        ox, oy = self.origin
        if self.grab_tool:
            command = [self.grab_tool, str(ox + x), str(oy + y), str(width), str(height)]
        else:
            command = ["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, ox + x, oy + y),
                       "-depth", "8", "ppm:-"]
        return parse_ppm(subprocess.run(command, capture_output=True).stdout, x, y)

    def menu_showing(self):
        """Whether the start menu shows in the window now."""
        return menu_showing(self.grab())


def start(args, env=None, cwd=None, options=(), question=False, classic=True, home=None):
    """The game of the command line `args` (see `arguments`) started in `cwd`
    (the project root by default) with the environment switches `env`."""
    return Game(args.game, args.window_tool, cwd or args.root, args.grab, env, options, question, classic, home)


def save_screenshot(path):
    """The whole X screen as a PNG file, through ImageMagick."""
    try:
        subprocess.run(["import", "-window", "root", path], check=False)
    except OSError as error:
        print("no screenshot saved: %s" % error)


def save_png(picture, path):
    """A Picture as a PNG file, through ImageMagick's convert."""
    try:
        subprocess.run(["convert", "ppm:-", path], check=False,
                       input=b"P6\n%d %d\n255\n" % (picture.width, picture.height) + picture.rgb)
    except OSError as error:
        print("no picture saved: %s" % error)


# Colour classes. The lit men are full green (0, 255, 0) or full pink
# (255, 0, 255) on their lit side and darker towards their shadow side; the
# board squares are black and white.
def is_green(c):
    r, g, b = c
    return g >= 90 and g > 2 * r and g > 2 * b


def is_pink(c):
    r, g, b = c
    return r >= 90 and b >= 90 and g * 2 < min(r, b)


def is_dark(c):
    return max(c) < 24


def is_white(c):
    return min(c) >= 200


def is_red(c):
    r, g, b = c
    return r >= 150 and g < 80 and b < 80


# Which screen shows.
def something_drawn(picture):
    """More than 100 points of a coarse grid over the window are not near-black."""
    return sum(1 for c in picture.box(0, 0, WIDTH, HEIGHT, 8) if max(c) > 40) > 100


def menu_showing(picture):
    """The start menu: black gaps between its four views, lit views around them."""
    # Clear of the bars of both items (y 111..180 and 271..343 from the top).
    gaps = picture.box(300, 196, 340, 266, 4) + picture.box(10, 236, 630, 244, 8)
    views = picture.box(40, 20, 600, 460, 16)
    return all(is_dark(c) for c in gaps) and sum(1 for c in views if max(c) > 40) > len(views) // 2


def play_showing(picture):
    """The play screen: the board's white squares low in the middle, no black menu gaps."""
    board = picture.box(220, 330, 420, 420, 4)
    return sum(1 for c in board if is_white(c)) > len(board) // 5 and not menu_showing(picture)


MARKER = (64, 331)  # the side marker's centre, from the bottom-left corner


def marker_colour(picture):
    """"green", "pink" or None from the middle and four points of the marker disc."""
    x, y = MARKER
    colours = [picture.pixel_from_bottom(x + dx, y + dy) for dx, dy in ((0, 0), (-9, 0), (9, 0), (0, -9), (0, 9))]
    if all(c[1] >= 230 and c[0] <= 30 and c[2] <= 30 for c in colours):
        return "green"
    if all(c[0] >= 230 and c[2] >= 230 and c[1] <= 30 for c in colours):
        return "pink"
    return None


def selected_item(picture):
    """1, 2 or 3: which item the translucent green bar covers, seen over the black
    left margin (bar 1 from y 300 to 369, bar 2 from 137 to 208, bar 3 from 37
    to 109, from the bottom)."""
    def bar(y):
        r, gr, b = picture.pixel_from_bottom(16, y)
        return 90 <= gr <= 170 and 30 <= r <= 100 and 30 <= b <= 100
    over = [bar(335), bar(190), bar(60)]
    return {(True, False, False): 1, (False, True, False): 2, (False, False, True): 3}.get(tuple(over))


class EngineTool:
    """tools/draughts3d-engine over a pipe: the same rules and the same search as the game."""

    def __init__(self, path):
        self.process = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)

    def _send(self, command, last):
        """Sends one command and returns its output lines up to the one for which `last` is true."""
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        lines = []
        while True:
            line = self.process.stdout.readline()
            if not line:
                raise RuntimeError("the engine tool ended during '%s'" % command)
            line = line.rstrip("\n")
            lines.append(line)
            if last(line):
                return lines

    def init(self):
        self._send("init", lambda line: line == "ok")

    def set_position(self, text):
        reply = self._send(text, lambda line: line == "ok" or line.startswith("error"))
        if reply[-1] != "ok":
            raise RuntimeError(reply[-1])

    def show(self):
        """(cells, side to move, continuation square): the cells run rank 8 down to
        rank 1, files a to h, '.' empty, 'w'/'W' side 1 man/king, 'b'/'B' side 2."""
        line = self._send("show", lambda line: line.startswith("pos "))[-1]
        _, cells, side, cont = line.split()
        return cells, int(side), cont

    def moves(self):
        lines = self._send("moves", lambda line: line.startswith("count "))
        return [line.split()[0] for line in lines[:-1]]

    def play(self, move):
        reply = self._send("play " + move, lambda line: line.startswith("played") or line in ("illegal",)
                           or line.startswith("error"))[-1]
        return reply.startswith("played")

    def search(self):
        lines = self._send("search", lambda line: line.startswith("result "))
        for line in lines:
            if line.startswith("chosen "):
                chosen = line.split()[1]
                return None if chosen == "none" else chosen
        return None

    def hint(self):
        """The club level's best move for the side to move, as the game's T gives it."""
        return self._send("hint", lambda line: line.startswith("hint "))[-1].split()[1]

    def reply_after(self, moves):
        """(cells, reply): the board after `moves` from the initial position and
        the computer's reply to the last of them."""
        self.init()
        for move in moves:
            assert self.play(move), move
        reply = self.search()
        assert reply and self.play(reply), reply
        return self.show()[0], reply

    def close(self):
        if self.process.poll() is None:
            self.process.stdin.close()
            self.process.wait(5)


def piece_at(cells, name):
    """The engine tool's cell for a square named like "c3"."""
    file, rank = ord(name[0]) - ord("a"), int(name[1])
    return cells[(8 - rank) * 8 + file]
