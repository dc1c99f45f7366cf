#!/usr/bin/env bash
# Sets up everything that is missing, builds Quillon (release) and starts it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" release
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Quillon needs a graphical display and none was found; use the command line instead: $root/build/release/quillon --help" >&2
  exit 1
fi
exec "$root/build/release/quillon" "$@"
