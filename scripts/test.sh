#!/bin/sh
# Builds everything and runs every test with ctest: the native unit tests and,
# under Wine on a virtual X display, the Win32 tests of the real program.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
cd "$root/build/native"
exec xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure "$@"
