#!/usr/bin/env bash
# Installs the distribution packages Tarnel needs: `run` for building and playing the game alone,
# `test` (the default) for that plus everything the tests, benchmarks, demo and package need,
# `fuzz` for that plus clang's libFuzzer.
# Does nothing when every package is already present; uses sudo when not run as root.
set -euo pipefail

run_packages=(
    cmake g++ make               # the build
    libsdl1.2-dev                # SDL 1.2 headers and the classic 1.2.15 runtime
    libsdl-mixer1.2-dev          # SDL_mixer 1.2, which plays the sounds
    po4a                         # the manual page in each language, from po/man/ (brings gettext)
    gettext                      # the catalogues: msgfmt at build time, xgettext for update-po
)
test_packages=(
    libsdl1.2-compat             # the sdl12-compat runtime; the tests run against both
    libgtest-dev                 # unit tests
    clang-format                 # the formatting check in the test suite
    imagemagick                  # `make sheet`: every frame of every sheet in one picture,
                                 # ... and `make web`: the page's icons, compressed
    xvfb xdotool                 # end-to-end tests and `make demo`: an X server, key presses
    x11-apps x11-utils           # ... xwd captures the screen, xdpyinfo reads the screen mode
    libbenchmark-dev             # tarnel_bench, built with the project and run by `make bench`
    time                         # `make profile`: the program's peak memory (/usr/bin/time -v)
    dpkg-dev file                # `make package`: CPack finds the dependencies with dpkg-shlibdeps
    desktop-file-utils           # the package test validates the desktop entry
    appstream                    # ... and the AppStream metainfo (appstreamcli)
    lintian                      # ... and checks the .deb as Debian's archive would
    man-db                       # ... and renders the manual page with warnings on
    valgrind                     # `make check-memory`: the program under memcheck
    emscripten                   # `make web`: the browser edition (emcc 3.1.6, offline)
    node-gettext-parser          # `make web`: the page's words in each language, as JSON
    nodejs npm                   # ... the browser tests: node, and npm ci for puppeteer-core
    chromium firefox-esr         # ... the two browser engines the tests play the page in, headless
)
fuzz_packages=(
    clang libfuzzer-14-dev       # `make fuzz`: the readers of untrusted files under libFuzzer
    libclang-rt-14-dev           # ... with clang's AddressSanitizer and UndefinedBehaviorSanitizer
)

case ${1:-test} in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
fuzz) packages=("${run_packages[@]}" "${test_packages[@]}" "${fuzz_packages[@]}") ;;
*)
    echo "usage: tools/install_packages.sh [run|test|fuzz]" >&2
    exit 2
    ;;
esac

# A package that an installed one provides counts as present: NodeSource's nodejs carries its
# own npm and conflicts with Debian's.
provided=$(dpkg-query -W -f='${Status}|${Provides}\n' | sed -n 's/^install ok installed|//p' |
    tr ',' '\n' | sed 's/^ *//; s/ .*//')
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        grep -qxF "$package" <<<"$provided" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
