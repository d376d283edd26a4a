#!/usr/bin/env bash
# Runs a test binary as on a machine that has no /home: in a private mount
# namespace, inside a root that holds everything of / but /home. Exits 77
# (skipped) where this machine lets no such namespace be made.
set -euo pipefail

if [ "${1-}" != --inside ]; then
    for unshare in "unshare --mount" "unshare --mount --map-root-user"; do
        if $unshare true 2>/dev/null; then
            root=$(mktemp -d)
            status=0
            $unshare "$0" --inside "$root" "$PWD" "$@" || status=$?
            rmdir "$root"
            exit "$status"
        fi
    done
    echo "SKIP: no private mount namespace can be made here" >&2
    exit 77
fi

root=$2
workdir=$3
shift 3
mount -t tmpfs tmpfs "$root"
for entry in /*; do
    name=${entry#/}
    if [ "$name" = home ]; then
        continue
    elif [ -L "$entry" ]; then
        cp -P "$entry" "$root/$name"
    elif [ -d "$entry" ]; then
        mkdir "$root/$name"
        mount --rbind "$entry" "$root/$name"
    fi
done
exec chroot "$root" /bin/sh -c 'cd "$1" && shift && test ! -e /home && exec "$@"' sh "$workdir" "$@"
