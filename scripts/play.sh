#!/usr/bin/env bash
# Installs what is missing, builds Drakmoor and starts it from its build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
cd build
exec ./drakmoor
