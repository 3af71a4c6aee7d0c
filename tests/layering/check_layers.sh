#!/bin/sh
# The game's layers point only down. Fails, naming the file and line, when
#  - a folder includes a game header from a folder above it. From the bottom:
#    the engine, the pictures and the lettering include only themselves; the
#    scene those and itself; the app's ground floor (app/input/, the key and
#    mouse state) the engine's camera and itself; the rest of app/ anything;
#  - a file of the game other than the platform seam includes SDL;
#  - the app's ground floor or the engine includes GL, SDL or the font
#    libraries, or the engine's library links anything of the window or input.
# Tests and benchmarks may include anything.
# Usage: check_layers.sh SOURCE_ROOT
root=${1:?usage: check_layers.sh SOURCE_ROOT}
cd "$root" || exit 2
# The files that speak to SDL.
seam="app/platform_sdl.cpp"
failed=0

# includes DIR ALLOWED: every quoted include in DIR must start with one of the
# ALLOWED folders (an extended regular expression of prefixes).
includes() {
    found=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$1" --include='*.h' --include='*.cpp' --include='*.c' |
        grep -vE "#[[:space:]]*include[[:space:]]*\"($2)")
    if [ -n "$found" ]; then
        echo "$1 may include only $2:"
        echo "$found"
        failed=1
    fi
}

includes engine 'engine/'
includes textures 'textures/'
includes lettering 'lettering/'
includes scene 'engine/|textures/|lettering/|scene/'
includes app/input 'app/input/|engine/camera.h'

sdl=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]SDL' app engine scene textures lettering tools \
    --include='*.h' --include='*.cpp' --include='*.c')
for file in $seam; do sdl=$(echo "$sdl" | grep -v "^$file:"); done
if [ -n "$sdl" ]; then
    echo "only $seam may include SDL:"
    echo "$sdl"
    failed=1
fi

gl=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(GL|SDL|ft2build|fontconfig)' app/input engine \
    --include='*.h' --include='*.cpp' --include='*.c')
if [ -n "$gl" ]; then
    echo "the app's ground floor and the engine need no window, no GL and no font:"
    echo "$gl"
    failed=1
fi

links=$(grep -nE 'draughts_(input|platform|screens|scene)|SDL2::|OpenGL::|GLUT::|Freetype::|Fontconfig::' engine/CMakeLists.txt)
if [ -n "$links" ]; then
    echo "the engine's libraries link nothing of the window, the input or the scene:"
    echo "$links"
    failed=1
fi

[ "$failed" = 0 ] && echo "layers point down; SDL only in $seam"
exit "$failed"
