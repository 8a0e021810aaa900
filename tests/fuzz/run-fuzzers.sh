#!/bin/sh
# Runs every fuzz target of a fuzzing build for a given time each, its corpus
# started from the seeds of seeds.txt and the regression inputs. An input
# that crashes a target is left in tests/fuzz/regressions/<Target>/ (keep it
# in the tree: the ordinary test run replays it) and the run fails.
#   run-fuzzers.sh BUILD_DIR DATA_DIR SECONDS
set -eu
build=$1
data=$2
seconds=$3
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../.." && pwd)
status=0
grep -E '^[A-Za-z]' "$here/seeds.txt" | while read -r target seeds; do
    corpus="$build/fuzz-corpus/$target"
    mkdir -p "$corpus"
    # The seeds are copied in (the fuzzer takes a file given by name as an
    # input to run once, not to start from), named by their contents.
    for seed in $seeds; do
        case $seed in
        tests/*) seed="$source_root/$seed" ;;
        *) seed="$data/$seed" ;;
        esac
        find "$seed" -type f | while read -r file; do
            cp "$file" "$corpus/$(sha1sum <"$file" | cut -c1-40)"
        done
    done
    echo "== $target: $seconds s"
    # New inputs go to the corpus folder; the regressions are only read.
    if ! "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$here/regressions/$target/" "$corpus" "$here/regressions/$target" \
        2>"$build/fuzz-$target.log"; then
        tail -n 40 "$build/fuzz-$target.log"
        echo "== $target FAILED: the input is in tests/fuzz/regressions/$target/"
        exit 1
    fi
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$build/fuzz-$target.log" || true
done || status=1
exit $status
