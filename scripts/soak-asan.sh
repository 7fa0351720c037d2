#!/usr/bin/env bash
# Builds the game with AddressSanitizer and UndefinedBehaviorSanitizer and plays the soak
# (nightmare matches kept alive, the benchmark's --soak) and the whole game from a first start
# under them. Fails on a broken bound, a failing test and on any sanitizer report.
#
#   scripts/soak-asan.sh                            ten minutes of kept-alive play
#   DRAKMOOR_SOAK_MINUTES=60 scripts/soak-asan.sh   the full hour
#   DRAKMOOR_ASAN_BUILD=/path scripts/soak-asan.sh  another build folder (default build-asan)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${DRAKMOOR_ASAN_BUILD:-build-asan}"
sanitize="-fsanitize=address,undefined -fno-omit-frame-pointer"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$sanitize" >/dev/null
cmake --build "$build" -j2 --target drakmoor_tests drakmoor_bench

# The tests read the built data from the build folder, their working folder.
cd "$build"
log="soak-asan.log"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
./bench/drakmoor_bench --soak --game-log --soak-minutes="${DRAKMOOR_SOAK_MINUTES:-10}" 2>&1 |
  tee "$log" || status=$?
./tests/drakmoor_tests --gtest_filter='FullGame.*' 2>&1 | tee -a "$log" || status=$?

if grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$log"; then
  echo "== sanitizer report in $build/$log"
  exit 1
fi
exit "$status"
