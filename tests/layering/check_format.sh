#!/bin/sh
# The code's own style (.clang-format) holds in every source file of the
# engine and the app, and in the other files listed below: clang-format would
# change nothing. Fails naming each file it would change.
# Usage: check_format.sh SOURCE_ROOT
root=${1:?usage: check_format.sh SOURCE_ROOT}
cd "$root" || exit 2
command -v clang-format >/dev/null || { echo "clang-format is missing: run sh tools/setup.sh test"; exit 1; }
files=$(find engine app -name '*.cpp' -o -name '*.h' | sort)
files="$files scene/camera.h"
failed=0
for file in $files; do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        echo "not formatted: $file (clang-format -i $file)"
        failed=1
    fi
done
[ "$failed" = 0 ] && echo "$(echo "$files" | wc -w) files formatted"
exit "$failed"
