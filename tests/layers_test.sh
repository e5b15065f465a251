#!/usr/bin/env bash
# The subsystems' arrows run only downward: no file under src/ includes a header of a folder
# above its own. Usage: layers_test.sh SOURCE_DIR
set -euo pipefail
cd "$1/src"

# From the top down; a folder may include its own headers and those of any folder below it.
LAYERS=(
    program
    game
    recording
    input
    world
    sprite
    sound
    display
    language
)
rank() {
    local i
    for i in "${!LAYERS[@]}"; do
        [ "${LAYERS[$i]}" = "$1" ] && echo "$i" && return
    done
    echo "unknown"
}

failed=0
for folder in */; do
    folder=${folder%/}
    own=$(rank "$folder")
    if [ "$own" = unknown ]; then
        echo "src/$folder is not in the layers' order: add it to LAYERS in $0"
        failed=1
        continue
    fi
    while IFS=: read -r file line included; do
        target=$(rank "${included%%/*}")
        if [ "$target" = unknown ] || [ "$target" -lt "$own" ]; then
            echo "src/$file:$line includes \"$included\", of a folder above $folder"
            failed=1
        fi
    done < <(grep -Hn '^#include "' "$folder"/*.cpp "$folder"/*.h | sed -E 's/^([^:]+):([0-9]+):#include "([^"]+)".*/\1:\2:\3/')
done
[ "$failed" -eq 0 ] && echo "every include of src/ points to its own folder or one below"
exit "$failed"
