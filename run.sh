#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts Quenlor.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
quenlor_install_deps
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUENLOR_TESTS=OFF -DQUENLOR_BENCH=OFF
cmake --build build/release -j "$(nproc)"
exec build/release/quenlor
