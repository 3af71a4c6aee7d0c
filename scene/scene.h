#pragma once
// scene/ draws the game world in fixed-function GL: the room and its furniture
// (room.h), the board and the pieces (models.h), the shapes kept in display
// lists (shape_cache.h), and which square lies under a point of the picture
// (picking.h, no GL). It reads the engine's position and the pictures, and
// nothing of the program around it: what it has to say goes back as results.
//
// This header: one complete picture of the game world: room, table, board,
// pieces, the turn indicator, typed-square highlights and the winner picture,
// and with a presentation the board's coordinates (coordinates.h).

// Scene drawings that showed a winner picture since the counter was last cleared.
extern int winPictureFrames;

#include "engine/rules/board.h"
#include "scene/room.h"

constexpr int kMaxPresentedSinking = 12;
constexpr int kMaxPresentedMarks = 40;

// What a drawing of the scene means for the game: the tenth drawing of a winner
// picture ends it (the caller returns to the start menu).
enum class SceneOutcome { GameGoesOn, GameOver };

// What the picture shows beyond the game's position: the pieces as they stand
// while a move is still travelling (the moving piece lifted off its square, the
// pieces it has yet to jump put back), the moving piece and the pieces sinking
// away, marks on squares, and whether a winner picture may show yet.
struct ScenePresentation {
    Board pieces = {};
    bool piecesGiven = false;  // false: the game's position
    struct Floating {
        PieceCode code;
        double file, rank, lift;
    };
    int floatingCount = 0;
    Floating floating[1 + kMaxPresentedSinking];
    int markCount = 0;
    struct Mark {
        int file, rank;
        SquareMarkKind kind;
    };
    Mark marks[kMaxPresentedMarks];
    bool winnerHeldBack = false;
    // The side whose colour the turn ball shows (0: the side to move): the
    // mover's while its move still travels.
    Side ballSide = 0;
    // The board's coordinates as this side's player types them (0: none).
    Side coordinatesFor = 0;

    // Written here, with no GL, so that what the play screen presents can be
    // worked out and tested without a window.
    void addFloating(PieceCode code, double file, double rank, double lift) {
        if (floatingCount < 1 + kMaxPresentedSinking) floating[floatingCount++] = Floating{code, file, rank, lift};
    }
    void addMark(int file, int rank, SquareMarkKind kind) {
        if (markCount < kMaxPresentedMarks) marks[markCount++] = Mark{file, rank, kind};
    }
};

// The scene; with a presentation, as it says (without, exactly the position).
SceneOutcome drawScene(const ScenePresentation* presentation = nullptr);
// Whether drawScene would show a winner picture now.
bool sceneShowsWinnerPicture();
void drawEntryHighlights();
