#!/usr/bin/env bash
# Sets up everything that is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs the whole test suite (including a short fuzzing run) through CTest.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" test
cd "$root"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
ctest --preset test -j2 --timeout 600
