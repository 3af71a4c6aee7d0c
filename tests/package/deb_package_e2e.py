#!/usr/bin/env python3
"""The Debian package as a player gets it: made by CPack from the build folder,
its control fields and contents read with dpkg-deb, unpacked with
`dpkg-deb -x` into a scratch root outside the build tree, and the unpacked game
run under the X server from an unrelated folder: the start menu must show with
its pictures (no error box, nothing missing on stderr, textured walls), and
Escape must end it with status 0."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import RunningProgram, check, eventually, failures, passes  # noqa: E402

TITLE = "OpenGL WinAPI template by Quillow P.D."
PICTURES = ["Wall2", "Pol", "Wall3", "Wall4", "Stol", "Help3", "GreenWins", "PinkWins", "landscape2"]
VIEW_ORIGINS = [(32, 24), (352, 24), (32, 264), (352, 264)]  # from the bottom-left corner, 256x192 each


def screen(width=640, height=480):
    data = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+0+0" % (width, height), "-depth", "8",
                           "ppm:-"], capture_output=True).stdout
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    return int(fields[1]), data[pos + 1:]


def texture_detail():
    """The share of neighbouring pixels in the four menu views (clear of the
    captions and the bar) that differ by more than 12 in a channel. The
    pictures give the walls and the floor their grain: about 0.09 to 0.12 with
    them, below 0.04 with plain surfaces where they are missing."""
    width, rgb = screen()
    if len(rgb) < width * 480 * 3:
        return 0.0
    edges = pairs = 0
    for ox, oy in VIEW_ORIGINS:
        top = 480 - oy - 192
        for y in range(top + 4, top + 188, 2):
            if 104 <= y < 190 or 280 <= y < 332:
                continue
            for x in range(ox + 4, ox + 250):
                i = (y * width + x) * 3
                a, b = rgb[i:i + 3], rgb[i + 3:i + 6]
                pairs += 1
                edges += max(abs(a[k] - b[k]) for k in range(3)) > 12
    return edges / pairs if pairs else 0.0


def menu_drawn():
    width, rgb = screen()
    if len(rgb) < width * 480 * 3:
        return False
    middle = [rgb[(y * width + x) * 3:(y * width + x) * 3 + 3] for y in range(228, 252, 4) for x in range(308, 332, 4)]
    lit = sum(1 for y in range(0, 480, 8) for x in range(0, 640, 8) if max(rgb[(y * width + x) * 3:(y * width + x) * 3 + 3]) > 40)
    return all(max(c) < 16 for c in middle) and lit > 100


def field(deb, name):
    return subprocess.run(["dpkg-deb", "-f", deb, name], capture_output=True, text=True).stdout.strip()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cpack", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--window-tool", required=True)
    args = parser.parse_args()

    scratch = tempfile.mkdtemp(prefix="draughts3d-deb-")
    try:
        run(args, scratch)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print("e2e: %d checks passed, %d failed" % (len(passes), len(failures)))
    return 1 if failures else 0


def run(args, scratch):
    out = os.path.join(scratch, "out")
    made = subprocess.run([args.cpack, "-G", "DEB", "-B", out], cwd=args.build, capture_output=True, text=True)
    debs = [os.path.join(out, f) for f in os.listdir(out) if f.endswith(".deb")] if os.path.isdir(out) else []
    if not check(made.returncode == 0 and len(debs) == 1, "cpack -G DEB makes one package\n" + made.stdout + made.stderr):
        return
    deb = debs[0]
    arch = subprocess.run(["dpkg", "--print-architecture"], capture_output=True, text=True).stdout.strip()
    check(os.path.basename(deb) == "draughts3d_%s_%s.deb" % (args.version, arch), "named %s" % os.path.basename(deb))
    check(field(deb, "Package") == "draughts3d" and field(deb, "Version") == args.version,
          "Package draughts3d, Version %s" % args.version)
    check(field(deb, "Section") == "games", "Section games")
    check("<" in field(deb, "Maintainer") and "@" in field(deb, "Maintainer"), "a Maintainer line with an address")
    depends = [d.strip().split(" ")[0] for d in field(deb, "Depends").split(",")]
    # libc6 and libsdl2 are found only by reading the programs (dpkg-shlibdeps).
    for package in ("libc6", "libsdl2-2.0-0", "libfreetype6", "fonts-liberation"):
        check(package in depends, "Depends names %s (%s)" % (package, field(deb, "Depends")))

    listing = subprocess.run(["dpkg-deb", "-c", deb], capture_output=True, text=True).stdout
    paths = {line.split()[-1].lstrip(".") for line in listing.splitlines() if line.strip()}
    wanted = ["/usr/bin/draughts3d", "/usr/bin/draughts3d-engine", "/usr/share/applications/draughts3d.desktop",
              "/usr/share/man/man6/draughts3d.6.gz", "/usr/share/man/man6/draughts3d-engine.6.gz",
              "/usr/share/metainfo/io.github.draughts3d.draughts3d.metainfo.xml",
              "/usr/share/icons/hicolor/64x64/apps/draughts3d.png"]
    wanted += ["/usr/share/draughts3d/Textures/%s.bmp" % p for p in PICTURES]
    missing = [p for p in wanted if p not in paths]
    check(not missing, "the package holds the programs, pictures, desktop entry, icon, metainfo and manual pages "
          "(missing: %s)" % missing)

    root = os.path.join(scratch, "root")
    unpacked = subprocess.run(["dpkg-deb", "-x", deb, root])
    game = os.path.join(root, "usr", "bin", "draughts3d")
    if not check(unpacked.returncode == 0 and os.access(game, os.X_OK), "dpkg-deb -x unpacks usr/bin/draughts3d"):
        return
    elsewhere = os.path.join(scratch, "somewhere else")
    os.makedirs(elsewhere)
    program = RunningProgram([game, "--windowed"], elsewhere, dict(os.environ))
    try:
        window = None
        end = time.time() + 15
        while window is None and time.time() < end and program.alive():
            found = subprocess.run([args.window_tool, "find", TITLE], capture_output=True, text=True).stdout.split()
            window = int(found[0]) if found else None
            time.sleep(0.1)
        if not check(window is not None, "the unpacked game, started in an unrelated folder, opens its window"):
            return
        check(eventually(menu_drawn, 10), "the start menu is drawn")
        boxes = subprocess.run([args.window_tool, "find", "Error"], capture_output=True, text=True).stdout.split()
        check(boxes == [], "no error box: every picture was found")
        detail = max(texture_detail() for _ in range(3))
        check(detail > 0.06, "the walls and the floor show their pictures (detail %.3f)" % detail)
        subprocess.run(["xdotool", "windowfocus", "--sync", str(window)], check=False)
        subprocess.run(["xdotool", "key", "Escape"], check=False)
        check(program.wait_exit() == 0, "Escape ends it with status 0")
        err = program.process.stderr.read().decode(errors="replace") if not program.alive() else ""
        check("Failed to open" not in err, "nothing is missing on stderr")
    finally:
        program.stop()


if __name__ == "__main__":
    sys.exit(main())
