// What pixels show too coarsely, checked exactly: the strokes of the caption
// letters, every message text and caption and the help lines as the code hands
// them over, the menu marker's colour after a game, the third typed letter and
// the take-back over a computer reply of two jumps.
//
// The message boxes and the help text are seen where they leave the game: this
// program's own SDL_ShowMessageBox, SDL_CreateWindow, SDL_GL_CreateContext,
// SDL_GL_MakeCurrent, SDL_InitSubSystem and glCallLists stand in front of the
// libraries' (they record, may fail on request, and otherwise pass the call on).
//
// Argument: the game's executable (run once without a display for the start
// question).

#include "app/input/keystate.h"
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "app/screens/screens.h"
#include "app/files/settings.h"
#include "app/platform/window_state.h"
#include "engine/rules/board.h"
#include "engine/game/turn.h"
#include "lettering/stroke_font.h"
#include "scene/scene.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string gamePath;

template <typename F>
F realFunction(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Recorded message boxes as "caption|text|buttons".
std::vector<std::string> boxes;
const char* boxAnswer = nullptr;  // text of the button to press; nullptr: no box can be shown
bool failCreateWindow = false, failCreateContext = false, failMakeCurrent = false, failInitVideo = false;

// Recorded HUD texts as "text @ x,y colour r,g,b" (window raster position).
std::vector<std::string> hudTexts;

}  // namespace

extern "C" {

int SDL_ShowMessageBox(const SDL_MessageBoxData* data, int* buttonid) {
    std::string record = std::string(data->title) + "|" + data->message + "|";
    int chosen = -1;
    for (int i = 0; i < data->numbuttons; ++i) {
        record += std::string(i ? "," : "") + data->buttons[i].text;
        if (boxAnswer && std::strcmp(boxAnswer, data->buttons[i].text) == 0) chosen = data->buttons[i].buttonid;
    }
    boxes.push_back(record);
    if (!boxAnswer) return -1;
    *buttonid = chosen;
    return 0;
}

SDL_Window* SDL_CreateWindow(const char* title, int x, int y, int w, int h, Uint32 flags) {
    if (failCreateWindow) return nullptr;
    return realFunction<SDL_Window* (*)(const char*, int, int, int, int, Uint32)>("SDL_CreateWindow")(title, x, y, w,
                                                                                                    h, flags);
}

SDL_GLContext SDL_GL_CreateContext(SDL_Window* window) {
    if (failCreateContext) return nullptr;
    return realFunction<SDL_GLContext (*)(SDL_Window*)>("SDL_GL_CreateContext")(window);
}

int SDL_GL_MakeCurrent(SDL_Window* window, SDL_GLContext context) {
    const int result = realFunction<int (*)(SDL_Window*, SDL_GLContext)>("SDL_GL_MakeCurrent")(window, context);
    return failMakeCurrent ? -1 : result;
}

int SDL_InitSubSystem(Uint32 flags) {
    if (failInitVideo) return -1;
    return realFunction<int (*)(Uint32)>("SDL_InitSubSystem")(flags);
}

void glCallLists(GLsizei n, GLenum type, const void* lists) {
    if (type == GL_UNSIGNED_BYTE) {
        GLfloat position[4], colour[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
        glGetFloatv(GL_CURRENT_RASTER_COLOR, colour);
        char line[256];
        std::snprintf(line, sizeof line, "%.*s @ %g,%g colour %g,%g,%g", static_cast<int>(n),
                      static_cast<const char*>(lists), position[0], position[1], colour[0], colour[1], colour[2]);
        hudTexts.push_back(line);
    }
    realFunction<void (*)(GLsizei, GLenum, const void*)>("glCallLists")(n, type, lists);
}

}  // extern "C"

namespace {

// ---- stroke font ----------------------------------------------------------

// The strokes of the letters the captions use, and of the braces, as the
// font's glyph table gives them: polylines of (u, v) points separated by ";",
// b standing for the bottom line (size / 3 + 1 above the baseline).
struct GlyphStrokes {
    char c;
    const char* polylines;
};
const GlyphStrokes kGlyphs[] = {
    {'S', "(-2, 6) (-2, 8) (0, 10) (3, 10) (3.5, 9) ; (-2, 6) (3.5, 4) (3.5, 2) (0.5, 0) ; "
          "(0.5, b) (-1.5, b) (-2, 1) (-2, 2)"},
    {'E', "(-2, 0) (-2, 10) (4, 10) ; (-2, 5.5) (3, 5.5) ; (-2, b) (4, b)"},
    {'L', "(-2, 0) (-2, 10) ; (-2, b) (3.5, b) (3.5, 2)"},
    {'C', "(-2, 8) (-2, 2) ; (-2, 8) (0, 10) (3, 10) (4, 8) ; (-2, 2) (0, b) (3, b) (4, 2)"},
    {'T', "(1, 0) (1, 10) ; (-1.5, 10) (4.5, 10) ; (-1.5, 10) (-1.5, 9) ; (4.5, 10) (4.5, 9)"},
    {'I', "(1, 0) (1, 10) ; (-0.5, b) (2.5, b) ; (-0.5, 10) (2.5, 10)"},
    {'D', "(-1.5, 10) (-1.5, 0) ; (-2, 10) (0, 10) (3, 10) (4, 8) ; (-2, b) (0, b) (3, b) (4, 2) (4, 8)"},
    {'A', "(1, 10) (-3, 0) ; (1, 10) (5, 0) ; (-1, 5) (3, 5)"},
    {'R', "(-2, 10) (-2, 0) ; (-2, 10) (3.5, 10) (4, 9) (4, 7) (3.5, 6) (-2, 6) ; (4, 0) (0, 6)"},
    {'H', "(-2, 0) (-2, 10) ; (4, 0) (4, 10) ; (-2, 5.5) (4, 5.5)"},
    {'G', "(-2, 8) (-2, 2) ; (-2, 8) (0, 10) (3, 10) (4, 8) ; (-2, 2) (0, b) (3, b) (4, 2) (4, 4) ; (2, 4) (4, 4)"},
    {'M', "(-2, 0) (-2, 10) ; (4, 0) (4, 10) (1, 3) ; (-2, 10) (1, 3)"},
    {'Q', "(4, 2) (4, 8) ; (4, 2) (3, b) (-1, b) (-2, 2) (-2, 8) ; (4, 8) (3, 10) (-1, 10) (-2, 8) ; (2, 3) (4.8, 0)"},
    {'{', "(1, 5) (2, 6) (2, 10) (4, 10) ; (1, 5) (2, 4) (2, 0) ; (2, b) (4, b)"},
    {'}', "(1, 5) (0, 6) (0, 10) (-2, 10) ; (1, 5) (0, 4) (0, 0) ; (0, b) (-2, b)"},
};

// "x1,y1-x2,y2" per segment, rounded to 1/1000, at origin (ox, oy) and size 1.
std::vector<std::string> expectedSegments(const char* polylines, float ox, float oy) {
    const float bottom = 1.0f / 3.0f + 1.0f;
    std::vector<std::string> segments;
    std::stringstream lines(polylines);
    std::string line;
    while (std::getline(lines, line, ';')) {
        std::vector<std::pair<float, float>> points;
        for (size_t at = line.find('('); at != std::string::npos; at = line.find('(', at + 1)) {
            const size_t comma = line.find(',', at), close = line.find(')', at);
            const std::string v = line.substr(comma + 1, close - comma - 1);
            points.push_back({std::stof(line.substr(at + 1, comma - at - 1)),
                              v.find('b') != std::string::npos ? bottom : std::stof(v)});
        }
        for (size_t i = 1; i < points.size(); ++i) {
            char s[96];
            std::snprintf(s, sizeof s, "%.3f,%.3f-%.3f,%.3f", ox + points[i - 1].first, oy + points[i - 1].second,
                          ox + points[i].first, oy + points[i].second);
            segments.push_back(s);
        }
    }
    return segments;
}

// The segments drawn by `c` at origin (ox, oy) and size 1, from feedback mode
// under a one-unit-per-pixel projection.
std::vector<std::string> drawnSegments(char c, int ox, int oy) {
    static GLfloat buffer[4096];
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 0, 480, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer(4096, GL_2D, buffer);
    glRenderMode(GL_FEEDBACK);
    StrokeFont().drawChar(c, ox, oy, 1, 1, 1, 1);
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<std::string> segments;
    for (GLint i = 0; i < used;) {
        const GLint token = static_cast<GLint>(buffer[i]);
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            char s[96];
            std::snprintf(s, sizeof s, "%.3f,%.3f-%.3f,%.3f", buffer[i + 1], buffer[i + 2], buffer[i + 3],
                          buffer[i + 4]);
            segments.push_back(s);
            i += 5;
        } else {
            segments.push_back("unexpected primitive");
            break;
        }
    }
    return segments;
}

// ---- helpers --------------------------------------------------------------

void press(int key) {
    KeyState[key] = 1;
    queueKeyPress(key);
}

// The turn driver reads these presses, as a play frame hands them on.
void typeKeys(std::initializer_list<int> keys) {
    MoveKeys moveKeys;
    for (int key : keys) moveKeys.presses[moveKeys.pressCount++] = key;
    readMoveKeys(moveKeys);
}

void frame(void (*draw)()) {
    draw();
    glFinish();
    clearKeyPresses();
    clearKeyState();
}

std::string markerColour() {
    GLubyte p[3];
    glReadPixels(64, 331, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    if (p[0] == 0 && p[1] == 255 && p[2] == 0) return "green";
    if (p[0] == 255 && p[1] == 0 && p[2] == 255) return "pink";
    return "other";
}

std::string runWithoutDisplay() {
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u DRAUGHTS3D_FULLSCREEN SDL_VIDEODRIVER=dummy '" +
                                gamePath + "' 2>&1 >/dev/null";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[512];
        while (size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, n);
        pclose(pipe);
    }
    return output;
}

}  // namespace

TEST(ExactChecks, WhatThePlayerReadsAndWhatTheKeysDo) {
    // The start question, asked when no box can be shown, and the error that
    // follows on SDL's headless driver (asked for by name, so the game tries it):
    // their texts reach standard error unchanged.
    const std::string startOutput = runWithoutDisplay();
    EXPECT_NE(startOutput.find("Start FullScreen?"), std::string::npos) << startOutput;
    EXPECT_NE(startOutput.find("Would You Like To Run In Fullscreen Mode?"), std::string::npos) << startOutput;
    EXPECT_NE(startOutput.find("ERROR"), std::string::npos) << startOutput;
    EXPECT_NE(startOutput.find("Window Creation Error."), std::string::npos) << startOutput;

    // Creation errors, each with the caption "ERROR", and the refused fullscreen
    // mode: the fallback question, then "Program Will Now Close." on No.
    struct Failure {
        bool* flag;
        bool fullscreenOddSize;
        const char* answer;
        std::vector<std::string> expected;
    };
    const std::string kFallback =
        "Kiva GL|The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?|Yes,No";
    const Failure failures[] = {
        {&failInitVideo, false, "OK", {"ERROR|Failed To Register The Window Class.|OK"}},
        {&failCreateWindow, false, "OK", {"ERROR|Window Creation Error.|OK"}},
        {&failCreateContext, false, "OK", {"ERROR|Can't Create A GL Rendering Context.|OK"}},
        {&failMakeCurrent, false, "OK",
         {"SHUTDOWN ERROR|Release Of DC And RC Failed.|OK", "ERROR|Can't Activate The GL Rendering Context.|OK"}},
        {nullptr, true, "No", {kFallback, "ERROR|Program Will Now Close.|OK"}},
    };
    for (const Failure& f : failures) {
        boxes.clear();
        boxAnswer = f.answer;
        if (f.flag) *f.flag = true;
        EXPECT_FALSE(createRenderWindow("exact checks", f.fullscreenOddSize ? 123 : 640, f.fullscreenOddSize ? 77 : 480,
                                        32, f.fullscreenOddSize));
        if (f.flag) *f.flag = false;
        EXPECT_EQ(boxes, f.expected);
    }
    // Yes to the fallback question: a window after all.
    boxes.clear();
    boxAnswer = "Yes";
    ASSERT_TRUE(createRenderWindow("exact checks", 123, 77, 32, true));
    EXPECT_EQ(boxes, std::vector<std::string>{kFallback});
    EXPECT_EQ(fullscreen, 0);
    destroyRenderWindow();

    ASSERT_TRUE(createRenderWindow("exact checks", 640, 480, 32, false));
    int argc = 1;
    char name[] = "exact_checks_test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);

    // Glyph strokes at size 1.
    for (const GlyphStrokes& g : kGlyphs)
        EXPECT_EQ(drawnSegments(g.c, 100, 200), expectedSegments(g.polylines, 100, 200)) << "glyph " << g.c;

    // The help block and the credit line, exactly as handed to the HUD font
    // (raster positions in window pixels, y from the bottom).
    resetScreens();
    settings.classic = true;  // the game as it first was
    computerActive = 0;
    currentScreen = 0;
    setViewport(640, 480, 0, 0);
    hudTexts.clear();
    frame(drawPlayFrame);
    const std::vector<std::string> help = {
        "To rotate the camera  :  @ 10,455 colour 0,1,0",
        "Key_UP,Key_DOWN,Key_LEFT,Key_RIGHT  @ 200,455 colour 1,1,1",
        "To move your draught  :  @ 10,440 colour 0,1,0",
        "'a'+'3'->'b'+'4',for example    @ 200,440 colour 1,1,1",
        "To move once more     :  @ 10,425 colour 0,1,0",
        "'U' (to clean keyboard buffer)  @ 200,425 colour 1,1,1",
        "To moveback           :  @ 10,410 colour 0,1,0",
        "'9'  @ 200,410 colour 1,1,1",
        "Created by : Quillow P.D. @ 10,30 colour 1,0,0",
    };
    EXPECT_EQ(hudTexts, help);

    // The menu marker follows greenSide, not the side to move: switch the side
    // (side 2 green and to move), let the computer play its first move, and
    // come back to the menu with side 1 to move.
    currentScreen = 1;
    press(VK_LEFT);
    frame(drawStartMenuFrame);
    ASSERT_EQ(greenSide, 2);
    setupInitialPosition();
    currentScreen = 0;
    frame(drawPlayFrame);
    EXPECT_EQ(historyCount, 1);
    ASSERT_EQ(sideToMove, 1);
    currentScreen = 1;
    frame(drawStartMenuFrame);
    EXPECT_EQ(markerColour(), "pink") << "side 2 green, side 1 to move";
    // Back to side 1 green; the player moves c3-d4 and the computer stays idle.
    press(VK_LEFT);
    frame(drawStartMenuFrame);
    ASSERT_EQ(greenSide, 1);
    setupInitialPosition();
    computerActive = 0;
    currentScreen = 0;
    for (int key : {'C', '3', 'D', '4'}) {
        press(key);
        frame(drawPlayFrame);
    }
    ASSERT_EQ(sideToMove, 2);
    currentScreen = 1;
    frame(drawStartMenuFrame);
    EXPECT_EQ(markerColour(), "green") << "side 1 green, side 2 to move";
    endOverlay();

    // A third letter replaces the to-file, a third digit the to-rank.
    clearTypedMove();
    typeKeys({'A', 'B', 'C', '3', '4', '8'});
    EXPECT_EQ((std::vector<int>{typedMove[1], typedMove[2], typedMove[3], typedMove[4]}), (std::vector<int>{1, 3, 3, 8}));

    // One take-back undoes a computer reply of two jumps and the move before it.
    // Side 1: c3, e5, h2; side 2: f6, g7. After h2-g3 the computer must take
    // f6xe5 (to d4) and then d4xc3 (to b2).
    greenSide = 1;
    resetGame();
    for (auto& file : board)
        for (auto& cell : file) cell = kEmpty;
    board[3][3] = board[5][5] = board[8][2] = kMan1;
    board[6][6] = board[7][7] = kMan2;
    Board before;
    std::memcpy(before, board, sizeof before);
    typeKeys({'H', '2', 'G', '3'});
    for (int step = 0; step < 3; ++step) turnStep();
    ASSERT_EQ(historyCount, 3);
    EXPECT_EQ(board[2][2], kMan2);
    EXPECT_EQ(board[3][3] + board[5][5] + board[6][6], kEmpty);
    EXPECT_EQ(sideToMove, 1);
    typeKeys({'9'});
    EXPECT_EQ(historyCount, 0);
    EXPECT_EQ(sideToMove, 1);
    EXPECT_EQ(std::memcmp(before, board, sizeof before), 0) << "the position before h2-g3 is back";

    destroyRenderWindow();
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME_EXECUTABLE\n", argv[0]);
        return 2;
    }
    gamePath = argv[1];
    return RUN_ALL_TESTS();
}
