#!/bin/sh
# The main job: builds the setup program, then installs the browser with it,
# silently, into a fresh private Wine prefix and shows what it did.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"

prefix="$root/build/demo-prefix"
rm -rf "$prefix"
echo
echo "== Preparing a fresh Wine prefix: $prefix"
"$root/tests/wine/make-prefix" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all
wine64="$root/tests/wine/wine64"
# "-s" installs below the folder named by the per-user default value.
"$wine64" reg add 'HKCU' /ve /d 'C:\Program Files' /f >/dev/null

echo
echo "== Running: QuillfenSetup.exe -s   (x86_64 build of the same program; this kernel runs no 32-bit code)"
xvfb-run -a "$wine64" "$root/dist/x64/QuillfenSetup.exe" -s
wineserver -w

folder="$prefix/drive_c/Program Files/Quillfen/Quillfen 11.0"
echo
echo "== Installed files in C:\\Program Files\\Quillfen\\Quillfen 11.0"
(cd "$folder" && find . -type f | sort | while read -r f; do
    printf '  %-26s %8s bytes  %s\n' "${f#./}" "$(stat -c %s "$f")" "$(sha256sum "$f" | cut -c1-16)"
done)
b="$root/build/x64"
same=yes
for pair in "quillfen.exe:$b/standins/quillfen.exe" "skin/default_en.dll:$b/standins/default_en.dll" \
            "en.dll:$b/standins/en.dll" "qf11.ico:$b/icons/qf11.ico" "uninstall.exe:$b/uninstall.exe" \
            "qf11_default_en.txt:$root/standins/qf11_default_en.txt"; do
    cmp -s "$folder/${pair%%:*}" "${pair#*:}" || { same=no; echo "  ${pair%%:*} differs from its source!"; }
done
echo "  every payload file identical to its source (expanded from SZDD where stored so): $same"
echo "  sno holds: \"$(cat "$folder/sno")\""
[ -d "$folder/install" ] && echo "  (temporary folder left behind!)" || echo "  no temporary \"install\" folder left"

echo
echo "== Registry"
"$wine64" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillfen\Quillfen 11.0' | tr -d '\r' | sed '/^$/d; s/^/  /'
"$wine64" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillfen 11.0' | tr -d '\r' | sed '/^$/d; s/^/  /'
"$wine64" reg query 'HKCU\Quillfen\Quillfen 11.0' | tr -d '\r' | sed '/^$/d; s/^/  /'
echo "  the system's list of installed programs (uninstaller --list):"
"$wine64" uninstaller --list | tr -d '\r' | sed 's/^/    /'

echo
echo "== Shortcuts (all users)"
(cd "$prefix/drive_c/ProgramData/Microsoft/Windows" && find . -iname '*quillfen*' | sort | sed 's/^\.\//  /')
