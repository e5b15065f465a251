#!/usr/bin/env bash
# The command line on a real X server larger than the game: --window leaves the server's mode
# alone and shows a 640 x 480 window with the caption; the same --seed draws the same frames and
# another seed other ones; a second full-screen copy is refused at once.
source "$(dirname "$0")/lib.sh"

SCREEN_SIZE=1024x768 # larger than the game, so a mode change would show
DUMPED_FRAMES=20     # one second of play
FRAME_BYTES=$((SCREEN_W * SCREEN_H * 4))

# The mapped windows as large as the X server's screen, the root aside: a full-screen game's.
screen_covering_windows() {
    local root window
    root=$(xwininfo -root -int | awk '/Window id:/ { print $4 }')
    for window in $(xdotool search --onlyvisible --maxdepth 1 --name ''); do
        [ "$window" = "$root" ] && continue
        xdotool getwindowgeometry "$window" | grep -q "Geometry: $SCREEN_SIZE\$" && echo "$window"
    done | wc -l
}

differ() {
    ! cmp -s "$1" "$2"
}

# frames_of SEED NAME: plays --window --seed SEED until the probe has dumped its frames as NAME.
frames_of() {
    local dump="$E2E_WORK/$2.frames" tries
    PROGRAM_ARGS=(--window --seed "$1")
    start_program TARNEL_FLIP_DUMP="$dump" \
        TARNEL_FLIP_FRAMES="$DUMPED_FRAMES"
    for tries in $(seq 100); do
        [ "$(stat -c %s "$dump" 2>/dev/null)" = $((FRAME_BYTES * DUMPED_FRAMES)) ] && break
        sleep 0.05
    done
    COVERING=$(screen_covering_windows)
    WINDOW_SIZE=$(window_size)
    stop_program
}

start_xvfb
mode_before=$(screen_mode)

frames_of 7 first
check "--window: a window titled \"$CAPTION\" of ${SCREEN_W}x$SCREEN_H ($WINDOW_SIZE)" \
    test "$WINDOW_SIZE" = "${SCREEN_W}x$SCREEN_H"
check "... covering none of the screen beyond it ($COVERING windows do)" test "$COVERING" = 0
check "... and the X server's mode unchanged ($(screen_mode))" test "$(screen_mode)" = "$mode_before"
frames_of 7 again
frames_of 8 other
check "$DUMPED_FRAMES frames dumped" test "$(stat -c %s "$E2E_WORK/first.frames")" = \
    $((FRAME_BYTES * DUMPED_FRAMES))
check "the same seed draws the same frames" cmp -s "$E2E_WORK/first.frames" "$E2E_WORK/again.frames"
check "another seed draws other frames" differ "$E2E_WORK/first.frames" "$E2E_WORK/other.frames"

# A full-screen copy, then a second one: refused at once, with the way to play alongside.
PROGRAM_ARGS=()
start_program
first_pid=$PROGRAM_PID
PROGRAM_PID=""
launch_program
wait_for_exit 5
check "a second full-screen copy ends at once with status 1 (got '$PROGRAM_STATUS')" \
    test "$PROGRAM_STATUS" = 1
check "... saying another copy holds the screen: $(grep '^tarnel: ' "$E2E_WORK/stderr")" \
    grep -qx "tarnel: another copy holds the full screen; 'tarnel --window' plays alongside it" \
    "$E2E_WORK/stderr"
PROGRAM_PID=$first_pid
stop_program
check "the first copy plays on and ends with status 0 (got '$PROGRAM_STATUS')" \
    test "$PROGRAM_STATUS" = 0

finish
