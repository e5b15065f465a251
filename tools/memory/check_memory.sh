#!/usr/bin/env bash
# Runs the program under valgrind's memcheck on SDL's dummy drivers for a set number of frames,
# ended by SIGTERM, and fails on any invalid read or write, any use of an uninitialised value,
# or any lost block that is not one of the pictures the program keeps for its whole run.
# Usage: check_memory.sh [BUILD_FOLDER] (default build); the log is BUILD_FOLDER/check-memory.log.
set -euo pipefail

FRAMES=300
build=$(cd "${1:-build}" && pwd)
log="$build/check-memory.log"
errors="$build/check-memory.stderr" # the program's own
limiter="$build/tools/libframe_limit.so"

for needed in valgrind "$build/tarnel" "$limiter"; do
    command -v "$needed" >/dev/null || { echo "check-memory: $needed is missing" >&2; exit 1; }
done

echo "check-memory: the program under memcheck for $FRAMES frames"
status=0
(cd "$build" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy TARNEL_FRAMES=$FRAMES \
    LD_PRELOAD="$limiter" valgrind --tool=memcheck --track-origins=yes --num-callers=40 \
    --leak-check=full --show-leak-kinds=definite,indirect,possible \
    --errors-for-leak-kinds=none --log-file="$log" ./tarnel 2>"$errors") || status=$?

# The lines of the log's summaries, without valgrind's "==pid==" prefix, each once.
summary() { sed -n "s/^==[0-9]*== *//p" "$log" | grep -E "$1" | awk '!seen[$0]++' || true; }
summary 'ERROR SUMMARY|definitely lost:|indirectly lost:|possibly lost:|still reachable:'

# Sorts every loss record by where its blocks were allocated. The program keeps its pictures
# for the whole run and never frees one, so once the World is gone these may be lost: what
# load_image made (each surface with its pixels, format and blit map), and the run-length
# encoding SDL gives a picture at its first blit, reachable from nothing but the picture, so
# never lost "definitely". Any other lost block is a leak.
leaks=$(awk '
    function blocks(head) { sub(/ blocks? are .*/, "", head); sub(/.* in /, "", head)
                            gsub(/,/, "", head); return head + 0 }
    /are (definitely|indirectly|possibly) lost in loss record/ { head = $0; stack = ""; next }
    head != "" && /^==[0-9]+== *$/ {
        if (stack ~ /load_image/) loaded += blocks(head)
        else if (head !~ /definitely/ && stack ~ /SDL_LowerBlit/ &&
                 stack ~ /SDL_UpperBlit[^\n]*\n[^\n]*(Sprite::updateSelf|World::paintView)/)
            encoded += blocks(head)
        else { other += blocks(head); print "not a picture:" head > "/dev/stderr" }
        head = ""; next
    }
    head != "" { stack = stack $0 "\n" }
    END { printf "%d %d %d\n", loaded, encoded, other }' "$log")
read -r loaded encoded other <<<"$leaks"
echo "Lost blocks: $loaded made by load_image, $encoded encodings of pictures at their" \
    "first blit, $other of anything else"
echo "Surfaces among them: $(summary 'definitely lost:' | sed 's/.* in //')"

failed=0
fail() { echo "check-memory: FAILED: $1" >&2; failed=1; }
[ "$status" -eq 0 ] || fail "the program ended with status $status"
grep -q "^frame_limit: SIGTERM in frame $FRAMES\$" "$errors" ||
    fail "the run did not reach frame $FRAMES: see $errors"
summary 'ERROR SUMMARY: 0 errors' | grep -q . || fail "memcheck found errors: see $log"
[ "$other" -eq 0 ] || fail "$other lost blocks are not pictures: see $log"
[ "$failed" -eq 0 ] && echo "check-memory: passed; the whole log is $log"
exit "$failed"
