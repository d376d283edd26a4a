#!/usr/bin/env bash
# in-namespace.sh without-home|small-disk <test binary> [arguments...]
#
# Runs a test binary in a private mount namespace, as on a machine that has
# no /home (a root that holds everything of / but /home), or with a full-size
# folder on a file system of 1 MiB whose path is in TAVIK_SMALL_DISK.
# Exits 77 (skipped) where this machine lets no such namespace be made.
set -euo pipefail

if [ "${1-}" != --inside ]; then
    for unshare in "unshare --mount" "unshare --mount --map-root-user"; do
        if $unshare true 2>/dev/null; then
            scratch=$(mktemp -d)
            status=0
            $unshare "$0" --inside "$scratch" "$PWD" "$@" || status=$?
            rmdir "$scratch"
            exit "$status"
        fi
    done
    echo "SKIP: no private mount namespace can be made here" >&2
    exit 77
fi

scratch=$2
workdir=$3
mode=$4
shift 4
case $mode in
small-disk)
    mount -t tmpfs -o size=1m tmpfs "$scratch"
    cd "$workdir"
    TAVIK_SMALL_DISK=$scratch exec "$@"
    ;;
without-home)
    mount -t tmpfs tmpfs "$scratch"
    for entry in /*; do
        name=${entry#/}
        if [ "$name" = home ]; then
            continue
        elif [ -L "$entry" ]; then
            cp -P "$entry" "$scratch/$name"
        elif [ -d "$entry" ]; then
            mkdir "$scratch/$name"
            mount --rbind "$entry" "$scratch/$name"
        fi
    done
    exec chroot "$scratch" /bin/sh -c 'cd "$1" && shift && test ! -e /home && exec "$@"' \
        sh "$workdir" "$@"
    ;;
esac
echo "unknown mode $mode" >&2
exit 2
