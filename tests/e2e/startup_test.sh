#!/usr/bin/env bash
# Start-up on a real X server: the window's title, a full 640 x 480 picture that is not blank,
# the view centred on the player, and the X server's screen left as it was after the run.
source "$(dirname "$0")/lib.sh"

PLAYER_START_X=631 # world pixels
PLAYER_START_Y=388
CAMERA_LEFT_OF_PLAYER=310 # pixels from the view's corner to the player's, while it follows
CAMERA_ABOVE_PLAYER=228
MIN_COLOURS=32 # the drawn world has about a hundred; a blank or cleared screen one
MIN_MATCH=50     # percent of a capture that must be background for the camera to count

start_xvfb
screen_before=$(xdpyinfo | grep -E 'dimensions|depth of root')
start_program

windows=$(xdotool search --name "^$CAPTION\$" | wc -l)
check "a window is titled \"$CAPTION\"" between "$windows" 1 9
titles=$(for window in $(xdotool search --name "Tarnel"); do xdotool getwindowname "$window"; done)
check "its title is exactly \"$CAPTION\" (got: $titles)" grep -qx "$CAPTION" <<<"$titles"

capture start
read -r width height colours < <(identify -format '%w %h %k\n' "xwd:$E2E_WORK/start.xwd")
check "the screen is 640 x 480 (got $width x $height)" test "${width}x$height" = "$SCREEN_SIZE"
check "the picture is not blank ($colours colours)" between "$colours" "$MIN_COLOURS" "$SCREEN_PIXELS"

locate start
check "the screen shows the background" between "$CAMERA_MATCH" "$MIN_MATCH" 100
check "the camera starts centred on the player" \
    test "$CAMERA_X,$CAMERA_Y" = "$((PLAYER_START_X - CAMERA_LEFT_OF_PLAYER)),$((PLAYER_START_Y - CAMERA_ABOVE_PLAYER))"
check "the player is drawn near the screen's centre" \
    test "$PLAYER_X,$PLAYER_Y" = "$CAMERA_LEFT_OF_PLAYER,$CAMERA_ABOVE_PLAYER"

hold Escape 0.2
wait_for_exit 2
check "Escape ends it with status 0 (got '$PROGRAM_STATUS')" test "$PROGRAM_STATUS" = 0
check "it wrote nothing on stdout" test ! -s "$E2E_WORK/stdout"
check "the X server's screen is as it was" test "$(xdpyinfo | grep -E 'dimensions|depth of root')" = "$screen_before"

finish
