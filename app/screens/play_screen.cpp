#include "app/input/keystate.h"
#include "app/input/mouse_state.h"
#include "app/screens/board_frame.h"
#include "app/screens/mouse_actions.h"
#include "app/screens/play_session.h"
#include "app/screens/player_acts.h"
#include "app/screens/review_screens.h"
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "app/screens/screens.h"
#include "app/files/settings.h"
#include "app/platform/window_state.h"
#include "engine/rules/board.h"
#include "scene/camera.h"
#include "engine/rules/rules.h"
#include "engine/rules/translation.h"
#include "engine/game/turn.h"
#include "scene/scene.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

namespace {

// One line of the help block: its colour, position and text.
struct HelpLine {
    float r, g, b;
    float x, y;
    const char* format;
};

const HelpLine kHelpLines[] = {
    {0, 1, 0, 10, 25, N_("To rotate the camera  : %s")}, {1, 1, 1, 200, 25, "Key_UP,Key_DOWN,Key_LEFT,Key_RIGHT %s"},
    {0, 1, 0, 10, 40, N_("To move your draught  : %s")}, {1, 1, 1, 200, 40, N_("'a'+'3'->'b'+'4',for example   %s")},
    {0, 1, 0, 10, 55, N_("To move once more     : %s")}, {1, 1, 1, 200, 55, N_("'U' (to clean keyboard buffer) %s")},
    {0, 1, 0, 10, 70, N_("To moveback           : %s")}, {1, 1, 1, 200, 70, "'9' %s"},
};
// Outside classic mode, six more.
const HelpLine kStepForwardLines[] = {
    {0, 1, 0, 10, 85, N_("To step forward       : %s")},
    {1, 1, 1, 200, 85, N_("'0' (what '9' took back) %s")},
    {0, 1, 0, 10, 100, N_("For a hint            : %s")},
    {1, 1, 1, 200, 100, "'T' %s"},
    {0, 1, 0, 10, 115, N_("To offer a draw       : %s")},
    {1, 1, 1, 200, 115, "'O' %s"},
    {0, 1, 0, 10, 130, N_("To resign             : %s")},
    {1, 1, 1, 200, 130, N_("'R', then 'R' again %s")},
    {0, 1, 0, 10, 145, N_("With the mouse        : %s")},
    {1, 1, 1, 200, 145, N_("click a square, then another; right drag turns %s")},
    {0, 1, 0, 10, 160, N_("Menu, fullscreen      : %s")},
    {1, 1, 1, 200, 160, "'Escape', 'F1' %s"},
};

// Outside classic mode, the lines under the help: whose turn it is (Two
// players, the computer against itself), the last moves, the advice, the
// player's acts (or the computer waiting to be asked), and the end held.
constexpr float kTurnY = 180, kLastMovesY = 195, kAdviceY = 210, kActsY = 225, kEndY = 245, kEndHintY = 260,
                kKeepingFaultY = 280;
constexpr float kHudTextX = 10;
// The HUD font's advance, in pixels (12-pixel Courier New): what a line covers.
constexpr float kHudCharacterWidth = 7.2f;

const char* const kCreditName = "Quillow P.D.";

// A finished game stays on screen at least this long before a key or click
// returns to the menu, so a key already on its way does not skip it.
constexpr double kEndHeldSeconds = 1.0;

// Everything the picture of a play frame depends on that can change while the
// game runs. The help text and the room are fixed; the light and the rest of the
// GL state a frame inherits are what the frame before it left, so they settle
// after two frames drawn alike.
struct PlayPicture {
    Board board;
    std::int32_t continuationFile, continuationRank;
    std::int32_t sideToMove, greenSide;
    std::int32_t typedMove[4];
    std::int32_t viewAngleX, viewAngleY;
    std::int32_t screen;
    std::int32_t windowWidth, windowHeight, viewportWidth, viewportHeight;
    std::int32_t winPictureFrames;
    // Outside classic mode: how far a move has travelled, the moves on record
    // (their marks and words), whether the end is held.
    std::int32_t travelMs, historyLength, endHeld;
    std::uint32_t wordsHash;
    std::int32_t keepingFault;
};

// Outside classic mode, the words the HUD shows under the help.
struct HudWords {
    std::string turn, lastMoves, advice, acts, end;
};

HudWords currentHudWords() {
    HudWords words;
    words.turn = playSession.turnText(frameSeconds);
    words.lastMoves = playSession.lastMovesText(frameSeconds);
    words.advice = namedFrom(playSession.frameSide(frameSeconds), playSession.advice().adviceText(frameSeconds));
    words.acts = playSession.acts().text(frameSeconds);
    if (words.acts.empty() && playSession.moves().replyAwaitsRequest())
        words.acts = tr("The computer's turn: press Return");
    if (playSession.moves().gameEndHeldSince() >= 0) words.end = playSession.endText();
    return words;
}

PlayPicture currentPlayPicture() {
    PlayPicture p{};
    std::memcpy(p.board, board, sizeof board);
    p.continuationFile = continuationSquare.file;
    p.continuationRank = continuationSquare.rank;
    p.sideToMove = sideToMove;
    p.greenSide = greenSide;
    for (int i = 0; i < 4; ++i) p.typedMove[i] = typedMove[i + 1];
    p.viewAngleX = viewAngleX;
    p.viewAngleY = viewAngleY;
    p.screen = currentScreen;
    p.windowWidth = windowWidth;
    p.windowHeight = windowHeight;
    p.viewportWidth = viewportWidth;
    p.viewportHeight = viewportHeight;
    // Only classic mode counts winner pictures (and ends the game by them).
    p.winPictureFrames = settings.classic ? winPictureFrames : 0;
    if (!settings.classic) {
        p.travelMs = playSession.moves().travelProgress(frameSeconds);
        p.historyLength = jumpsPlayed();
        p.endHeld = playSession.moves().gameEndHeldSince() >= 0;
        const HudWords words = currentHudWords();
        const std::string all =
            words.turn + '\n' + words.lastMoves + '\n' + words.advice + '\n' + words.acts + '\n' + words.end;
        p.wordsHash = static_cast<std::uint32_t>(std::hash<std::string>{}(all));
        p.keepingFault = !playSession.keepingFault().empty();
    }
    return p;
}

// The picture of the last play frame drawn, and how many frames in a row were
// drawn showing it (0: none yet, or a menu frame came between).
struct ShownPicture {
    PlayPicture picture{};
    int frames = 0;
};
ShownPicture shown;

// Whether this frame shows something new: the frame is skipped when skipping is
// allowed and it would show what the last two frames drawn showed, the window
// has kept its picture and no winner picture (which counts its frames) is up.
bool pictureChanged(bool skipUnchanged) {
    const PlayPicture now = currentPlayPicture();
    const bool samePicture = shown.frames > 0 && std::memcmp(&now, &shown.picture, sizeof now) == 0;
    // A classic winner picture counts its drawings: it is never skipped.
    const bool countsDrawings = settings.classic && sceneShowsWinnerPicture();
    if (skipUnchanged && samePicture && shown.frames >= 2 && !windowNeedsRedraw && !countsDrawings) return false;
    shown.frames = samePicture && !windowNeedsRedraw ? shown.frames + 1 : 1;
    shown.picture = now;
    windowNeedsRedraw = false;
    return true;
}

// The scene through the play camera. In classic mode the tenth winner picture
// ends the game; otherwise the finished game is held until the player acts.
void drawPlayScene(const ScenePresentation* presentation) {
    // Closes an overlay left open by a start-menu frame.
    endOverlay();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(kEyeOffsetX, kEyeOffsetY, kEyeOffsetZ);
    glPushMatrix();
    if (drawScene(presentation) == SceneOutcome::GameOver && settings.classic) currentScreen = 1;
    glPopMatrix();
}

// Whether the player types or clicks a square this frame.
bool typingThisFrame() {
    for (int i = 0; i < keyPressCount(); ++i) {
        const int key = keyPressAt(i);
        if ((key >= 'A' && key <= 'H') || (key >= '1' && key <= '8')) return true;
    }
    for (int i = 0; i < mouseInput.clickCount; ++i)
        if (mouseInput.clicks[i].button == MouseButton::Left) return true;
    return false;
}

// Whether a key or click of this frame acts on the game (the arrows and F1
// only look).
bool gameInputThisFrame() {
    for (int i = 0; i < keyPressCount(); ++i) {
        const int key = keyPressAt(i);
        if (key != VK_F1 && (key < VK_LEFT || key > VK_DOWN)) return true;
    }
    return mouseInput.clickCount > 0;
}

// The keys of this frame as the turn driver takes them: the presses in order
// and the arrows held (not those held since the game started); outside classic
// mode, in the frame of the player who types (Two players: the side to move's)
// and, when no one plays the computer alone, 9 and 0 a move at a time.
MoveKeys frameMoveKeys() {
    MoveKeys keys;
    for (int i = 0; i < keyPressCount() && keys.pressCount < kMoveKeyCapacity; ++i)
        keys.presses[keys.pressCount++] = keyPressAt(i);
    keys.upHeld = keyIsHeld(VK_UP);
    keys.downHeld = keyIsHeld(VK_DOWN);
    keys.leftHeld = keyIsHeld(VK_LEFT);
    keys.rightHeld = keyIsHeld(VK_RIGHT);
    keys.zeroStepsForward = !settings.classic;
    if (!settings.classic) {
        keys.typedFromSide2 = playSession.frameSide(frameSeconds) == 2;
        if (playSession.twoPlayers() || playSession.watched()) keys.steps = StepScope::OneMove;
    }
    return keys;
}

// Whether a left click of this frame falls on the acts' line (the
// resignation's question, `characters` long, each a cell of the HUD font), and whether another one falls elsewhere.
void clicksOnActsLine(std::size_t characters, bool& onLine, bool& elsewhere) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    onLine = elsewhere = false;
    for (int i = 0; i < mouseInput.clickCount; ++i) {
        const MouseClick& click = mouseInput.clicks[i];
        // The HUD counts from the viewport's top-left corner; the text's baseline at kActsY.
        const double x = click.x - viewport[0];
        const double y = viewport[1] + viewport[3] - click.y;
        const bool hit = click.button == MouseButton::Left && x >= kHudTextX - 4 &&
                         x <= kHudTextX + kHudCharacterWidth * characters + 4 && y >= kActsY - 14 && y <= kActsY + 5;
        (hit ? onLine : elsewhere) = true;
    }
}

bool playFrame(bool skipUnchanged);

}  // namespace

void ignoreHeldArrowKeys() {
    for (int key = VK_LEFT; key <= VK_DOWN; ++key) ignoreUntilReleased(key);
}

bool drawPlayFrameIfChanged() { return playFrame(true); }

void drawPlayFrame() { playFrame(false); }

void forgetShownPlayPicture() { shown.frames = 0; }

namespace {

// The game as it first was: the turn driver plays the computer's jump and the
// typed move, the scene as the position is.
bool classicPlayFrame(bool skipUnchanged) {
    // Clicks pick squares in the picture on screen, so before the keys turn the view.
    applyPlayMouse();
    readMoveKeys(frameMoveKeys());
    if (wasPressed(VK_ESCAPE)) currentScreen = 1;

    // The game moves first (the computer's reply, a typed move), then the frame
    // is drawn if it shows something new.
    turnStep();
    if (!pictureChanged(skipUnchanged)) return false;
    drawPlayScene(nullptr);
    return true;
}

// The player's acts of this frame (O, R): a draw offered is answered at once,
// a resignation confirmed ends the game. Not once the game is over.
void readPlayerActs(double now, const MoveKeys& keys) {
    if (playSession.gameOver()) return;
    PlayerActs& acts = playSession.acts();
    bool onLine = false, elsewhere = false;
    clicksOnActsLine(characterCount(acts.text(now)), onLine, elsewhere);
    ActInput input;
    input.presses = keys.presses;
    input.pressCount = keys.pressCount;
    input.clickOnAsking = onLine && acts.asking(now);
    input.otherClick = elsewhere || (onLine && !input.clickOnAsking);
    const PlayerAct act = acts.readActs(now, input);
    if (act == PlayerAct::OfferDraw) playSession.offerDraw(now);
    if (act == PlayerAct::Resign) playSession.resign();
}

// Moves shown travelling, the reply paced, the last move marked, the end held.
bool showingPlayFrame(bool skipUnchanged) {
    // V: the review of this game (app/screens/review_screens.h).
    if (wasPressed(kReviewGameKey) && reviewGamePlayed()) return false;
    MoveShow& moves = playSession.moves();
    Advice& advice = playSession.advice();
    const double now = frameSeconds;
    // The end as the game stands before this frame's keys (a reply played last frame may have ended it).
    playSession.followGame();
    const double endHeld = moves.gameEndHeldSince();
    if (endHeld >= 0) {
        // The finished game: the view turns (keys or a right drag) and 9 takes
        // back (the game goes on), until the player acts otherwise.
        applyMouseViewTurn();
        const MoveKeys keys = frameMoveKeys();
        MoveKeys view = keys;
        view.pressCount = 0;
        for (int i = 0; i < keys.pressCount; ++i)
            if (keys.presses[i] == '9') view.presses[view.pressCount++] = '9';
        readMoveKeys(view);
        if (view.pressCount > 0) {
            playSession.followGame();
            moves.advanceShownMoves(now, playSession.standing());
        }
        const bool acts = view.pressCount == 0 && gameInputThisFrame() && now - endHeld >= kEndHeldSeconds;
        if (wasPressed(VK_ESCAPE) || acts) currentScreen = 1;
    } else {
        // The computer playing itself: a key or click pauses it and does nothing else.
        const bool pausing = playSession.watched() && !moves.paused() && gameInputThisFrame();
        if (pausing) moves.pause();
        if (gameInputThisFrame()) moves.landTravellingMove();
        if (typingThisFrame()) moves.playWaitingReplyNow(now);
        const int jumpsBefore = jumpsPlayed();
        MoveKeys keys = frameMoveKeys();
        if (pausing) keys.pressCount = 0;
        if (!pausing && !playSession.watched()) readPlayerActs(now, keys);
        if (pausing)
            applyMouseViewTurn();
        else
            applyPlayMouse();
        readMoveKeys(keys);
        playSession.followGame();
        const bool over = playSession.gameOver();
        if (!pausing && wasPressed(kHintKey) && !over && playSession.personToMove())
            advice.askForHint(playSession.twoPlayers() || playSession.watched() ? sideToMove : Side{1});
        if (!pausing && (wasPressed(VK_RETURN) || wasPressed(' '))) {
            if (moves.paused())
                moves.resume();
            else
                moves.askForReply();
        }
        if (wasPressed(VK_ESCAPE)) currentScreen = 1;
        // A move typed while the computer is to reply waits for the reply; none
        // is played once the game is over.
        if (over) {
            clearTypedMove();
        } else if (!moves.computerToReply()) {
            const int ff = typedMove[1], fr = typedMove[2], tf = typedMove[3], tr = typedMove[4];
            if (playTypedMove() == kIllegal && ff && fr && tf && tr) advice.noteRefusedMove(now, ff, fr, tf, tr);
            playSession.followGame();
        }
        moves.advanceShownMoves(now, playSession.standing());
        if (jumpsPlayed() != jumpsBefore) {
            advice.movePlayed();
            playSession.acts().movePlayed();
        }
        advice.advanceAdvice(now);
        playSession.turnView(now);
    }
    ScenePresentation presentation;
    moves.presentMoves(now, presentation);
    advice.presentAdvice(now, presentation);
    if (settings.coordinates) presentation.coordinatesFor = playSession.frameSide(now);
    if (!pictureChanged(skipUnchanged)) return false;
    drawPlayScene(&presentation);
    return true;
}

bool playFrame(bool skipUnchanged) {
    const bool drawn = settings.classic ? classicPlayFrame(skipUnchanged) : showingPlayFrame(skipUnchanged);
    // Every completed move kept; a game left (Escape, or its end shown) says so.
    playSession.followGame();
    if (currentScreen == 1) playSession.end();
    if (!drawn) return false;

    // Light 1 at the world origin; governs the drawing from the next frame on.
    const GLfloat lightPosition[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, lightPosition);

    beginOverlayTopLeft();
    for (const HelpLine& line : kHelpLines) {
        glColor3f(line.r, line.g, line.b);
        printHudText(line.x, line.y, tr(line.format), "");
    }
    if (!settings.classic) {
        for (const HelpLine& line : kStepForwardLines) {
            glColor3f(line.r, line.g, line.b);
            printHudText(line.x, line.y, tr(line.format), "");
        }
        const HudWords words = currentHudWords();
        glColor3f(1.0f, 1.0f, 1.0f);
        if (!words.turn.empty()) printHudText(kHudTextX, kTurnY, "%s", words.turn.c_str());
        glColor3f(0.55f, 0.75f, 1.0f);
        if (!words.lastMoves.empty()) printHudText(kHudTextX, kLastMovesY, "%s", words.lastMoves.c_str());
        glColor3f(1.0f, 0.6f, 0.2f);
        if (!words.advice.empty()) printHudText(kHudTextX, kAdviceY, "%s", words.advice.c_str());
        glColor3f(1.0f, 1.0f, 1.0f);
        if (!words.acts.empty()) printHudText(kHudTextX, kActsY, "%s", words.acts.c_str());
        glColor3f(1.0f, 1.0f, 0.0f);
        if (!words.end.empty()) {
            printHudText(kHudTextX, kEndY, "%s", words.end.c_str());
            printHudText(kHudTextX, kEndHintY, "%s", tr("press a key or click"));
        }
        // A record that cannot be written is said here too: a player without a
        // terminal would believe the game kept. (Classic mode: standard error only.)
        if (const std::string& fault = playSession.keepingFault(); !fault.empty()) {
            glColor3f(1.0f, 0.3f, 0.3f);
            printHudText(kHudTextX, kKeepingFaultY, "%s", fault.c_str());
        }
    }
    glColor3f(1.0f, 0.0f, 0.0f);
    printHudText(10.0f, static_cast<float>(windowHeight) - 30.0f, tr("Created by : %s"), kCreditName);
    endOverlay();
    return true;
}

}  // namespace
