#!/bin/sh
# Builds everything and runs every test with ctest: the native unit tests and,
# under Wine on a virtual X display, the Win32 tests of the real program (the
# x86_64 build) and the i686 stage (the release itself, under 32-bit Wine).
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
# The i686 stage runs the release under 32-bit Wine; where the kernel runs no
# 32-bit programs, qemu-i386 is set up for it, or the stage is skipped.
"$root/tests/wine/i386-emulation" || true
cd "$root/build/native"
# ctest stops the prefixes' wineservers after their last case; when it is
# interrupted (Ctrl-C), they are stopped here.
trap : INT
status=0
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure "$@" || status=$?
for tree in x64 i686; do "$root/tests/wine/server" stop "$root/build/$tree/wineprefix"; done
exit "$status"
