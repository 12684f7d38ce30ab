#!/bin/sh
# The setup at real size: packages the two payloads of real-size-payloads.sh
# with scripts/package.sh and prints, for each, the packaging time, the
# setup's size against the originals and against mscompress's files, and a
# table of silent installations under Wine timed against wine xcopy
# (bench/time-install.sh), with the setup's peak memory and a check of every
# installed file against its original. Figures only.
#   real-size.sh OUT-DIR RUNS   (after scripts/build.sh; run it with an X display)
set -e
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
out="$1"; runs="$2"
build="$root/build"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
"$here/real-size-payloads.sh" "$out/folders" "$build/x64/icons/qf11.ico" "$root/standins/qf11_default_en.txt"

now() { date +%s.%N; }
bytes_in() { find "$@" -type f -printf '%s\n' | awk '{ s += $1 } END { printf "%d", s }'; }
# Sum of the files mscompress writes for every file below the folders given.
mscompress_bytes() {
    scratch="$(mktemp -d)"
    find "$@" -type f | while read -r file; do
        copy="$scratch/$(basename "$file")"
        cp "$file" "$copy" && mscompress "$copy" >/dev/null 2>&1 && stat -c %s "${copy}_"
        rm -f "$copy" "${copy}_"
    done | awk '{ s += $1 } END { printf "%d", s }'
    rm -rf "$scratch"
}
share() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%5.1f%%", 100 * a / b }'; }
row() { printf '  %-44s %12s bytes  %s\n' "$1" "$2" "$3"; }

for payload in a b; do
    folder="$out/folders/$payload"
    case "$payload" in
        a) title="(a) shaped like the shipped payload" ;;
        b) title="(b) the manifest's limit" ;;
    esac
    echo
    echo "== Real size $title: $(find "$folder" -type f | wc -l) files + uninstall.exe; subfolders: $(find "$folder" -mindepth 1 -type d | wc -l)"
    start=$(now)
    "$root/scripts/package.sh" --payload "$folder" --licence "$root/res/licence.txt" --out "$out/$payload" \
        > "$out/$payload.log" 2>&1 || { tail -n 20 "$out/$payload.log"; exit 1; }
    seconds=$(awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }')
    stored_line="$(grep -m 1 'bytes stored as' "$out/$payload.log")"
    echo "Packaging: $seconds s for scripts/package.sh (both programs); compression of the i686 payload:"
    echo " $stored_line"
    echo "  stored: $(grep -c ' SZDD$' "$out/$payload.log" | awk '{ print $1 / 2 }') files as SZDD, $(grep -c ' plain$' "$out/$payload.log" | awk '{ print $1 / 2 }') plain (per program)"

    originals=$(( $(bytes_in "$folder") + $(stat -c %s "$build/i686/uninstall.exe") ))
    ms=$(( $(mscompress_bytes "$folder") + $(mscompress_bytes "$build/i686/uninstall.exe") ))
    stored=$(echo "$stored_line" | sed -n 's/.*stored as \([0-9]*\),.*/\1/p')
    setup=$(stat -c %s "$out/$payload/QuillfenSetup.exe")
    row "originals (with the i686 uninstall.exe)" "$originals" "100.0%"
    row "mscompress's files of the same" "$ms" "$(share "$ms" "$originals")"
    row "our stored payload (smaller form per file)" "$stored" "$(share "$stored" "$originals")"
    row "QuillfenSetup.exe (i686)" "$setup" "$(share "$setup" "$originals") of the originals, $(share "$setup" "$ms") of mscompress's files"

    if [ "$payload" = a ]; then
        # The same folder packaged again on one processor: the same bytes.
        cp "$out/a/QuillfenSetup.exe" "$out/a-first.exe"
        PAYLOAD_PACK_JOBS=1 "$root/scripts/package.sh" --payload "$folder" --licence "$root/res/licence.txt" \
            --out "$out/a" > "$out/a-again.log" 2>&1
        cmp -s "$out/a-first.exe" "$out/a/QuillfenSetup.exe" && same=yes || same=NO
        echo "  packaged again with one compression at a time: byte-for-byte the same: $same"
    fi

    echo
    "$here/time-install.sh" "$build/bench/wineprefix" "$out/$payload/x64/QuillfenSetup.exe" \
        "$build/x64/package-payload" "$build/native/bench/run-timer" "$runs" "$folder"
done
