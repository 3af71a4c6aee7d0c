#!/usr/bin/env python3
"""Whole games through the real program, driven only by key presses.

The player's side plays a seeded random choice among its legal moves (each jump
of a capture typed as its own move); the computer answers in the game. The
engine tool is kept in step: each typed move is played there too, and while side
2 is to move the tool's search gives the computer's reply, which the game must
make as well. After every turn the board on the screen must show the tool's
position. The game ends when a side cannot move: the winner picture must cover
the middle of the board, and after its ten drawings the start menu returns.

Two games in one run of the program: the first with the player green, the
second after switching sides on the menu (the player pink, the computer green
and moving first), so both winner pictures are seen.
"""
import os
import random
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import board_view as bv
import game_driver as g
from game_driver import check, eventually

INITIAL = ".b.b.b.bb.b.b.b..b.b.b.b................w.w.w.w..w.w.w.ww.w.w.w."
MAX_PLAYER_MOVES = 60
FRAMES_PER_SECOND = 10


class Referee:
    """Knows, from the engine tool, which sides can still move."""

    def __init__(self, path):
        self.tool = g.EngineTool(path)

    def blocked(self, cells):
        """(side 1 blocked, side 2 blocked): a side with no piece that can move."""
        result = []
        for side in (1, 2):
            self.tool.set_position("pos %s %d -" % (cells, side))
            result.append(not self.tool.moves())
        return tuple(result)

    def close(self):
        self.tool.close()


def winner_for(blocked, green_side):
    """The picture the game must show: PinkWins over a blocked green side,
    GreenWins over a blocked pink side (drawn last, so on top when both are)."""
    side1, side2 = blocked
    green_blocked = side1 if green_side == 1 else side2
    pink_blocked = side2 if green_side == 1 else side1
    if pink_blocked:
        return "green"
    if green_blocked:
        return "pink"
    return None


def type_move(game, move):
    """Types a move such as "c3d4" as its four keys."""
    game.key(move[0], move[1], move[2], move[3])


def play_game(game, engine, referee, seed, green_side, shots, first_end, enter_move=type_move):
    """One game from the start action to the menu's return, each of the player's
    moves given through `enter_move(game, move)`. Returns True when it got there."""
    rng = random.Random(seed)
    label = "game %d (player %s)" % (seed, "green" if green_side == 1 else "pink")
    engine.init()
    if green_side == 2:
        # Switching the side made side 2 (the computer) the one to move first.
        engine.set_position("pos %s 2 -" % INITIAL)
    shown = eventually(lambda: bv.help_text_shown(game.grab()), 5)
    if not check(shown, "%s: the play screen is shown" % label):
        return False
    player_moves = 0
    positions = 0
    typed = []
    blocked = (False, False)
    while True:
        # The computer's turn, in the tool: the game makes the same choices.
        while engine.show()[1] == 2:
            blocked = referee.blocked(engine.show()[0])
            if any(blocked):
                break
            reply = engine.search()
            if reply is None or not engine.play(reply):
                return check(False, "%s: the engine tool finds and plays the computer's move" % label)
        cells, side, _ = engine.show()
        blocked = referee.blocked(cells)
        if any(blocked):
            break
        # The board on the screen shows the tool's position, the turn ball the player's colour.
        player_colour = "green" if green_side == 1 else "pink"

        def in_step():
            picture = game.grab()
            return not bv.board_mismatches(picture, cells, green_side) and bv.turn_ball_colour(picture) == player_colour
        if not eventually(in_step, 6):
            picture = game.grab()
            check(False, "%s after %s: the board shows the engine's position (wrong: %s; ball %s)"
                  % (label, " ".join(typed), bv.board_mismatches(picture, cells, green_side), bv.turn_ball_colour(picture)))
            g.save_screenshot(os.path.join(shots, "whole_game_out_of_step.png"))
            return False
        positions += 1
        if player_moves == 4 and shots:
            g.save_screenshot(os.path.join(shots, "whole_game_%d.png" % seed))
        if player_moves >= MAX_PLAYER_MOVES:
            check(False, "%s: decided within %d player moves" % (label, MAX_PLAYER_MOVES))
            return False
        move = rng.choice(engine.moves())
        typed.append(move)
        player_moves += 1
        enter_move(game, move)
        if not engine.play(move):
            return check(False, "%s: the engine tool plays the typed %s" % (label, move))
        blocked = referee.blocked(engine.show()[0])
        if any(blocked):
            break

    check(True, "%s: %d positions on the screen matched the engine tool's" % (label, positions))
    expected = winner_for(blocked, green_side)
    print("%s: decided after %d player moves (%s); blocked %s" % (label, player_moves, " ".join(typed), blocked))
    # The picture shows for ten scene drawings only: watch the middle closely.
    x0, y0, x1, y1 = bv.PICTURE_BOX
    start = time.time()
    seen_at = None
    while time.time() - start < 6:
        if bv.winner_picture(game.grab(x0, y0, x1 - x0, y1 - y0)) == expected:
            seen_at = time.time()
            break
    if not check(seen_at is not None, "%s: the %sWins picture covers the middle of the board"
                 % (label, expected.capitalize())):
        if shots:
            g.save_png(game.grab(), os.path.join(shots, "whole_game_no_picture.png"))
        return False
    shot = game.grab()
    back = eventually(game.menu_showing, 5, interval=0.01)
    shown_for = time.time() - seen_at
    if shots:
        g.save_png(shot, os.path.join(shots, "whole_game_%s_wins.png" % expected))
    check(back, "%s: the start menu returns after the picture" % label)
    if first_end:
        # Ten drawings at no more than 10 frames a second: a second at least, less
        # a little for the moments the picture and the menu were first seen.
        least = 10.0 / FRAMES_PER_SECOND - 0.3
        check(shown_for >= least, "%s: the picture stays for ten frames (%.2f s until the menu; at least %.1f s)"
              % (label, shown_for, least))
    else:
        # The finished position stayed on the board behind the menu, whose four
        # views drew the picture too and went on counting: this game's picture
        # may show for fewer than ten frames.
        print("%s: the picture showed for %.2f s" % (label, shown_for))
    return back


def main():
    parser = g.arguments()
    # Seeds whose games are decided in under twenty player moves.
    parser.add_argument("--seeds", default="8,2", help="seed of the first game (player green), of the second (pink)")
    args = parser.parse_args()
    seeds = [int(s) for s in args.seeds.split(",")]

    began = time.time()
    engine = g.EngineTool(args.engine)
    referee = Referee(args.engine)
    # At 10 frames a second the ten drawings of the winner picture last a second
    # or more, long enough to measure from outside; the rules do not depend on
    # the frame rate.
    game = g.start(args, {"DRAUGHTS3D_MAX_FPS": str(FRAMES_PER_SECOND)})
    try:
        run(game, engine, referee, seeds, args.shots)
    finally:
        game.stop()
        engine.close()
        referee.close()
    print("e2e: whole games took %.1f s" % (time.time() - began))
    return g.finish()


def run(game, engine, referee, seeds, shots):
    if not check(game.wait_window() is not None, "the game window opens"):
        return
    if not check(eventually(game.menu_showing, 10), "the start menu is drawn"):
        return
    # Game 1: the player is green. Down to "Start the game", Right starts it.
    game.key("Down")
    check(eventually(lambda: g.selected_item(game.grab()) == 2, 10), "Down selects \"Start the game\"")
    game.key("Right")
    if not play_game(game, engine, referee, seeds[0], 1, shots, True):
        return
    # The menu kept "Start the game" selected: Up to "Select side", Left makes
    # the player pink (and the computer, green now, moves first), then start.
    check(g.selected_item(game.grab()) == 2, "after the game the menu still has \"Start the game\" selected")
    game.key("Up")
    check(eventually(lambda: g.selected_item(game.grab()) == 1, 10), "Up selects \"Select side\"")
    game.key("Left")
    check(eventually(lambda: g.marker_colour(game.grab()) == "pink", 10), "Left makes the player's side pink")
    game.key("Down")
    check(eventually(lambda: g.selected_item(game.grab()) == 2, 10), "Down selects \"Start the game\"")
    game.key("Right")
    if not play_game(game, engine, referee, seeds[1], 2, shots, False):
        return
    game.key("Escape")
    check(game.wait_exit() == 0, "Escape on the start menu ends the program with status 0")


if __name__ == "__main__":
    sys.exit(main())
