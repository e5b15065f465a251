#!/usr/bin/env bash
# `make update-po`: gathers every sentence of the files in po/POTFILES into po/tarnel.pot with
# xgettext, then brings each po/LL.po of po/LINGUAS up to it with msgmerge; new or changed
# sentences come out untranslated or fuzzy, for a translator to finish. Usage: tools/update_po.sh
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."

pot=po/tarnel.pot
# C++ marks sentences with _() and N_(); the page's JavaScript with its own _() (xgettext's
# default for JavaScript); the desktop entry and the metainfo by their own rules.
xgettext --files-from=po/POTFILES --output="$pot.new" --from-code=UTF-8 \
    --keyword=_ --keyword=N_ --add-comments=TRANSLATORS: \
    --package-name=tarnel --package-version=3.2 --copyright-holder="Tarnel developers" \
    --msgid-bugs-address="maintainers@users.noreply.c-seed-34721505.example"
# Only a change of sentences, not of the date alone, rewrites the template.
if [ -f "$pot" ] && diff -q <(grep -v '^"POT-Creation-Date' "$pot") \
    <(grep -v '^"POT-Creation-Date' "$pot.new") >/dev/null; then
    rm "$pot.new"
else
    mv "$pot.new" "$pot"
fi
while read -r language; do
    [ -n "$language" ] || continue
    if [ -f "po/$language.po" ]; then
        msgmerge --quiet --update --backup=none --previous "po/$language.po" "$pot"
    else
        msginit --no-translator --locale="$language.UTF-8" --input="$pot" \
            --output-file="po/$language.po"
    fi
done <po/LINGUAS
# What is left to do, language by language.
for language in $(cat po/LINGUAS); do
    echo "$language: $(msgfmt --statistics --check --output-file=/dev/null "po/$language.po" 2>&1)"
done
