#!/bin/sh
# Fails when a library holds the test driver: when it exports a symbol of
# the driver or of the tests' lookups of native widgets, or when it carries
# the driver's code (found by a text only the driver writes). The product's
# runtime components hold no test code.
#   no-test-driver.sh LISTER LIBRARY
# LISTER is nm for an ELF library (its dynamic symbols) or a MinGW objdump
# for a DLL (its export table).
set -eu
lister=$1
library=$2
case $lister in
  *objdump) exports=$("$lister" -p "$library" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p') ;;
  *) exports=$("$lister" -D --defined-only "$library") ;;
esac
if [ -z "$exports" ]; then
  echo "No exports read from $library"
  exit 1
fi
found=$(printf '%s\n' "$exports" | c++filt | grep -iE 'driver|modalwindow|testhooks|widgetof|nativewindowof' || true)
if [ -n "$found" ]; then
  echo "$library exports test-driver symbols:"
  printf '%s\n' "$found"
  exit 1
fi
if grep -q 'opened with no answer armed' "$library"; then
  echo "$library carries the test driver's code"
  exit 1
fi
echo "$library holds no test driver"
