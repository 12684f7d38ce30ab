#!/bin/sh
# Builds the release setup of a browser build, from its folder and a licence:
#   package.sh --payload DIR --licence FILE --out DIR [--sign PKCS12-FILE]
# Results:
#   OUT/QuillfenSetup.exe       the release (i686)
#   OUT/x64/QuillfenSetup.exe   the same program for x86_64
# Every file below DIR, with its subfolders, becomes a payload file; the build
# adds the setup's own uninstall.exe. The licence is plain text (any line
# ends, UTF-8 or Windows-1252). A payload or licence that the setup cannot
# carry is refused with a message naming the file, and nothing is written to
# OUT; a finished setup replaces the one at OUT in one step, so a stopped run
# never leaves half a setup there. The output folder may not be the payload
# folder or lie inside it. --sign signs both programs with scripts/sign.sh
# (password from QUILLFEN_SIGN_PASSWORD_FILE or QUILLFEN_SIGN_PASSWORD).
set -e
usage() { echo "usage: $0 --payload DIR --licence FILE --out DIR [--sign PKCS12-FILE]" >&2; exit 2; }
fail() { echo "package.sh: $*" >&2; exit 1; }
payload=""; licence=""; out=""; sign=""
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case "$1" in
        --payload) payload="$2" ;;
        --licence) licence="$2" ;;
        --out) out="$2" ;;
        --sign) sign="$2" ;;
        *) usage ;;
    esac
    shift 2
done
[ -n "$payload" ] && [ -n "$licence" ] && [ -n "$out" ] || usage
absolute() { case "$1" in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
payload="$(absolute "$payload")"; licence="$(absolute "$licence")"; out="$(absolute "$out")"
[ -z "$sign" ] || sign="$(absolute "$sign")"

# Everything that can be seen before building is checked first.
[ -d "$payload" ] || fail "no payload folder at $payload"
[ -f "$licence" ] && [ -r "$licence" ] || fail "no readable licence file at $licence"
[ -z "$sign" ] || [ -f "$sign" ] || fail "no PKCS#12 file at $sign"
# Setups written into the payload folder would be carried by the next
# packaging. Both are compared as real paths, the output's missing folders
# taken as mkdir -p would make them.
real_payload="$(realpath "$payload")"; real_out="$(realpath -m "$out")"
carried="the next packaging would carry the setups inside the new one"
case "$real_out/" in
    "$real_payload/") fail "the output folder $out is the payload folder $payload: $carried" ;;
    "${real_payload%/}/"*) fail "the output folder $out lies inside the payload folder $payload: $carried" ;;
esac
# The output folder, or the nearest folder above it that exists, must take a file.
place="$out"
while [ ! -e "$place" ]; do place="$(dirname "$place")"; done
[ -d "$place" ] || fail "cannot write the output: $place is not a folder"
probe="$(mktemp "$place/.package-probe.XXXXXX" 2>/dev/null)" || fail "cannot write the output: $place is not writable"
rm -f "$probe"
for existing in "$out/QuillfenSetup.exe" "$out/x64"; do
    [ ! -e "$existing" ] || [ -w "$existing" ] || fail "cannot write the output: $existing is read-only"
done

root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/deps.sh"
build="$root/build"
jobs="$(nproc)"
log="$build/package.log"
mkdir -p "$build"

# Runs a build step with its output shown and kept; on failure the
# packer's refusals are repeated at the end.
step() {
    status="$build/package.status"
    { if "$@"; then echo 0 > "$status"; else echo $? > "$status"; fi; } 2>&1 | tee -a "$log"
    [ "$(cat "$status")" = 0 ] && return 0
    echo >&2
    if grep -q "payload-pack: refused:" "$log"; then
        echo "package.sh: refused; nothing was written to $out:" >&2
        grep "payload-pack: refused:" "$log" | sed 's/^payload-pack: refused: /  /' | sort -u >&2
    else
        echo "package.sh: the build failed (log: $log); nothing was written to $out" >&2
    fi
    exit 1
}
: > "$log"
step cmake -S . -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWIN64_BUILD_DIR="$build/x64"
step cmake --build "$build/native" -j "$jobs" --target szdd-compress mkicon integrity-record payload-pack
for arch in i686:i686 x64:x86_64; do
    dir="${arch%%:*}"; triple="${arch#*:}"
    step cmake -S . -B "$build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$triple.cmake" -DHOST_TOOLS_DIR="$build/native" \
        -DPAYLOAD_FOLDER="$payload" -DPAYLOAD_LICENCE="$licence"
    # The folder is read again on every run.
    rm -f "$build/$dir/package-payload/entries.txt"
    step cmake --build "$build/$dir" -j "$jobs" --target setup_package
done

# Copies are signed, never the build's own outputs.
finished="$build/package-finished"
rm -rf "$finished" && mkdir -p "$finished/x64"
release="$finished/QuillfenSetup.exe"; twin="$finished/x64/QuillfenSetup.exe"
cp "$build/i686/package/QuillfenSetup.exe" "$release"
cp "$build/x64/package/QuillfenSetup.exe" "$twin"
if [ -n "$sign" ]; then
    { "$root/scripts/sign.sh" "$sign" "$release" && "$root/scripts/sign.sh" "$sign" "$twin"; } ||
        fail "signing failed; nothing was written to $out"
fi

# Each program is copied beside its place and renamed into it.
partial=""
trap '[ -z "$partial" ] || rm -f "$partial"' EXIT
trap 'exit 1' INT TERM HUP
place_file() {
    mkdir -p "$(dirname "$2")"
    partial="$(mktemp "$(dirname "$2")/.QuillfenSetup.XXXXXX")"
    cp "$1" "$partial"
    chmod 644 "$partial"
    mv -f "$partial" "$2"
    partial=""
}
place_file "$release" "$out/QuillfenSetup.exe"
place_file "$twin" "$out/x64/QuillfenSetup.exe"
echo "Packaged: $out/QuillfenSetup.exe (i686, $(stat -c %s "$out/QuillfenSetup.exe") bytes)"
echo "Packaged: $out/x64/QuillfenSetup.exe (x86_64, $(stat -c %s "$out/x64/QuillfenSetup.exe") bytes)"
