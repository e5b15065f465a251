#!/usr/bin/env bash
# Runs the program in the pseudo-language xx, where every sentence of the catalogue is bracketed
# and has no plain a, e, i or o: --help and each message the exit paths give. Any such vowel left,
# but in what the test itself gave (file names) or the system's and SDL's own words, is English
# that did not come from the catalogue. Usage: pseudo_language_test.sh BUILD_DIR
set -uo pipefail
program=$(realpath "$1")/tarnel
pictures=$(realpath "$1")

failures=0
folder=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-xx-XXXXXX")
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
cp "$pictures"/{Background,Link,BlueSoldier,GreenSoldier,Armos}.bmp .
mkdir lock

# Not the catalogue's words: the pictures' names, the folder, the system's and SDL's reasons.
THEIRS=(Background.bmp "$folder" "No such file or directory" "Is a directory"
    "No available video device" "none-such not available") # classic SDL's, sdl12-compat's

# expect STATUS ARGUMENT...: the program's status and its output, in xx alone.
expect() {
    local status=$1
    shift
    local output
    output=$(env LC_ALL=C.UTF-8 LANGUAGE=xx SDL_VIDEODRIVER=none-such XDG_RUNTIME_DIR="$folder/lock" \
        "$program" "$@" 2>&1)
    local got=$?
    local left=${output//tarnel: /}
    for words in "${THEIRS[@]}"; do left=${left//"$words"/}; done
    if [ "$got" -ne "$status" ] || [[ "$output" != *⟦* ]] || grep -q '[aeio]' <<<"$left"; then
        echo "FAIL: tarnel $* (status $got): $output" >&2
        failures=$((failures + 1))
    fi
}

# A recording: the magic word, then bytes as printf writes them.
recording() { printf '\x89TNL\r\n\x1a\n'"$2" >"$1"; }

expect 0 --help
expect 2 --bgs
expect 2 --hlp=x
expect 2 --sd
expect 2 -s x
expect 2 -z 9
expect 2 -r ''
expect 2 stry
expect 2 --sd=1 --rply=x.tnl
expect 2 -s 1 -p x.tnl
expect 2 -p x.tnl -r y.tnl
expect 2 --qt-t-nd
expect 2 --quit-at-end
expect 2 -r Background.bmp
expect 2 -r gn/w.tnl
expect 1 -w -r n.tnl
printf 'hllw' >txt.tnl
recording nwr.tnl '\x02\x03\x02\x14\x07\x01\x00\x01'
recording zr.tnl '\x00'
recording ct.tnl '\x01\x03\x02\x14'
recording mpty.tnl '\x01\x03\x02\x14\x07\x00'
recording lng.tnl '\x01\x03\x02\x14\x07\x0a\x02\x0b'
recording sd.tnl '\x01\x03\x02\x14\x80\x80\x80\x80\x10\x01\x00\x01'
recording ndlss.tnl '\x01\x03\x02\x14\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\x01'
recording rt.tnl '\x01\x03\x02\x1e\x07\x01\x00\x01'
recording cd.tnl '\x01\x03\x02\x14\x07\x01\xc2\x01'
recording mr.tnl '\x01\x03\x02\x14\x07\x01\x00\x01\x00'
truncate -s 17M hg.tnl
for file in txt nwr zr ct mpty lng sd ndlss rt cd mr hg; do expect 1 -p "$file.tnl"; done
# Held by another copy: flock holds the full-screen lock while the program starts.
env LC_ALL=C.UTF-8 LANGUAGE=xx SDL_VIDEODRIVER=none-such XDG_RUNTIME_DIR="$folder/lock" \
    flock "lock/tarnel-$(id -u)-none.lock" "$program" -s 1 2>held.txt
[[ "$(cat held.txt)" == "tarnel: ⟦"*"⟧" ]] && ! grep -q '[aeio]' <<<"$(sed 's/^tarnel: //' held.txt)" ||
    { echo "FAIL: the full screen held: $(cat held.txt)" >&2; failures=$((failures + 1)); }
# The background missing, compressed, and shorter than its header says.
mv Background.bmp whole.bmp
expect 1 -w
printf '\x63' | dd of=whole.bmp bs=1 seek=30 conv=notrunc status=none
cp whole.bmp Background.bmp
expect 1 -w
head -c 1000 whole.bmp >Background.bmp
expect 1 -w

[ "$failures" -eq 0 ] && echo "every sentence came from the catalogue"
exit "$failures"
