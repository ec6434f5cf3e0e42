#!/usr/bin/env bash
# Configures and builds into the given folder; extra arguments go to cmake.
# Usage: scripts/build.sh BUILD_DIR [cmake options...]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"; shift
cmake -S "$here" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
