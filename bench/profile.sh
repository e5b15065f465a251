#!/usr/bin/env bash
# The whole program on an X server of its own (Xvfb) for ten seconds with an arrow key held, on
# each SDL runtime, unscaled and then in a window at scale 3: frames a second (each flip
# time-stamped by the end-to-end tests' probe), CPU share of one core, peak resident memory and
# the time from the start to the first flip.
# Usage: bench/profile.sh BUILD_FOLDER [SDL12_COMPAT_FOLDER]
set -euo pipefail

if [ $# -lt 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 BUILD_FOLDER [SDL12_COMPAT_FOLDER]" >&2
    exit 2
fi
BUILD=$(cd "$1" && pwd)
COMPAT_SDL=${2:-}
PROBE=$BUILD/tests/e2e/libflip_probe.so
STAMP=$BUILD/bench/stamp_start
HELD_SECONDS=10
KEY=Right
SCREEN_MODE=640x480x24        # the game's own mode, as when unscaled
SCALED_SCREEN_MODE=1920x1440x24 # room for a window at scale 3
SCALED_ARGS=(--window --scale=3)
START_TIMEOUT_TRIES=200 # of 50 ms
MICROSECONDS_PER_SECOND=1000000
CLOCK_TICKS=$(getconf CLK_TCK)

fail() {
    echo "profile: $*" >&2
    exit 1
}

for needed in Xvfb xdotool /usr/bin/time "$BUILD/tarnel" "$STAMP" "$PROBE"; do
    command -v "$needed" >/dev/null || fail "cannot find $needed (run make build first)"
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-profile-XXXXXX")
XVFB_PID=""
TIME_PID=""
PROGRAM_PID=""

# Ends what is still running, by process id, on every way out.
cleanup() {
    if [ -n "$TIME_PID" ]; then
        if [ -z "$PROGRAM_PID" ] && [ -s "$WORK/stamp" ]; then
            read -r _ PROGRAM_PID <"$WORK/stamp"
        fi
        kill -KILL "${PROGRAM_PID:-$TIME_PID}" 2>/dev/null || true
        wait "$TIME_PID" 2>/dev/null || true
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display number itself and writes it to descriptor 3 once it listens.
# -noreset, as a desktop's long-running server: otherwise it restarts when the readiness check
# below hangs up, and the program that connects in that moment waits for the restart.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset \
        3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq "$START_TIMEOUT_TRIES"); do
        [ -s "$WORK/display" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
        sleep 0.05
    done
    [ -s "$WORK/display" ] || fail "Xvfb gave no display number"
    export DISPLAY=":$(head -n 1 "$WORK/display")"
    # The number comes before the server takes clients on every machine; ask it something.
    for _ in $(seq "$START_TIMEOUT_TRIES"); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb ended: $(cat "$WORK/xvfb.log")"
        sleep 0.05
    done
    fail "Xvfb on $DISPLAY takes no clients: $(cat "$WORK/xvfb.log")"
}

# CPU time so far of a process, in clock ticks (user + system, fields 14 and 15 of stat).
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

stop_xvfb() {
    kill "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
}

# profile_runtime NAME LIBRARY_FOLDER [ARGUMENT...]: one ten-second run with the arguments, on
# the SDL found first in LIBRARY_FOLDER, or on the system's when it is empty.
profile_runtime() {
    local name=$1 library_folder=$2
    shift 2
    rm -f "$WORK/flips" "$WORK/stamp" "$WORK/time"
    local environment=(TARNEL_FLIP_LOG="$WORK/flips" LD_PRELOAD="$PROBE")
    [ -n "$library_folder" ] && environment+=(LD_LIBRARY_PATH="$library_folder")
    (cd "$BUILD" && exec env -u SDL_VIDEODRIVER "${environment[@]}" \
        /usr/bin/time -v -o "$WORK/time" "$STAMP" "$WORK/stamp" ./tarnel "$@") \
        >"$WORK/output" 2>&1 &
    TIME_PID=$!
    for _ in $(seq "$START_TIMEOUT_TRIES"); do
        [ -s "$WORK/flips" ] && break
        kill -0 "$TIME_PID" 2>/dev/null ||
            fail "$name: the program ended: $(cat "$WORK/output")" \
                "(Xvfb on $DISPLAY: $(kill -0 "$XVFB_PID" 2>/dev/null && echo running || echo gone))"
        sleep 0.05
    done
    [ -s "$WORK/flips" ] || fail "$name: no flip within $((START_TIMEOUT_TRIES / 20)) seconds"
    local started
    read -r started PROGRAM_PID <"$WORK/stamp"

    xdotool keydown "$KEY"
    local ticks_before seconds_before ticks_after seconds_after
    ticks_before=$(cpu_ticks "$PROGRAM_PID")
    seconds_before=$EPOCHREALTIME
    sleep "$HELD_SECONDS"
    ticks_after=$(cpu_ticks "$PROGRAM_PID")
    seconds_after=$EPOCHREALTIME
    xdotool keyup "$KEY"

    kill -TERM "$PROGRAM_PID"
    local status=0
    wait "$TIME_PID" || status=$?
    TIME_PID=""
    PROGRAM_PID=""
    [ "$status" -eq 0 ] || fail "$name: the program exited with $status: $(cat "$WORK/output")"

    local first_flip peak_kb
    first_flip=$(head -n 1 "$WORK/flips")
    peak_kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$WORK/time")
    echo "$name:"
    # Frames a second from the first flip to the last: the pace is the same before the key.
    awk -v us="$MICROSECONDS_PER_SECOND" '
        { last = $1; if (NR == 1) first = $1 }
        END {
            span = (last - first) / us
            printf "  frames a second:          %.2f (%d flips in %.2f s)\n", (NR - 1) / span, NR, span
        }' "$WORK/flips"
    awk -v ticks=$((ticks_after - ticks_before)) -v hz="$CLOCK_TICKS" \
        -v before="$seconds_before" -v after="$seconds_after" 'BEGIN {
            printf "  CPU, share of one core:   %.1f %% (while the key was held)\n",
                   100 * ticks / hz / (after - before)
        }'
    awk -v kb="$peak_kb" 'BEGIN { printf "  peak resident memory:     %.1f MB\n", kb / 1024 }'
    echo "  start to first flip:      $(((first_flip - started) / 1000)) ms"
}

runtimes=("Classic SDL 1.2" "")
[ -n "$COMPAT_SDL" ] && runtimes+=("sdl12-compat" "$COMPAT_SDL")
start_xvfb "$SCREEN_MODE"
for ((i = 0; i < ${#runtimes[@]}; i += 2)); do
    profile_runtime "${runtimes[i]}" "${runtimes[i + 1]}"
done
stop_xvfb
start_xvfb "$SCALED_SCREEN_MODE"
for ((i = 0; i < ${#runtimes[@]}; i += 2)); do
    profile_runtime "${runtimes[i]}, ${SCALED_ARGS[*]}" "${runtimes[i + 1]}" "${SCALED_ARGS[@]}"
done
