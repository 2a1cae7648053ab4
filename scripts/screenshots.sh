#!/usr/bin/env bash
# Starts the program on the demo program folder headless and saves a picture of each window
# into docs/screenshots (or the folder given), for the README.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/screenshots}"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target take_screenshots test_program_folder
screen="$(mktemp)"
trap 'rm -f "$screen"' EXIT
echo '{ "screens": [ { "name": "classroom", "x": 0, "y": 0, "width": 1280, "height": 800, "dpi": 96 } ] }' > "$screen"
runtime="$(mktemp -d)"
chmod 700 "$runtime"
QT_QPA_PLATFORM="offscreen:configfile=$screen" XDG_RUNTIME_DIR="$runtime" \
    build/tools/take_screenshots build/tests/program-folder "$out"
rm -rf "$runtime"
