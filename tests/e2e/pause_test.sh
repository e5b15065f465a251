#!/usr/bin/env bash
# Return pauses and resumes: while paused no frame is shown and the picture stands still, also
# with an arrow key held; once resumed, the world moves again.
source "$(dirname "$0")/lib.sh"

START_CAMERA_X=321 # world pixels: the player's start less the 310 it is kept from the edge

start_xvfb
start_program

press Return
sleep 0.3 # the frame that takes the key-down event is at most 50 ms away
paused_at=$(frames_drawn)
capture paused_1
xdotool keydown Right
sleep 0.5
capture paused_2
xdotool keyup Right
check "paused, holding Right, half a second shows no frame ($paused_at, then $(frames_drawn))" \
    test "$(frames_drawn)" = "$paused_at"
check "... and the screen stays as it was" test "$(differences paused_1 paused_2)" = 0

press Return
wait_for_frame $((paused_at + 10))
capture resumed
changed=$(differences paused_2 resumed)
check "Return again resumes: the picture changes ($changed pixels)" between "$changed" 1 "$SCREEN_PIXELS"
locate resumed
check "... and the Right held while paused did not move the player" test "$CAMERA_X" = "$START_CAMERA_X"

finish
