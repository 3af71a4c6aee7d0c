#!/bin/sh
# The game's layers point only down. Fails, naming the file and line, when
#  - a folder includes a game header from a folder above it: the ground floor
#    (app/shell/) includes only itself; the engine, the pictures and the
#    lettering only the ground floor and themselves; the scene only those;
#  - a file of the game other than the platform seam includes SDL;
#  - the ground floor or the engine includes GL, SDL or the font libraries.
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

includes app/shell 'app/shell/'
includes engine 'app/shell/|engine/'
includes textures 'app/shell/|textures/'
includes lettering 'app/shell/|lettering/'
includes scene 'app/shell/|engine/|textures/|lettering/|scene/'

sdl=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]SDL' app engine scene textures lettering tools \
    --include='*.h' --include='*.cpp' --include='*.c')
for file in $seam; do sdl=$(echo "$sdl" | grep -v "^$file:"); done
if [ -n "$sdl" ]; then
    echo "only $seam may include SDL:"
    echo "$sdl"
    failed=1
fi

gl=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(GL|SDL|ft2build|fontconfig)' app/shell engine \
    --include='*.h' --include='*.cpp' --include='*.c')
if [ -n "$gl" ]; then
    echo "the ground floor and the engine need no window, no GL and no font:"
    echo "$gl"
    failed=1
fi

[ "$failed" = 0 ] && echo "layers point down; SDL only in $seam"
exit "$failed"
