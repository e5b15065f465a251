#!/usr/bin/env bash
# Walking with the arrow keys: the view follows the player 4 pixels a frame in each direction
# with the player kept at the centre, and in the world's top-left corner the camera stops.
# Keys go down and up at set frames, so the walk meets the crowd of CROWD_SEED as in every run
# and is never blocked; a key may take effect a few frames late, which the checks allow for.
source "$(dirname "$0")/lib.sh"

STEP=4         # pixels the player walks a frame
START_X=321    # the camera at the start, world pixels
START_Y=160
CENTRE_X=310   # the player's screen place while the camera follows it
CENTRE_Y=228
LATE=4         # frames a key press or release may take effect late
RIGHT_FRAMES=20
DOWN_FRAMES=5

# steps DISTANCE LEAST MOST: whether DISTANCE pixels are whole steps, LEAST to MOST of them.
steps() {
    [ $(($1 % STEP)) = 0 ] && between $(($1 / STEP)) "$2" "$3"
}

start_xvfb
start_program

# Right and Down for a few frames, then Left until the world's left edge, Up until its top,
# then both into the corner.
capture_at 8 start
key_at 8 keydown Right
key_at $((8 + RIGHT_FRAMES)) keyup Right
capture_at 31 right
key_at 31 keydown Down
key_at $((31 + DOWN_FRAMES)) keyup Down
capture_at 39 down
key_at 39 keydown Left
capture_at 90 left
key_at 230 keyup Left # 182 frames at most reach the edge
capture_at 233 edge
key_at 233 keydown Up
capture_at 270 up
key_at 350 keyup Up # 106 frames at most reach the top
capture_at 353 corner
key_at 353 keydown Up Left
key_at 363 keyup Up Left
capture_at 366 beyond
hold Escape 0.2
wait_for_exit 2
check "Escape then ends it with status 0" test "$PROGRAM_STATUS" = 0

player_at_centre() {
    test "$PLAYER_X,$PLAYER_Y" = "$CENTRE_X,$CENTRE_Y"
}

locate start
check "the view starts centred on the player" \
    test "$CAMERA_X,$CAMERA_Y,$PLAYER_X,$PLAYER_Y" = "$START_X,$START_Y,$CENTRE_X,$CENTRE_Y"

locate right
right_x=$CAMERA_X
check "Right for $RIGHT_FRAMES frames shifts the view right by as many steps of $STEP" \
    steps $((CAMERA_X - START_X)) $((RIGHT_FRAMES - LATE)) $((RIGHT_FRAMES + LATE))
check "... and not up or down, with the player at the centre" \
    eval 'test "$CAMERA_Y" = "$START_Y" && player_at_centre'

locate down
down_y=$CAMERA_Y
check "Down for $DOWN_FRAMES frames shifts the view down by as many steps" \
    steps $((CAMERA_Y - START_Y)) 1 $((DOWN_FRAMES + LATE))
check "... and not sideways, with the player at the centre" \
    eval 'test "$CAMERA_X" = "$right_x" && player_at_centre'

locate left
check "Left shifts the view left by whole steps" steps $((right_x - CAMERA_X)) 1 100
check "... and not up or down, with the player at the centre" \
    eval 'test "$CAMERA_Y" = "$down_y" && player_at_centre'

locate edge
check "at the world's left edge the camera stopped while the player walked on to it" \
    test "$CAMERA_X,$PLAYER_X,$CAMERA_Y,$PLAYER_Y" = "0,0,$down_y,$CENTRE_Y"

locate up
check "Up shifts the view up by whole steps, with the player at the edge and the centre row" \
    eval 'steps $((down_y - CAMERA_Y)) 1 100 && test "$CAMERA_X,$PLAYER_X,$PLAYER_Y" = "0,0,$CENTRE_Y"'

locate corner
check "at the top the camera stopped while the player walked on into the corner" \
    test "$CAMERA_X,$CAMERA_Y,$PLAYER_X,$PLAYER_Y" = "0,0,0,0"
locate beyond
check "in the corner, Up and Left move neither the camera nor the player" \
    test "$CAMERA_X,$CAMERA_Y,$PLAYER_X,$PLAYER_Y" = "0,0,0,0"

finish
