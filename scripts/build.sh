#!/bin/sh
# Builds everything: the native tools and unit tests, the x86_64 build that the
# tests run under Wine, and the i686 release. Results:
#   dist/QuillfenSetup.exe       the release (32-bit)
#   dist/x64/QuillfenSetup.exe   the same program for 64-bit Wine
set -e
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
echo "Built: dist/QuillfenSetup.exe (i686, $(stat -c %s dist/QuillfenSetup.exe) bytes)"
echo "Built: dist/x64/QuillfenSetup.exe (x86_64, $(stat -c %s dist/x64/QuillfenSetup.exe) bytes)"
