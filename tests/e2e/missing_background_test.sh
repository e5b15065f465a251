#!/usr/bin/env bash
# Without Background.bmp in its working folder the program ends with status 1 and one line
# that names the file, and leaves the X server's screen as it found it.
source "$(dirname "$0")/lib.sh"

screen_mode() {
    xdpyinfo | grep -E 'dimensions|depth of root' | tr -s ' \n' ' '
}

folder="$E2E_WORK/no-background"
mkdir "$folder"
for picture in Link BlueSoldier GreenSoldier Armos; do
    cp "$E2E_PROGRAM_DIR/$picture.bmp" "$folder/"
done

start_xvfb
mode_before=$(screen_mode)
launch_program -- "$folder"
wait_for_exit 5
check "it ends with status 1 (got '$PROGRAM_STATUS')" test "$PROGRAM_STATUS" = 1

# SDL's sound start-up may add lines of its own on a machine without a sound card.
ours=$(grep '^tarnel: ' "$E2E_WORK/stderr")
check "exactly one line of its own on stderr" test "$(grep -c '^tarnel: ' "$E2E_WORK/stderr")" = 1
check "... that says which picture it could not load: $ours" \
    grep -qE '^tarnel: cannot load Background\.bmp: .+' <<<"$ours"
check "nothing on stdout" test ! -s "$E2E_WORK/stdout"

mode_after=$(screen_mode)
check "the X server's screen is as it was ($mode_after)" test "$mode_after" = "$mode_before"
capture after
read -r width height < <(identify -format '%w %h\n' "xwd:$E2E_WORK/after.xwd")
check "the root window is still $SCREEN_SIZE" test "${width}x$height" = "$SCREEN_SIZE"

finish
