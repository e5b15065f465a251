#!/usr/bin/env bash
# Builds the manual page in every language of po/man/po4a.cfg into BUILD_DIR/man/LL/man6/, and
# fails, naming the catalogue, when one is broken or not wholly translated, rather than leave
# that language out. Usage: tools/translate_manual.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: tools/translate_manual.sh SOURCE_DIR BUILD_DIR" >&2; exit 2; }
source_dir=$1
build_dir=$2
config=$source_dir/po/man/po4a.cfg
languages=$(sed -n 's/^\[po4a_langs\] *//p' "$config")

for language in $languages; do
    catalogue=$source_dir/po/man/$language.po
    # msgfmt names the fault itself; fuzzy and untranslated entries it only counts.
    counts=$(msgfmt --check --statistics -o /dev/null "$catalogue" 2>&1) ||
        { echo "$counts" >&2; exit 1; }
    counts=${counts##*$'\n'}
    case $counts in *fuzzy* | *untranslated*)
        echo "translate_manual: $catalogue is not complete ($counts);" \
            "run make update-manual-po and translate what is new" >&2
        exit 1
        ;;
    esac
    rm -f "$build_dir/man/$language/man6/tarnel.6"
done

# The catalogues are read, never rewritten, here: only `make update-manual-po` changes them.
# po4a's threshold (100 % in po4a.cfg) keeps only whole translations.
(cd "$source_dir" && po4a --no-update --destdir "$build_dir" "$config" >/dev/null)
for language in $languages; do
    [ -s "$build_dir/man/$language/man6/tarnel.6" ] || {
        echo "translate_manual: $source_dir/po/man/$language.po does not translate all of" \
            "packaging/tarnel.6, so po4a kept no page; run make update-manual-po and translate" \
            "what is new" >&2
        exit 1
    }
done
