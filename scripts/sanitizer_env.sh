# Sourced by the scripts that run sanitizer builds: the checks' options, shared by the test
# suite and the fuzz runs.
scripts_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Leaks proven to be inside libraries, each with the reason beside it. The suppressions
# match frames below GLib, libgsf and Qt, which are built without frame pointers: whatever
# allocates through them must unwind fully (fast_unwind_on_malloc=0) for them to apply.
export LSAN_OPTIONS="suppressions=$scripts_dir/lsan.supp:print_suppressions=0"
# GLib's slice allocator keeps freed blocks for reuse, and the stale pointers in them hide
# leaks from the checker; plain malloc, with freed memory cleared, leaves none.
export G_SLICE=always-malloc G_DEBUG=gc-friendly
