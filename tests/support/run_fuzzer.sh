#!/bin/sh
# Runs a libFuzzer target for a while from its seeds and fails on any crash,
# leak, timeout or sanitizer report.
#   run_fuzzer.sh <fuzzer> <seconds> [-option=value ...] <seed file or folder> ...
# Options starting with '-' go to the fuzzer (a dictionary: -dict=FILE).
# The fuzzers come from: CC=clang CXX=clang++ cmake -DDRAUGHTS_FUZZ=ON -DDRAUGHTS_ENGINE_ONLY=ON
set -u
fuzzer=${1:?usage: run_fuzzer.sh <fuzzer> <seconds> [-option ...] <seeds> ...}
seconds=${2:-60}
shift 2
name=$(basename "$fuzzer")
if [ ! -x "$fuzzer" ]; then
  echo "run_fuzzer: $fuzzer not built" >&2
  exit 2
fi
work=$(mktemp -d "/tmp/$name.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/artifacts"
options=""
for seed in "$@"; do
  case "$seed" in
    -*) options="$options $seed" ;;
    *) if [ -d "$seed" ]; then cp "$seed"/* "$work/corpus/" 2>/dev/null; else cp "$seed" "$work/corpus/"; fi ;;
  esac
done
# shellcheck disable=SC2086
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 $options \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work/corpus" >"$work/log" 2>&1
rc=$?
grep -E "^(#[0-9]+[[:space:]]+(INITED|DONE)|Done [0-9]+ runs|stat::number_of_executed_units)" "$work/log"
if [ $rc -ne 0 ] || grep -qE "ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:" "$work/log"; then
  echo "run_fuzzer: $name FAILED (exit $rc)" >&2
  tail -60 "$work/log" >&2
  ls "$work/artifacts" >&2
  out=$(dirname "$fuzzer")
  for f in "$work"/artifacts/*; do
    [ -f "$f" ] && cp "$f" "$out/" && echo "kept $out/$(basename "$f")" >&2
  done
  exit 1
fi
echo "run_fuzzer: $name: no findings in $seconds s"
exit 0
