#!/bin/sh
# Runs every fuzz target of a fuzzing build for a given time each, JOBS
# targets at a time (default 2), each corpus started from the seeds of
# seeds.txt and the regression inputs. An input that crashes a target is
# left in tests/fuzz/regressions/<Target>/ (keep it in the tree: the ordinary
# test run replays it) and the run fails once every target has had its turn.
# Ends with a table: target, inputs run, faults found.
#   run-fuzzers.sh BUILD_DIR DATA_DIR SECONDS [JOBS]
set -eu
build=$1
data=$2
seconds=$3
jobs=${4:-2}
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../.." && pwd)

# Fuzzes one target; writes "target inputs faults" to its result file.
fuzz_one() {
    target=$1
    seeds=$2
    corpus="$build/fuzz-corpus/$target"
    regressions="$here/regressions/$target"
    log="$build/fuzz-$target.log"
    mkdir -p "$corpus" "$regressions"
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
    before=$(find "$regressions" -type f ! -name '.*' | wc -l)
    # New inputs go to the corpus folder; the regressions are only read. A
    # single input running for a minute is a fault (a hang), whatever the
    # machine; slower inputs are not reported on their own.
    status=0
    "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=60 \
        -report_slow_units=100000 -print_final_stats=1 -artifact_prefix="$regressions/" \
        "$corpus" "$regressions" >"$log" 2>&1 || status=$?
    after=$(find "$regressions" -type f ! -name '.*' | wc -l)
    inputs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    echo "$target ${inputs:-?} $((after - before))" >"$build/fuzz-$target.result"
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        echo "== $target FAILED (status $status): the input is in tests/fuzz/regressions/$target/"
        return 1
    fi
    echo "== $target: $seconds s, ${inputs:-?} inputs"
}

targets=$(grep -E '^[A-Za-z]' "$here/seeds.txt" | cut -d' ' -f1)
failed=0
running=""
for target in $targets; do
    seeds=$(grep -E "^$target[[:space:]]" "$here/seeds.txt" | sed 's/^[A-Za-z]*[[:space:]]*//')
    rm -f "$build/fuzz-$target.result"
    fuzz_one "$target" "$seeds" </dev/null &
    running="$running $!"
    if [ "$(echo $running | wc -w)" -ge "$jobs" ]; then
        for pid in $running; do wait "$pid" || failed=1; done
        running=""
    fi
done
for pid in $running; do wait "$pid" || failed=1; done

printf '\n%-10s %12s %7s\n' target inputs faults
for target in $targets; do
    if [ -f "$build/fuzz-$target.result" ]; then
        read -r name inputs faults <"$build/fuzz-$target.result"
        printf '%-10s %12s %7s\n' "$name" "$inputs" "$faults"
    else
        printf '%-10s %12s %7s\n' "$target" "?" "?"
    fi
done
exit $failed
