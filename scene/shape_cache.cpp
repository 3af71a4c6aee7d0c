#include "scene/shape_cache.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

bool straightforwardDrawing = false;

namespace {

ShapeListEntry* chainHeads[kShapeKindCount] = {};

// Frees the cache's memory when the program ends. No GL call is made: by then
// the rendering context may already be gone.
struct ShapeCacheReleaser {
    ~ShapeCacheReleaser() { forgetShapeCache(); }
} shapeCacheReleaser;

bool validKind(int kind) { return kind >= 0 && kind < kShapeKindCount; }

// Replays the list stored for `key` and frees the key, or stores a new entry
// under it and opens its list in compile-and-execute mode (returns true: the
// caller draws the shape and then calls glEndList).
bool replayOrBeginList(int kind, double* key, int keyCount) {
    unsigned int name = findCachedList(kind, key, keyCount);
    if (name != 0) {
        glCallList(name);
        delete[] key;
        return false;
    }
    name = addCachedList(kind, key, keyCount);
    glNewList(name, GL_COMPILE_AND_EXECUTE);
    return true;
}

GLUquadric* newSmoothQuadric() {
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricNormals(quadric, GLU_SMOOTH);
    return quadric;
}

}  // namespace

unsigned int findCachedList(int kind, const double* key, int keyCount) {
    if (!validKind(kind)) return 0;
    for (const ShapeListEntry* entry = chainHeads[kind]; entry; entry = entry->next) {
        bool equal = true;
        for (int k = 0; k < keyCount; ++k) {
            if (entry->key[k] != key[k]) {
                equal = false;
                break;
            }
        }
        if (equal) return entry->listName;
    }
    return 0;
}

unsigned int addCachedList(int kind, double* key, int keyCount) {
    if (!validKind(kind)) {
        delete[] key;
        return 0;
    }
    auto* entry = new ShapeListEntry;
    entry->listName = glGenLists(1);
    entry->keyCount = keyCount;
    entry->key = key;
    entry->next = chainHeads[kind];
    chainHeads[kind] = entry;
    return entry->listName;
}

void forgetShapeCache() {
    for (ShapeListEntry*& head : chainHeads) {
        while (head) {
            ShapeListEntry* next = head->next;
            delete[] head->key;
            delete head;
            head = next;
        }
    }
}

int cachedListCount(int kind) {
    if (!validKind(kind)) return 0;
    int count = 0;
    for (const ShapeListEntry* entry = chainHeads[kind]; entry; entry = entry->next) ++count;
    return count;
}

void cachedSphere(double radius) {
    double* key = new double[1]{radius};
    if (!replayOrBeginList(kShapeKindSphere, key, 1)) return;
    GLUquadric* quadric = newSmoothQuadric();
    gluSphere(quadric, radius, 16, 16);
    glEndList();
    // The list holds the vertices; the quadric object is not needed any more.
    gluDeleteQuadric(quadric);
}

void cachedCylinder(double radius, double length) {
    double* key = new double[2]{radius, length};
    if (!replayOrBeginList(kShapeKindCylinder, key, 2)) return;
    glPushMatrix();
    glRotatef(90, 1, 0, 0);
    glTranslatef(0, 0, -1);
    GLUquadric* quadric = newSmoothQuadric();
    gluCylinder(quadric, radius, radius, length, 12, 2);
    glPopMatrix();
    glEndList();
    gluDeleteQuadric(quadric);
}

namespace {

// Draws a GLUT solid from its list, compiling the list first when the cache
// lacks it. Compiled without executing, then called: executing glut's vertex
// arrays while compiling would leave a different current normal behind than the
// immediate drawing does, and the hand-built polygons are lit with that normal.
template <typename Draw>
void cachedSolid(int kind, double* key, int keyCount, Draw draw) {
    unsigned int name = findCachedList(kind, key, keyCount);
    if (name != 0) {
        delete[] key;
    } else {
        name = addCachedList(kind, key, keyCount);
        glNewList(name, GL_COMPILE);
        draw();
        glEndList();
    }
    glCallList(name);
}

}  // namespace

void solidCube(double size) {
    if (straightforwardDrawing) {
        glutSolidCube(size);
        return;
    }
    cachedSolid(kShapeKindSolidCube, new double[1]{size}, 1, [&] { glutSolidCube(size); });
}

void solidSphere(double radius, int slices, int stacks) {
    if (straightforwardDrawing) {
        glutSolidSphere(radius, slices, stacks);
        return;
    }
    cachedSolid(kShapeKindSolidSphere, new double[3]{radius, double(slices), double(stacks)}, 3,
                [&] { glutSolidSphere(radius, slices, stacks); });
}

void solidCone(double base, double height, int slices, int stacks) {
    if (straightforwardDrawing) {
        glutSolidCone(base, height, slices, stacks);
        return;
    }
    cachedSolid(kShapeKindSolidCone, new double[4]{base, height, double(slices), double(stacks)}, 4,
                [&] { glutSolidCone(base, height, slices, stacks); });
}

void solidTorus(double tube, double ring, int sides, int rings) {
    if (straightforwardDrawing) {
        glutSolidTorus(tube, ring, sides, rings);
        return;
    }
    cachedSolid(kShapeKindSolidTorus, new double[4]{tube, ring, double(sides), double(rings)}, 4,
                [&] { glutSolidTorus(tube, ring, sides, rings); });
}
