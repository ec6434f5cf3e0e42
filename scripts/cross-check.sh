#!/usr/bin/env bash
# Builds the portable libraries (text, automation, model, sheet, the engine's core and
# formulas) for 64-bit Windows with Debian's MinGW-w64 cross compiler, warnings as errors,
# and links a program from their objects. Fails when code outside the platform's Unix-only
# files calls what only Unix has. Usage: scripts/cross-check.sh [BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build-mingw}"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# Without optimisation: quicker, and clear of GCC 12's false -Wrestrict alarms at -O2.
"$here/scripts/build.sh" "$build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
  -DTALLOWMERE_PORTABLE_ONLY=ON -DTALLOWMERE_WERROR=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG= \
  "${launcher[@]}"
echo "The portable libraries build and link for Windows ($build)."
