#!/usr/bin/env bash
# `make uninstall`: removes what tools/install.sh put into PREFIX (under DESTDIR when that is set),
# as the list it kept there says: every file, then every folder it created that is now empty.
# Usage: tools/uninstall.sh PREFIX
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: tools/uninstall.sh PREFIX" >&2; exit 2; }
prefix=$1
case $prefix in /*) ;; *) prefix=$PWD/$prefix ;; esac
root=${DESTDIR:-}$prefix
manifest=lib/tarnel/install_manifest.txt

[ -f "$root/$manifest" ] || {
    echo "uninstall: nothing of Tarnel's is installed in $root (no $manifest there)" >&2
    exit 1
}
mapfile -t entries <"$root/$manifest"
# Every entry lies inside the prefix.
for entry in "${entries[@]}"; do
    case /$entry/ in //* | */../*)
        echo "uninstall: $root/$manifest names $entry, outside $root: nothing removed" >&2
        exit 1
        ;;
    esac
done
cd "$root"
for entry in "${entries[@]}"; do
    case $entry in */) ;; *) rm -f -- "$entry" ;; esac
done
# A folder that holds something of the user's stays.
for entry in "${entries[@]}"; do
    case $entry in */) [ ! -d "$entry" ] || rmdir --ignore-fail-on-non-empty -- "$entry" ;; esac
done
