#!/bin/sh
# Measures the test suite: plants each fault of faults.txt (beside this script)
# in a scratch copy of the working tree, one at a time, builds, runs the tests
# that cover the faulty file and counts the fault as killed when the build or a
# test fails. Prints "killed K of N" and the survivors. Slow (a build and a
# test run per fault); not part of the default test command.
#
#   sh tools/mutation/run.sh [SCRATCH_DIR] [FAULT_ID_PATTERN]
#
# SCRATCH_DIR defaults to /tmp/draughts3d-mutation; FAULT_ID_PATTERN (a regular
# expression) picks some faults only. Run it niced: nice -n 10 sh tools/mutation/run.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exec python3 "$here/mutate.py" "$(cd "$here/../.." && pwd)" "${1:-/tmp/draughts3d-mutation}" "${2:-.}"
