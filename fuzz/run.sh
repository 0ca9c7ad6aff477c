#!/usr/bin/env bash
# Runs every fuzz target of a fuzzing build for SECONDS each:
#   fuzz/run.sh BUILD_DIR SECONDS [--smoke]
# A normal run grows BUILD_DIR/corpus/<target> (kept between runs, out of
# git) from the seeds in fuzz/corpus/<target>; a smoke run starts from the
# seeds alone and keeps nothing. Inputs that fail are written to
# BUILD_DIR/artifacts/. Prints executions and rate per target; the exit
# status is nonzero when any target failed.
set -uo pipefail
build=$1
seconds=$2
smoke=${3:-}
seeds=$(cd "$(dirname "$0")" && pwd)/corpus
mkdir -p "$build/artifacts"
failed=()
printf '%-16s %12s %10s %8s %7s\n' target executions exec/s seconds corpus
for seed_dir in "$seeds"/*/; do
    name=$(basename "$seed_dir")
    corpus=$build/corpus/$name
    [ -n "$smoke" ] && corpus=$build/smoke/$name && rm -rf "$corpus"
    mkdir -p "$corpus"
    log=$build/artifacts/$name.log
    "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$name-" "$corpus" "$seed_dir" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | head -n 1)
    took=$(sed -n 's/^stat::.*//; s/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\2/p' "$log")
    files=$(find "$corpus" -type f | wc -l)
    rate=$(( ${runs:-0} / (${took:-0} > 0 ? ${took:-1} : 1) ))
    printf '%-16s %12s %10s %8s %7s\n' "$name" "${runs:-?}" "$rate" "${took:-?}" "$files"
    if [ $status -ne 0 ]; then
        failed+=("$name")
        tail -n 40 "$log"
    fi
    [ -n "$smoke" ] && rm -rf "$corpus"
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "failed: ${failed[*]} (inputs and logs in $build/artifacts/)"
    exit 1
fi
