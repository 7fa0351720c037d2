#!/usr/bin/env bash
# Installs what is missing, builds the game alone (not the tests or the benchmarks) and
# starts it; it finds its data beside itself in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target drakmoor -j"$(nproc)"
exec ./build/drakmoor "$@"
