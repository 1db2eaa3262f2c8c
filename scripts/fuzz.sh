#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, ASan, UBSan) and runs each for SECONDS
# (default 600) on a working corpus in build/fuzz/corpus/TARGET, seeded from fuzz/corpus/TARGET.
# An input that makes a target fail is kept in build/fuzz/findings/TARGET/ and the script exits
# non-zero; each target's log is build/fuzz/logs/TARGET.log. ZARN_FUZZ_SEED fixes the random
# seed, so that a short run in the test command explores the same inputs every time.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   targets: xml_reply text batch_file catalogue_fixture multipart
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(xml_reply text batch_file catalogue_fixture multipart)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]/%/_fuzzer}"

failed=0
for target in "${targets[@]}"; do
    corpus=build/fuzz/corpus/$target
    findings=build/fuzz/findings/$target
    log=build/fuzz/logs/$target.log
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    dict=fuzz/json.dict
    case $target in
        xml_reply) dict=fuzz/xml_reply.dict ;;
        text | multipart) dict= ;;
    esac
    if "build/fuzz/fuzz/${target}_fuzzer" "$corpus" "fuzz/corpus/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/" ${dict:+-dict=$dict} ${ZARN_FUZZ_SEED:+-seed=$ZARN_FUZZ_SEED} \
        >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "$target: ${runs:-?} runs in ${seconds} s, no failure ($(find "$corpus" -type f | wc -l) inputs in the corpus)"
    else
        failed=1
        echo "$target: FAILED; the input is in $findings/, the log in $log:"
        tail -n 40 "$log"
    fi
done
exit "$failed"
