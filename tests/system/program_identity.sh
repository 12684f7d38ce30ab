#!/bin/sh
# Checks what Windows reads from a built program before running it: the
# version resource, the application manifest and the PE checksum.
#   program_identity.sh EXE FILE-DESCRIPTION ORIGINAL-FILE-NAME
exe="$1"; description="$2"; original="$3"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rc="$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>&1)" || { echo "FAIL: windres cannot read $exe: $rc"; exit 1; }

version="$(printf '%s\n' "$rc" | sed -n '/^1 VERSIONINFO$/,/^END$/s/^[[:space:]]*//p')"
for line in 'FILEVERSION 11, 0, 0, 0' 'PRODUCTVERSION 11, 0, 0, 0' \
        'VALUE "ProductName", "Quillfen"' 'VALUE "ProductVersion", "11.0"' 'VALUE "FileVersion", "11.0"' \
        "VALUE \"FileDescription\", \"$description\"" "VALUE \"OriginalFilename\", \"$original\""; do
    printf '%s\n' "$version" | grep -Fqx "$line" || fail "version resource lacks: $line"
done

# The manifest (type 24, id 1) back to its own text. Windows refuses to
# start a program whose manifest it cannot parse.
manifest="$(printf '%s\n' "$rc" | sed -n '/^1 24 /,/^END$/s/^  "\(.*\)"$/\1/p' | sed 's/""/"/g; s/\\n$//')"
printf '%s\n' "$manifest" | xmllint --noout - 2>/dev/null || fail "no well-formed manifest"
levels="$(printf '%s\n' "$manifest" | grep -o 'requestedExecutionLevel level="[^"]*"')"
[ "$levels" = 'requestedExecutionLevel level="requireAdministrator"' ] || fail "execution levels: $levels"
# Vista, 7, 8, 8.1, and 10 with 11.
for os in e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a \
        4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 \
        8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
    printf '%s\n' "$manifest" | grep -Fq "<supportedOS Id=\"{$os}\"/>" || fail "no supportedOS $os"
done
# The look and the skin's metrics stay those of a program without them.
printf '%s\n' "$manifest" | grep -Eq 'Common-Controls|dpiAware' && fail "visual styles or DPI awareness asked for"

# The checksum field (optional header + 64 in PE32 and PE32+) holds what
# osslsigncode computes over the file.
pe="$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')"
field="$(od -An -tx4 -j$((pe + 88)) -N4 "$exe" | tr -d ' ' | tr 'a-f' 'A-F')"
computed="$(osslsigncode verify -in "$exe" 2>&1 | sed -n 's/.*PE checksum *: *\([0-9A-Fa-f]\{8\}\).*/\1/p' | tr 'a-f' 'A-F')"
[ -n "$computed" ] && [ "$field" != 00000000 ] || fail "PE checksum $field, osslsigncode computed none"
for value in $computed; do [ "$value" = "$field" ] || fail "PE checksum field $field, computed $value"; done

[ "$failures" -eq 0 ] || exit 1
echo "identity ok: $exe ($description, $original, checksum $field)"
