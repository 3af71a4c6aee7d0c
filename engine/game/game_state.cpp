#include "engine/game/game_state.h"

#include "engine/game/view.h"

Side greenSide = 1;
Side turnSide = 1;
int typedMove[5] = {};
HistoryRecord history[kHistoryCapacity] = {};
int historyCount = 0;
int historyForgotten = 0;
HistoryRecord redoRecords[kHistoryCapacity] = {};
int redoCount = 0;

int viewAngleX = 0;
int viewAngleY = 0;

void resetGame() {
    setupInitialPosition();
    historyCount = 0;
    historyForgotten = 0;
    redoCount = 0;
    continuationSquare = Square{};
    clearTypedMove();
    clearCandidates();
    sideToMove = greenSide;
    computerActive = 1;
    rootListFilled = 0;
    clearWorkingState();
}

void switchGreenSide() {
    greenSide = otherSide(greenSide);
    sideToMove = greenSide;
    computerActive = 1;
    rootListFilled = 0;
}

void clearTypedMove() {
    for (int& v : typedMove) v = 0;
}
