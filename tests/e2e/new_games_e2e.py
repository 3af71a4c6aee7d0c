#!/usr/bin/env python3
"""Several games in a row in one run of the real program: each new game must
start clean, whatever the last one left behind.

Every position the game shows is checked against tools/draughts3d-engine, which
plays by the same rules and searches exactly like the game:

  1. A game the player wins (a fixed line against the computer's fixed
     answers); the menu returns. The next game opens with the player to move,
     and the computer answers c3-d4.
  2. A capture that must go on (the man on d4 after b2xd4), Escape in the
     middle of it, and a new game: 9 takes nothing back (the last game's
     captures are not undone onto the fresh board), and c3-d4 is accepted and
     answered.
  3. The side switched on the menu: the player pink, the computer green and
     moving first. Escape on the player's move and a new game: the green side,
     the computer, moves first again. Switched back: the player moves first, and
     plays until the computer's king stands in front of an empty square.
"""
import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import board_view as bv
import game_driver as g
from game_driver import check, eventually

# Player moves that beat the computer from the initial position (side 1 green,
# moving first); the computer's answers come from the engine tool.
WINNING_LINE = ("e3f4 a3b4 b2a3 a1b2 d2e3 c1d2 g3h4 h2f4 f2g3 e1f2 e3c5 c5a7 a7c5 f4d6 f2e3 e3g5 d6f4 c5d6 "
                "b4d6 a3b4 g5e7 h4f6 f6h8").split()
# Ends with the player's man on d4 after a capture, with another capture to make.
CAPTURE_LINE = "c3b4 d2c3 b4d6 e3f4 g3h4 h2f4 c1d2 c3b4 b2d4".split()
# Ends with the computer's king on d4 in front of the empty d6 (its cone reaches
# up over the middle of d6 on the screen).
KING_LINE = "e3f4 d2e3 a3b4 b2a3 e3d4 a1b2 b4c5 e1c3 c3b4 a3b4".split()


class Referee:
    """The engine tool kept in step with the game."""

    def __init__(self, path):
        self.tool = g.EngineTool(path)
        self.probe = g.EngineTool(path)

    def new_game(self, green_side):
        self.tool.init()
        if green_side == 2:
            self.tool.set_position("pos %s 2 -" % self.tool.show()[0])

    def blocked(self, side):
        self.probe.set_position("pos %s %d -" % (self.tool.show()[0], side))
        return not self.probe.moves()

    def computer_moves(self):
        """Plays the computer's answers while it is side 2's turn; False when side 2 cannot move."""
        while self.tool.show()[1] == 2:
            if self.blocked(2):
                return False
            reply = self.tool.search()
            if reply is None or not self.tool.play(reply):
                raise RuntimeError("the engine tool finds no answer")
        return True

    def close(self):
        self.tool.close()
        self.probe.close()


def shows(game, referee, green_side, what, timeout=6):
    """Checks that the screen shows the tool's position and, on the player's
    turn, the player's colour on the turn ball."""
    cells, side, _ = referee.tool.show()
    player_colour = "green" if green_side == 1 else "pink"
    colour = player_colour if side == 1 else ("pink" if player_colour == "green" else "green")

    def in_step():
        picture = game.grab()
        return not bv.board_mismatches(picture, cells, green_side) and bv.turn_ball_colour(picture) == colour
    if eventually(in_step, timeout):
        return check(True, what)
    picture = game.grab()
    return check(False, "%s (wrong squares: %s; turn ball %s, expected %s)"
                 % (what, bv.board_mismatches(picture, cells, green_side), bv.turn_ball_colour(picture), colour))


def play(game, referee, green_side, moves, label):
    """Types each move and lets the computer answer; the board is checked after every turn."""
    for number, move in enumerate(moves, 1):
        game.key(*move)
        if not referee.tool.play(move):
            return check(False, "%s: the engine tool accepts %s" % (label, move))
        if not referee.computer_moves():
            return True  # the computer cannot move: the player has won
        if not shows(game, referee, green_side, "%s: position after %s (move %d)" % (label, move, number)):
            return False
    return True


def start(game, referee, green_side, label):
    """Right on "Start the game"; the fresh game, after the computer's first move when it is green."""
    game.key("Right")
    referee.new_game(green_side)
    referee.computer_moves()
    return shows(game, referee, green_side, "%s: the new game shows the initial position%s"
                 % (label, ", after the computer's first move" if green_side == 2 else ""))


def to_menu(game, label):
    game.key("Escape")
    return check(eventually(game.menu_showing, 5), "%s: Escape returns to the menu" % label)


def run(game, referee):
    if not check(game.wait_window() is not None, "the game window opens"):
        return
    if not check(eventually(game.menu_showing, 10), "the start menu is drawn"):
        return
    game.key("Down")
    check(eventually(lambda: g.selected_item(game.grab()) == 2, 10), "Down selects \"Start the game\"")

    # 1. A won game, then a game in which the computer answers.
    if start(game, referee, 1, "won game") and play(game, referee, 1, WINNING_LINE, "won game"):
        check(referee.blocked(2), "won game: the computer has no move left")
        check(eventually(game.menu_showing, 10), "won game: the menu returns after the picture")
    start(game, referee, 1, "after the won game")
    play(game, referee, 1, ["c3d4"], "after the won game: the computer answers")
    to_menu(game, "after the won game")

    # 2. Escape in the middle of a capture sequence, then a new game: 9 finds
    # nothing to take back (the last game's captures stay undone), and moves are
    # accepted (no capture left to go on with).
    start(game, referee, 1, "capture")
    play(game, referee, 1, CAPTURE_LINE, "capture")
    check(referee.tool.show()[2] == "d4", "capture: the man on d4 must capture again")
    to_menu(game, "capture")
    start(game, referee, 1, "after the capture")
    game.key("9")
    time.sleep(0.5)  # some frames: the 9 has been read
    shows(game, referee, 1, "after the capture: 9 on the fresh game takes nothing back")
    play(game, referee, 1, ["c3d4"], "after the capture: c3-d4 is accepted")
    to_menu(game, "after the capture")

    # 3. The side switched: the computer green and moving first.
    game.key("Up", "Left", "Down")
    check(eventually(lambda: g.marker_colour(game.grab()) == "pink", 10), "Left makes the player's side pink")
    start(game, referee, 2, "player pink")
    play(game, referee, 2, [referee.tool.moves()[0]], "player pink")
    to_menu(game, "player pink")
    start(game, referee, 2, "player pink again")
    to_menu(game, "player pink again")
    game.key("Up", "Left", "Down")
    check(eventually(lambda: g.marker_colour(game.grab()) == "green", 10), "Left makes the player's side green again")
    start(game, referee, 1, "player green again")
    play(game, referee, 1, KING_LINE, "player green again")
    to_menu(game, "player green again")
    game.key("Escape")
    check(game.wait_exit() == 0, "Escape on the menu ends the program with status 0")


def main():
    args = g.arguments().parse_args()
    referee = Referee(args.engine)
    game = g.start(args)
    try:
        run(game, referee)
        if g.failures:
            g.save_screenshot(os.path.join(args.shots, "new_games_failure.png"))
    finally:
        game.stop()
        referee.close()
    return g.finish()


if __name__ == "__main__":
    sys.exit(main())
