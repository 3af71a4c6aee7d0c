#pragma once
// Display lists of the GLU spheres and cylinders, compiled once per distinct
// shape and replayed afterwards. The lists belong to the rendering context that
// compiled them: forgetShapeCache empties the cache when that context is replaced.
//
// The GLUT solids (cubes, spheres, cones, tori) go through the same cache under
// kinds of their own, keyed by all their parameters, so a scene drawing replays
// them instead of computing thousands of facets every time.

// A chain of entries per shape kind.
constexpr int kShapeKindCylinder = 4;
constexpr int kShapeKindSphere = 10;
constexpr int kShapeKindSolidCube = 11;
constexpr int kShapeKindSolidSphere = 12;
constexpr int kShapeKindSolidCone = 13;
constexpr int kShapeKindSolidTorus = 14;
constexpr int kShapeKindCount = 16;

// One compiled shape: its list name and the key it was compiled for.
struct ShapeListEntry {
    unsigned int listName = 0;
    ShapeListEntry* next = nullptr;
    int keyCount = 0;
    double* key = nullptr;  // owned
};

void cachedSphere(double radius);
void cachedCylinder(double radius, double length);
unsigned int findCachedList(int kind, const double* key, int keyCount);
// Takes over `key` (allocated with new[]).
unsigned int addCachedList(int kind, double* key, int keyCount);
// Frees every entry without touching the GL (its context is gone or going).
void forgetShapeCache();

// Number of entries in the chain of `kind` (0 for a kind out of range).
int cachedListCount(int kind);

// When true the GLUT solids are drawn afresh on every call instead of being
// replayed from the cache; the picture is the same either way.
extern bool straightforwardDrawing;

// The GLUT solids used by the scene, cached unless straightforwardDrawing is set.
void solidCube(double size);
void solidSphere(double radius, int slices, int stacks);
void solidCone(double base, double height, int slices, int stacks);
void solidTorus(double tube, double ring, int sides, int rings);
