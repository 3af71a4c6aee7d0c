#!/bin/sh
# The game's layers point only down. Each folder below is one library and may
# include only the folders of its row (its own among them); the test fails,
# naming the file and line, when a file includes anything else of the game.
# Every folder may include engine/rules/translation.h, the lookup of the texts
# a player reads (header only, on the C library alone). Besides:
#  - only the platform seam (app/platform/platform_sdl.cpp) includes SDL;
#  - the engine and the app's ground floor include no GL, SDL or font library,
#    and the engine's libraries link nothing of the window, the input or the scene;
#  - no source file lies loose in engine/ or app/ (but app/main.cpp).
# Tests, benchmarks and tools may include anything.
# Usage: check_layers.sh SOURCE_ROOT
root=${1:?usage: check_layers.sh SOURCE_ROOT}
cd "$root" || exit 2
seam="app/platform/platform_sdl.cpp"
failed=0

# folder | the folders it may include
rows='
engine/rules     | engine/rules
engine/classic   | engine/rules engine/classic
engine/records   | engine/rules engine/records
engine/levels    | engine/rules engine/classic engine/levels
engine/game      | engine/rules engine/classic engine/game
textures         | textures
lettering        | lettering
scene            | engine textures lettering scene
app/input        | app/input
app/platform     | app/input app/platform scene
app/files        | engine textures app/files
app/screens      | engine textures lettering scene app/input app/platform app/files app/screens
'

echo "$rows" | while IFS='|' read -r folder allowed; do
    folder=$(echo "$folder" | tr -d ' ')
    [ -n "$folder" ] || continue
    if [ ! -d "$folder" ]; then
        echo "no folder $folder"
        exit 1
    fi
    pattern=$(echo "$allowed" | sed 's/^ *//; s/ *$//; s/  */|/g; s/\([^|]*\)/\1\//g')
    found=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder" --include='*.h' --include='*.cpp' --include='*.c' |
        grep -vE "#[[:space:]]*include[[:space:]]*\"($pattern|engine/rules/translation\.h\")")
    if [ -n "$found" ]; then
        echo "$folder may include only $allowed:"
        echo "$found"
        exit 1
    fi
done || failed=1

sdl=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]SDL' app engine scene textures lettering tools \
    --include='*.h' --include='*.cpp' --include='*.c' | grep -v "^$seam:")
if [ -n "$sdl" ]; then
    echo "only $seam may include SDL:"
    echo "$sdl"
    failed=1
fi

gl=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(GL|SDL|X11|ft2build|fontconfig)' app/input app/files engine \
    --include='*.h' --include='*.cpp' --include='*.c')
if [ -n "$gl" ]; then
    echo "the engine, the app's ground floor and its files need no window, no GL and no font:"
    echo "$gl"
    failed=1
fi

links=$(grep -rnE 'draughts_(input|platform|screens|scene)|SDL2::|OpenGL::|GLUT::|Freetype::|Fontconfig::' \
    engine app/files --include=CMakeLists.txt)
if [ -n "$links" ]; then
    echo "the engine's and the files' libraries link nothing of the window, the input or the scene:"
    echo "$links"
    failed=1
fi

loose=$(ls engine/*.cpp engine/*.h app/*.cpp app/*.h 2>/dev/null | grep -v '^app/main\.cpp$')
if [ -n "$loose" ]; then
    echo "every source file of engine/ and app/ lies in the folder of its concern:"
    echo "$loose"
    failed=1
fi

[ "$failed" = 0 ] && echo "layers point down; SDL only in $seam; no file loose in engine/ or app/"
exit "$failed"
