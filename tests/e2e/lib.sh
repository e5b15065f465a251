# Shared by the end-to-end tests: an X server of the test's own, the program run on it as a
# user runs it, held keys, captures read back, checks, and a clean-up that always runs.
# A test sources it with its own arguments: the program's folder, the capture tool, the probe.
# shellcheck shell=bash disable=SC2034 # what it sets is read by the tests that source it

# No -e: a failed check is counted and the test goes on; the clean-up runs on every exit.
set -uo pipefail

E2E_PROGRAM_DIR=$1
E2E_CAPTURE_TOOL=$2
E2E_FLIP_PROBE=$3
E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-e2e-XXXXXX")
E2E_FAILURES=0
E2E_CHECKS=0
XVFB_PID=""
PROGRAM_PID=""
PROGRAM_STATUS=""
PROGRAM_EXIT_MS=""
# The crowd's seed. Its sprites' walks are fixed by it frame by frame, and over the first 370
# frames none of them comes within 3 pixels of any place walking_test.sh can put the player,
# even with each key taking effect up to 4 frames late: no scripted walk is ever blocked.
CROWD_SEED=20787
PROGRAM_ARGS=(--seed "$CROWD_SEED") # the program's command line, for the next launch
FLIP_LOG="$E2E_WORK/flips" # one line a frame drawn, written by the preloaded probe

CAPTION="Tarnel v.3.2"
# The game's window: its caption, followed while replaying by where the replay stands (which
# the window's Latin-1 name, that xdotool searches, writes without its "·").
WINDOW_NAME="^$CAPTION( .*)?\$"
SCREEN_W=640 # pixels
SCREEN_H=480
SCREEN_SIZE="${SCREEN_W}x$SCREEN_H"
SCREEN_PIXELS=$((SCREEN_W * SCREEN_H))
SCREEN_DEPTH=24
PLAYER_FRAME_W=19 # pixels, one frame of Link.bmp
PLAYER_FRAME_H=24
MIN_HOLD=0.15 # seconds: the program reads held keys once a 50 ms frame

# The program must meet the X server, whatever a developer's shell may have exported.
unset SDL_VIDEODRIVER

e2e_cleanup() {
    if [ -n "$PROGRAM_PID" ]; then
        kill "$PROGRAM_PID" 2>/dev/null && sleep 0.2
        kill -KILL "$PROGRAM_PID" 2>/dev/null
        wait "$PROGRAM_PID" 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT
trap 'exit 130' INT TERM

e2e_fatal() {
    echo "FAIL - $*"
    exit 1
}

# check DESCRIPTION COMMAND...: runs the command and counts it as passed or failed.
check() {
    local description=$1
    shift
    E2E_CHECKS=$((E2E_CHECKS + 1))
    if "$@"; then
        echo "ok   - $description"
    else
        echo "FAIL - $description"
        E2E_FAILURES=$((E2E_FAILURES + 1))
    fi
}

# between VALUE LOW HIGH: whether the integer VALUE lies in [LOW, HIGH].
between() {
    [[ "$1" =~ ^-?[0-9]+$ ]] && [ "$1" -ge "$2" ] && [ "$1" -le "$3" ]
}

# Ends the test with the tally; the exit status is what CTest judges.
finish() {
    echo "$((E2E_CHECKS - E2E_FAILURES)) of $E2E_CHECKS checks passed"
    [ "$E2E_FAILURES" -eq 0 ]
    exit $?
}

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Starts Xvfb on a display number it finds free itself and waits until it takes connections.
start_xvfb() {
    local display_file="$E2E_WORK/display"
    # -noreset: the server would otherwise reset, refusing connections, as each program ends.
    Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE}x$SCREEN_DEPTH" -nolisten tcp -noreset \
        3>"$display_file" >"$E2E_WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local tries
    for tries in $(seq 100); do
        [ -s "$display_file" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || e2e_fatal "Xvfb did not start: $(cat "$E2E_WORK/xvfb.log")"
        sleep 0.05
    done
    [ -s "$display_file" ] || e2e_fatal "Xvfb gave no display number in $tries tries"
    DISPLAY=":$(head -n 1 "$display_file")"
    export DISPLAY
}

# launch_program [VARIABLE=value...] [-- FOLDER]: runs the program from its own folder (or
# FOLDER) as a user does, with the arguments in PROGRAM_ARGS, and stdout and stderr kept in the
# work folder.
launch_program() {
    local folder=$E2E_PROGRAM_DIR
    local environment=()
    while [ $# -gt 0 ]; do
        if [ "$1" = "--" ]; then
            folder=$2
            shift 2
        else
            environment+=("$1")
            shift
        fi
    done
    PROGRAM_STATUS=""
    (cd "$folder" && exec env "${environment[@]}" "$E2E_PROGRAM_DIR/tarnel" "${PROGRAM_ARGS[@]}") \
        >"$E2E_WORK/stdout" 2>"$E2E_WORK/stderr" &
    PROGRAM_PID=$!
}

# start_program [VARIABLE=value...]: launches the program with the flip probe, which counts
# its frames in FLIP_LOG, and waits for its window and its first frames; ends the test when
# the program exits instead.
start_program() {
    rm -f "$FLIP_LOG"
    launch_program TARNEL_FLIP_LOG="$FLIP_LOG" LD_PRELOAD="$E2E_FLIP_PROBE" "$@"
    local tries
    for tries in $(seq 100); do
        program_running || e2e_fatal "the program exited at start: $(cat "$E2E_WORK/stderr")"
        xdotool search --name "$WINDOW_NAME" >/dev/null 2>&1 && break
        sleep 0.05
    done
    [ "$tries" -lt 100 ] || e2e_fatal "no window titled \"$CAPTION\" appeared"
    wait_for_frame 5
}

# frames_drawn: how many frames the program has shown so far (paused ones show nothing).
frames_drawn() {
    if [ -f "$FLIP_LOG" ]; then wc -l <"$FLIP_LOG"; else echo 0; fi
}

# wait_for_frame N: waits until the program has shown N frames. The crowd is the same at the
# same frame in every run, so a script keyed to frames rather than seconds meets it the same way.
wait_for_frame() {
    local deadline=$(($(now_ms) + 60000))
    while [ "$(frames_drawn)" -lt "$1" ]; do
        program_running || e2e_fatal "the program exited before frame $1: $(cat "$E2E_WORK/stderr")"
        [ "$(now_ms)" -lt "$deadline" ] || e2e_fatal "frame $1 not reached within a minute"
        sleep 0.005
    done
}

# wait_until_still: once the frame a paused game shows last has been counted, waits until it has
# reached the screen: no new frame for a third of a second.
wait_until_still() {
    local before
    before=$(frames_drawn)
    sleep 0.35
    while [ "$(frames_drawn)" != "$before" ]; do
        before=$(frames_drawn)
        sleep 0.35
    done
}

# Whether the program has not yet exited (a zombie counts as exited).
program_running() {
    local state
    state=$(awk '{ print $3 }' "/proc/$PROGRAM_PID/stat" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != Z ]
}

# wait_for_exit SECONDS: waits up to SECONDS for the program to end; sets PROGRAM_STATUS to its
# exit status (empty if it is still running) and PROGRAM_EXIT_MS to the time it took.
wait_for_exit() {
    local start deadline
    start=$(now_ms)
    deadline=$((start + $(awk -v s="$1" 'BEGIN { print int(s * 1000) }')))
    while program_running && [ "$(now_ms)" -lt "$deadline" ]; do
        sleep 0.01
    done
    PROGRAM_EXIT_MS=$(($(now_ms) - start))
    PROGRAM_STATUS=""
    if ! program_running; then
        wait "$PROGRAM_PID"
        PROGRAM_STATUS=$?
        PROGRAM_PID=""
    fi
}

# Ends a program that is still running, for a test that goes on with a new one.
stop_program() {
    if [ -n "$PROGRAM_PID" ]; then
        kill "$PROGRAM_PID" 2>/dev/null
        wait_for_exit 5
    fi
}

# hold KEY SECONDS: presses KEY, keeps it down at least MIN_HOLD, releases it.
hold() {
    xdotool keydown "$1"
    sleep "$(awk -v s="$2" -v m="$MIN_HOLD" 'BEGIN { print (s > m ? s : m) }')"
    xdotool keyup "$1"
}

# press KEY: a short press that the program still sees in several frames.
press() {
    hold "$1" 0.2
}

# key_at FRAME ACTION KEY...: once FRAME has been shown, presses (keydown) or releases (keyup)
# the keys.
key_at() {
    wait_for_frame "$1"
    xdotool "$2" "${@:3}"
    echo "     ${*:2} for frame $1: sent by frame $(frames_drawn)"
}

# capture_at FRAME NAME: once FRAME has been shown, captures NAME.
capture_at() {
    wait_for_frame "$1"
    capture "$2"
}

# capture NAME: the whole screen, as NAME.xwd in the work folder. Only the screen is read
# here, so that a script keyed to frames goes on at once; ppm NAME converts it when needed.
capture() {
    xwd -root -silent -out "$E2E_WORK/$1.xwd"
}

# ppm NAME: capture NAME as a binary PPM, NAME.ppm in the work folder.
ppm() {
    [ -f "$E2E_WORK/$1.ppm" ] || convert "xwd:$E2E_WORK/$1.xwd" "$E2E_WORK/$1.ppm"
}

# locate NAME: reads capture NAME and sets CAMERA_X, CAMERA_Y (the world pixel at the screen's
# corner, found by matching the background) and PLAYER_X, PLAYER_Y (the player's screen place).
# Each is -1 when it could not be found; CAMERA_MATCH and PLAYER_MATCH give the percentage of
# pixels that agreed.
locate() {
    [ -f "$E2E_WORK/background.ppm" ] ||
        convert "$E2E_PROGRAM_DIR/Background.bmp" "$E2E_WORK/background.ppm"
    [ -f "$E2E_WORK/player.ppm" ] || convert "$E2E_PROGRAM_DIR/Link.bmp" "$E2E_WORK/player.ppm"
    CAMERA_X=-1 CAMERA_Y=-1 CAMERA_MATCH=0 PLAYER_X=-1 PLAYER_Y=-1 PLAYER_MATCH=0
    ppm "$1"
    read -r CAMERA_X CAMERA_Y CAMERA_MATCH < <("$E2E_CAPTURE_TOOL" camera \
        "$E2E_WORK/$1.ppm" "$E2E_WORK/background.ppm" || echo -1 -1 0)
    read -r PLAYER_X PLAYER_Y PLAYER_MATCH < <("$E2E_CAPTURE_TOOL" sprite "$E2E_WORK/$1.ppm" \
        "$E2E_WORK/player.ppm" "$PLAYER_FRAME_W" "$PLAYER_FRAME_H" || echo -1 -1 0)
    echo "     $1: camera ($CAMERA_X, $CAMERA_Y) ${CAMERA_MATCH}% background," \
        "player on screen ($PLAYER_X, $PLAYER_Y) ${PLAYER_MATCH}%"
}

# game_picture NAME X Y SCALE: the game's 640 x 480 picture out of capture NAME, where it stands
# at (X, Y) drawn SCALE times as large, taken back to one pixel a game pixel, as NAME.ppm.
game_picture() {
    local scale=$4
    convert "xwd:$E2E_WORK/$1.xwd" -crop "$((SCREEN_W * scale))x$((SCREEN_H * scale))+$2+$3" \
        +repage -sample "${SCREEN_W}x$SCREEN_H" "$E2E_WORK/$1.ppm"
}

# The X server's screen: its size and depth, which no game may change.
screen_mode() {
    xdpyinfo | grep -E 'dimensions|depth of root' | tr -s ' \n' ' '
}

# window_size: the width and height of the game's window, "WxH".
window_size() {
    xdotool search --name "$WINDOW_NAME" getwindowgeometry --shell |
        awk -F= '/WIDTH/ { w = $2 } /HEIGHT/ { h = $2 } END { print w "x" h }'
}

# write_recording FILE CODE:FRAMES...: a recording of the game seeded with CROWD_SEED, each run
# a frame's input code (see docs/RECORDING.md) held for FRAMES frames.
write_recording() {
    local file=$1 total=0 run
    shift
    for run in "$@"; do
        total=$((total + ${run#*:}))
    done
    {
        printf '\x89TNL\r\n\x1a\n'
        number 1; number 3; number 2; number 20; number "$CROWD_SEED"; number "$total"
        for run in "$@"; do
            number "${run%%:*}"
            number "${run#*:}"
        done
    } >"$file"
}

# number N: N as the recording writes its numbers, seven bits a byte, lowest first.
number() {
    local n=$1
    while [ "$n" -gt 127 ]; do
        printf "\\x$(printf %02x $(((n & 127) | 128)))"
        n=$((n >> 7))
    done
    printf "\\x$(printf %02x "$n")"
}

# differences A B [X Y W H]: the number of pixels in which captures A and B differ, leaving
# out the rectangle.
differences() {
    local a=$1 b=$2
    shift 2
    ppm "$a"
    ppm "$b"
    "$E2E_CAPTURE_TOOL" diff "$E2E_WORK/$a.ppm" "$E2E_WORK/$b.ppm" "$@" || echo -1
}
