#!/bin/sh
# The size-and-speed benchmark: builds everything, then prints
#   1. SZDD bodies and compression times of mscompress and ours, with the
#      optimum and our peak memory, on the payload and on a corpus of files
#      from this machine, then ours alone on a file of a few hundred MB;
#   2. the size of the setup without payload (stub) and with it;
#   3. a silent installation under Wine timed against a plain copy;
#   4. the same at real size: two payloads made from Wine's libraries,
#      packaged with scripts/package.sh (bench/real-size.sh).
# Figures only; nothing here passes or fails on them.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/build.sh"

build="$root/build"
out="$build/bench"
corpus="$out/corpus"
rm -rf "$corpus"
mkdir -p "$corpus"

# First readable regular file among the arguments.
first_file() { for f in "$@"; do [ -f "$f" ] && [ -r "$f" ] && { echo "$f"; return; }; done; }

# A multi-megabyte binary, preferably a Windows DLL like the payload files.
binary="$(first_file /usr/lib/x86_64-linux-gnu/wine/x86_64-windows/user32.dll \
    /usr/lib/x86_64-linux-gnu/wine/x86_64-windows/comctl32.dll /usr/bin/python3.11)"
[ -n "$binary" ] || binary="$(find /usr/lib /usr/bin -type f -size +2M -size -16M 2>/dev/null | sort | head -n 1)"
cp "$binary" "$corpus/binary-$(basename "$binary")"
# Text: the licence texts, and a body of manual pages.
find -L /usr/share/common-licenses -maxdepth 1 -type f | sort | xargs cat > "$corpus/licences.txt"
find /usr/share/man/man1 -name '*.1.gz' | sort | head -n 300 | xargs zcat -f > "$corpus/man1-pages.txt" 2>/dev/null || true
# Already-compressed data.
gz="$(find /usr/share/doc -name 'changelog*.gz' -size +300k -size -2M 2>/dev/null | sort | head -n 1)"
[ -n "$gz" ] && cp "$gz" "$corpus/$(basename "$(dirname "$gz")")-$(basename "$gz")"
png="$(find /usr/share -name '*.png' -size +100k -size -2M 2>/dev/null | sort | head -n 1)"
[ -n "$png" ] && cp "$png" "$corpus/$(basename "$png")"
# Tiny inputs, where mscompress's files do not expand back.
: > "$corpus/empty"
printf 'Q' > "$corpus/one-byte"
printf 'Quillfen 11.0\r\n' > "$corpus/fifteen-bytes"

# The release's payload originals, in manifest order.
i686="$build/i686"
set -- binary payload/quillfen.exe "$i686/standins/quillfen.exe" \
       binary payload/skin/default_en.dll "$i686/standins/default_en.dll" \
       binary payload/en.dll "$i686/standins/en.dll" \
       binary payload/qf11.ico "$i686/icons/qf11.ico" \
       binary payload/uninstall.exe "$i686/uninstall.exe" \
       text payload/qf11_default_en.txt "$root/standins/qf11_default_en.txt"
for f in "$corpus"/*; do
    name="$(basename "$f")"
    case "$name" in
        binary-*) kind=binary ;;
        *.txt) kind=text ;;
        *.gz | *.png) kind=compressed ;;
        *) kind=tiny ;;
    esac
    set -- "$@" "$kind" "corpus/$name" "$f"
done

echo
echo "== Machine: $(nproc) processors, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
echo "   binary: $binary"
[ -n "$gz" ] && echo "   compressed: $gz"
[ -n "$png" ] && echo "   compressed: $png"
echo
echo "== SZDD compression: mscompress against ours"
status=0
"$build/native/bench/szdd-bench" --runs 3 "$@" || status=$?

# A few hundred megabytes: this machine's Windows libraries from Wine (then
# other libraries), one after another. mscompress and msexpand would take
# minutes here, so ours runs alone and is checked with libmspack.
large="$out/large-300MB.bin"
{ find /usr/lib/x86_64-linux-gnu/wine -type f -name '*.dll' | sort
  find /usr/lib -type f | sort; } | xargs cat 2>/dev/null | head -c 300000000 > "$large" || true
echo
echo "== SZDD compression of a large input: $(stat -c %s "$large") bytes of libraries, one run"
"$build/native/bench/szdd-bench" --runs 1 --ours-only binary large-300MB "$large" || status=$?
rm -f "$large"

echo
echo "== Setup sizes"
size_row() {
    file="$1"
    format="$(i686-w64-mingw32-objdump -f "$file" 2>/dev/null | sed -n 's/.*file format //p')"
    dlls="$(i686-w64-mingw32-objdump -p "$file" 2>/dev/null | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')"
    printf '%-34s %8s bytes  %-10s imports: %s\n' "$2" "$(stat -c %s "$file")" "$format" "$dlls"
}
# A program's sections from its PE section table: what each holds (virtual
# size) and what it takes in the file (raw size, padded to 512 bytes).
section_rows() {
    file="$1"
    pe="$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')"
    count="$(od -An -tu2 -j$((pe + 6)) -N2 "$file" | tr -d ' ')"
    optional="$(od -An -tu2 -j$((pe + 20)) -N2 "$file" | tr -d ' ')"
    table=$((pe + 24 + optional))
    printf '    %-9s %8s %8s\n' section holds "in file"
    printf '    %-9s %8s %8s\n' headers $((table + 40 * count)) "$(od -An -tu4 -j$((pe + 84)) -N4 "$file" | tr -d ' ')"
    i=0
    while [ "$i" -lt "$count" ]; do
        at=$((table + 40 * i))
        name="$(dd if="$file" bs=1 skip="$at" count=8 2>/dev/null | tr -d '\000')"
        printf '    %-9s %8s %8s\n' "$name" $(od -An -tu4 -j$((at + 8)) -N4 "$file") $(od -An -tu4 -j$((at + 16)) -N4 "$file")
        i=$((i + 1))
    done
}
stub_exe="$build/i686/QuillfenSetup-stub.exe"
size_row "$stub_exe" "stub (empty manifest, no payload)"
size_row "$build/i686/QuillfenSetup.exe" "setup with payload"
size_row "$build/i686/uninstall.exe" "uninstaller"
stub=$(stat -c %s "$stub_exe")
echo "stub: $stub bytes = $(awk -v s="$stub" 'BEGIN { printf "%.1f", s / 1024 }') KiB (the goal is at most 48 KiB = 49152 bytes)"
echo "  sections of the stub:"
section_rows "$stub_exe"
for exe in QuillfenSetup-stub.exe QuillfenSetup.exe; do
    printf '  (x86_64 build, for comparison: %s %s bytes)\n' "$exe" "$(stat -c %s "$build/x64/$exe")"
done

echo
echo "== Install time under Wine (x86_64 build)"
export EXTRACTION_FLOOR="$build/x64/bench/extraction-floor.exe"
xvfb-run -a "$root/bench/time-install.sh" "$out/wineprefix" "$build/x64/QuillfenSetup.exe" \
    "$build/x64/payload" "$build/native/bench/run-timer" 3

xvfb-run -a "$root/bench/real-size.sh" "$out/real-size" 5
exit $status
