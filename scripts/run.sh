#!/usr/bin/env bash
# Sets up, builds and starts Tallowmere: the window when a display is available,
# otherwise the command line's help.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
"$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$here/build/src/app/tallowmere" "$@"
else
  echo "No display found: use the command line, $here/build/src/app/tallowmere-cli"
  echo
  exec "$here/build/src/app/tallowmere-cli" --help
fi
