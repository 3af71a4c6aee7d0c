#!/bin/sh
# Runs the bitmap reader's fuzzer for a while and fails on any crash, leak or
# sanitizer report.
#   run_fuzzer.sh <fuzz build folder> <seconds>
# The build folder comes from: CC=clang CXX=clang++ cmake -DDRAUGHTS_FUZZ=ON -DDRAUGHTS_ENGINE_ONLY=ON
set -u
build=${1:?usage: run_fuzzer.sh <fuzz build folder> <seconds>}
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
fuzzer="$build/textures/draughts3d-fuzz-dib"
if [ ! -x "$fuzzer" ]; then
  echo "run_fuzzer: $fuzzer not built" >&2
  exit 2
fi
work=$(mktemp -d /tmp/fuzz_dib.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/artifacts"
cp "$here"/fuzz_seeds/* "$root"/Textures/*.bmp "$work/corpus/" 2>/dev/null
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work/corpus" >"$work/log" 2>&1
rc=$?
grep -E "^(#[0-9]+ +(INITED|DONE)|Done [0-9]+ runs|stat::number_of_executed_units)" "$work/log"
if [ $rc -ne 0 ] || grep -qE "ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:" "$work/log"; then
  echo "run_fuzzer: FAILED (exit $rc)" >&2
  tail -60 "$work/log" >&2
  ls "$work/artifacts" >&2
  for f in "$work"/artifacts/*; do
    [ -f "$f" ] && cp "$f" "$build/" && echo "kept $build/$(basename "$f")" >&2
  done
  exit 1
fi
echo "run_fuzzer: no findings in $seconds s"
exit 0
