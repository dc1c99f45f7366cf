#!/usr/bin/env bash
# Fails when a test waits a fixed time (QTest::qWait, a sleep) instead of waiting for what it
# expects: such tests are slow where the time is generous and fail where it is not.
# Usage: scripts/check_waits.sh [TESTS_DIR]
set -euo pipefail
tests=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests" && pwd)}

# qWait( but not qWaitFor(, which waits for a condition.
pattern='\bqWait[[:space:]]*\(|\bqSleep[[:space:]]*\(|\b(msleep|usleep|nanosleep|sleep_for|sleep_until)\b|QThread::sleep\b'

if found=$(grep -rnE --include='*.cpp' --include='*.h' "$pattern" "$tests"); then
  echo "$found"
  echo "Tests wait a fixed time at the places above: wait for a condition (test::WaitUntil," \
    "QTRY_VERIFY) or for a shortened timer's timeout instead."
  exit 1
fi
echo "No test waits a fixed time."
