#!/usr/bin/env bash
# The front page and the guides point only at what exists: every relative link, and every path
# of the source tree they name, is there.
# Usage: links_test.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 2

# The folders and files of the tree that the pages name as paths.
TREE='(src|tests|tools|web|docs|bench|cmake|packaging)/[A-Za-z0-9_./-]*|(LICENSE|Makefile|CMakeLists\.txt|CONTRIBUTING\.md|README\.md)\b'
missing=0
checked=0
for page in README.md CONTRIBUTING.md docs/*.md; do
    folder=$(dirname "$page")
    # Links: [text](target), the web's and anchors aside, relative to the page.
    while read -r target; do
        checked=$((checked + 1))
        [ -e "$folder/${target%%#*}" ] || { echo "$page: link to $target, which is not there"; missing=$((missing + 1)); }
    done < <(grep -oE '\]\([^)]+\)' "$page" | sed 's/^](//; s/)$//' | grep -vE '^(https?:|mailto:|#)')
    # Paths named in the text, relative to the tree's top; a pattern stands for what it matches.
    while read -r path; do
        path=${path%.}
        checked=$((checked + 1))
        compgen -G "$path" >/dev/null || [ -e "$path" ] ||
            { echo "$page: names $path, which is not there"; missing=$((missing + 1)); }
    done < <(grep -oE "(^|[^A-Za-z0-9_./-])($TREE)\*?[A-Za-z0-9_.]*" "$page" | sed -E 's/^[^A-Za-z.]//' | sort -u)
done
echo "$checked links and paths checked, $missing missing"
[ "$missing" -eq 0 ] && [ "$checked" -gt 0 ]
