#!/usr/bin/env bash
# Sets everything up and runs every test: installs the missing packages,
# builds the native, Windows x86_64 and Windows i686 configurations (the
# programs of the last), the fuzz targets and the benchmarks, runs the
# native tests (with sanitizers) and the Windows tests under Wine, replays and
# briefly runs the fuzz targets, builds the installer packages of both
# Windows configurations (the Wine tests install the x86_64 one and run the
# installed programs), and ends with one line: N passed, M failed.
set -uo pipefail
cd "$(dirname "$0")/.."

tools/install-packages.sh build windows wine fuzz tex package || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
# The fuzz targets, one list for building and running them.
source tests/fuzz/fuzz-seeds.sh
# What each configuration must build: everything natively and for the
# tested x86_64 build; the shipped programs and their program folder for
# i686 (this kernel runs no 32-bit programs, so its tests would never run);
# the fuzz targets; the benchmark programs.
declare -A targets=(
  [win32]="moxwin32 Varelo makepk mox texlog program_folder_fonts mox_texmf"
  [fuzz]="${fuzz_targets[*]}"
  [bench]="dvi_bench pk_bench outline_bench load_run_bench render_bench chinese_page_bench edit_bench mox_bench moxrender makepk"
)
for preset in native win64 win32 fuzz bench; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null || { echo "0 passed, 1 failed (configure $preset)"; exit 1; }
  target_options=()
  [[ -n ${targets[$preset]:-} ]] && target_options=(--target ${targets[$preset]})
  cmake --build --preset "$preset" -j "$jobs" "${target_options[@]}" ||
    { echo "0 passed, 1 failed (build $preset)"; exit 1; }
done

passed=0
failed=0
# The installer packages count as one test; the Wine test of the installed
# suite (installed_suite_gui) installs the x86_64 one made here.
echo "== packages"
if packages=$(tools/make-msi.sh --out build/packages build/win64 build/win32); then
  echo "$packages"
  passed=$((passed + 1))
  export MOX_MSI
  MOX_MSI=$(grep -- '-x64\.msi$' <<<"$packages")
else
  failed=$((failed + 1))
fi

for preset in native win64; do
  echo "== test $preset"
  log=$(mktemp)
  ctest --preset "$preset" 2>&1 | tee "$log"
  summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  rm -f "$log"
  if [[ -z "$summary" ]]; then
    failed=$((failed + 1))
    continue
  fi
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
  bad=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$summary")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
done

# Each fuzz target counts as one test: its seeds replayed, then fuzzed.
echo "== fuzz"
for target in "${fuzz_targets[@]}"; do
  if tests/fuzz/run-fuzzers.sh build/fuzz 12 "$target"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
done

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
