"""Drives the real game from outside, as a player would: key presses through
xdotool, and the picture read back from the X screen.

Shared by the end-to-end tests in this folder. Python 3 standard library only.

  - The game runs with the project root as its current directory (it reads
    "Textures/...") and DRAUGHTS3D_FULLSCREEN=0, which opens the 640x480
    window straight away instead of asking.
  - Its window is found by title with x11_window_tool (tests/app), focused
    with `xdotool windowfocus --sync` before each key, and keys go with
    `xdotool key`.
  - The screen is read with x11_grab (this folder), a few milliseconds a
    picture; `save_screenshot` uses ImageMagick's `import` for PNG files.
  - `EngineTool` talks to tools/draughts3d-engine, which plays by the same
    rules and searches exactly like the game, so it tells what the game must
    show after each move.
"""
import math
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import RunningProgram, check, eventually, failures, passes  # noqa: E402,F401

TITLE = "OpenGL WinAPI template by Quillow P.D."
WIDTH, HEIGHT = 640, 480

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


# The play camera: a 640x480 viewport, gluPerspective(90, 640/480, 0.1, 50),
# the modelview translated by (0, -2, -10), then the scene turned by the view
# angles (about x, then about y).
def project(x, y, z, angle_x=0.0, angle_y=0.0):
    """Screen position (x, y from the top) of the world point (x, y, z)."""
    ay = math.radians(angle_y)
    x, z = x * math.cos(ay) + z * math.sin(ay), -x * math.sin(ay) + z * math.cos(ay)
    ax = math.radians(angle_x)
    y, z = y * math.cos(ax) - z * math.sin(ax), y * math.sin(ax) + z * math.cos(ax)
    ex, ey, ez = x, y - 2.0, z - 10.0
    f = 1.0 / math.tan(math.radians(45.0))
    ndc_x = f / (WIDTH / HEIGHT) * ex / -ez
    ndc_y = f * ey / -ez
    return (ndc_x + 1.0) * WIDTH / 2.0, HEIGHT - (ndc_y + 1.0) * HEIGHT / 2.0


def square_centre(name):
    """World centre of a square named like "c3": file i and rank j stand at (i - 4.5, 4 - j)."""
    file, rank = ord(name[0]) - ord("a") + 1, int(name[1])
    return file - 4.5, 4.0 - rank


DARK_SQUARES = [chr(ord("a") + f - 1) + str(r) for r in range(1, 9) for f in range(1, 9) if (f + r) % 2 == 0]


class Game(RunningProgram):
    """The game program in its own process, and its window."""

    def __init__(self, game, window_tool, root, grab_tool, extra_env=None):
        self.window_tool, self.grab_tool = window_tool, grab_tool
        env = dict(os.environ)
        env["DRAUGHTS3D_FULLSCREEN"] = "0"
        env.update(extra_env or {})
        super().__init__([game], root, env)
        self.window = None
        self.origin = (0, 0)

    def wait_window(self, timeout=15.0):
        end = time.time() + timeout
        while time.time() < end and self.alive():
            run = subprocess.run([self.window_tool, "find", TITLE], capture_output=True, text=True)
            ids = [int(line) for line in run.stdout.split()]
            if ids:
                self.window = ids[0]
                self.origin = self._origin()
                time.sleep(0.3)  # let it map and draw
                return self.window
            time.sleep(0.1)
        return None

    def _origin(self):
        run = subprocess.run(["xdotool", "getwindowgeometry", str(self.window)], capture_output=True, text=True)
        for line in run.stdout.splitlines():
            if "Position:" in line:
                x, y = line.split(":")[1].split("(")[0].strip().split(",")
                return int(x), int(y)
        return 0, 0

    def key(self, *keys, pause=0.0):
        """Presses and releases each key in turn, the window focused first."""
        subprocess.run(["xdotool", "windowfocus", "--sync", str(self.window)], check=False)
        for key in keys:
            subprocess.run(["xdotool", "key", key], check=False)
            if pause:
                time.sleep(pause)

    def hold_key(self, key, seconds):
        subprocess.run(["xdotool", "windowfocus", "--sync", str(self.window)], check=False)
        subprocess.run(["xdotool", "keydown", key], check=False)
        time.sleep(seconds)
        subprocess.run(["xdotool", "keyup", key], check=False)

    def grab(self, x=0, y=0, width=WIDTH, height=HEIGHT):
        """The window's (x, y, width, height) rectangle, y from the top, as a Picture
        whose coordinates are window coordinates."""
        ox, oy = self.origin
        data = subprocess.run([self.grab_tool, str(ox + x), str(oy + y), str(width), str(height)],
                              capture_output=True).stdout
        if not data:
            return Picture(0, 0, b"", x, y)
        return parse_ppm(data, x, y)


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


def menu_showing(picture):
    """The start menu: black gaps between its four views, lit views around them."""
    # Clear of the bars of both items (y 111..180 and 271..343 from the top).
    gaps = picture.box(300, 196, 340, 266, 4) + picture.box(10, 236, 630, 244, 8)
    views = picture.box(40, 20, 600, 460, 16)
    return all(is_dark(c) for c in gaps) and sum(1 for c in views if max(c) > 40) > len(views) // 2


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
    """1 or 2: which item the translucent green bar covers, seen over the black
    left margin (bar 1 from y 300 to 369, bar 2 from 137 to 208, from the bottom)."""
    def bar(y):
        r, gr, b = picture.pixel_from_bottom(16, y)
        return 90 <= gr <= 170 and 30 <= r <= 100 and 30 <= b <= 100
    over = [bar(335), bar(190)]
    return {(True, False): 1, (False, True): 2}.get(tuple(over))


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

    def close(self):
        if self.process.poll() is None:
            self.process.stdin.close()
            self.process.wait(5)


def piece_at(cells, name):
    file, rank = ord(name[0]) - ord("a"), int(name[1])
    return cells[(8 - rank) * 8 + file]
