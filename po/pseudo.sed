# The pseudo-language: every line of every sentence bracketed and its vowels accented, so a word
# left in English shows at a glance. A u after a digit, l or z is a printf conversion (%lu, %zu).
s/a/á/g
s/e/é/g
s/i/í/g
s/o/ó/g
s/\([^%0-9lz]\)u/\1ú/g
s/^u/ú/
s/^/⟦/
s/$/⟧/
