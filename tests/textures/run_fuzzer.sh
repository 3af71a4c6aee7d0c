#!/bin/sh
# Runs the bitmap reader's fuzzer for a while and fails on any crash, leak or
# sanitizer report.
#   run_fuzzer.sh <fuzz build folder> <seconds>
# The build folder comes from: CC=clang CXX=clang++ cmake -DDRAUGHTS_FUZZ=ON -DDRAUGHTS_ENGINE_ONLY=ON
build=${1:?usage: run_fuzzer.sh <fuzz build folder> <seconds>}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
exec sh "$root/tests/support/run_fuzzer.sh" "$build/textures/draughts3d-fuzz-dib" "${2:-60}" \
  "$here/fuzz_seeds" "$root"/Textures/*.bmp
