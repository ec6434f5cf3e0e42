# Sourced by the scripts that run sanitizer builds: the checks' options, shared by the test
# suite and the fuzz runs.
scripts_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# GLib, libgsf and Qt are built without frame pointers, which stops the fast unwinder at
# their first frame; the suppressions below match frames deeper in, so unwind fully.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Leaks proven to be inside libraries, each with the reason beside it.
export LSAN_OPTIONS="suppressions=$scripts_dir/lsan.supp:print_suppressions=0"
# GLib's slice allocator keeps freed blocks for reuse, and the stale pointers in them hide
# leaks from the checker; plain malloc, with freed memory cleared, leaves none.
export G_SLICE=always-malloc G_DEBUG=gc-friendly
