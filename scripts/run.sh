#!/usr/bin/env bash
# Sets up, builds and starts Tallowmere: the window when a display is available,
# otherwise the command line's help.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh" run
# The programs only: the tests and benchmarks need the test command's packages.
echo "Building Tallowmere in $here/build…"
"$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DTALLOWMERE_BENCH=OFF
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$here/build/src/app/tallowmere" "$@"
else
  echo "No display found: use the command line, $here/build/src/app/tallowmere-cli"
  echo
  exec "$here/build/src/app/tallowmere-cli" --help
fi
