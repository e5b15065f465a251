#!/usr/bin/env bash
# Record and replay with real key presses and pauses, on classic SDL 1.2 and on sdl12-compat: a
# game recorded on either runtime replays on either to the same last picture, byte for byte.
source "$(dirname "$0")/lib.sh"

COMPAT_SDL=/usr/lib/$(gcc -print-multiarch)/sdl12-compat
RUNTIMES=(classic compat)

# library_path RUNTIME: what LD_LIBRARY_PATH gives the program that runtime.
library_path() {
    [ "$1" = compat ] && echo "$COMPAT_SDL"
}

# record RUNTIME: plays with keys held and Return pressed at set frames, into RUNTIME.tarnel,
# keeping its last picture as RUNTIME.recorded.
record() {
    PROGRAM_ARGS=(--window --seed "$CROWD_SEED" --record "$E2E_WORK/$1.tarnel")
    start_program LD_LIBRARY_PATH="$(library_path "$1")" TARNEL_FLIP_LAST="$E2E_WORK/$1.recorded"
    key_at 8 keydown Right
    key_at 20 keyup Right
    key_at 24 key Return
    sleep 0.5 # paused: no frames to count
    xdotool key Return
    key_at 28 keydown Down
    key_at 36 keyup Down
    key_at 40 keydown Escape
    wait_for_exit 5
    xdotool keyup Escape
    check "$1: the recorded game ends with status 0 (got '$PROGRAM_STATUS')" \
        test "$PROGRAM_STATUS" = 0
    local paused
    paused=$(awk 'NR > 1 && $1 - last > gap { gap = $1 - last } { last = $1 } END { print int(gap / 1000) }' "$FLIP_LOG")
    check "... paused by Return for a while and resumed by it (the longest wait between frames: $paused ms)" \
        between "$paused" 400 100000
}

# replay RECORDED PLAYER: replays RECORDED.tarnel on the PLAYER runtime, its last picture kept
# as RECORDED.on.PLAYER.
replay() {
    PROGRAM_ARGS=(--window --replay "$E2E_WORK/$1.tarnel")
    launch_program LD_LIBRARY_PATH="$(library_path "$2")" LD_PRELOAD="$E2E_FLIP_PROBE" \
        TARNEL_FLIP_LAST="$E2E_WORK/$1.on.$2"
    wait_for_exit 30
    check "the game recorded on $1 replays on $2 to its end, status 0 (got '$PROGRAM_STATUS')" \
        test "$PROGRAM_STATUS" = 0
    check "... on the last picture it was recorded on" \
        cmp -s "$E2E_WORK/$1.recorded" "$E2E_WORK/$1.on.$2"
}

start_xvfb
for recorded in "${RUNTIMES[@]}"; do
    record "$recorded"
done
for recorded in "${RUNTIMES[@]}"; do
    for player in "${RUNTIMES[@]}"; do
        replay "$recorded" "$player"
    done
done

finish
