#!/usr/bin/env bash
# Builds the program, lays out its demo program folder beside it and starts it there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target pellor demo_program_folder
exec build/bin/pellor
