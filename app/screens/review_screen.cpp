// The review of a kept game: its positions stepped through with Left and Right
// (or 9 and 0), Home and End; the move stepped forward travels as in play. N
// asks for the computer's analysis (engine/levels/analysis.h) on threads of
// its own, kept in the cache once done (app/files/analysis_cache.h); P copies
// the game's PDN to the clipboard. A move typed or clicked where the player is
// to move starts a new game from there against the level the game was played at.
#include "app/screens/review_screens.h"

#include "app/files/analysis_cache.h"
#include "app/files/game_files.h"
#include "app/files/game_keeping.h"
#include "app/files/settings.h"
#include "app/input/keystate.h"
#include "app/input/mouse_state.h"
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "app/platform/window_state.h"
#include "app/screens/mouse_actions.h"
#include "app/screens/play_session.h"
#include "app/screens/screens.h"
#include "engine/game/turn.h"
#include "engine/levels/analysis.h"
#include "engine/levels/searcher.h"
#include "engine/records/pdn_write.h"
#include "engine/rules/refusal.h"
#include "engine/rules/translation.h"
#include "scene/camera.h"
#include "scene/move_animation.h"
#include "scene/scene.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kHomeKey = 36;
constexpr int kEndKey = 35;
// What is said after an act (the copy, a move refused) stays this long.
constexpr double kSaidSeconds = 3.0;
// The graph shows White's value within this many men either way.
constexpr double kGraphMen = 4.0;
// The graph's box in the window's upper right corner, over the room's ceiling
// and clear of the help, the words and the board: from kGraphLeftShare of the
// width (kGraphLeftLeast pixels at least) to kGraphMargin short of the right edge.
constexpr float kGraphHeight = 64, kGraphMargin = 10, kGraphLeftShare = 0.62f, kGraphLeftLeast = 390;
constexpr float kTextX = 10;

struct HelpLine {
    float y;
    const char* what;
    const char* keys;
};
const HelpLine kHelp[] = {
    {25, N_("Step back, forward    :"), N_("Left, Right (or '9', '0')")},
    {40, N_("To the start, the end :"), N_("Home, End")},
    {55, N_("The computer's verdict:"), N_("'N' (Escape stops it)")},
    {70, N_("Copy the game (PDN)   :"), N_("'P'")},
    {85, N_("Play on from here     :"), N_("type or click your move")},
    {100, N_("Back                  :"), N_("Escape")},
};
constexpr float kMoveY = 125, kVerdictY = 140, kBestY = 155, kResultY = 175, kSaidY = 195;

// The game under review and how it is shown.
struct Review {
    bool open = false;
    bool fromList = false;
    GameRecord record;
    // Before each move and after the last.
    std::vector<Position> positions;
    int ply = 0;
    // The move stepped forward travelling, and since when.
    bool travelling = false;
    double travelSince = 0;
    AnalysisRun run;
    AnalysisRequest request;
    std::optional<GameAnalysis> analysis;
    std::string said;
    double saidSince = 0;
    std::string shownKey;  // what the last frame drawn showed
    int shownFrames = 0;
    // The player's colour as the menu had it, given back when the review is left.
    Side menuGreenSide = 1;
};
Review review;

int plies() { return static_cast<int>(review.record.moves.size()); }

double factor() { return animationFactor(settings.animation); }

const WholeMove& moveInto(int ply) { return review.record.moves[ply - 1]; }

// The live position is the one under review; nothing of a game is followed meanwhile.
void showPly(int ply, double now, bool travel) {
    review.ply = std::clamp(ply, 0, plies());
    restorePosition(review.positions[review.ply]);
    clearTypedMove();
    historyCount = 0;
    historyForgotten = 0;
    redoCount = 0;
    review.travelling = travel && review.ply > 0 && factor() > 0;
    review.travelSince = now;
}

void say(const std::string& text, double now) {
    review.said = text;
    review.saidSince = now;
}

// A move as PDN writes it, from White's side.
std::string moveText(const WholeMove& move) { return wholeMoveText(move, review.record.greenSide == 2); }

// "12. c3-d4" for White's move, "12... b6-a5" for Black's, numbered as PDN numbers them.
std::string numberedMove(int ply) {
    const bool blackStarts = review.record.start.side != review.record.greenSide;
    const int index = ply - 1 + (blackStarts ? 1 : 0);
    const bool white = index % 2 == 0;
    return std::to_string(index / 2 + 1) + (white ? ". " : "... ") + moveText(moveInto(ply));
}

std::string men(int hundredths) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.2f", hundredths / 100.0);
    return text;
}

bool analysed() { return review.analysis && review.analysis->complete; }

const char* markOf(int ply) {
    if (!analysed() || ply < 1 || ply > static_cast<int>(review.analysis->moveCount())) return "";
    const MoveMark mark = moveVerdict(*review.analysis, ply - 1, moveInto(ply)).mark;
    return mark == MoveMark::None ? "" : moveMarkText(mark);
}

void startAnalysis(double now) {
    if (review.run.busy() || analysed()) return;
    if (std::optional<GameAnalysis> kept = loadAnalysis(review.request)) {
        review.analysis = std::move(kept);
        say(tr("The analysis was kept from before"), now);
        return;
    }
    review.run.start(review.request);
}

void advanceAnalysis(double now) {
    GameAnalysis result;
    if (!review.run.poll(result)) return;
    review.analysis = std::move(result);
    std::string error;
    if (!saveAnalysis(review.request, *review.analysis, error))
        std::fprintf(stderr, "draughts3d: the analysis is not kept: %s\n", error.c_str());
    say(tr("Analysis done"), now);
}

void leave() {
    review.run.cancel();
    review.open = false;
    greenSide = review.menuGreenSide;
    resetGame();
    currentScreen = review.fromList ? kGamesListScreen : 1;
}

// A complete typed move: where the player (side 1) is to move and the move is
// legal, a new game starts from here with it played; else why not is said.
void playOn(double now) {
    const Square from{typedMove[1], typedMove[2]}, to{typedMove[3], typedMove[4]};
    if (from.file == 0 || from.rank == 0 || to.file == 0 || to.rank == 0) return;
    const Seats recorded = seatsOfRecord(review.record, settings.level);
    if (!recorded.twoPlayers() && sideToMove != 1) {
        clearTypedMove();
        say(tr("Not your move here: play on where you are to move"), now);
        return;
    }
    const MoveRefusal why = whyRefused(currentPosition(), from, to);
    if (why.refused()) {
        clearTypedMove();
        say(why.reason, now);
        return;
    }
    review.run.cancel();
    review.open = false;
    // The computer against itself played on: the player takes side 1 against side 2's level.
    const Seats seats =
        recorded.watched() ? againstComputer(recorded.side[2].level.value_or(settings.level)) : recorded;
    playSession.startGameFrom(review.positions[review.ply], review.record.greenSide, seats);
    typedMove[1] = from.file;
    typedMove[2] = from.rank;
    typedMove[3] = to.file;
    typedMove[4] = to.rank;
    playTypedMove();
    playSession.followGame();
}

void readReviewKeys(double now) {
    MoveKeys typing;
    for (int i = 0; i < keyPressCount() && currentScreen == kReviewScreen; ++i) {
        const int key = keyPressAt(i);
        if (key == VK_LEFT || key == '9') {
            showPly(review.ply - 1, now, false);
        } else if (key == VK_RIGHT || key == '0') {
            if (review.ply < plies()) showPly(review.ply + 1, now, true);
        } else if (key == kHomeKey) {
            showPly(0, now, false);
        } else if (key == kEndKey) {
            showPly(plies(), now, false);
        } else if (key == kAnalyseKey) {
            startAnalysis(now);
        } else if (key == kCopyGameKey) {
            say(setClipboardText(pdnText(review.record)) ? tr("Game copied") : tr("The game could not be copied"), now);
        } else if (key == VK_ESCAPE) {
            if (review.run.busy())
                review.run.cancel();
            else
                leave();
        } else if ((key >= 'A' && key <= 'H') || (key >= '1' && key <= '8') || key == 'U') {
            typing.presses[typing.pressCount++] = key;
        }
    }
    if (currentScreen != kReviewScreen) return;
    typing.upHeld = keyIsHeld(VK_UP);
    typing.downHeld = keyIsHeld(VK_DOWN);
    if (typing.pressCount > 0 || mouseInput.clickCount > 0) review.travelling = false;
    applyPlayMouse();
    readMoveKeys(typing);
    playOn(now);
}

void presentReview(double now, ScenePresentation& presentation) {
    presentation.winnerHeldBack = true;
    // The squares named as the player types them, from the near side.
    if (settings.coordinates) presentation.coordinatesFor = 1;
    if (review.ply == 0) return;
    const WholeMove& move = moveInto(review.ply);
    if (review.travelling && now - review.travelSince < moveSeconds(move, factor())) {
        presentTravellingMove(move, now - review.travelSince, factor(), presentation);
    } else {
        review.travelling = false;
    }
    if (settings.lastMoveMarks) {
        markPlayedMove(move, presentation);
    }
}

void presentBestMove(ScenePresentation& presentation) {
    if (!analysed() || review.ply >= static_cast<int>(review.analysis->positions.size())) return;
    const WholeMove& best = review.analysis->positions[review.ply].best;
    if (best.squareCount < 2) return;
    presentation.addMark(best.from().file, best.from().rank, SquareMarkKind::Hint);
    presentation.addMark(best.to().file, best.to().rank, SquareMarkKind::Hint);
}

// The lines of words under the help.
struct ReviewWords {
    std::string move, verdict, best, result, said;
};

ReviewWords reviewWords(double now) {
    ReviewWords words;
    const int ply = review.ply;
    words.move =
        ply == 0
            ? formatText(trn("The start   (%d ply to step through)", "The start   (%d plies to step through)", plies()),
                         plies())
            : formatText(tr("Move %s%s   (ply %d of %d)"), numberedMove(ply).c_str(), markOf(ply), ply, plies());
    if (review.run.busy()) {
        words.best = formatText(tr("The computer analyses: %d of %d positions (Escape stops)"), review.run.done(),
                                review.run.total());
    } else if (analysed() && ply < static_cast<int>(review.analysis->positions.size())) {
        const PositionVerdict& here = review.analysis->positions[ply];
        const std::string value = men(valueFor(*review.analysis, ply, review.record.greenSide));
        words.best = here.best.squareCount
                         ? formatText(tr("Best here: %s   White %s"), moveText(here.best).c_str(), value.c_str())
                         : formatText(tr("White %s"), value.c_str());
        if (ply > 0 && ply <= static_cast<int>(review.analysis->moveCount())) {
            const MoveVerdict verdict = moveVerdict(*review.analysis, ply - 1, moveInto(ply));
            const WholeMove& better = review.analysis->positions[ply - 1].best;
            if (verdict.mark != MoveMark::None)
                words.verdict = formatText(tr("%s lost %.2f men against %s"), moveText(moveInto(ply)).c_str(),
                                           verdict.loss / 100.0, moveText(better).c_str());
        }
    } else {
        words.best = tr("Press N for the computer's verdict on every move");
    }
    if (ply == plies()) {
        const char* result = resultText(review.record.result);
        words.result = review.record.termination.empty()
                           ? formatText(tr("Result: %s"), result)
                           : formatText(tr("Result: %s (%s)"), result, tr(review.record.termination.c_str()));
    }
    if (!review.said.empty() && now - review.saidSince < kSaidSeconds) words.said = review.said;
    return words;
}

// White's value along the game, a line in the window's upper right corner
// (White ahead upwards, four men at most either way): a dot for each move
// marked, yellow "?" and red "??", and an upright line at the position shown.
void drawGraph() {
    const GameAnalysis* analysis = analysed() ? &*review.analysis : nullptr;
    const float right = static_cast<float>(viewportWidth) - kGraphMargin;
    const float left = std::min(right - kGraphHeight, std::max(kGraphLeftLeast, kGraphLeftShare * viewportWidth));
    const float top = kGraphMargin, bottom = top + kGraphHeight;
    const float middle = (top + bottom) / 2;
    const int count = std::max(plies(), 1);
    auto xOf = [&](int ply) { return left + (right - left) * static_cast<float>(ply) / static_cast<float>(count); };
    auto yOf = [&](int value) {
        const double menValue = std::clamp(value / 100.0, -kGraphMen, kGraphMen);
        return middle - static_cast<float>(menValue / kGraphMen) * (kGraphHeight / 2);
    };
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POINT_BIT);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, 0.45f);
    glBegin(GL_QUADS);
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
    glEnd();
    glColor4f(0.6f, 0.6f, 0.6f, 0.8f);
    glBegin(GL_LINES);
    glVertex2f(left, middle);
    glVertex2f(right, middle);
    glVertex2f(xOf(review.ply), top);
    glVertex2f(xOf(review.ply), bottom);
    glEnd();
    if (analysis) {
        glLineWidth(2);
        glColor3f(1.0f, 1.0f, 1.0f);
        glBegin(GL_LINE_STRIP);
        for (std::size_t i = 0; i < analysis->positions.size(); ++i)
            glVertex2f(xOf(static_cast<int>(i)), yOf(valueFor(*analysis, i, review.record.greenSide)));
        glEnd();
        glPointSize(7);
        glBegin(GL_POINTS);
        for (std::size_t ply = 0; ply < analysis->moveCount(); ++ply) {
            const MoveMark mark = moveVerdict(*analysis, ply, review.record.moves[ply]).mark;
            if (mark == MoveMark::None) continue;
            if (mark == MoveMark::Blunder)
                glColor3f(1.0f, 0.15f, 0.15f);
            else
                glColor3f(1.0f, 0.85f, 0.1f);
            glVertex2f(xOf(static_cast<int>(ply) + 1), yOf(valueFor(*analysis, ply + 1, review.record.greenSide)));
        }
        glEnd();
    }
    glPopAttrib();
}

void drawReviewHud(double now) {
    beginOverlayTopLeft();
    for (const HelpLine& line : kHelp) {
        glColor3f(0, 1, 0);
        printHudText(kTextX, line.y, "%s", tr(line.what));
        glColor3f(1, 1, 1);
        printHudText(200, line.y, "%s", tr(line.keys));
    }
    const ReviewWords words = reviewWords(now);
    glColor3f(0.55f, 0.75f, 1.0f);
    printHudText(kTextX, kMoveY, "%s", words.move.c_str());
    glColor3f(1.0f, 0.4f, 0.3f);
    if (!words.verdict.empty()) printHudText(kTextX, kVerdictY, "%s", words.verdict.c_str());
    glColor3f(1.0f, 0.6f, 0.2f);
    printHudText(kTextX, kBestY, "%s", words.best.c_str());
    glColor3f(1.0f, 1.0f, 0.0f);
    if (!words.result.empty()) printHudText(kTextX, kResultY, "%s", words.result.c_str());
    glColor3f(1.0f, 1.0f, 1.0f);
    if (!words.said.empty()) printHudText(kTextX, kSaidY, "%s", words.said.c_str());
    drawGraph();
    endOverlay();
}

// Everything a review frame's picture depends on, as text.
std::string pictureKey(double now) {
    const ReviewWords words = reviewWords(now);
    const int travel = review.travelling ? static_cast<int>((now - review.travelSince) * 1000) : -1;
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "%d %d %d %d %d %d %d %d %d %d %d %d %d", review.ply, travel, typedMove[1],
                  typedMove[2], typedMove[3], typedMove[4], viewAngleX, viewAngleY, windowWidth, windowHeight,
                  viewportWidth, viewportHeight, analysed() ? 1 : 0);
    return std::string(numbers) + words.move + words.verdict + words.best + words.result + words.said;
}

}  // namespace

bool openReview(const std::string& path, int number, bool atEnd, bool fromList, std::string& error) {
    const PdnFileGame file = readGamesFile(path, number);
    if (!file.error.empty()) {
        error = path + ": " + file.error;
        return false;
    }
    if (!file.found) {
        error =
            formatText(trn("%s: there is no game %d (the file holds %d)", "%s: there is no game %d (the file holds %d)",
                           static_cast<unsigned long>(file.gameCount)),
                       path.c_str(), number, file.gameCount);
        return false;
    }
    if (!file.game.ok) {
        error = pdnGameError(path, file.game);
        return false;
    }
    if (!review.open) review.menuGreenSide = greenSide;
    closeReview();
    review.record = file.game.record;
    review.positions.clear();
    greenSide = review.record.greenSide;
    resetGame();
    const int played = playRecord(review.record, nullptr, &review.positions);
    review.record.moves.resize(static_cast<std::size_t>(played));
    if (static_cast<int>(review.positions.size()) != played + 1) review.positions.resize(played + 1);
    review.request = AnalysisRequest{};
    review.request.start = review.record.start;
    review.request.moves = review.record.moves;
    review.analysis.reset();
    review.said.clear();
    review.fromList = fromList;
    review.open = true;
    review.shownFrames = 0;
    showPly(atEnd ? plies() : 0, frameSeconds, false);
    viewAngleX = 0;
    viewAngleY = 0;
    ignoreHeldArrowKeys();
    currentScreen = kReviewScreen;
    return true;
}

bool reviewGamePlayed() {
    std::string path, error;
    int number = 1;
    if (!playSession.reviewSource(path, number)) return false;
    playSession.end();
    if (openReview(path, number, true, false, error)) return true;
    std::fprintf(stderr, "draughts3d: %s\n", error.c_str());
    currentScreen = 1;
    return true;
}

void closeReview() {
    review.run.cancel();
    review.open = false;
}

bool drawReviewFrame(bool skipUnchanged) {
    const double now = frameSeconds;
    if (!review.open) {
        currentScreen = 1;
        return false;
    }
    readReviewKeys(now);
    if (currentScreen != kReviewScreen) {
        // Left for the list, the menu, or a new game: that screen draws the next frame.
        forgetShownPlayPicture();
        return false;
    }
    advanceAnalysis(now);
    ScenePresentation presentation;
    presentReview(now, presentation);
    presentBestMove(presentation);
    const std::string key = pictureKey(now);
    const bool same = review.shownFrames > 0 && key == review.shownKey && !windowNeedsRedraw;
    if (skipUnchanged && same && review.shownFrames >= 2) return false;
    review.shownFrames = same ? review.shownFrames + 1 : 1;
    review.shownKey = key;
    windowNeedsRedraw = false;

    endOverlay();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(kEyeOffsetX, kEyeOffsetY, kEyeOffsetZ);
    glPushMatrix();
    drawScene(&presentation);
    glPopMatrix();
    const GLfloat lightPosition[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, lightPosition);
    drawReviewHud(now);
    return true;
}
