#!/bin/sh
# Signs a Windows program in place (Authenticode, SHA-256, with osslsigncode)
# with the certificate and key of a PKCS#12 file. osslsigncode sets the PE
# checksum of the signed file.
#   sign.sh PKCS12-FILE PROGRAM.exe [DESCRIPTION]
# The PKCS#12 password is read from the file named by
# QUILLFEN_SIGN_PASSWORD_FILE, or else taken from the environment variable
# QUILLFEN_SIGN_PASSWORD (empty if neither is set); it never goes on a command
# line. QUILLFEN_SIGN_TIMESTAMP_URL, if set, names an RFC 3161 time-stamping
# server, so that the signature stays valid after the certificate expires.
# DESCRIPTION is the program name the elevation prompt shows.
set -e
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 PKCS12-FILE PROGRAM.exe [DESCRIPTION]" >&2
    exit 2
fi
pkcs12="$1"; program="$2"; description="${3:-Quillfen 11.0 Setup}"
[ -f "$pkcs12" ] || { echo "sign.sh: no PKCS#12 file at $pkcs12" >&2; exit 1; }
[ -f "$program" ] || { echo "sign.sh: no program at $program" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
password="${QUILLFEN_SIGN_PASSWORD_FILE:-}"
if [ -z "$password" ]; then
    password="$work/password"
    (umask 077 && printf '%s' "${QUILLFEN_SIGN_PASSWORD:-}" > "$password")
fi

osslsigncode sign -pkcs12 "$pkcs12" -readpass "$password" -h sha256 -n "$description" \
    ${QUILLFEN_SIGN_TIMESTAMP_URL:+-ts "$QUILLFEN_SIGN_TIMESTAMP_URL"} \
    -in "$program" -out "$work/signed.exe" >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
cp "$work/signed.exe" "$program"
