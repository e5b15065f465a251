#!/usr/bin/env bash
# `make demo`: plays a scripted walk of about ten seconds on an X server of its own (Xvfb) and
# records it: BUILD/demo.gif from a capture every CAPTURE_INTERVAL, a still in
# BUILD/screenshot.png (a palette PNG, small enough for docs/), and the game itself in
# BUILD/demo.tarnel, which `tarnel --replay` plays again.
# Usage: tools/demo.sh BUILD_FOLDER
set -euo pipefail

build=$(cd "${1:?usage: tools/demo.sh BUILD_FOLDER}" && pwd)
CAPTION="Tarnel v.3.2"
CAPTURE_INTERVAL_MS=150 # between captures: over 6 a second
MIN_HOLD=0.15           # seconds: the program reads held keys once a 50 ms frame

work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-demo-XXXXXX")
xvfb_pid="" program_pid="" recorder_pid=""
cleanup() {
    local pid
    for pid in "$recorder_pid" "$program_pid" "$xvfb_pid"; do
        if [ -n "$pid" ]; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "demo: $*" >&2
    exit 1
}

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

hold() {
    xdotool keydown "$1"
    sleep "$(awk -v s="$2" -v m="$MIN_HOLD" 'BEGIN { print (s > m ? s : m) }')"
    xdotool keyup "$1"
}

# Captures the screen every CAPTURE_INTERVAL_MS into numbered files until stop appears.
record() {
    local count=0 start
    start=$(now_ms)
    while [ ! -e "$work/stop" ]; do
        xwd -root -silent >"$work/frames/$(printf '%05d' "$count").xwd"
        count=$((count + 1))
        local wait_ms=$((start + count * CAPTURE_INTERVAL_MS - $(now_ms)))
        [ "$wait_ms" -le 0 ] || sleep "$(awk -v ms="$wait_ms" 'BEGIN { print ms / 1000 }')"
    done
    echo "$(($(now_ms) - start))" >"$work/recorded_ms"
}

# An X server of our own on a free display number, without TCP; -noreset keeps it up between
# clients.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
unset SDL_VIDEODRIVER # the program must meet this X server

rm -f "$build/demo.tarnel" # a recording never replaces a file
(cd "$build" && exec ./tarnel --record demo.tarnel) >/dev/null 2>"$work/stderr" &
program_pid=$!
for _ in $(seq 100); do
    xdotool search --name "^$CAPTION\$" >/dev/null 2>&1 && break
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(grep '^tarnel' "$work/stderr")"
    sleep 0.05
done
sleep 0.3 # the first frames

mkdir "$work/frames"
record &
recorder_pid=$!

# The walk: the sprites wander, the player walks right and down, pauses, resumes, walks left.
sleep 1
hold Right 2.5
hold Down 1.2
hold Return 0.2
sleep 0.4
xwd -root -silent >"$work/still.xwd"
sleep 0.6
hold Return 0.2
hold Left 2.5
sleep 0.5
touch "$work/stop" # before quitting, so that no capture shows the empty screen after it
wait "$recorder_pid"
recorder_pid=""
hold Escape 0.2
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status: $(grep '^tarnel' "$work/stderr")"

frames=("$work"/frames/*.xwd)
count=${#frames[@]}
recorded_ms=$(cat "$work/recorded_ms")
delay_cs=$(((recorded_ms + 5 * count) / (10 * count))) # GIF delays are in hundredths
convert -delay "$delay_cs" -loop 0 "${frames[@]}" -layers Optimize "$build/demo.gif"
convert "$work/still.xwd" -colors 256 "PNG8:$build/screenshot.png"

per_second=$(awk -v n="$count" -v ms="$recorded_ms" 'BEGIN { printf "%.1f", n * 1000 / ms }')
echo "demo: $build/demo.gif, $count captures over $((recorded_ms / 1000)) s" \
    "($per_second a second); still: $build/screenshot.png; the game: $build/demo.tarnel" \
    "(watch it again: cd $build && ./tarnel --window --replay demo.tarnel)"
