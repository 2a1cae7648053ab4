#!/usr/bin/env bash
# Installs Pellor for a class: builds the program (Release, in build-release/), lays out its
# program folder (by default ~/Pellor) and adds a launcher to the desktop menu.
#
#   scripts/install.sh [folder]
#
# Run again after an upgrade, it replaces the program and keeps the class's files: the score
# files, the settings, Student.db and Content.db. The demo class goes only into a folder that
# holds no class yet.
set -euo pipefail
folder="$(realpath -m "${1:-$HOME/Pellor}")"
cd "$(dirname "$0")/.."
source_dir="$(pwd -P)"

case "$folder" in
  *$'\n'* | *$'\t'* | *=*)
    echo "A launcher cannot start a program in a folder whose name holds a line break, a tab or \"=\": $folder" >&2
    exit 1 ;;
esac
# A folder with other files in it is not made into a program folder.
if [ -d "$folder" ] && [ -n "$(ls -A "$folder")" ] && [ ! -e "$folder/pellor" ] && [ ! -e "$folder/res" ] \
   && [ ! -e "$folder/成绩" ] && [ ! -e "$folder/Student.db" ] && [ ! -e "$folder/Content.db" ]; then
  echo "$folder already holds other files and is not a Pellor program folder." >&2
  echo "Name a new or empty folder, or the folder of an earlier installation." >&2
  exit 1
fi
case "$folder/" in
  "$source_dir"/build*)
    echo "$folder lies in a build folder, which a clean build deletes: choose a folder outside it." >&2
    exit 1 ;;
esac

scripts/install-deps.sh
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" > /dev/null
cmake --build build-release --target pellor test_program_folder
# The old program goes first: an install copies only files whose time differs to the second,
# and a running copy keeps the file it started from.
rm -f "$folder/pellor"
cmake --install build-release --prefix "$folder" > /dev/null

applications="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
mkdir -p "$applications"
cmake -DPROGRAM_DIR="$folder" -DLAUNCHER="$applications/pellor.desktop" -P resources/write_launcher.cmake
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$applications/pellor.desktop"
fi

echo "Pellor is installed in $folder"
echo "Start it from the desktop menu (Education, Pellor) or with: \"$folder/pellor\""
