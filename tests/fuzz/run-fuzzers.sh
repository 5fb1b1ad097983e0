#!/usr/bin/env bash
# Replays the seed corpus of every fuzz target and then fuzzes each for a
# short, bounded time. Seeds are the committed fixtures; what the fuzzer
# finds on the way goes to a scratch corpus, never into the repository.
#   run-fuzzers.sh BUILD_DIR [SECONDS_PER_TARGET [TARGET...]]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
seconds=${2:-25}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

source "$root/tests/fuzz/fuzz-seeds.sh"

targets=("${@:3}")
((${#targets[@]} > 0)) || targets=("${fuzz_targets[@]}")

status=0
for target in "${targets[@]}"; do
  copy_fuzz_seeds "$target" "$scratch/$target"
  echo "== $target: seeds, then ${seconds}s of fuzzing"
  if ! "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$scratch/$target-" \
      "$scratch/$target" 2>"$scratch/$target.log"; then
    tail -n 40 "$scratch/$target.log"
    for artifact in "$scratch/$target"-*; do
      [[ -e "$artifact" ]] && cp "$artifact" "$build/" && echo "kept $build/$(basename "$artifact")"
    done
    status=1
  else
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+.*DONE)' \
      "$scratch/$target.log" || true
  fi
done
exit $status
