#!/usr/bin/env bash
# The frame cap: over any five seconds of play the program flips the screen at most 101 times
# (20 a second, plus one for the window's edges). The preloaded probe time-stamps each SDL_Flip.
# Also reports the rate reached and the share of one core used, which benchmarks follow.
source "$(dirname "$0")/lib.sh"

WINDOW_US=5000000 # microseconds
MOST_FLIPS=101
PLAY_SECONDS=6

cpu_ticks() { # user plus system time of the program so far, in clock ticks
    awk '{ print $14 + $15 }' "/proc/$PROGRAM_PID/stat"
}

start_xvfb
flips=$FLIP_LOG
start_program

ticks_before=$(cpu_ticks)
ms_before=$(now_ms)
sleep 2
hold Right 1 # play: the player walks for part of the time
hold Left 1
sleep $((PLAY_SECONDS - 4))
ticks_after=$(cpu_ticks)
ms_after=$(now_ms)
hold Escape 0.2
wait_for_exit 2
check "Escape ends the probed program with status 0" test "$PROGRAM_STATUS" = 0

total=$(wc -l <"$flips")
check "the probe saw the flips ($total)" between "$total" 1 1000000
# The most flips within any window of five seconds, each window starting at a flip.
busiest=$(awk -v window="$WINDOW_US" '
    { time[NR] = $1 }
    END {
        most = 0; last = 1
        for (first = 1; first <= NR; ++first) {
            while (last < NR && time[last + 1] - time[first] <= window) ++last
            if (last - first + 1 > most) most = last - first + 1
        }
        print most
    }' "$flips")
check "at most $MOST_FLIPS flips in any five seconds (got $busiest)" between "$busiest" 1 "$MOST_FLIPS"

rate=$(awk 'NR == 1 { first = $1 } { last = $1 } END {
    if (NR > 1) printf "%.2f", (NR - 1) / ((last - first) / 1e6); else print 0 }' "$flips")
share=$(awk -v ticks=$((ticks_after - ticks_before)) -v hz="$(getconf CLK_TCK)" \
    -v ms=$((ms_after - ms_before)) 'BEGIN { printf "%.1f", 100 * ticks / hz / (ms / 1000) }')
echo "     measured: $busiest flips in the busiest five seconds, $rate frames a second overall,"
echo "     ${share}% of one core over $((ms_after - ms_before)) ms of play"

finish
