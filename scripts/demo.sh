#!/bin/sh
# The main job: builds the setup program, then installs the browser with it,
# silently, into a fresh private Wine prefix and shows what it did.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"

# The release itself where this machine runs 32-bit programs (natively, or
# through qemu-i386 set up here); otherwise its x86_64 twin, the same program.
prefix="$root/build/demo-prefix"
rm -rf "$prefix"
if "$root/tests/wine/i386-emulation"; then
    wine="$root/tests/wine/wine32" kind=win32 build="$root/build/i686"
    setup="$root/dist/QuillfenSetup.exe" what="the i686 release"
else
    wine="$root/tests/wine/wine64" kind="" build="$root/build/x64"
    setup="$root/dist/x64/QuillfenSetup.exe" what="its x86_64 twin: this machine runs no 32-bit programs"
fi
echo
echo "== Preparing a fresh Wine prefix: $prefix"
"$root/tests/wine/make-prefix" "$prefix" $kind
export WINEPREFIX="$prefix" WINEDEBUG=-all
# "-s" installs below the folder named by the per-user default value.
"$wine" reg add 'HKCU' /ve /d 'C:\Program Files' /f >/dev/null

echo
echo "== Running: QuillfenSetup.exe -s   ($what)"
status=0
xvfb-run -a "$wine" "$setup" -s || status=$?
wineserver -w
echo "  exit code $status (0: installed; see the README's table)"

folder="$prefix/drive_c/Program Files/Quillfen/Quillfen 11.0"
echo
echo "== Installed files in C:\\Program Files\\Quillfen\\Quillfen 11.0"
(cd "$folder" && find . -type f | sort | while read -r f; do
    printf '  %-26s %8s bytes  %s\n' "${f#./}" "$(stat -c %s "$f")" "$(sha256sum "$f" | cut -c1-16)"
done)
b="$build"
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
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillfen\Quillfen 11.0' | tr -d '\r' | sed '/^$/d; s/^/  /'
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillfen 11.0' | tr -d '\r' | sed '/^$/d; s/^/  /'
"$wine" reg query 'HKCU\Quillfen\Quillfen 11.0' | tr -d '\r' | sed '/^$/d; s/^/  /'
echo "  the system's list of installed programs (uninstaller --list):"
"$wine" uninstaller --list | tr -d '\r' | sed 's/^/    /'

echo
echo "== Shortcuts (all users)"
(cd "$prefix/drive_c/ProgramData/Microsoft/Windows" && find . -iname '*quillfen*' | sort | sed 's/^\.\//  /')

echo
echo "== The run's log (the account's temporary folder)"
log="$(find "$prefix/drive_c/users" -name 'Quillfen Setup *.log' 2>/dev/null | sort | tail -n 1)"
if [ -n "$log" ]; then
    echo "  $(basename "$log")"
    tr -d '\r' < "$log" | sed 's/^/    /'
else
    echo "  (no log)"
fi
