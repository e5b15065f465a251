#!/usr/bin/env bash
# Whole-number scaling on a full-HD X server: a window twice as large shows the game's own
# picture block for block, the scaled full screen keeps the server's mode and centres the
# picture between black borders, and F11 goes to the full screen and back with the game going on.
source "$(dirname "$0")/lib.sh"

SCREEN_SIZE=1920x1080
PAUSED_AT=30 # frames drawn before the recording pauses
# Walk right, stand, then pause for ten seconds: every run shows one picture from frame 30 on.
RUNS=(2:20 0:10 16:1 0:200)

# paused_picture NAME FLIPS ARGUMENT...: replays the recording with the arguments and captures
# the screen as NAME once the paused picture is shown, at the FLIPSth flip.
paused_picture() {
    local name=$1 flips=$2
    shift 2
    PROGRAM_ARGS=("$@" --replay "$E2E_WORK/paused.tarnel")
    start_program
    wait_for_frame "$flips"
    wait_until_still
    capture "$name"
    WINDOWS=$(xdotool search --name "$WINDOW_NAME" | wc -l)
    WINDOW_SIZE=$(window_size)
    MODE=$(screen_mode)
    stop_program
}

start_xvfb
mode_before=$(screen_mode)
write_recording "$E2E_WORK/paused.tarnel" "${RUNS[@]}"
convert -size "$SCREEN_SIZE" xc:black -depth 8 "$E2E_WORK/black.ppm"

paused_picture plain "$PAUSED_AT" --window
game_picture plain 0 0 1

paused_picture double "$PAUSED_AT" --window --scale=2
check "--window --scale=2: one window titled \"$CAPTION\" ($WINDOWS) of 1280x960 ($WINDOW_SIZE)" \
    test "$WINDOWS,$WINDOW_SIZE" = "1,1280x960"
game_picture double 0 0 2
check "... whose picture, taken back 2:1, is the unscaled one ($(differences plain double) pixels differ)" \
    test "$(differences plain double)" = 0

# SDL flips once more as it opens a full screen.
paused_picture full $((PAUSED_AT + 1)) --fullscreen --scale=auto
check "--fullscreen --scale=auto: the server's mode is unchanged ($MODE)" test "$MODE" = "$mode_before"
ppm full
check "... with black borders around a picture twice as large at (320, 60)" \
    test "$("$E2E_CAPTURE_TOOL" diff "$E2E_WORK/full.ppm" "$E2E_WORK/black.ppm" 320 60 1280 960)" = 0
rm "$E2E_WORK/full.ppm"
game_picture full 320 60 2
check "... which, taken back 2:1, is the unscaled one ($(differences plain full) pixels differ)" \
    test "$(differences plain full)" = 0

# F11 to the full screen and back, real keys: the walk so far and the frames go on. While another
# copy holds the full-screen lock (this script, here), F11 stays in the window and says so.
PROGRAM_ARGS=(--window --scale=2 --seed "$CROWD_SEED")
start_program XDG_RUNTIME_DIR="$E2E_WORK"
xdotool mousemove 100 100
exec 9>"$E2E_WORK/tarnel-$(id -u)-$DISPLAY.lock"
flock -n 9
key_at 8 keydown Right
key_at 18 keyup Right
key_at 20 key F11
wait_for_frame 30
check "F11 while another copy holds the full screen: still a window of 1280x960 ($(window_size))" \
    test "$(window_size)" = 1280x960
check "... and one line says so: $(grep '^tarnel: ' "$E2E_WORK/stderr")" \
    test "$(grep '^tarnel: ' "$E2E_WORK/stderr")" = \
    "tarnel: another copy holds the full screen; staying in the window"
exec 9>&-
capture_at 32 before
game_picture before 0 0 2
locate before
camera_before="$CAMERA_X,$CAMERA_Y"
key_at 34 key F11
wait_for_frame 48
full_size=$(window_size)
full_mode=$(screen_mode)
key_at 50 key F11
wait_for_frame 64
capture after
game_picture after 0 0 2
locate after
check "F11 once the lock is free: the full screen at the server's own mode ($full_size; $full_mode)" \
    test "$full_size,$full_mode" = "1920x1080,$mode_before"
check "F11 again: back in a window of 1280x960 ($(window_size))" test "$(window_size)" = 1280x960
check "... the view where the walk left it ($camera_before), with the player at the centre" \
    test "$CAMERA_X,$CAMERA_Y,$PLAYER_X,$PLAYER_Y" = "$camera_before,310,228"
check "... and the frames going on ($(frames_drawn) drawn)" between "$(frames_drawn)" 64 100000
hold Escape 0.2
wait_for_exit 2
check "Escape then ends it with status 0 (got '$PROGRAM_STATUS')" test "$PROGRAM_STATUS" = 0

finish
