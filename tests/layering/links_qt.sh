#!/bin/sh
# Prints the Qt libraries each given program loads when it starts (ldd: the program's own
# and those of the libraries it loads); fails when there is one, or a program cannot be read.
# Usage: links_qt.sh PROGRAM...
status=0
for program in "$@"; do
  if ! libraries=$(ldd "$program"); then
    echo "Cannot list the libraries of $program" >&2
    status=1
    continue
  fi
  qt=$(printf '%s\n' "$libraries" | grep -o 'libQt[0-9A-Za-z]*\.so[.0-9]*' | sort -u | tr '\n' ' ')
  if [ -n "$qt" ]; then
    echo "$program links $qt"
    status=1
  fi
done
exit $status
