#!/usr/bin/env bash
# Installs the Debian packages Tallowmere needs: `run` (the default) those to build and
# run the programs, `test` those too and the ones the test command uses. Quick when
# everything is there already; needs root (or sudo) otherwise. Prints one line per step;
# apt's own output goes to a log file, whose last lines are shown only when apt fails.
# Usage: scripts/setup.sh [run|test]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

# To build the programs and run them.
run_packages=(
  # the compiler and the build
  g++ cmake ninja-build pkg-config
  # the windows (Qt Widgets; its GUI library brings the X11 and offscreen platforms)
  qt6-base-dev
  # the .xls container (and the .xlsx reader), and the .xlsx writer
  libgsf-1-dev libxlsxwriter-dev
  # the sheet's picture: text shaping, right-to-left ordering, fonts, drawing (cairo,
  # pixman, fontconfig and expat linked from the static archives these packages hold)
  libfontconfig-dev libfreetype-dev libharfbuzz-dev libfribidi-dev libcairo2-dev
  libpixman-1-dev libexpat1-dev
  # the font the sheets ask for (Arial's metric twin)
  fonts-liberation2
  # renders the icon's sizes from its SVG during the build
  librsvg2-bin
)

# To run the test command, on top of the above.
test_packages=(
  # the unit tests and the benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # the fuzz build (clang with its libFuzzer and sanitizer runtimes, the symbolizer)
  clang libclang-rt-14-dev llvm
  # the formatting check
  clang-format
  # the install check: desktop entry, manual page, Debian package
  desktop-file-utils groff-base dpkg-dev file
  # the window tests: a virtual display, input, and checks of pictures and PDF pages
  xvfb xauth xdotool imagemagick poppler-utils
  # reading the written workbooks back with other programs
  libreoffice-calc-nogui python3 python3-xlrd python3-openpyxl
  # editing a workbook in LibreOffice from a script (its Python bridge)
  python3-uno
  # the cross-build check for Windows
  g++-mingw-w64-x86-64
)

case "${1:-run}" in
  run) packages=("${run_packages[@]}") purpose="to build and run Tallowmere" ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") purpose="to build and test Tallowmere" ;;
  *)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "The ${#packages[@]} packages $purpose are installed."
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || {
    echo "Installing packages needs root: run $0 ${1:-run} as root, or install sudo." >&2
    exit 1
  }
  sudo_cmd=(sudo)
  sudo -v # asks for the password now, not in the middle of a step
fi

log="$here/build/setup.log"
mkdir -p "$(dirname "$log")"
: >"$log"
retry="$0 ${1:-run}"

# Runs one step with its output in the log: "<what>… done in m:ss", or on failure the log's
# tail and how to try again.
step() {
  local what="$1" start=$SECONDS first_line
  shift
  printf '%s… ' "$what"
  echo "\$ $*" >>"$log"
  first_line=$(wc -l <"$log")
  if "$@" >>"$log" 2>&1 </dev/null; then
    local took=$((SECONDS - start))
    printf 'done in %d:%02d\n' $((took / 60)) $((took % 60))
    return
  fi
  echo "failed."
  echo "The last lines of apt's output (all of it is in $log):" >&2
  tail -n +"$first_line" "$log" | tail -n 15 | sed 's/^/  /' >&2
  echo "Once the cause is fixed, try again with: $retry" >&2
  exit 1
}

apt=("${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300)
step "Updating the list of Debian packages" "${apt[@]}" update
count="${#missing[@]} packages"
[ ${#missing[@]} -eq 1 ] && count="1 package"
step "Installing $count $purpose" "${apt[@]}" install -y --no-install-recommends "${missing[@]}"
