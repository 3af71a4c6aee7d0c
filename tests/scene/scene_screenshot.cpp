// Renders the play view (initial position, view angles 0), a turned view
// (viewAngleY 60, viewAngleX -12) and a side view (viewAngleY -90: stools and
// door) with the room textures and writes them as PPM files; with --time also
// reports the time of one scene drawing with the solids drawn afresh and with
// them replayed from the cache.
//
// Usage (from the directory holding "Textures/", with a DISPLAY):
//   scene_screenshot play.ppm turned.ppm side.ppm [--time]

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "engine/rules/board.h"
#include "engine/game/turn.h"
#include "scene/shape_cache.h"
#include "tests/scene/scene_test_support.h"
#include "textures/texture_set.h"

namespace {

double millisecondsPerDrawing(int drawings) {
    renderPlayView();  // the first drawing compiles what the cache lacks
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < drawings; ++k) renderPlayView();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count() / drawings;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s play.ppm turned.ppm side.ppm [--time]\n", argv[0]);
        return 2;
    }
    if (!openSceneWindow()) {
        std::fprintf(stderr, "no GL window\n");
        return 1;
    }
    loadTextures();
    glDisable(GL_TEXTURE_2D);
    setGameRenderState();

    resetGameState();
    setupInitialPosition();
    clearTypedMove();
    renderPlayView();
    bool ok = writeFramePpm(argv[1]);

    viewAngleY = 60;
    viewAngleX = -12;
    renderPlayView();
    ok = writeFramePpm(argv[2]) && ok;

    viewAngleY = -90;
    viewAngleX = 0;
    renderPlayView();
    ok = writeFramePpm(argv[3]) && ok;

    if (argc > 4 && std::strcmp(argv[4], "--time") == 0) {
        viewAngleX = 0;
        viewAngleY = 0;
        straightforwardDrawing = true;
        const double immediate = millisecondsPerDrawing(20);
        straightforwardDrawing = false;
        const double cached = millisecondsPerDrawing(20);
        std::printf("one scene drawing: %.2f ms with solids drawn afresh, %.2f ms replayed\n", immediate, cached);
    }
    forgetShapeCache();
    closeSceneWindow();
    return ok ? 0 : 1;
}
