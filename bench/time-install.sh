#!/bin/sh
# Times silent installations of the setup under Wine against plain copies of
# the same expanded payload files, in one private prefix, and prints a table.
#   time-install.sh PREFIX SETUP.EXE PAYLOAD-DIR RUN-TIMER RUNS [ORIGINALS-DIR]
# PAYLOAD-DIR is the setup's build folder of stored files (manifest.txt and
# payload.rc name them in manifest order). Installed files are compared with
# those stored files expanded, and also with ORIGINALS-DIR's files of the same
# names when it is given (the folder the setup was packaged from). With
# EXTRACTION_FLOOR naming the x86_64 extraction-floor.exe, each run also times
# the file steps alone (temporary file, LZ32 expansion, deletion) on the same
# stored files. Run it with an X display.
set -e
absolute() { (cd "$(dirname "$1")" && echo "$(pwd)/$(basename "$1")"); }
prefix="$(mkdir -p "$1" && absolute "$1")"; setup="$(absolute "$2")"; payload="$(absolute "$3")"
timer="$(absolute "$4")"; runs="$5"; originals="${6:-}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$here/../tests/wine/make-prefix" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
drive="$prefix/drive_c"
wine64="$here/../tests/wine/wine64"

# The expanded payload as the installation must leave it: manifest line i
# (path, stored size) goes with payload.rc's i-th "ID BIN file" line.
source="$drive/bench-source"
rm -rf "$source" "$drive"/bench-install-* "$drive"/bench-copy-*
tr -d '\r' < "$payload/manifest.txt" | tr -d '$' | awk 'NF' | cut -d' ' -f1 | tr '\\' '/' > "$work/names"
sed -n 's/^[0-9]* BIN "\(.*\)"$/\1/p' "$payload/payload.rc" > "$work/stored"
[ "$(wc -l < "$work/names")" = "$(wc -l < "$work/stored")" ] || { echo "manifest and payload.rc disagree"; exit 1; }
paste -d'|' "$work/names" "$work/stored" | while IFS='|' read -r name stored; do
    mkdir -p "$(dirname "$source/$name")"
    if [ "$(head -c4 "$stored")" = SZDD ]; then msexpand < "$stored" > "$source/$name"; else cp "$stored" "$source/$name"; fi
done
files=$(wc -l < "$work/names")
bytes=$(cat "$work/names" | (cd "$source" && xargs cat) | wc -c)

# One server for every run, started before the clocks, and one warm-up run,
# so each timed run pays the same start-up cost of a Wine process. The
# desktop stays up too, as on Windows: otherwise the first window of every
# run (the apartment window COM makes for the shortcuts) would wait 0.1 to
# 0.3 s for Wine to start its desktop process. A program waiting on a pipe
# holds it until the pipe is closed.
wineserver -p
"$wine64" cmd /c exit >/dev/null 2>&1 || true
mkfifo "$work/desktop"
"$wine64" cmd /c pause < "$work/desktop" >/dev/null 2>&1 &
exec 8> "$work/desktop"
"$wine64" rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 || true

value() { sed -n "s/^$1=//p" "$2"; }
run=1
: > "$work/rows"
while [ "$run" -le "$runs" ]; do
    mkdir -p "$drive/bench-install-$run"
    "$wine64" reg add HKCU /ve /d "C:\\bench-install-$run" /f >/dev/null 2>&1
    # Each timed run starts with nothing left to write back from the one before.
    sync
    "$timer" --watch "$drive/bench-install-$run" -- "$wine64" "$setup" -s > "$work/install" 2>/dev/null
    sync
    "$timer" -- "$wine64" xcopy 'C:\bench-source' "C:\\bench-copy-$run" /E /I /Q /Y > "$work/copy" 2>/dev/null
    sync
    "$timer" -- cp -r "$source" "$work/native-copy-$run" > "$work/native" 2>/dev/null
    floor=nan
    if [ -n "${EXTRACTION_FLOOR:-}" ]; then
        sync
        floor=$(sed 's/^/Z:/' "$work/stored" | tr '\n' '\0' |
            xargs -0 "$wine64" "$EXTRACTION_FLOOR" "C:\\bench-floor-$run" 2>/dev/null | sed -n 's/^seconds=//p')
        rm -rf "$drive/bench-floor-$run"
    fi

    installed="$drive/bench-install-$run/Quillfen/Quillfen 11.0"
    same=yes
    while read -r name; do
        cmp -s "$source/$name" "$installed/$name" || same=no
        cmp -s "$source/$name" "$drive/bench-copy-$run/$name" || same=no
        [ -z "$originals" ] || [ ! -e "$originals/$name" ] || cmp -s "$originals/$name" "$installed/$name" || same=no
    done < "$work/names"

    total=$(value total "$work/install")
    wait=$(awk -v a="$(value first_result "$work/install")" -v b="$(value created "$work/install")" \
        'BEGIN { if (a == "" || b < 0) print "nan"; else printf "%.3f", b - a }')
    echo "$run $total $wait $(value result_lines "$work/install") $(value total "$work/copy") $(value total "$work/native") $same $(value peak_kib "$work/install") ${floor:-nan}" >> "$work/rows"
    run=$((run + 1))
done
exec 8>&-
wineserver -k

echo "Payload: $files files, $bytes bytes expanded; setup: $setup"
echo "install = silent install (wine QuillfenSetup.exe -s), whole process; termination = its termination"
echo "passes with their waits, measured in the same run from the first \"Result code=\" line to the"
echo "creation of the installation folder; copy = wine xcopy of the same expanded files into a fresh"
echo "folder; ratio = (install - termination) / copy; peak = the setup process's peak resident memory (VmHWM);"
echo "steps = the temporary files, their LZ32 expansion and deletion alone, in a process of their own"
echo "(extraction-floor, start-up not counted): what the installation cannot leave out, with its ratio to"
echo "copy; work/steps = the installation's work against them."
echo
printf '%-4s %10s %12s %8s %10s %10s %8s %9s %10s %14s %11s\n' run install termination results work copy ratio peak "files ok" "steps" "work/steps"
awk '{ work = $2 - $3; steps = $9 == "nan" ? "-" : sprintf("%.3fs %.2fx", $9, $9 / $5);
       over = $9 == "nan" ? "-" : sprintf("%.2fx", work / $9);
       printf "%-4s %9.3fs %11.3fs %8s %9.3fs %9.3fs %7.2fx %6.1fMiB %10s %14s %11s\n", $1, $2, $3, $4, work, $5, work / $5, $8 / 1024, $7, steps, over }' "$work/rows"
sort -n -k2 "$work/rows" | awk -v n="$runs" 'NR == int((n + 1) / 2) { work = $2 - $3;
    printf "\nMedian run (by install time): install %.3f s, termination passes and waits %.3f s (excluded),\n", $2, $3
    printf "install work %.3f s, Wine copy %.3f s, ratio %.2fx; native cp -r %.4f s; peak memory %.1f MiB.\n", work, $5, work / $5, $6, $8 / 1024 }'
awk '{ print ($2 - $3) / $5 }' "$work/rows" | sort -n | awk -v n="$runs" 'NR == int((n + 1) / 2) {
    printf "Median ratio over the runs: %.2fx.\n", $1 }'
[ -z "${EXTRACTION_FLOOR:-}" ] || awk '{ print ($2 - $3) / $9 }' "$work/rows" | sort -n | awk -v n="$runs" '
    NR == int((n + 1) / 2) { printf "Median work/steps over the runs: %.2fx (the installation against the steps it cannot leave out).\n", $1 }'
