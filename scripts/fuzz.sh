#!/usr/bin/env bash
# Builds the fuzz targets of the game's file readers (settings, hall of fame, terrain) with
# clang and runs each for a fixed time from a copy of its committed corpus. Fails when any
# target finds a crash, an overrun, undefined behaviour or a broken reader promise; the
# offending input is kept under the build folder's artifacts/.
#
#   scripts/fuzz.sh                      about 40 s per target (CI)
#   DRAKMOOR_FUZZ_SECONDS=600 scripts/fuzz.sh   a longer hunt
#   DRAKMOOR_FUZZ_BUILD=/path scripts/fuzz.sh   another build folder (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${DRAKMOOR_FUZZ_SECONDS:-40}"
build="${DRAKMOOR_FUZZ_BUILD:-build-fuzz}"
targets=(settings_fuzz hiscore_fuzz map_fuzz)

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

summary=()
failed=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  log="$build/$target.log"
  rm -rf "$corpus" "$artifacts"
  mkdir -p "$corpus" "$artifacts"
  cp fuzz/corpus/"$target"/* "$corpus"/

  echo "== $target: ${seconds}s from $(ls "$corpus" | wc -l) seed files"
  status=0
  "$build/$target" "$corpus" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1 || status=$?

  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)"
  found="$(ls "$corpus" | wc -l)"
  if [ "$status" -eq 0 ]; then
    summary+=("$(printf '%-14s ok     %10s runs %8s/s  corpus %5s' "$target" "${runs:-?}" "${speed:-?}" "$found")")
  else
    failed=1
    summary+=("$(printf '%-14s FAILED %10s runs  (exit %s, log %s)' "$target" "${runs:-?}" "$status" "$log")")
    grep -E 'ERROR|broke its promise|SUMMARY|Test unit written' "$log" | head -n 8 || true
    for input in "$artifacts"/*; do
      [ -f "$input" ] || continue
      echo "-- offending input $input ($(stat -c %s "$input") bytes):"
      head -c 256 "$input" | od -c | head -n 12
    done
  fi
done

echo
echo "== fuzzing summary (${seconds}s per target)"
printf '%s\n' "${summary[@]}"
exit "$failed"
