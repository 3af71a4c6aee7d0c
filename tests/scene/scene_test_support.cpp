#include "tests/scene/scene_test_support.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

#include <cmath>
#include <cstdio>

#include "engine/rules/board.h"
#include "engine/game/turn.h"
#include "scene/scene.h"

namespace {
bool glutReady = false;
}

bool openSceneWindow() {
    if (!glutReady) {
        int argc = 1;
        char name[] = "t";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutReady = true;
    }
    if (!openTestWindow()) return false;
    setGameRenderState();
    return true;
}

void closeSceneWindow() { closeTestWindow(); }

void setGameRenderState() {
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    const float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    const float diffuse[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glViewport(0, 0, 640, 480);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90, 640.0f / 480.0f, 0.1f, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void setPlayCamera() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, -2, -10);
    const float lightPosition[4] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT1, GL_POSITION, lightPosition);
}

SceneOutcome renderPlayView() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setPlayCamera();
    const SceneOutcome outcome = drawScene();
    glFinish();
    return outcome;
}

ScreenPoint projectWorld(double x, double y, double z) {
    double model[16], projection[16];
    int viewport[4];
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0, -2, -10);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glPopMatrix();
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double wx = 0, wy = 0, wz = 0;
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return ScreenPoint{static_cast<int>(std::lround(wx)), static_cast<int>(std::lround(wy))};
}

Rgb colourAtWorld(double x, double y, double z) {
    const ScreenPoint p = projectWorld(x, y, z);
    return pixelAt(p.x, p.y);
}

void resetGameState() {
    for (auto& file : board)
        for (auto& cell : file) cell = kEmpty;
    for (int& field : typedMove) field = 0;
    sideToMove = 1;
    greenSide = 1;
    viewAngleX = 0;
    viewAngleY = 0;
}

std::vector<std::uint8_t> readFrame() { return readPixelsRgb(0, 0, 640, 480); }

bool writeFramePpm(const char* path) {
    const std::vector<std::uint8_t> pixels = readFrame();
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n640 480\n255\n");
    for (int row = 479; row >= 0; --row) std::fwrite(&pixels[static_cast<size_t>(row) * 640 * 3], 1, 640 * 3, file);
    return std::fclose(file) == 0;
}

bool looksGreen(const Rgb& c) { return c.g > 80 && c.r < c.g / 4 && c.b < c.g / 4; }

bool looksPink(const Rgb& c) { return c.r > 80 && c.b > 80 && c.g < c.r / 4 && std::abs(c.r - c.b) < 20; }
