// Whole frames drawn by the game's own screens in a real window and compared
// with reviewed reference pictures (PNG files in this folder).
//
// Tolerance: a pixel differs when one of its channels is off by more than
// kChannelTolerance; a frame passes with at most kDifferingPixels differing
// pixels. A failing frame leaves <name>-actual.png and <name>-diff.png (the
// differing pixels red over a darkened copy of the frame) in the output folder.
//
// Arguments: the folder of the reference pictures, then the output folder.
// DRAUGHTS_WRITE_REFERENCES=1 writes the frames as new references instead (look
// at every one of them before committing it). The frames of the default mode
// (default_*) change with its help block and its lines of text; they alone are
// written again, from the build folder, by
//   DRAUGHTS_WRITE_REFERENCES=default ctest -R '^reference_frames$'

#include "app/screens/display_switch.h"
#include "app/input/keystate.h"
#include "app/screens/play_session.h"
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "app/screens/screens.h"
#include "app/files/language.h"
#include "app/files/settings.h"
#include "app/platform/window_state.h"
#include "engine/rules/board.h"
#include "engine/game/turn.h"
#include "scene/scene.h"
#include "textures/texture_set.h"
#include "tests/reviewed_frames/png_file.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kChannelTolerance = 16;
constexpr int kDifferingPixels = 40;

std::string referenceFolder;
std::string outputFolder;

RgbFrame readFrame() {
    RgbFrame frame;
    frame.width = kWidth;
    frame.height = kHeight;
    frame.rgb.resize(static_cast<size_t>(kWidth) * kHeight * 3);
    std::vector<std::uint8_t> rows(frame.rgb.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    const size_t stride = static_cast<size_t>(kWidth) * 3;
    for (int y = 0; y < kHeight; ++y) std::memcpy(&frame.rgb[y * stride], &rows[(kHeight - 1 - y) * stride], stride);
    return frame;
}

// Compares the frame with the reference `name`; on a mismatch writes the actual
// frame and a difference picture and returns a description.
std::string compareWithReference(const std::string& name, const RgbFrame& actual) {
    const std::string referencePath = referenceFolder + "/" + name + ".png";
    const char* write = std::getenv("DRAUGHTS_WRITE_REFERENCES");
    if (write && (std::string(write) != "default" || name.rfind("default_", 0) == 0)) {
        writePng(referencePath, actual);
        return "";
    }
    RgbFrame reference;
    if (!readPng(referencePath, &reference)) return "cannot read " + referencePath;
    if (reference.width != actual.width || reference.height != actual.height) return name + ": size differs";
    RgbFrame diff = actual;
    int differing = 0;
    for (size_t i = 0; i < actual.rgb.size(); i += 3) {
        bool off = false;
        for (int c = 0; c < 3; ++c) off = off || std::abs(actual.rgb[i + c] - reference.rgb[i + c]) > kChannelTolerance;
        for (int c = 0; c < 3; ++c) diff.rgb[i + c] = off ? (c == 0 ? 255 : 0) : actual.rgb[i + c] / 4;
        differing += off;
    }
    if (differing <= kDifferingPixels) return "";
    writePng(outputFolder + "/" + name + "-actual.png", actual);
    writePng(outputFolder + "/" + name + "-diff.png", diff);
    return name + ": " + std::to_string(differing) + " pixels differ (see " + outputFolder + "/" + name + "-diff.png)";
}

// A move typed square by square and played, whichever side is to move.
void typeMove(const char* move) {
    typedMove[1] = move[0] - 'a' + 1;
    typedMove[2] = move[1] - '0';
    typedMove[3] = move[2] - 'a' + 1;
    typedMove[4] = move[3] - '0';
    playTypedMove();
}

void emptyBoard() {
    for (auto& file : board)
        for (auto& cell : file) cell = kEmpty;
}

// The game state every frame starts from: the initial position, side 1 green
// and to move, the computer idle (its search would change the position), the
// play view as a started game shows it.
void resetState() {
    resetScreens();
    settings = Settings{};
    settings.classic = true;  // the game as it first was
    computerActive = 0;
    viewAngleY = 3;
}

// Two frames of the screen: the first leaves the light and the current normal
// as every later frame finds them (and turns the menu's scene by its step);
// the second is read back.
RgbFrame drawTwice(bool menu) {
    RgbFrame frame;
    for (int i = 0; i < 2; ++i) {
        currentScreen = menu ? 1 : 0;
        setViewport(kWidth, kHeight, 0, 0);
        if (menu)
            drawStartMenuFrame();
        else
            drawPlayFrame();
        glFinish();
        clearKeyPresses();
    }
    frame = readFrame();
    endOverlay();  // the menu leaves its overlay open
    return frame;
}

struct FrameCase {
    const char* name;
    bool menu;
    std::function<void()> setUp;
};

const FrameCase kCases[] = {
    // Menu: four views, captions with shadows, bar on "Select side", green marker.
    {"menu_green", true, [] { viewAngleY = 0; }},
    // Menu with side 2 green after a game in which side 1 is to move: the marker
    // is pink (it follows greenSide); bar on "Start the game"; scene turned.
    {"menu_pink", true,
     [] {
         greenSide = 2;
         sideToMove = 1;
         menuItem = 2;
         viewAngleY = 30;
     }},
    // Initial position, side 1 green and to move: green ball.
    {"play_start_green1", false, [] {}},
    // Initial position, side 2 green and to move: side 1's men pink, green ball.
    {"play_start_green2", false,
     [] {
         greenSide = 2;
         sideToMove = 2;
     }},
    // Turned and tilted view.
    {"play_turned", false,
     [] {
         viewAngleX = -24;
         viewAngleY = 120;
     }},
    // Seen from behind the green side: the door, the stools under the table.
    {"play_behind", false,
     [] {
         viewAngleX = 12;
         viewAngleY = 180;
     }},
    // A from-file alone (yellow file c) and a to-square (red e5).
    {"highlight_file_and_square", false,
     [] {
         typedMove[1] = 3;
         typedMove[3] = 5;
         typedMove[4] = 5;
     }},
    // A from-square (yellow c3) and a to-file alone (red file d).
    {"highlight_square_and_file", false,
     [] {
         typedMove[1] = 3;
         typedMove[2] = 3;
         typedMove[3] = 4;
     }},
    // Kings and men of both sides, side 1 green, side 2 to move: pink ball.
    {"kings_green1", false,
     [] {
         emptyBoard();
         board[4][4] = kKing1;
         board[3][1] = kMan1;
         board[6][6] = kKing2;
         board[5][7] = kMan2;
         sideToMove = 2;
     }},
    // The same with side 2 green and side 1 to move: pink ball again.
    {"kings_green2", false,
     [] {
         emptyBoard();
         board[4][4] = kKing1;
         board[3][1] = kMan1;
         board[6][6] = kKing2;
         board[5][7] = kMan2;
         greenSide = 2;
     }},
    // Side 1 (green) has no piece left: PinkWins.
    {"winner_pink", false,
     [] {
         emptyBoard();
         board[5][7] = kMan2;
     }},
    // Side 2 (pink) has no piece left: GreenWins.
    {"winner_green", false,
     [] {
         emptyBoard();
         board[3][3] = kMan1;
     }},
    // The default mode, as players first see it: the menu with its level item.
    {"default_menu", true,
     [] {
         settings.classic = false;
         settings.level = Level::Club;
         viewAngleY = 0;
     }},
    // c3-d4 b6-c5 d4:b6 a7:c5 typed for both sides: the computer's capture
    // marked in blue (from a7, over b6, to c5) and the line of the last moves.
    {"default_capture", false,
     [] {
         settings.classic = false;
         for (const char* move : {"c3d4", "b6c5", "d4b6", "a7c5"}) typeMove(move);
         playSession.moves().startShowingMoves();
     }},
    // T on the initial position: the hint's squares in orange and its line.
    {"default_hint", false,
     [] {
         settings.classic = false;
         Advice& advice = playSession.advice();
         advice.askForHint();
         for (int wait = 0; wait < 60000 && advice.adviceText(frameSeconds).empty(); ++wait) {
             std::this_thread::sleep_for(std::chrono::milliseconds(1));
             advice.advanceAdvice(frameSeconds);
         }
     }},
    // a1-b2 typed where c3 and g3 must capture: the reason, and white frames
    // on the two pieces.
    {"default_refusal", false,
     [] {
         settings.classic = false;
         emptyBoard();
         board[3][3] = kMan1;
         board[7][3] = kMan1;
         board[1][1] = kMan1;
         board[4][4] = kMan2;
         board[6][4] = kMan2;
         board[8][8] = kMan2;
         typedMove[1] = 1;
         typedMove[2] = 1;
         typedMove[3] = 2;
         typedMove[4] = 2;
     }},
};

// The window every frame is drawn in, open for all the test cases.
class FrameWindow : public ::testing::Environment {
public:
    void SetUp() override {
        open = createRenderWindow("reference frames", kWidth, kHeight, 32, false);
        if (!open) return;
        int argc = 1;
        char name[] = "reference_frames_test";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        loadTextures();
    }
    void TearDown() override {
        if (open) destroyRenderWindow();
    }
    static bool open;
};
bool FrameWindow::open = false;

}  // namespace

TEST(ReferenceFrames, ScreensMatchTheReviewedPictures) {
    ASSERT_TRUE(FrameWindow::open);

    for (const FrameCase& c : kCases) {
        resetState();
        c.setUp();
        const RgbFrame frame = drawTwice(c.menu);
        EXPECT_EQ(compareWithReference(c.name, frame), "");
    }

    // The F1 switch: a window in the other display mode, then back, each time a
    // fresh context with the shapes and textures made again; the play screen
    // must look as before.
    const char* const modes[2] = {"after_switch", "after_switch_back"};
    for (const char* mode : modes) {
        ASSERT_TRUE(replaceRenderWindow("reference frames", 32)) << mode;
        resetState();
        const RgbFrame frame = drawTwice(false);
        if (std::getenv("DRAUGHTS_WRITE_REFERENCES")) continue;  // the frame above is written already
        EXPECT_EQ(compareWithReference("play_start_green1", frame), "") << mode;
    }
}

// Outside classic mode the play screen names the squares along the board's
// edges, letters along the near edge and digits along the left one.
TEST(ReferenceFrames, TheDefaultPlayScreenShowsTheCoordinates) {
    ASSERT_TRUE(FrameWindow::open);
    resetState();
    settings.classic = false;
    settings.coordinates = true;
    const RgbFrame frame = drawTwice(false);
    settings.classic = true;
    EXPECT_EQ(compareWithReference("default_play_coordinates", frame), "");
}

// The default menu in Russian: its captions in the game's strokes, Cyrillic
// included, each within the window and its bar, and the line of keys over it.
TEST(ReferenceFrames, TheMenuSpeaksRussian) {
    ASSERT_TRUE(FrameWindow::open);
    resetState();
    settings.classic = false;
    settings.level = Level::Club;
    viewAngleY = 0;
    startTranslation("ru");
    const RgbFrame frame = drawTwice(true);
    startTranslation("en");
    EXPECT_EQ(compareWithReference("default_menu_ru", frame), "");
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s REFERENCE_FOLDER OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    referenceFolder = argv[1];
    outputFolder = argv[2];
    ::testing::AddGlobalTestEnvironment(new FrameWindow);
    return RUN_ALL_TESTS();
}
