#!/bin/sh
# translations.sh <lupdate> <.ts> <sources...>, in the sources' folder.
#
# Every message of the checker is in the .ts as lupdate finds it in the
# sources, and every one is translated.
set -eu
lupdate=$1 ts=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/current.ts"
"$lupdate" -silent -no-obsolete -locations none "$@" -ts "$work/current.ts"
if ! cmp -s "$ts" "$work/current.ts"; then
    diff "$ts" "$work/current.ts" >&2 || true
    echo "FAIL: $(basename "$ts") is not up to date with the sources: build the target update-translations and translate what it adds" >&2
    exit 1
fi
if grep -q 'type="unfinished"' "$ts"; then
    echo "FAIL: $(basename "$ts") has messages without a translation" >&2
    exit 1
fi
echo "every message of the checker is in $(basename "$ts"), translated"
