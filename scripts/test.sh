#!/usr/bin/env bash
# Builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# A header that gained Q_OBJECT after the folder was first built is otherwise not moc'ed.
find build -path '*_autogen/timestamp' -delete 2>/dev/null || true
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
