#!/usr/bin/env bash
# Ending the program: Escape held ends it within a second with status 0, running or paused;
# SIGTERM and SIGINT end it with status 0 too.
source "$(dirname "$0")/lib.sh"

LONGEST_QUIT_MS=1000

# escape_ends_it HOW: holds Escape and checks the program ends in time with status 0.
escape_ends_it() {
    local start
    start=$(now_ms)
    hold Escape 0.2
    wait_for_exit 2
    local took=$(($(now_ms) - start))
    check "Escape held $1 ends it in $took ms (at most $LONGEST_QUIT_MS)" \
        between "$took" 0 "$LONGEST_QUIT_MS"
    check "... with status 0 (got '$PROGRAM_STATUS')" test "$PROGRAM_STATUS" = 0
}

# signal_ends_it SIGNAL: sends SIGNAL and checks the program ends with status 0.
signal_ends_it() {
    kill -s "$1" "$PROGRAM_PID"
    wait_for_exit 2
    check "$1 ends it with status 0 (got '$PROGRAM_STATUS' after $PROGRAM_EXIT_MS ms)" \
        test "$PROGRAM_STATUS" = 0
}

start_xvfb

start_program
escape_ends_it "while running"

start_program
press Return
sleep 0.3
escape_ends_it "while paused"

start_program
signal_ends_it TERM

start_program
signal_ends_it INT

finish
