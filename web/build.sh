#!/usr/bin/env bash
# Builds the browser edition with Emscripten: the game's sources with web/entry.cpp, the page
# shell and the library's gaps filled, into OUT as index.html, index.js, index.wasm, index.data.
# Usage: web/build.sh PICTURES_FOLDER OUT [PICTURE...]
#   PICTURE: the pictures packed with the page, by name (default: all five the game reads).
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 PICTURES_FOLDER OUT [PICTURE...]" >&2; exit 2; }
pictures_folder=$(realpath "$1")
out=$2
shift 2
pictures=("$@")
[ ${#pictures[@]} -gt 0 ] ||
    pictures=(Background.bmp Link.bmp BlueSoldier.bmp GreenSoldier.bmp Armos.bmp)

here=$(dirname "$(realpath "$0")")
root=$(dirname "$here")
command -v emcc >/dev/null || { echo "$0: emcc not found: run tools/install_packages.sh" >&2; exit 1; }

# The game's sources but the desktop's entry.
mapfile -t sources < <(find "$root/src" -name '*.cpp' ! -path "$root/src/game/main.cpp" | sort)

# Each picture is packed at the root of the page's file system, where the game reads it by
# bare name, as it is: library_sdl_gaps.js reads the BMP files itself.
preload=()
for picture in "${pictures[@]}"; do
    [ -f "$pictures_folder/$picture" ] || { echo "$0: no $pictures_folder/$picture" >&2; exit 1; }
    preload+=(--preload-file "$pictures_folder/$picture@/$picture")
done

mkdir -p "$out"
# NODE_PATH: emcc's optimiser needs acorn, which Debian keeps in its own node folder.
# MINIFY_HTML=0: the HTML minifier of this emcc crashes. ALLOW_MEMORY_GROWTH: the background
# alone outgrows the default 16 MB heap. -fexceptions: the game's errors are exceptions, and
# must reach the entry's message. EXIT_RUNTIME: the page learns of the end through onExit.
NODE_PATH=/usr/share/nodejs emcc -std=c++17 -O2 -Wall -Wextra -Werror -fexceptions \
    -I "$root/src" -include "$here/sdl_compat.h" \
    "${sources[@]}" "$here/entry.cpp" \
    --js-library "$here/library_sdl_gaps.js" \
    --shell-file "$here/shell.html" \
    -sMINIFY_HTML=0 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 \
    "${preload[@]}" \
    -o "$out/index.html"
