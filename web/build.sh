#!/usr/bin/env bash
# Builds the browser edition with Emscripten: the game's sources with web/*.cpp, the page
# shell and the library's gaps filled, into OUT as index.html, index.js, index.wasm, and
# index.data, the pictures and sounds packed; beside them the page's script, web/page/*.js, its
# words and the program's messages in each language of po/, its manifest and icons, and the
# service worker that keeps them for play with no network.
# Usage: web/build.sh PICTURES_FOLDER OUT [PICTURE...]
#   PICTURES_FOLDER: where make_pictures drew the pictures and the page's icons, and
#   make_sounds made the sounds, which are always packed.
#   PICTURE: the pictures packed with the page, by name (default: all five the game reads).
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 PICTURES_FOLDER OUT [PICTURE...]" >&2; exit 2; }
pictures_folder=$(realpath "$1")
out=$2
shift 2
pictures=("$@")
[ ${#pictures[@]} -gt 0 ] ||
    pictures=(Background.bmp Link.bmp BlueSoldier.bmp GreenSoldier.bmp Armos.bmp)

sounds=(Step.wav GrassStep.wav Bump.wav Pause.wav Resume.wav Crowd.wav Wind.wav Bird.wav)

here=$(dirname "$(realpath "$0")")
root=$(dirname "$here")
command -v emcc >/dev/null || { echo "$0: emcc not found: run tools/install_packages.sh" >&2; exit 1; }
command -v convert >/dev/null ||
    { echo "$0: convert (ImageMagick) not found: run tools/install_packages.sh" >&2; exit 1; }

# The game's sources but the desktop's entry and its glibc generator's state (web/rand.cpp's).
mapfile -t sources < <(find "$root/src" -name '*.cpp' ! -path "$root/src/program/main.cpp" \
    ! -path "$root/src/world/glibc_rand_state.cpp" | sort)

# The page's icons, as make_pictures names them -> as the page names them.
declare -A icons=(
    [tarnel-page-192.png]=icon-192.png
    [tarnel-page-512.png]=icon-512.png
    [tarnel-filled-192.png]=icon-maskable-192.png
    [tarnel-filled-512.png]=icon-maskable-512.png
    [tarnel-filled-180.png]=apple-touch-icon.png
)
for picture in "${pictures[@]}" "${sounds[@]}" "${!icons[@]}"; do
    [ -f "$pictures_folder/$picture" ] || { echo "$0: no $pictures_folder/$picture" >&2; exit 1; }
done

mkdir -p "$out"
# The pictures and sounds, packed as web/pictures.js unpacks them into the page's files: each
# file after a line 'NAME SIZE', the whole gzipped.
for picture in "${pictures[@]}" "${sounds[@]}"; do
    printf '%s %d\n' "$picture" "$(stat -c %s "$pictures_folder/$picture")"
    cat "$pictures_folder/$picture"
done | gzip -9 -n >"$out/index.data"

# NODE_PATH: emcc's optimiser needs acorn, which Debian keeps in its own node folder.
# MINIFY_HTML=0: the HTML minifier of this emcc crashes. ALLOW_MEMORY_GROWTH: the background
# alone outgrows the default 16 MB heap. -fexceptions: the game's errors are exceptions, and
# must reach the entry's message. EXIT_RUNTIME: the page learns of the end through onExit.
# FORCE_FILESYSTEM: pictures.js makes the page's files from JavaScript. EXPORTED_FUNCTIONS: main,
# and what the page's replay controls and its sound call.
NODE_PATH=/usr/share/nodejs emcc -std=c++17 -O2 -Wall -Wextra -Werror -fexceptions \
    -I "$root/src" -include "$here/sdl_compat.h" \
    "${sources[@]}" "$here"/*.cpp \
    --js-library "$here/library_sdl_gaps.js" \
    --shell-file "$here/shell.html" \
    -sMINIFY_HTML=0 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 \
    --pre-js "$here/pictures.js" -sFORCE_FILESYSTEM=1 \
    -sEXPORTED_FUNCTIONS=_main,_tarnel_watch,_tarnel_watch_state,_tarnel_sound_start,_tarnel_set_muted,_tarnel_muted \
    -o "$out/index.html"

# The page's script, which the shell loads by bare name, and its manifest.
cp "$here"/page/*.js "$here/manifest.webmanifest" "$out/"

# The page's languages, from the catalogues in po/: for each, the page's words as
# languages/LL.js and the program's messages as languages/LL.mo, which the page loads for its
# reader's language alone. Beside them xx, the pseudo-language the program's tests use, made
# from the template by po/pseudo.sed, by which the tests tell a text the catalogues gave from
# one left in English. msgfmt fails the build on a translation whose %s or %d do not match.
PSEUDO=xx
mapfile -t languages < <(sed 's/#.*//' "$root/po/LINGUAS" | tr -s ' \t' '\n' | sed '/^$/d')
pseudo=$(mktemp --suffix=.po)
trap 'rm -f "$pseudo"' EXIT
msgen "$root/po/tarnel.pot" | msgfilter --keep-header -o "$pseudo" sed -f "$root/po/pseudo.sed"
mkdir -p "$out/languages"
for language in "${languages[@]}" "$PSEUDO"; do
    catalogue=$root/po/$language.po
    [ "$language" != "$PSEUDO" ] || catalogue=$pseudo
    msggrep --location='web/page/*' "$catalogue" | msgfmt --check-format -o - - |
        NODE_PATH=/usr/share/nodejs node "$here/page_words.js" >"$out/languages/$language.js"
    msggrep --invert-match --location='web/page/*' "$catalogue" |
        msgfmt --check-format -o "$out/languages/$language.mo" -
done
sed -i "s/{{{ LANGUAGES }}}/${languages[*]} $PSEUDO/" "$out/language.js"

# The icons, compressed: make_pictures stores its PNGs uncompressed (1 MB at 512 pixels a side);
# without a date, so that the same icon gives the same bytes.
for icon in "${!icons[@]}"; do
    convert "$pictures_folder/$icon" -strip -define png:exclude-chunks=date,time \
        -define png:compression-level=9 "$out/${icons[$icon]}"
done

# The service worker, with the build's files to keep and a hash of them all, which names their
# cache: a change to any file makes a new cache, and the page's next load fills it.
files=(index.html index.js index.wasm index.data manifest.webmanifest "${icons[@]}")
for script in "$here"/page/*.js; do files+=("$(basename "$script")"); done
mapfile -t files < <(printf '%s\n' "${files[@]}" | sort)
build=$(cd "$out" && sha256sum "${files[@]}" | sha256sum | cut -c1-16)
worker=$(<"$here/service_worker.js")
worker=${worker//'{{{ BUILD }}}'/$build}
worker=${worker//'{{{ FILES }}}'/$(printf "  '%s',\n" "${files[@]}")}
printf '%s\n' "$worker" >"$out/service-worker.js"
