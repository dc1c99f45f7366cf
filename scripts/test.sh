#!/usr/bin/env bash
# Sets up everything that is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs the whole test suite (including a short fuzzing run) through CTest; then builds the
# same tree with GCC, optimised and without sanitizers, and runs the suite again there, so that
# code and tests compile warning-free with both compilers and pass without the sanitizers' help.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" test
cd "$root"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
ctest --preset test -j2 --timeout 600
"$root/scripts/setup.sh" test-gcc
ctest --preset test-gcc -j2 --timeout 600
