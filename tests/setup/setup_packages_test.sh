#!/bin/sh
# Whether tools/setup.sh installs what the game and the tests use on a fresh
# machine: for each file below, the package that owns it on this machine
# (dpkg-query -S) must be named in the set-up list of the mode, or be a direct
# dependency of a package named there. Each miss is reported; the test fails
# at the end if there was any.
#   sh setup_packages_test.sh PROJECT_ROOT
root=$1
misses=0
play_list=$(sh "$root/tools/setup.sh" packages play)
test_list=$(sh "$root/tools/setup.sh" packages test)

# needs MODE FILE WHAT
needs() {
  if [ "$1" = play ]; then list=$play_list; else list=$test_list; fi
  # The path itself, or where its links lead (alternatives such as import).
  owner=$( (dpkg-query -S "$2" || dpkg-query -S "$(readlink -f "$2")") 2>/dev/null | head -n 1 |
    sed 's/: .*//; s/:[a-z0-9]*$//')
  if [ -z "$owner" ]; then
    echo "MISS  $1: $2 ($3) is not installed here; run sh tools/setup.sh test"
    misses=$((misses + 1))
    return
  fi
  for p in $list; do
    if [ "$p" = "$owner" ]; then
      echo "ok    $1: $3 from $owner"
      return
    fi
  done
  for p in $list; do
    if dpkg-query -W -f='${Pre-Depends},${Depends}\n' "$p" 2>/dev/null | tr ',|' '\n\n' | sed 's/^ *//; s/[ :].*//' |
        grep -qx "$owner"; then
      echo "ok    $1: $3 from $owner, through $p"
      return
    fi
  done
  echo "MISS  $1: $3 needs $owner ($2), which setup.sh does not install"
  misses=$((misses + 1))
}

for mode in play test; do
  # The start question and the error boxes are drawn with X core fonts.
  needs $mode /usr/share/fonts/X11/misc/7x13-ISO8859-1.pcf.gz "X core fonts of the message boxes"
  needs $mode /usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf "the HUD font"
  needs $mode /usr/include/SDL2/SDL.h "SDL2"
  needs $mode /usr/include/GL/freeglut.h "freeglut"
  needs $mode /usr/include/X11/Xlib.h "Xlib (the keyboard read through SDL's X11 window, the test tools)"
  needs $mode /usr/bin/msgfmt "the translations' compiler"
done
needs test /usr/bin/xgettext "the marked texts read for the translations' check"
needs test /usr/include/gtest/gtest.h "GoogleTest"
needs test /usr/bin/Xvfb "the X server of the display tests"
needs test /usr/bin/xdotool "key presses"
needs test /usr/bin/setxkbmap "keyboard layouts"
needs test /usr/bin/import "screen reading"
needs test /usr/bin/python3 "the end-to-end scripts"
needs test /usr/bin/desktop-file-validate "the desktop entry check"
needs test /usr/bin/appstreamcli "the metainfo check"
needs test /usr/bin/update-mime-database "the PDN file type check"
needs test /usr/bin/groff "the manual page check"
needs test /usr/bin/dpkg-shlibdeps "the package's library dependencies"
needs test /usr/bin/file "CPack's look at the programs"
needs test /usr/bin/clang "the fuzzing build"
needs test /usr/bin/clang-format-14 "the style check"

if [ $misses -gt 0 ]; then
  echo "$misses file(s) not covered by tools/setup.sh"
  exit 1
fi
