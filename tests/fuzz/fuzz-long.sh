#!/usr/bin/env bash
# Fuzzes the targets one after another for a long time each, on one core,
# with a corpus that persists from one run to the next outside the
# repository. A target's corpus starts from its seeds on the first run; what
# the fuzzer finds (crashes, timeouts, running out of memory) is kept in
# CORPUS_DIR/artifacts and the run goes on. An input that takes more than
# 5 s or 512 MB counts as a finding: a document must cost what it draws,
# not what its sizes claim. Prints, for each target, the executions, the
# corpus size and what was found.
#   fuzz-long.sh BUILD_DIR CORPUS_DIR SECONDS [TARGET...]
set -uo pipefail
if (($# < 3)); then
  echo "usage: $0 BUILD_DIR CORPUS_DIR SECONDS [TARGET...]" >&2
  exit 2
fi
build=$(cd "$1" && pwd) || exit 2
mkdir -p "$2" || exit 2
corpus_root=$(cd "$2" && pwd)
seconds=$3
source "$(dirname "$0")/fuzz-seeds.sh"
case "$corpus_root/" in
  "$fuzz_root"/*) echo "$0: the corpus belongs outside the repository" >&2; exit 2 ;;
esac

targets=("${@:4}")
((${#targets[@]} > 0)) || targets=("${fuzz_targets[@]}")
for target in "${targets[@]}"; do
  if [[ -z "${fuzz_seeds[$target]:-}" || ! -x "$build/tests/fuzz/$target" ]]; then
    echo "$0: no fuzz target $target in $build" >&2
    exit 2
  fi
done

# The sanitizer's own quarantine kept small, so that the memory limit
# measures the program's memory.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=16"

artifacts=$corpus_root/artifacts
mkdir -p "$artifacts" "$corpus_root/logs"
status=0
for target in "${targets[@]}"; do
  corpus=$corpus_root/$target
  if [[ ! -d "$corpus" ]] || [[ -z "$(ls -A "$corpus")" ]]; then
    copy_fuzz_seeds "$target" "$corpus"
  fi
  log=$corpus_root/logs/$target.log
  before=$(find "$artifacts" -maxdepth 1 -name "$target-*" | wc -l)
  echo "== $target: ${seconds}s, corpus $corpus ($(date '+%H:%M:%S'))"
  # One fuzzing process at a time (-fork=1); a finding ends only its job,
  # and the next job goes on from the grown corpus.
  "$build/tests/fuzz/$target" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -max_total_time="$seconds" -timeout=5 -rss_limit_mb=512 -max_len=65536 \
    -artifact_prefix="$artifacts/$target-" "$corpus" >"$log" 2>&1
  code=$?
  # The fork mode's progress lines: "#EXECS: cov: ... corp: N ... oom/timeout/crash: a/b/c ...".
  last=$(grep -E '^#[0-9]+: cov:' "$log" | tail -n 1)
  executions=$(sed -E 's/^#([0-9]+):.*/\1/' <<<"$last")
  counts=$(sed -E 's/.*oom\/timeout\/crash: ([0-9]+\/[0-9]+\/[0-9]+).*/\1/' <<<"$last")
  after=$(find "$artifacts" -maxdepth 1 -name "$target-*" | wc -l)
  found=$((after - before))
  echo "$target: executions ${executions:-0}, corpus $(find "$corpus" -type f | wc -l) files" \
       "($(du -sk "$corpus" | cut -f1) KB), oom/timeout/crash ${counts:-0/0/0}," \
       "new artifacts $found, exit $code"
  if ((found > 0)); then
    ls -t "$artifacts" | grep "^$target-" | head -n "$found" | sed "s|^|  $artifacts/|"
    status=1
  elif ((code != 0)); then
    tail -n 20 "$log"
    status=1
  fi
done
exit $status
