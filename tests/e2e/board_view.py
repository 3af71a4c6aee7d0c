"""What the play screen shows of the game: the pieces on the dark squares, the
turn ball, the winner pictures, the help text. Read from screen pictures at the
places where the play camera puts them."""
import math

import game_driver as g

WIDTH, HEIGHT = g.WIDTH, g.HEIGHT


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

# The start action sets the view angle to 0 and the menu frame that ran it then
# turns it by its usual 3 degrees, so a game is seen turned by 3 degrees.
PLAY_ANGLE_Y = 3.0

# Probe heights: a man is a dome of radius 0.2 centred at y = -3 (top at -2.8);
# a king is a cone from y = -3 up to -2. Just under the dome's top both show
# their colour; higher up only a king does (a man's square shows the white
# square behind it there).
PIECE_PROBE_Y = -2.88
KING_PROBE_Y = -2.45


def _colour_at(picture, x, y, z, minimum=5):
    sx, sy = project(x, y, z, 0.0, PLAY_ANGLE_Y)
    cx, cy = int(round(sx)), int(round(sy))
    box = picture.box(cx - 1, cy - 1, cx + 2, cy + 2)
    greens = sum(1 for c in box if g.is_green(c))
    pinks = sum(1 for c in box if g.is_pink(c))
    if greens >= minimum and pinks == 0:
        return "green"
    if pinks >= minimum and greens == 0:
        return "pink"
    if greens <= 1 and pinks <= 1:
        return "neither"
    return "unclear"


# A king's cone on a square nearer the camera reaches up over the piece of a
# square behind it: on the d file a cone two ranks in front covers the middle of
# the far square's piece. The piece probe reads a 5x3 box of pixels around the
# piece's probe point, less every pixel that a cone on any of the nine squares
# one to three ranks nearer (files one either side) could cover, so that only
# the square's own piece shows in it.
_CONE_CLEARANCE = 1.2  # pixels between a probe pixel's centre and a cone's outline
_probe_pixels_cache = {}


def _cone_outline(cx, cz):
    """Screen points over the surface of a king's cone on the square centred at (cx, cz)."""
    points = []
    for k in range(21):
        h = -3.0 + k / 20.0
        r = 0.2 * (1.0 - k / 20.0)
        for a in range(24):
            t = a * 2.0 * math.pi / 24
            points.append(project(cx + r * math.cos(t), h, cz + r * math.sin(t), 0.0, PLAY_ANGLE_Y))
    return points


def probe_pixels(name):
    """The screen pixels that show the piece on square `name` and nothing in front of it."""
    if name not in _probe_pixels_cache:
        f, r = ord(name[0]) - ord("a") + 1, int(name[1])
        cones = []
        for df in (-1, 0, 1):
            for dr in (1, 2, 3):
                nf, nr = f + df, r - dr
                if 1 <= nf <= 8 and 1 <= nr <= 8 and (nf + nr) % 2 == 0:
                    cones += _cone_outline(nf - 4.5, 4.0 - nr)
        x, z = square_centre(name)
        sx, sy = project(x, PIECE_PROBE_Y, z, 0.0, PLAY_ANGLE_Y)
        cx, cy = int(round(sx)), int(round(sy))
        _probe_pixels_cache[name] = [
            (px, py) for py in range(cy - 1, cy + 2) for px in range(cx - 2, cx + 3)
            if all(math.hypot(px - ox, py - oy) > _CONE_CLEARANCE for ox, oy in cones)]
    return _probe_pixels_cache[name]


def square_colour(picture, name):
    """"green", "pink", "neither" or "unclear" for the piece on a square."""
    pixels = [picture.pixel(x, y) for x, y in probe_pixels(name)]
    greens = sum(1 for c in pixels if g.is_green(c))
    pinks = sum(1 for c in pixels if g.is_pink(c))
    most, few = (len(pixels) + 1) // 2, len(pixels) // 8
    if greens >= most and pinks == 0:
        return "green"
    if pinks >= most and greens == 0:
        return "pink"
    if greens <= few and pinks <= few:
        return "neither"
    return "unclear"


def king_colour(picture, name):
    x, z = square_centre(name)
    return _colour_at(picture, x, KING_PROBE_Y, z, minimum=4)


def expected_colour(piece, green_side):
    """The colour a cell of the engine tool's board text must show."""
    if piece == ".":
        return "neither"
    side = 1 if piece in "wW" else 2
    return "green" if side == green_side else "pink"


def board_mismatches(picture, cells, green_side=1, kings=True):
    """Squares whose picture disagrees with `cells` (engine tool text), as
    "square: seen/expected" strings; empty when the picture shows the position."""
    wrong = []
    for name in DARK_SQUARES:
        piece = g.piece_at(cells, name)
        want = expected_colour(piece, green_side)
        seen = square_colour(picture, name)
        if seen != want:
            wrong.append("%s: %s/%s" % (name, seen, want))
        elif kings and piece != ".":
            seen_king = king_colour(picture, name) == want
            if seen_king != (piece in "WB"):
                wrong.append("%s: %s/%s" % (name, "king" if seen_king else "man", "king" if piece in "WB" else "man"))
    return wrong


def turn_ball_colour(picture):
    """The ball beside file a (centre (-5.4, -3, 0), radius 0.5): the colour of the side to move."""
    return _colour_at(picture, -5.4, -2.75, 0.0)


# The winner pictures stand across the middle of the board, 8x8 units in the
# plane z = 0: on the screen about x 224..416, y 192..384.
PICTURE_BOX = (240, 205, 400, 375)


def winner_picture(picture):
    """"pink" or "green" when the middle of the screen is covered by a winner
    picture, otherwise None. Both pictures are a bright lettering and two balls
    over a dark checker of their colour (PinkWins purple, GreenWins green); the
    board, the window's landscape and the walls behind hold little of either."""
    x0, y0, x1, y1 = PICTURE_BOX
    box = picture.box(x0, y0, x1, y1, 4)
    if not box:
        return None
    purple = sum(1 for r, gr, b in box if r > gr + 3 and b > gr + 3 and abs(r - b) < 40) / len(box)
    green = sum(1 for r, gr, b in box if gr > r + 3 and gr > b + 3) / len(box)
    # The menu's bar and black gaps: greenish, but much of it black.
    dark = sum(1 for c in box if g.is_dark(c)) / len(box)
    if purple > 0.6 and green < 0.05 and dark < 0.3:
        return "pink"
    if green > 0.6 and purple < 0.05 and dark < 0.3:
        return "green"
    return None


def is_bright_green(c):
    r, gr, b = c
    return gr >= 200 and r <= 140 and b <= 140


def is_pure_red(c):
    r, gr, b = c
    return r >= 230 and gr <= 40 and b <= 40


HELP_BASELINES = (25, 40, 55, 70)
CREDIT_BASELINE = 450


def help_text_lines(picture):
    """Per help line, (green label pixels, white key pixels); and the red pixels of the credit line."""
    lines = []
    for baseline in HELP_BASELINES:
        labels = picture.count(is_bright_green, 10, baseline - 11, 190, baseline + 2)
        keys = picture.count(g.is_white, 200, baseline - 11, 480, baseline + 2)
        lines.append((labels, keys))
    credit = picture.count(is_pure_red, 10, CREDIT_BASELINE - 11, 200, CREDIT_BASELINE + 2)
    return lines, credit


def help_text_shown(picture):
    lines, credit = help_text_lines(picture)
    return all(labels >= 40 and keys >= 10 for labels, keys in lines) and credit >= 40
