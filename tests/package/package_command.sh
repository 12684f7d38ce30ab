#!/bin/sh
# scripts/package.sh refuses what it can see before building anything: a
# payload that is no folder, a licence that is missing, an output that cannot
# be written or that lies in the payload. It says why, fails, and writes
# nothing.
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/payload"
ln -s payload "$work/link"
printf 'Licence\n' > "$work/licence.txt"
printf 'a file\n' > "$work/file"
failures=0
refused() {
    message="$1"; shift
    if output="$(sh "$root/scripts/package.sh" "$@" 2>&1)"; then
        echo "FAIL: accepted: $*"; failures=$((failures + 1))
    elif ! printf '%s\n' "$output" | grep -qF "$message"; then
        echo "FAIL: \"$message\" not in: $output"; failures=$((failures + 1))
    fi
}
refused "no payload folder at $work/none" --payload "$work/none" --licence "$work/licence.txt" --out "$work/out"
refused "no readable licence file at $work/none" --payload "$work/payload" --licence "$work/none" --out "$work/out"
refused "cannot write the output: $work/file is not a folder" \
    --payload "$work/payload" --licence "$work/licence.txt" --out "$work/file/out"
refused "usage:" --payload "$work/payload" --out "$work/out"
refused "the output folder $work/payload/ is the payload folder $work/payload: the next packaging would carry" \
    --payload "$work/payload" --licence "$work/licence.txt" --out "$work/payload/"
refused "the output folder $work/link/new/../setups lies inside the payload folder $work/payload: the next" \
    --payload "$work/payload" --licence "$work/licence.txt" --out "$work/link/new/../setups"
[ ! -e "$work/out" ] && [ "$(cat "$work/file")" = "a file" ] && [ -z "$(ls -A "$work/payload")" ] ||
    { echo "FAIL: something was written"; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] && echo "package.sh refusals ok"
