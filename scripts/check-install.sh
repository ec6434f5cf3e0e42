#!/usr/bin/env bash
# Checks what a build installs: lays it out in a temporary prefix, runs the installed
# tallowmere-cli (--version, then one workbook) and tallowmere --version, validates the
# desktop entry and formats the manual page, then builds the Debian package and runs the
# command line from its contents. Fails at the first check that fails.
# Usage: scripts/check-install.sh BUILD_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

fail() { echo "install check: $*" >&2; exit 1; }
version="$(sed -n 's/^project(tallowmere VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")"

# The installed programs: both tell the version, the command line makes a workbook, its
# picture, its PDF, and its .xlsx copy with the .xlsx writer's module installed beside it
# (not the build's).
runs() {
  local bin="$1"
  [ "$("$bin/tallowmere-cli" --version)" = "tallowmere-cli $version" ] || fail "$bin/tallowmere-cli --version"
  [ "$(QT_QPA_PLATFORM=offscreen "$bin/tallowmere" --version 2>/dev/null)" = "tallowmere $version" ] ||
    fail "$bin/tallowmere --version"
  local work="$scratch/run"
  rm -rf "$work" && mkdir -p "$work/config" "$work/temp"
  XDG_CONFIG_HOME="$work/config" TEMP="$work/temp" "$bin/tallowmere-cli" generate --out "$work/plan.xls" \
    --by-month 2025 2026 || fail "$bin/tallowmere-cli generate"
  # A workbook is a compound file: it starts with the compound file signature.
  [ "$(od -An -tx1 -N8 "$work/plan.xls" | tr -d ' \n')" = d0cf11e0a1b11ae1 ] || fail "no workbook from $bin"
  XDG_CONFIG_HOME="$work/config" TEMP="$work/temp" XDG_CACHE_HOME="$work/cache" LD_DEBUG=files \
    "$bin/tallowmere-cli" generate --out "$work/plan.xlsx" --picture "$work/plan.bmp" 2>"$work/loads" ||
    fail "$bin/tallowmere-cli generate --picture"
  [ "$(head -c 2 "$work/plan.bmp")" = BM ] || fail "no picture from $bin"
  [ "$(od -An -c -N2 "$work/plan.xlsx" | tr -d ' \n')" = PK ] || fail "no .xlsx from $bin"
  XDG_CONFIG_HOME="$work/config" TEMP="$work/temp" XDG_CACHE_HOME="$work/cache" LD_DEBUG=files \
    "$bin/tallowmere-cli" generate --out "$work/plan.pdf" 2>>"$work/loads" || fail "$bin/tallowmere-cli generate PDF"
  [ "$(head -c 4 "$work/plan.pdf")" = %PDF ] || fail "no PDF from $bin"
  grep -q "calling init: $bin/\.\./lib/.*tallowmere-xlsx\.so" "$work/loads" ||
    fail "$bin/tallowmere-cli did not load its installed tallowmere-xlsx.so"
}

prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
runs "$prefix/bin"
messages="$(desktop-file-validate "$prefix/share/applications/tallowmere.desktop" 2>&1)" || true
[ -z "$messages" ] || fail "desktop entry: $messages"
warnings="$(groff -man -Tutf8 -ww -z "$prefix/share/man/man1/tallowmere-cli.1" 2>&1)"
[ -z "$warnings" ] || fail "manual page: $warnings"

(cd "$build" && cpack -G DEB >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log" >&2; fail "cpack -G DEB"; }
package="$build/tallowmere_${version}_$(dpkg --print-architecture).deb"
[ -n "$(dpkg-deb --field "$package" Depends)" ] || fail "$package has no dependencies"
dpkg-deb -x "$package" "$scratch/package"
runs "$scratch/package/usr/bin"
echo "install check: installed files and $(basename "$package") ($(du -k "$package" | cut -f1) KiB) work"
