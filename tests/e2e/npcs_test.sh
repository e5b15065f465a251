#!/usr/bin/env bash
# The non-player sprites walk by themselves: with no key held, the view and the player stay
# put while the picture changes elsewhere over one second (20 frames) of the seeded crowd.
source "$(dirname "$0")/lib.sh"

PLAYER_MARGIN=4   # pixels around the player's frame left out of the comparison
MIN_CHANGED=1000  # pixels: one soldier's step changes a few hundred, the world's many more

start_xvfb
start_program

capture_at 10 first
capture_at 30 second
locate first
first_place="$CAMERA_X,$CAMERA_Y,$PLAYER_X,$PLAYER_Y"
locate second
check "with no key held the camera and the player stay put" \
    test "$first_place" = "$CAMERA_X,$CAMERA_Y,$PLAYER_X,$PLAYER_Y"
changed=$(differences first second $((PLAYER_X - PLAYER_MARGIN)) $((PLAYER_Y - PLAYER_MARGIN)) \
    $((PLAYER_FRAME_W + 2 * PLAYER_MARGIN)) $((PLAYER_FRAME_H + 2 * PLAYER_MARGIN)))
check "20 frames later the picture differs away from the player ($changed pixels)" \
    between "$changed" "$MIN_CHANGED" "$SCREEN_PIXELS"
# The view holds a row of sprites above the player and one below: both rows walk.
half=$((SCREEN_H / 2))
above=$(differences first second 0 "$half" "$SCREEN_W" "$half")
below=$(differences first second 0 0 "$SCREEN_W" "$half")
both_rows_walked() {
    between "$above" $((MIN_CHANGED / 4)) "$SCREEN_PIXELS" &&
        between "$below" $((MIN_CHANGED / 4)) "$SCREEN_PIXELS"
}
check "... both above the screen's middle ($above) and below it ($below)" both_rows_walked

finish
