#!/bin/sh
# Checks the i686 release of the setup program as a file: a 32-bit (PE32,
# i386) GUI program that imports only DLLs on Windows' KnownDLLs list (which
# the loader never takes from the program's own folder) and carries no time
# stamp, and that keeps ASLR and DEP: DYNAMIC_BASE and NX_COMPAT set, with the
# base relocations that moving the image needs. LZ32, COMCTL32 and PSAPI are
# loaded at run time from the system folder.
#   release_binary.sh PATH-TO-QuillfenSetup.exe
exe="$1"
objdump=i686-w64-mingw32-objdump
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if [ ! -f "$exe" ]; then
    echo "FAIL: no release at $exe (scripts/build.sh makes it)"
    exit 1
fi

header="$($objdump -f "$exe" 2>&1)" || fail "objdump -f failed: $header"
echo "$header" | grep -q 'file format pei-i386$' || fail "not a pei-i386 file: $header"
echo "$header" | grep -q '^architecture: i386,' || fail "architecture is not i386: $header"

private="$($objdump -p "$exe" 2>&1)" || fail "objdump -p failed"
echo "$private" | grep -Eq '^Magic[[:space:]]+010b[[:space:]]+\(PE32\)$' || fail "optional header is not PE32"
echo "$private" | grep -Eq '^Subsystem[[:space:]]+00000002[[:space:]]+\(Windows GUI\)$' || fail "subsystem is not Windows GUI"

flags="$(echo "$private" | sed -n 's/^DllCharacteristics[[:space:]]*//p')"
[ $((0x${flags:-0} & 0x0140)) -eq $((0x0140)) ] || fail "DllCharacteristics ${flags:-missing}: no DYNAMIC_BASE (0x40) or NX_COMPAT (0x100)"
relocations="$(echo "$private" | awk '/^Entry 5 /{print $4}')"
[ -n "$relocations" ] && [ $((0x$relocations)) -gt 0 ] || fail "no base relocations: the image cannot be moved"

dlls="$(echo "$private" | sed -n 's/^[[:space:]]*DLL Name: //p')"
[ -n "$dlls" ] || fail "no imports found"
for dll in $dlls; do
    case "$(echo "$dll" | tr 'a-z' 'A-Z')" in
        KERNEL32.DLL | USER32.DLL | GDI32.DLL | SHELL32.DLL | OLE32.DLL | ADVAPI32.DLL | MSVCRT.DLL) ;;
        *) fail "imports a DLL that is not a KnownDLL: $dll" ;;
    esac
done

# The file header's TimeDateStamp, read from the file itself: the PE header
# starts at the offset stored at 0x3C; machine at +4, time stamp at +8.
pe="$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')"
signature="$(od -An -c -j"$pe" -N4 "$exe" | tr -d ' ')"
machine="$(od -An -tx2 -j$((pe + 4)) -N2 "$exe" | tr -d ' ')"
stamp="$(od -An -tu4 -j$((pe + 8)) -N4 "$exe" | tr -d ' ')"
[ "$signature" = 'PE\0\0' ] || fail "no PE signature at $pe"
[ "$machine" = 014c ] || fail "machine is $machine, not 014c (i386)"
[ "$stamp" = 0 ] || fail "TimeDateStamp is $stamp, not 0"

[ "$failures" -eq 0 ] || exit 1
echo "release ok: $exe imports $(echo $dlls)"
