#!/usr/bin/env bash
# `make install`: installs a build into PREFIX (under DESTDIR when that is set) and keeps a list
# of what it put there, the folders it had to create included, in PREFIX/lib/tarnel, so that
# `make uninstall` needs no build folder. Usage: tools/install.sh BUILD_DIR PREFIX
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: tools/install.sh BUILD_DIR PREFIX" >&2; exit 2; }
build=$1
prefix=$2
case $prefix in /*) ;; *) prefix=$PWD/$prefix ;; esac
root=${DESTDIR:-}$prefix
manifest=lib/tarnel/install_manifest.txt

# A rehearsal in a scratch folder shows which folders the install needs, so that those missing
# now can be told from those that were there before.
stage=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-install-XXXXXX")
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null
mkdir -p "$stage$prefix/$(dirname "$manifest")"
created=$(cd "$stage$prefix" && find . -mindepth 1 -type d | sed 's|^\./||' |
    while read -r folder; do [ -d "$root/$folder" ] || echo "$folder/"; done)
# A second install over the first keeps the folders the first one created.
if [ -f "$root/$manifest" ]; then
    created=$(printf '%s\n%s\n' "$created" "$(grep '/$' "$root/$manifest")")
fi

cmake --install "$build" --prefix "$prefix" --strip
mkdir -p "$root/$(dirname "$manifest")"
{
    # CMake's list names each file under the prefix, with or without DESTDIR before it, and ends
    # without a newline.
    while read -r file || [ -n "$file" ]; do
        file=${file#"$root"/}
        echo "${file#"$prefix"/}"
    done <"$build/install_manifest.txt"
    echo "$manifest"
    # Folders last, each before its parent, so they can be removed in this order.
    grep -v '^$' <<<"$created" | sort -ru
} >"$root/$manifest.new"
mv "$root/$manifest.new" "$root/$manifest"
