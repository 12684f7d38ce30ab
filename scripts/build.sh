#!/bin/sh
# Builds everything: the native tools and unit tests, the x86_64 build that the
# tests run under Wine, and the i686 release. Results:
#   dist/QuillfenSetup.exe       the release (32-bit)
#   dist/x64/QuillfenSetup.exe   the same program for 64-bit Wine
# Option:
#   --sign PKCS12-FILE   signs the release with scripts/sign.sh, which reads
#                        the password from QUILLFEN_SIGN_PASSWORD_FILE or
#                        QUILLFEN_SIGN_PASSWORD. Unsigned builds are
#                        byte-for-byte reproducible.
set -e
usage() { echo "usage: $0 [--sign PKCS12-FILE]" >&2; exit 2; }
sign=""
while [ $# -gt 0 ]; do
    case "$1" in
        --sign) [ $# -ge 2 ] || usage; sign="$2"; shift 2 ;;
        *) usage ;;
    esac
done
case "$sign" in "" | /*) ;; *) sign="$PWD/$sign" ;; esac
[ -z "$sign" ] || [ -f "$sign" ] || { echo "build.sh: no PKCS#12 file at $sign" >&2; exit 1; }
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/deps.sh"

build="$root/build"
jobs="$(nproc)"
cmake -S . -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWIN64_BUILD_DIR="$build/x64" \
    -DI686_BUILD_DIR="$build/i686" >/dev/null
cmake --build "$build/native" -j "$jobs"
for arch in x64:x86_64 i686:i686; do
    dir="${arch%%:*}"; triple="${arch#*:}"
    cmake -S . -B "$build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$triple.cmake" -DHOST_TOOLS_DIR="$build/native" >/dev/null
    cmake --build "$build/$dir" -j "$jobs"
done

mkdir -p dist/x64
cp "$build/i686/QuillfenSetup.exe" dist/QuillfenSetup.exe
cp "$build/x64/QuillfenSetup.exe" dist/x64/QuillfenSetup.exe
if [ -n "$sign" ]; then
    "$root/scripts/sign.sh" "$sign" dist/QuillfenSetup.exe
    echo "Signed: dist/QuillfenSetup.exe with $sign"
fi
echo "Built: dist/QuillfenSetup.exe (i686, $(stat -c %s dist/QuillfenSetup.exe) bytes)"
echo "Built: dist/x64/QuillfenSetup.exe (x86_64, $(stat -c %s dist/x64/QuillfenSetup.exe) bytes)"
