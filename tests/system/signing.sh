#!/bin/sh
# The signing round trip with a throwaway self-signed code-signing
# certificate: scripts/sign.sh signs copies of the x86_64 setup (password
# from a file) and of the release (password from the environment); both
# verify against that certificate and keep resources and PE checksum right.
# A wrong password signs nothing. The signed x86_64 setup stays in OUT/x64
# for the installation under Wine.
#   signing.sh OUT X64-SETUP RELEASE
out="$1"; x64="$2"; release="$3"
case "$release" in /*) ;; *) release="$PWD/$release" ;; esac
root="$(cd "$(dirname "$0")/../.." && pwd)"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$out" && mkdir -p "$out/x64" && cp "$x64" "$out/x64/QuillfenSetup.exe" &&
    cp "$release" "$out/QuillfenSetup.exe" && cp "$release" "$out/refused.exe" && cd "$out" || exit 1
printf 'throwaway pass\n' > password
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj "/CN=Quillfen Test Signing" \
    -addext "extendedKeyUsage=codeSigning" -addext "keyUsage=digitalSignature" 2>/dev/null &&
    openssl pkcs12 -export -inkey key.pem -in cert.pem -out cert.p12 -passout file:password ||
    { echo "FAIL: openssl could not make the test certificate"; exit 1; }

QUILLFEN_SIGN_PASSWORD_FILE="$out/password" "$root/scripts/sign.sh" cert.p12 x64/QuillfenSetup.exe ||
    fail "signing with the password file failed"
QUILLFEN_SIGN_PASSWORD="throwaway pass" "$root/scripts/sign.sh" cert.p12 QuillfenSetup.exe ||
    fail "signing with the password variable failed"
QUILLFEN_SIGN_PASSWORD="wrong" "$root/scripts/sign.sh" cert.p12 refused.exe 2>/dev/null && fail "signed with a wrong password"
cmp -s refused.exe "$release" || fail "a refused signing changed the program"

for exe in x64/QuillfenSetup.exe QuillfenSetup.exe; do
    report="$(osslsigncode verify -CAfile cert.pem -in "$exe" 2>&1)" || fail "$exe does not verify: $report"
    printf '%s\n' "$report" | grep -q 'CN *= *Quillfen Test Signing' || fail "$exe is not signed by the test certificate"
    sh "$root/tests/system/program_identity.sh" "$exe" "Quillfen 11.0 Setup" QuillfenSetup.exe || fail "$exe after signing"
done

[ "$failures" -eq 0 ] || exit 1
echo "signing ok: $out"
