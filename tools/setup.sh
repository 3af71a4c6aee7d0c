#!/bin/sh
# draughts3d set-up: installs the Debian packages that are missing, configures and
# builds, then either starts the game or runs every test.
#
#   sh tools/setup.sh play    build the game alone (no tests) and play
#   sh tools/setup.sh test    build and run the whole test suite (also under
#                             AddressSanitizer/UBSan, the threaded searches under
#                             ThreadSanitizer, plus a bounded fuzzing run)
#   sh tools/setup.sh packages play|test   only list the Debian packages a mode needs
#
# Works as root (apt-get) or as a user with sudo. FUZZ_SECONDS sets the length of
# the fuzzing run, both fuzzers together (default 60).
set -eu
cd "$(dirname "$0")/.."
mode=${1:-play}
list_only=false
if [ "$mode" = packages ]; then
  list_only=true
  mode=${2:-}
fi
case "$mode" in play|test) ;; *) echo "usage: sh tools/setup.sh play|test|packages play|test" >&2; exit 2 ;; esac

# The game: compiler, libraries, the HUD font, the X core fonts that the
# start question and the error boxes are drawn with, and gettext's tools, which
# compile the translations.
packages="build-essential cmake pkg-config libsdl2-dev libx11-dev freeglut3-dev libglu1-mesa-dev
  libgl1-mesa-dri libfreetype-dev libfontconfig-dev fonts-liberation xfonts-base gettext"
if [ "$mode" = test ]; then
  # The tests: GoogleTest, an X server with keyboard layouts, key presses and
  # screen reading, the desktop-entry, AppStream and MIME-type checkers, the
  # Debian package tools, clang for the fuzzing run, clang-format for the
  # code's style and GCC's ThreadSanitizer run-time for the thread checker.
  packages="$packages libgtest-dev desktop-file-utils appstream shared-mime-info xvfb x11-xkb-utils xdotool x11-utils
    imagemagick libpng-dev python3 groff-base dpkg-dev file clang libclang-rt-14-dev clang-format libtsan2"
fi
if $list_only; then
  echo $packages
  exit 0
fi
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  if [ "$(id -u)" -eq 0 ]; then as_root=""; else as_root="sudo"; fi
  $as_root apt-get update
  $as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi

jobs=$(nproc 2>/dev/null || echo 2)

if [ "$mode" = play ]; then
  # The game alone: the test suite is left out, so the first game starts sooner.
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
  cmake --build build -j "$jobs"
  exec ./build/app/draughts3d
fi

# The whole suite: the game and its tests...
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
cmake --build build -j "$jobs"
(cd build && ctest -j "$jobs" --output-on-failure)

# ...the whole game again under AddressSanitizer and UndefinedBehaviorSanitizer,
# the display tests and the real program included. Leaks are looked for in the
# project's own code only: tests/support/lsan.supp names the libraries (Mesa,
# SDL, X, fontconfig, freeglut) that keep their memory until the process ends.
# (The differential test compares with the slow reference search: fewer positions here.)
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAUGHTS_ENGINE_ONLY=OFF -DDRAUGHTS_SANITIZE=ON
cmake --build build-sanitize -j "$jobs"
leak_suppressions="$(pwd)/tests/support/lsan.supp"
(cd build-sanitize && DRAUGHTS_DIFFERENTIAL_POSITIONS=40 \
  ASAN_OPTIONS=detect_leaks=1 \
  LSAN_OPTIONS="suppressions=$leak_suppressions:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest -j "$jobs" --output-on-failure)

# ...the searches that run on threads of their own under ThreadSanitizer: a
# level's search with its cancel, the computer's reply and the hint as the
# play screen starts them, and a game's analysis shared out among threads (the rest of the engine has no thread, and its
# reference comparisons would take an hour here).
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAUGHTS_ENGINE_ONLY=ON -DDRAUGHTS_THREAD_CHECK=ON
cmake --build build-tsan -j "$jobs" --target engine_tests showing_tests
(cd build-tsan && TSAN_OPTIONS=halt_on_error=1 \
  ctest -j "$jobs" --output-on-failure -R '^(LevelSearch|Levels|LevelMatch|MoveShowTest|Analysis)\.')

# ...and the BMP and PDN readers under libFuzzer for a bounded time, shared:
# a third for the BMP reader, two thirds for the younger PDN reader.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDRAUGHTS_ENGINE_ONLY=ON -DDRAUGHTS_FUZZ=ON
cmake --build build-fuzz -j "$jobs" --target draughts3d-fuzz-dib draughts3d-fuzz-pdn
fuzz_seconds=${FUZZ_SECONDS:-60}
sh tests/textures/run_fuzzer.sh build-fuzz $((fuzz_seconds / 3))
sh tests/support/run_fuzzer.sh build-fuzz/engine/draughts3d-fuzz-pdn $((fuzz_seconds - fuzz_seconds / 3)) \
  -dict=tests/engine/fuzz_pdn.dict tests/engine/pdn
echo "All tests passed."
