#!/usr/bin/env bash
# Rewrites the stored renders under tests/render/golden from the current rasterizer. Run it only
# when a change is meant to alter how items look, and look at the new pictures before committing.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" test >/dev/null
cd "$root"
cmake --build --preset test --target render_tests render_text_tests
for binary in render_tests render_text_tests; do
  QUILLON_GOLDEN_OUT="$root/tests/render/golden" QT_QPA_PLATFORM=offscreen \
    "build/test/tests/render/$binary" --gtest_filter='GoldenRender.*'
done
echo "Stored renders written to tests/render/golden"
