#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS] [TARGET...]
#
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for SECONDS
# (default 60), every target by default. Each run grows its own corpus in
# fuzz-runs/corpus/TARGET (kept out of the repository), starting from the
# seeds of fuzz/corpus/TARGET and the regression inputs of
# fuzz/regressions/TARGET; inputs that crash, leak or hang are written to
# fuzz-runs/findings/TARGET/. One row per target at the end: runs,
# coverage (cov, ft), corpus entries (and how many this run added), and
# findings of this run.
# Exit status 1 when anything was found.
#
# A found input, once its fault is mended, goes to fuzz/regressions/TARGET/
# so that the suite replays it. Other engineers share the machine: long
# runs are better started under `nice -n 19`.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

TARGETS=(request command map tile sprite dat path dialogue font server_message inspect record)
TARGETS+=(relay_message relay_frame relay_pass)

usage() { echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]  (targets: ${TARGETS[*]})"; }
seconds=60
if [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
if [ $# -gt 0 ] && { [ "$1" = --help ] || [ "$1" = -h ]; }; then
  usage
  exit 0
fi
chosen=("$@")
[ ${#chosen[@]} -eq 0 ] && chosen=("${TARGETS[@]}")
for target in "${chosen[@]}"; do
  if [[ ! " ${TARGETS[*]} " =~ " $target " ]]; then
    echo "fuzz.sh: unknown target '$target' ($(usage))" >&2
    exit 2
  fi
done

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DOCRE_BUILD_FUZZ=ON -DOCRE_BUILD_TESTS=OFF -DOCRE_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${chosen[@]/#/fuzz-}" >/dev/null

# SDL_net's and SDL's own start-up allocations are not ours to mend.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"
export SDL_VIDEODRIVER=dummy

rows=()
found_any=0
for target in "${chosen[@]}"; do
  corpus=$root/fuzz-runs/corpus/$target
  findings=$root/fuzz-runs/findings/$target
  log=$root/fuzz-runs/logs/$target.log
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  seeds=("$root/fuzz/corpus/$target")
  [ -d "$root/fuzz/regressions/$target" ] && seeds+=("$root/fuzz/regressions/$target")
  dictionary=()
  case $target in
    request|command) dictionary=(-dict="$root/fuzz/dict/protocol.dict") ;;
    server_message) dictionary=(-dict="$root/fuzz/dict/server_message.dict") ;;
    relay_pass) dictionary=(-dict="$root/fuzz/dict/server_message.dict") ;;
    record) dictionary=(-dict="$root/fuzz/dict/record.dict") ;;
    relay_message) dictionary=(-dict="$root/fuzz/dict/relay_message.dict") ;;
    dialogue) dictionary=(-dict="$root/fuzz/dict/dialogue.dict") ;;
    dat) dictionary=(-dict="$root/fuzz/dict/dat.dict") ;;
  esac
  # libFuzzer also writes slow-unit-* files: a slow input on a loaded
  # machine is worth a look, not a finding that fails the run.
  count_findings() { find "$findings" -type f ! -name 'slow-unit-*' | wc -l; }
  found_before=$(count_findings)
  echo "fuzzing $target for $seconds s"
  status=0
  "$root/build-fuzz/fuzz/fuzz-$target" "$corpus" "${seeds[@]}" "${dictionary[@]}" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+' "$log" | grep -E ' cov: ' | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  # Corpus entries when the seeds and the earlier runs' corpus were loaded,
  # and at the end.
  inited=$(grep -m1 -E '\sINITED\s' "$log" | sed -n 's/.* corp: \([0-9]*\)\/.*/\1/p' || true)
  final=$(sed -n 's/.* corp: \([0-9]*\)\/.*/\1/p' <<<"$last")
  found=$(( $(count_findings) - found_before ))
  if [ "$status" -ne 0 ] || [ "$found" -gt 0 ]; then
    found_any=1
    echo "  $target: finding(s) in $findings (log: $log)"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | head -5 | sed 's/^/  /' || true
  fi
  rows+=("$(printf '%-15s %12s %7s %7s %8s %6s %9s' "$target" "${runs:-?}" "${cov:-?}" "${ft:-?}" "${final:-?}" \
    "$(( ${final:-0} - ${inited:-0} ))" "$found")")
done

printf '%-15s %12s %7s %7s %8s %6s %9s\n' target runs cov ft corpus new findings
printf '%s\n' "${rows[@]}"
exit "$found_any"
