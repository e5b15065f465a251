#!/usr/bin/env bash
# Builds the Debian package and checks it as a user and Debian's archive would meet it: its
# control fields and files, lintian, the desktop entry, metadata, catalogues, manual page and
# icons, and the unpacked launcher run from elsewhere; then the same launcher from a plain
# `cmake --install` that was moved and is reached through a link on the PATH, in English and in
# German; then install, clean and uninstall.
# Usage: package_test.sh SOURCE_DIR BUILD_DIR VERSION LAUNCHER_DIR
set -uo pipefail
source_dir=$1
build_dir=$2
version=$3
launcher_dir=$4

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Each background job gets a process group of its own, so that whatever a launcher leaves
# behind can be ended with it.
set -m
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-package-XXXXXX")
program_pid=""
end_program_group() {
    [ -n "$program_pid" ] && kill -KILL -- "-$program_pid" 2>/dev/null
    program_pid=""
}
cleanup() {
    end_program_group
    rm -rf "$scratch"
}
trap cleanup EXIT

# Runs a command (a launcher) from an empty folder of its own on the dummy drivers, sends it
# SIGTERM after a second, and checks that it was still running then, exited 0 and wrote nothing
# in the working folder.
run_and_terminate() {
    local what=$1
    shift
    local folder
    folder=$(mktemp -d "$scratch/cwd-XXXXXX")
    (cd "$folder" && exec env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$@") \
        2>"$folder.stderr" &
    program_pid=$!
    sleep 1
    if ! kill -0 "$program_pid" 2>/dev/null; then
        wait "$program_pid"
        fail "$what: ended by itself with status $? before SIGTERM: $(cat "$folder.stderr")"
        end_program_group
        return
    fi
    kill -TERM "$program_pid"
    wait "$program_pid"
    local status=$?
    end_program_group
    [ "$status" -eq 0 ] || fail "$what: exited $status after SIGTERM: $(cat "$folder.stderr")"
    [ -z "$(ls -A "$folder")" ] || fail "$what: wrote into its working folder: $(ls -A "$folder")"
}

# --- The package, as `make package` builds it. A make above ctest may have left its job-server
# settings behind, which the package build's own make cannot use.
unset MAKEFLAGS MFLAGS MAKELEVEL
deb=$("$source_dir/tools/build_package.sh" "$build_dir/package") || {
    echo "FAIL: the package did not build" >&2
    exit 1
}
echo "package: $deb"

control=$(dpkg-deb -I "$deb" control)
field() { sed -n "s/^$1: //p" <<<"$control"; }
[ "$(field Package)" = tarnel ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] ||
    fail "Architecture is '$(field Architecture)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)'"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] ||
    fail "Maintainer is not 'Name <address>': '$(field Maintainer)'"
[ -n "$(field Description)" ] && grep -q '^ [^ ]' <<<"$control" ||
    fail "Description lacks a summary or a long description"

depends=$(field Depends)
clauses=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//')
# dpkg-shlibdeps fills in the C and C++ runtimes; hand-written dependencies would lack them.
for runtime in libc6 libstdc++6; do
    sed 's/[ (].*//' <<<"$clauses" | grep -qxF "$runtime" || fail "Depends lacks $runtime: $depends"
done
# The SDL dependency must be met by the classic runtime and by sdl12-compat's shim, which
# provides libsdl1.2debian at version 1.2.15-1.
sdl=$(grep -E '^libsdl1\.2debian( |$)' <<<"$clauses" || true)
if [ -z "$sdl" ]; then
    fail "Depends lacks libsdl1.2debian: $depends"
elif [[ "$sdl" =~ \((>=|>>|=)\ *([^\)]+)\) ]]; then
    relation=${BASH_REMATCH[1]}
    needed=${BASH_REMATCH[2]}
    classic=$(dpkg-query -W -f='${Version}' libsdl1.2debian)
    for offered in "$classic" 1.2.15-1; do
        case $relation in
        ">=") dpkg --compare-versions "$offered" ge "$needed" ;;
        ">>") dpkg --compare-versions "$offered" gt "$needed" ;;
        "=") dpkg --compare-versions "$offered" eq "$needed" ;;
        esac || fail "libsdl1.2debian $offered does not satisfy '$sdl'"
    done
fi

root=$scratch/unpacked
dpkg-deb -x "$deb" "$root"
pictures=$root/usr/share/games/tarnel
for file in usr/games/tarnel usr/lib/games/tarnel/tarnel; do
    [ -x "$root/$file" ] || fail "$file is missing or not executable"
done
for file in Background.bmp Link.bmp BlueSoldier.bmp GreenSoldier.bmp Armos.bmp; do
    cmp -s "$pictures/$file" "$build_dir/package/$file" || fail "$file is not the drawn picture"
done

# What Debian's archive and software centres check: lintian on the whole package (any error,
# warning, info, pedantic or experimental tag not overridden fails), the desktop entry, the
# AppStream metadata and the manual page.
lintian_tags=$(lintian --pedantic --display-info --display-experimental "$deb" 2>&1 |
    grep -E '^[EWIPX]: ')
[ -z "$lintian_tags" ] || fail "lintian: $lintian_tags"
app_id=example.tarnel.tarnel
desktop=$root/usr/share/applications/$app_id.desktop
if validation=$(desktop-file-validate "$desktop" 2>&1); then
    grep -qi error <<<"$validation" && fail "$app_id.desktop: $validation"
else
    fail "$app_id.desktop does not validate: $validation"
fi
grep -qx 'Categories=.*\bGame;.*' "$desktop" || fail "the desktop entry is not in the Game category"
grep -qx 'Icon=tarnel' "$desktop" || fail "the desktop entry names no tarnel icon"
grep -qx 'Exec=tarnel' "$desktop" || fail "the desktop entry does not start the full-screen game"
validation=$(appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" 2>&1) ||
    fail "the AppStream metadata does not validate: $validation"
# One catalogue a language, in which the unpacked program, the desktop entry and the metainfo
# all speak it; the pseudo-language is the tests' own and stays out.
english=$(LC_ALL=C "$root/usr/games/tarnel" --help)
while read -r language; do
    [ -s "$root/usr/share/locale/$language/LC_MESSAGES/tarnel.mo" ] ||
        fail "the package holds no catalogue for $language"
    help=$(LC_ALL=C.UTF-8 LANGUAGE=$language "$root/usr/games/tarnel" --help)
    [ -n "$help" ] && [ "$help" != "$english" ] || fail "tarnel --help is not in $language"
    grep -q "^Comment\[$language\]=" "$desktop" || fail "the desktop entry has no $language Comment"
    grep -q "<summary xml:lang=\"$language\">" "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
        fail "the metainfo has no $language summary"
done <"$source_dir/po/LINGUAS"
[ ! -e "$root/usr/share/locale/xx" ] || fail "the package holds the pseudo-language"
# Renders a manual page as man shows it, into the file named second; prints groff's warnings.
render_manual() {
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$1" 2>&1 >"$2"
}
manual=$(render_manual "$root/usr/share/man/man6/tarnel.6.gz" "$scratch/manual.en")
[ -z "$manual" ] || fail "the manual page renders with warnings: $manual"
english_summary=$(sed -n '/^NAME$/{n;p;q}' "$scratch/manual.en")
# Each language of po/man/po4a.cfg has its page, translated: it reads otherwise than the English.
for language in $(sed -n 's/^\[po4a_langs\] *//p' "$source_dir/po/man/po4a.cfg"); do
    page=$root/usr/share/man/$language/man6/tarnel.6.gz
    if [ ! -f "$page" ]; then
        fail "the package holds no $language manual page"
        continue
    fi
    manual=$(render_manual "$page" "$scratch/manual.$language")
    [ -z "$manual" ] || fail "the $language manual page renders with warnings: $manual"
    ! grep -qxF "$english_summary" "$scratch/manual.$language" ||
        fail "the $language manual page names the game in English"
done

# Each icon is the player's standing frame facing down (frame 10 of 19 x 24 in Link.bmp), scaled
# by nearest neighbour by the largest whole factor that fits, or down to fit, and centred (the
# odd pixel to the right and below), transparent around him. ImageMagick's PNG reader checks
# every CRC.
for size in 16 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x$size/apps/tarnel.png
    [ "$(identify -format '%m %w %h %A' "$icon" 2>&1)" = "PNG $size $size True" ] ||
        fail "the $size-pixel icon is not a PNG with transparency: $(identify "$icon" 2>&1)"
    factor=$((size / 24))
    if [ "$factor" -ge 1 ]; then
        scaled="${factor}00%" width=$((19 * factor)) height=$((24 * factor))
    else
        scaled="${size}x$size" width=$(((19 * size + 12) / 24)) height=$size
    fi
    convert "$pictures/Link.bmp" -crop 19x24+0+240 +repage -transparent magenta -sample "$scaled" \
        -background none -extent "${size}x$size-$(((size - width) / 2))-$(((size - height) / 2))" \
        "$scratch/expected_icon.png"
    differing=$(compare -metric AE "$scratch/expected_icon.png" "$icon" null: 2>&1)
    [ "$differing" = 0 ] || fail "the $size-pixel icon differs from the player's frame: $differing"
done

run_and_terminate "unpacked package" "$root/usr/games/tarnel"

# --- A plain install, moved elsewhere after installing and started by name through a link.
cmake --install "$build_dir" --prefix "$scratch/installed" >/dev/null
mv "$scratch/installed" "$scratch/moved"
mkdir "$scratch/path"
ln -s "$scratch/moved/$launcher_dir/tarnel" "$scratch/path/tarnel"
run_and_terminate "moved install" env PATH="$scratch/path:$PATH" tarnel

# The launcher passes the program's failure through.
find "$scratch/moved" -name Background.bmp -delete
errors=$(cd "$scratch" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$scratch/path/tarnel" 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "without Background.bmp the launcher exited $status, not 1"
grep -q '^tarnel: cannot load Background.bmp' <<<"$errors" ||
    fail "without Background.bmp the launcher said: $errors"
# ... in the user's language, from the catalogues the moved install found beside itself.
errors=$(cd "$scratch" && LC_ALL=C.UTF-8 LANGUAGE=de SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "$scratch/path/tarnel" 2>&1)
grep -q '^tarnel: Background.bmp lässt sich nicht laden' <<<"$errors" ||
    fail "without Background.bmp the moved install said in German: $errors"

# --- make install into a prefix that holds something of the user's, make clean, make uninstall:
# the prefix is left as it was. The fresh build folder is configured as a first `make run` does.
prefix=$scratch/prefix
mkdir -p "$prefix/bin" "$prefix/share/man"
echo "the user's" >"$prefix/share/man/notes"
before=$(cd "$prefix" && find . -printf '%p %M\n' | sort)
in_source() { make -C "$source_dir" BUILD="$scratch/build" SANITIZE_BUILD="$scratch/none" "$@" 2>&1; }
output=$(in_source install PREFIX="$prefix") || fail "make install: $output"
[ -x "$prefix/bin/tarnel" ] || fail "make install put no launcher in $prefix/bin"
output=$(in_source clean) || fail "make clean: $output"
output=$(in_source uninstall PREFIX="$prefix") || fail "make uninstall after make clean: $output"
after=$(cd "$prefix" && find . -printf '%p %M\n' | sort)
[ "$before" = "$after" ] ||
    fail "install, clean and uninstall changed the prefix: $(diff <(echo "$before") <(echo "$after"))"

[ "$failures" -eq 0 ] || exit 1
echo "package, launcher, install and uninstall: all checks passed"
