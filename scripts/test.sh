#!/usr/bin/env bash
# Sets up, checks the formatting, then builds (warnings are errors) and runs the whole test
# suite twice: a normal build, whose install and Debian package are then checked, and a
# build with AddressSanitizer, UndefinedBehaviorSanitizer and leak checks. Then builds the
# fuzz targets with clang and runs each for a minute from its seed corpus under the same
# checks. Fails at the first check, test or fuzz finding that fails.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh" test

jobs="$(nproc)"
"$here/scripts/check-format.sh"

"$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DTALLOWMERE_BENCH=ON \
  -DTALLOWMERE_WERROR=ON
(cd "$here/build" && ctest --output-on-failure -j "$jobs" --timeout 600)
"$here/scripts/check-install.sh" "$here/build"

"$here/scripts/build.sh" "$here/build-asan" -DCMAKE_BUILD_TYPE=Debug -DTALLOWMERE_SANITIZE=ON -DTALLOWMERE_BENCH=OFF \
  -DTALLOWMERE_WERROR=ON
source "$here/scripts/sanitizer_env.sh"
(cd "$here/build-asan" && ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0" \
  ctest --output-on-failure -j "$jobs" --timeout 900)

"$here/scripts/build.sh" "$here/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLOWMERE_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTALLOWMERE_WERROR=ON
"$here/scripts/fuzz.sh" "$here/build-fuzz" 60
