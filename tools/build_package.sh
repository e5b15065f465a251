#!/usr/bin/env bash
# Builds Tarnel's Debian package in a build tree of its own, laid out as Debian installs games,
# and prints the package's path. Usage: tools/build_package.sh BUILD_DIR
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: tools/build_package.sh BUILD_DIR" >&2; exit 2; }
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$1

# Installing must not build everything: the package holds only the program, its pictures and
# sounds, and its documents.
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARNEL_DEBIAN_LAYOUT=ON -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build_dir" -j2 --target tarnel pictures sounds documents translations >/dev/null
rm -f "$build_dir"/tarnel_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$build_dir"/tarnel_*.deb
