#!/usr/bin/env bash
# Record and replay with real key presses and pauses, on classic SDL 1.2 and on sdl12-compat: a
# game recorded on either runtime replays on either to the same last picture, byte for byte;
# and watched, paused, sought to the middle or stepped back from the end, it shows the same
# pictures as a replay that nobody touches.
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
    PROGRAM_ARGS=(--window --quit-at-end --replay "$E2E_WORK/$1.tarnel")
    launch_program LD_LIBRARY_PATH="$(library_path "$2")" LD_PRELOAD="$E2E_FLIP_PROBE" \
        TARNEL_FLIP_LAST="$E2E_WORK/$1.on.$2"
    wait_for_exit 30
    check "the game recorded on $1 replays on $2 to its end, status 0 (got '$PROGRAM_STATUS')" \
        test "$PROGRAM_STATUS" = 0
    check "... on the last picture it was recorded on" \
        cmp -s "$E2E_WORK/$1.recorded" "$E2E_WORK/$1.on.$2"
}

# focus_game: the keys go to the game's window. A program on sdl12-compat takes the focus for
# its window, and once it has ended, classic SDL's window would not get it back.
focus_game() {
    xdotool search --name "$WINDOW_NAME" windowfocus --sync
}

# watch PLAYER: on the PLAYER runtime, the classic game paused by Space for a second and
# resumed, then sought to 50 % and played on; and a walk of its own stepped back from its end,
# then stepped on by Right held.
watch() {
    PROGRAM_ARGS=(--window --quit-at-end --replay "$E2E_WORK/classic.tarnel")
    start_program LD_LIBRARY_PATH="$(library_path "$1")" TARNEL_FLIP_LAST="$E2E_WORK/watched.$1"
    focus_game
    key_at 8 key space
    wait_until_still # a key's event may wait a few frames behind others in SDL's queue
    local before caption
    before=$(frames_drawn)
    capture paused.before
    sleep 1
    capture paused.after
    caption=$(xdotool search --name "$WINDOW_NAME" getwindowname)
    check "$1: paused by Space, no frame is drawn for a second ($before, then $(frames_drawn))" \
        test "$before" = "$(frames_drawn)"
    check "... and the picture stays the same" \
        cmp -s "$E2E_WORK/paused.before.xwd" "$E2E_WORK/paused.after.xwd"
    check "... while the caption says where the replay stands ('$caption')" \
        grep -qxE "$CAPTION · 0:0[0-9] / 0:0[0-9] · 1×" <<<"$caption"
    xdotool key space
    wait_for_frame $((before + 3))
    xdotool key 5
    wait_for_exit 30
    check "... resumed by Space and sought to 50 %, it ends with status 0 (got '$PROGRAM_STATUS')" \
        test "$PROGRAM_STATUS" = 0
    check "... on the last picture it was recorded on" \
        cmp -s "$E2E_WORK/classic.recorded" "$E2E_WORK/watched.$1"

    PROGRAM_ARGS=(--window --replay "$E2E_WORK/walk.tarnel")
    start_program LD_LIBRARY_PATH="$(library_path "$1")" TARNEL_FLIP_LAST="$E2E_WORK/stepped.$1"
    focus_game
    xdotool key End
    wait_until_still
    before=$(frames_drawn)
    xdotool key Left
    wait_for_frame $((before + 1))
    wait_until_still
    check "$1: held at its last frame, the replay has not ended" program_running
    stop_program
    PROGRAM_ARGS=(--window --quit-at-end --replay "$E2E_WORK/walk-but-one.tarnel")
    launch_program LD_LIBRARY_PATH="$(library_path "$1")" LD_PRELOAD="$E2E_FLIP_PROBE" \
        TARNEL_FLIP_LAST="$E2E_WORK/but-one.$1"
    wait_for_exit 30
    check "... End then Left shows the second-to-last frame of a replay nobody touches" \
        cmp -s "$E2E_WORK/but-one.$1" "$E2E_WORK/stepped.$1"

    # Held, an arrow repeats after half a second, 20 times a second: about 20 steps in 1.5 s.
    PROGRAM_ARGS=(--window --replay "$E2E_WORK/walk.tarnel")
    start_program LD_LIBRARY_PATH="$(library_path "$1")"
    focus_game
    xdotool key space
    wait_until_still
    before=$(frames_drawn)
    hold Right 1.5
    wait_until_still
    check "$1: Right held for 1.5 s while paused steps frame after frame ($before, then $(frames_drawn))" \
        test "$(frames_drawn)" -ge $((before + 10))
    stop_program
}

start_xvfb
# Right, down, then left: its last two frames differ.
write_recording "$E2E_WORK/walk.tarnel" 2:30 3:20 4:30
write_recording "$E2E_WORK/walk-but-one.tarnel" 2:30 3:20 4:29
for recorded in "${RUNTIMES[@]}"; do
    record "$recorded"
done
for recorded in "${RUNTIMES[@]}"; do
    for player in "${RUNTIMES[@]}"; do
        replay "$recorded" "$player"
    done
done
for player in "${RUNTIMES[@]}"; do
    watch "$player"
done

finish
