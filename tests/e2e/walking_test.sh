#!/usr/bin/env bash
# Walking with the arrow keys: the view follows the player 4 pixels a frame in each direction
# with the player kept at the centre, and in the world's top-left corner the camera stops.
source "$(dirname "$0")/lib.sh"

STEP=4                    # pixels the player walks a frame
FRAMES_PER_SECOND=20
CENTRE_X=310              # the player's screen place while the camera follows it
CENTRE_Y=228
CENTRE_SLACK=4            # pixels
SHORTEST_WALK=8           # pixels: two steps, for a walk that a wandering sprite may cut short
SIDESTEP_SECONDS=0.3      # around a sprite in the way
CORNER_TIMEOUT_S=30       # for each of the two walks to the world's edge

# shift_after KEY SECONDS NAME: holds KEY, captures NAME, and sets SHIFT_X, SHIFT_Y to how far
# the camera moved since the capture before.
previous_x="" previous_y=""
shift_after() {
    hold "$1" "$2"
    capture "$3"
    locate "$3"
    SHIFT_X=$((CAMERA_X - previous_x))
    SHIFT_Y=$((CAMERA_Y - previous_y))
    previous_x=$CAMERA_X
    previous_y=$CAMERA_Y
}

player_near_centre() {
    between "$PLAYER_X" $((CENTRE_X - CENTRE_SLACK)) $((CENTRE_X + CENTRE_SLACK)) &&
        between "$PLAYER_Y" $((CENTRE_Y - CENTRE_SLACK)) $((CENTRE_Y + CENTRE_SLACK))
}

# kept_to_axis AXIS: the last shift was along AXIS (x or y) only, the player at the centre.
kept_to_axis() {
    local across=$SHIFT_Y
    [ "$1" = y ] && across=$SHIFT_X
    [ "$across" = 0 ] && player_near_centre
}

start_xvfb
start_program
capture start
locate start
previous_x=$CAMERA_X
previous_y=$CAMERA_Y

# One second of Right is about 20 frames, 80 pixels, give or take a frame of key timing.
shift_after Right 1 right
check "Right for 1 s shifts the view right by whole steps of $STEP (got $SHIFT_X, $SHIFT_Y)" \
    test $((SHIFT_X % STEP)) = 0 -a "$SHIFT_Y" = 0
check "... about one second of steps" \
    between "$SHIFT_X" $((STEP * FRAMES_PER_SECOND / 2)) $((STEP * FRAMES_PER_SECOND * 5 / 4))
check "... with the player still at the centre ($PLAYER_X, $PLAYER_Y)" kept_to_axis x

# Sprites wander into the player's way as time passes, so the other walks ask only for a
# plausible distance in the right direction.
longest_half_second=$((STEP * FRAMES_PER_SECOND * 5 / 8))
shift_after Down 0.5 down
check "Down moves the view down (got $SHIFT_X, $SHIFT_Y)" \
    between "$SHIFT_Y" "$SHORTEST_WALK" "$longest_half_second"
check "... and not sideways, with the player at the centre" kept_to_axis y
shift_after Left 1 left
check "Left moves the view left (got $SHIFT_X, $SHIFT_Y)" \
    between "$SHIFT_X" $((-2 * longest_half_second)) $((-SHORTEST_WALK))
check "... and not up or down, with the player at the centre" kept_to_axis x
shift_after Up 0.5 up
check "Up moves the view up (got $SHIFT_X, $SHIFT_Y)" \
    between "$SHIFT_Y" $((-longest_half_second)) $((-SHORTEST_WALK))
check "... and not sideways, with the player at the centre" kept_to_axis y

# walk_to_edge KEY AXIS SIDE_KEYS...: holds KEY until the player's world coordinate on AXIS
# (x or y) is 0, stepping aside with the side keys in turn when a sprite blocks the way.
walk_to_edge() {
    local key=$1 axis=$2
    shift 2
    local side_keys=("$@") sides=0 last=""
    local deadline=$(($(now_ms) + CORNER_TIMEOUT_S * 1000))
    xdotool keydown "$key"
    while [ "$(now_ms)" -lt "$deadline" ]; do
        sleep 0.5
        capture walk
        locate walk >/dev/null
        WORLD_X=$((CAMERA_X + PLAYER_X))
        WORLD_Y=$((CAMERA_Y + PLAYER_Y))
        local position=$WORLD_X
        [ "$axis" = y ] && position=$WORLD_Y
        [ "$position" = 0 ] && break
        if [ "$position" = "$last" ]; then
            echo "     blocked at ($WORLD_X, $WORLD_Y): stepping aside"
            xdotool keyup "$key"
            hold "${side_keys[sides % ${#side_keys[@]}]}" "$SIDESTEP_SECONDS"
            sides=$((sides + 1))
            xdotool keydown "$key"
        fi
        last=$position
    done
    xdotool keyup "$key"
    echo "     reached ($WORLD_X, $WORLD_Y) with the camera at ($CAMERA_X, $CAMERA_Y)"
}

# The rows of sprites are open only at the world's sides: along the left edge, then up it.
walk_to_edge Left x Down Up
check "walking left, the camera stops at the world's left edge while the player walks on" \
    test "$CAMERA_X" = 0 -a "$PLAYER_X" = 0
walk_to_edge Up y Right Left
check "walking up the edge, the camera stops at the top while the player walks on" \
    test "$CAMERA_Y" = 0 -a "$PLAYER_Y" = 0
walk_to_edge Left x Down # back to the edge after any step aside
capture corner
locate corner
corner_y=$PLAYER_Y # a sprite standing above may keep the player off the top row
hold Up 0.5
hold Left 0.5
capture beyond
locate beyond
check "in the corner, Up and Left move the camera no further and the player stays at the edge" \
    test "$CAMERA_X,$CAMERA_Y,$PLAYER_X" = "0,0,0" -a "$PLAYER_Y" -le "$corner_y"

hold Escape 0.2
wait_for_exit 2
check "Escape then ends it with status 0" test "$PROGRAM_STATUS" = 0

finish
