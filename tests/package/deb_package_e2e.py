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

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import game_driver as g  # noqa: E402
from game_driver import check, eventually  # noqa: E402

PICTURES = ["Wall2", "Pol", "Wall3", "Wall4", "Stol", "Help3", "GreenWins", "PinkWins", "landscape2"]
VIEW_ORIGINS = [(32, 24), (352, 24), (32, 264), (352, 264)]  # from the bottom-left corner, 256x192 each


def texture_detail(game):
    """The share of neighbouring pixels in the four menu views (clear of the
    captions and the bar) that differ by more than 12 in a channel. The
    pictures give the walls and the floor their grain: about 0.09 to 0.12 with
    them, below 0.04 with plain surfaces where they are missing."""
    picture = game.grab()
    if picture.width < 640 or picture.height < 480:
        return 0.0
    edges = pairs = 0
    for ox, oy in VIEW_ORIGINS:
        top = 480 - oy - 192
        for y in range(top + 4, top + 188, 2):
            if 104 <= y < 190 or 280 <= y < 332:
                continue
            for x in range(ox + 4, ox + 250):
                a, b = picture.pixel(x, y), picture.pixel(x + 1, y)
                pairs += 1
                edges += max(abs(a[k] - b[k]) for k in range(3)) > 12
    return edges / pairs if pairs else 0.0


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
    return g.finish("checks")


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
              "/usr/share/icons/hicolor/64x64/apps/draughts3d.png", "/usr/share/mime/packages/draughts3d.xml"]
    wanted += ["/usr/share/draughts3d/Textures/%s.bmp" % p for p in PICTURES]
    wanted += ["/usr/share/locale/ru/LC_MESSAGES/draughts3d.mo", "/usr/share/man/ru/man6/draughts3d.6.gz",
               "/usr/share/man/ru/man6/draughts3d-engine.6.gz"]
    missing = [p for p in wanted if p not in paths]
    check(not missing, "the package holds the programs, pictures, desktop entry, icon, metainfo, PDN type, manual pages "
          "and translations (missing: %s)" % missing)

    root = os.path.join(scratch, "root")
    unpacked = subprocess.run(["dpkg-deb", "-x", deb, root])
    game = os.path.join(root, "usr", "bin", "draughts3d")
    if not check(unpacked.returncode == 0 and os.access(game, os.X_OK), "dpkg-deb -x unpacks usr/bin/draughts3d"):
        return
    elsewhere = os.path.join(scratch, "somewhere else")
    os.makedirs(elsewhere)
    # Far from the build tree, the unpacked programs find their translations beside them.
    russian = {k: v for k, v in os.environ.items() if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES")}
    russian["LANG"] = "ru_RU.UTF-8"
    why = subprocess.run([os.path.join(root, "usr", "bin", "draughts3d-engine")], input="init\nwhy c5d4\n",
                         capture_output=True, text=True, env=russian, cwd=elsewhere).stdout
    check("c5" in why and "No piece" not in why and any("\u0400" <= c <= "\u04ff" for c in why),
          "the unpacked engine tool says why in Russian under LANG=ru_RU.UTF-8 (%r)" % why)
    program = g.Game(game, args.window_tool, elsewhere, options=["--windowed"], question=True)
    try:
        window = program.wait_window()
        if not check(window is not None, "the unpacked game, started in an unrelated folder, opens its window"):
            return
        check(eventually(lambda: g.menu_showing(program.grab()), 10), "the start menu is drawn")
        check(program.windows("Error") == [], "no error box: every picture was found")
        detail = max(texture_detail(program) for _ in range(3))
        check(detail > 0.06, "the walls and the floor show their pictures (detail %.3f)" % detail)
        program.key("Escape")
        check(program.wait_exit() == 0, "Escape ends it with status 0")
        err = program.stderr_text()
        check("Failed to open" not in err, "nothing is missing on stderr")
    finally:
        program.stop()


if __name__ == "__main__":
    sys.exit(main())
