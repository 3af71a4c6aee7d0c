#pragma once
// The player's own ways to end a game outside classic mode: O offers a draw,
// which the computer answers at once (the play session asks its level,
// engine/levels/draw_offer.h), and R resigns once confirmed: R again within
// three seconds, or a click on the line that asks. Any other key or click, or
// the three seconds passing, calls the resignation off. What is said about
// them stays on one line of the screen for a few seconds. In Two players the
// draw is offered to the other player, and the offer stands on that line until
// it is accepted (O again) or a move is played.

#include <string>

// The keys (no move uses them; letters on any keyboard layout).
constexpr int kOfferDrawKey = 'O';
constexpr int kResignKey = 'R';
// How long a resignation waits to be confirmed, in seconds.
constexpr double kResignConfirmSeconds = 3.0;

// What the player has decided in a frame.
enum class PlayerAct { None, OfferDraw, Resign };

// The input of one play frame as the acts read it.
struct ActInput {
    // The presses, oldest first (as the turn driver takes them).
    const int* presses = nullptr;
    int pressCount = 0;
    // A left click on the line asking to confirm; any other click.
    bool clickOnAsking = false;
    bool otherClick = false;
};

// The offer's answer and the resignation's question, for the play screen's
// frames. The play session owns the one it shows (app/screens/play_session.h).
class PlayerActs {
public:
    // A new game, or the game left: nothing asked, nothing said.
    void forget();
    // The frame's keys and clicks: a draw offered, a resignation confirmed, or
    // nothing (a resignation asked for, or called off).
    PlayerAct readActs(double now, const ActInput& input);
    // The computer's answer to the draw offered, said from `now`.
    void drawAnswered(double now, bool accepted);
    // The answer in words of its own (the other player's: "Draw agreed").
    void sayAnswer(double now, const std::string& words);
    // Two players: a draw offered to the other player, in the words that ask
    // them; it stands until answered or a move is played.
    void offerDraw(const std::string& asking);
    bool drawOffered() const { return !offer.empty(); }
    // A move was played, or taken back: an offer standing lapses.
    void movePlayed() { offer.clear(); }
    // Whether a resignation waits to be confirmed at `now` (its line can be clicked).
    bool asking(double now) const;
    // The line to show at `now`: the question, or the answer; empty for none.
    std::string text(double now) const;

private:
    double askedAt = -1;
    std::string offer;
    std::string answer;
    double answeredAt = 0;
};
