#!/usr/bin/env bash
# Runs each fuzz target for a while, then merges what it found that reaches new code into the
# corpus kept under tests/fuzz/corpus. A crash stops it, with the input kept in the corpus so
# that `make test` fails on it until the reader is mended.
# Usage: tools/fuzz.sh FUZZ_BUILD SECONDS
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 FUZZ_BUILD SECONDS" >&2; exit 2; }
build=$(realpath "$1")
seconds=$2
root=$(dirname "$(dirname "$(realpath "$0")")")

for target in recording bmp_header; do
    kept="$root/tests/fuzz/corpus/$target"
    found="$build/corpus/$target" # this run's finds, before the merge keeps the new ones
    mkdir -p "$found"
    echo "fuzz: $target for $seconds s"
    "$build/tests/fuzz/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$kept/" "$found" "$kept" 2>&1 | grep -E '^(#[0-9]+ +DONE|stat::|==|SUMMARY)' || true
    before=$(ls "$kept" | wc -l)
    "$build/tests/fuzz/${target}_fuzzer" -merge=1 "$kept" "$found" >/dev/null 2>&1
    echo "fuzz: $target: corpus of $before inputs, now $(ls "$kept" | wc -l)"
    if ls "$kept"/crash-* >/dev/null 2>&1; then
        echo "fuzz: $target crashed; the inputs are kept as $kept/crash-*" >&2
        exit 1
    fi
done
