#!/bin/sh
# Makes the two real-size payload folders of the benchmark from the Windows
# libraries that Wine ships, so that every machine with Wine gets the same:
#   real-size-payloads.sh OUT-DIR ICON SETTINGS
#   OUT-DIR/a: shaped like the shipped payload: the browser (about 750 KB), its
#              skin library (2.5 MB), its language library (44 KB), icon and
#              settings, about 3.5 MB with the uninstaller the build adds;
#   OUT-DIR/b: the manifest's limit: 99 files (100 with the uninstaller), over
#              60 MB, in subfolders, with a 26 MB main library and gzip
#              archives that do not compress further.
set -e
out="$1"; icon="$2"; settings="$3"
wine_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
[ -d "$wine_dlls" ] || { echo "no Wine libraries at $wine_dlls" >&2; exit 1; }
rm -rf "$out/a" "$out/b"
mkdir -p "$out/a/skin" "$out/b/lib" "$out/b/plugins" "$out/b/archives"

# "SIZE PATH" lines of the libraries, in name order.
find "$wine_dlls" -maxdepth 1 -type f \( -name '*.dll' -o -name '*.exe' \) -printf '%s %p\n' | sort -k2 > "$out/all"
# The library whose size is closest to $1 bytes.
closest() { awk -v want="$1" '{ d = $1 - want; if (d < 0) d = -d; if (best == "" || d < best) { best = d; path = $2 } }
                              END { print path }' "$out/all"; }

cp "$(closest 770048)" "$out/a/quillfen.exe"
cp "$(closest 2568192)" "$out/a/skin/default_en.dll"
cp "$(closest 45056)" "$out/a/en.dll"
cp "$icon" "$out/a/qf11.ico"
cp "$settings" "$out/a/qf11_default_en.txt"

b="$out/b"
cp "$(sort -n "$out/all" | awk '$2 ~ /\.exe$/ { p = $2 } END { print p }')" "$b/quillfen.exe"
cp "$(sort -n "$out/all" | tail -n 1 | cut -d' ' -f2)" "$b/core.dll"
cp "$icon" "$b/qf11.ico"
cp "$settings" "$b/qf11_default_en.txt"
# Mid-sized libraries in name order: 70 in lib/, 15 in plugins/, and 10
# more as gzip archives.
awk '$1 >= 200000 && $1 <= 800000 && $2 ~ /\.dll$/ { print $2 }' "$out/all" | head -n 95 > "$out/picked"
i=0
while read -r library; do
    i=$((i + 1))
    name="$(basename "$library")"
    if [ $i -le 70 ]; then cp "$library" "$b/lib/$name"
    elif [ $i -le 85 ]; then cp "$library" "$b/plugins/$name"
    else gzip -9 -n -c "$library" > "$b/archives/${name%.dll}.gz"
    fi
done < "$out/picked"
rm -f "$out/all" "$out/picked"
[ "$(find "$b" -type f | wc -l)" = 99 ] || { echo "payload b: not 99 files" >&2; exit 1; }
