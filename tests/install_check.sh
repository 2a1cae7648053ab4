#!/usr/bin/env bash
# The teacher's installation, run twice into a temporary folder as an upgrade runs it: the
# first lays out the program folder and the launcher; a lesson then changes a score file, a
# student is added and the settings change; the second replaces the program and keeps all
# of that. Needs sqlite3 and desktop-file-validate.
set -euo pipefail
cd "$(dirname "$0")/.."

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A path with a space, quotes, a dollar sign and Chinese: the launcher must still start it.
folder="$work/我的 \"Pellor\" \$HOME"
export XDG_DATA_HOME="$work/data"
launcher="$XDG_DATA_HOME/applications/pellor.desktop"

fail() {
  echo "installation check: $*" >&2
  exit 1
}

scripts/install.sh "$folder" > /dev/null
for file in pellor pellor.png res/set.ini res/声音/gu.wav 成绩/课堂成绩1.txt 成绩/课堂成绩3.txt Student.db Content.db; do
  [ -e "$folder/$file" ] || fail "the first installation did not lay out $file"
done
[ -x "$folder/pellor" ] || fail "the program is not executable"
[ -f "$launcher" ] || fail "no launcher in $launcher"
desktop-file-validate "$launcher" || fail "the launcher is not a valid freedesktop.org desktop entry"
grep -qxF 'Exec="'"$work"'/我的 \\"Pellor\\" \\$HOME/pellor"' "$launcher" || fail "the launcher does not start $folder/pellor"
grep -qxF "Icon=$folder/pellor.png" "$launcher" || fail "the launcher does not show the program's icon"

# A lesson, a new student, changed settings, a group file removed by the teacher, a sound lost.
printf '3\r\n1\t总成绩\t6\r\n王思远\t\t2\r\n' > "$folder/成绩/课堂成绩1.txt"
sqlite3 "$folder/Student.db" "INSERT INTO 小组表1(学号,姓名) VALUES(99,'新同学')"
printf '[NumOfClass]\r\nNumOfClass=2\r\n' > "$folder/res/set.ini"
rm "$folder/成绩/课堂成绩3.txt" "$folder/res/声音/gu.wav"
kept="$(cd "$folder" && sha256sum 成绩/* res/set.ini Student.db Content.db)"
echo 'an older program' > "$folder/pellor"

scripts/install.sh "$folder" > /dev/null
[ "$(cd "$folder" && sha256sum 成绩/* res/set.ini Student.db Content.db)" = "$kept" ] \
  || fail "the second installation changed the class's files"
[ "$(sqlite3 "$folder/Student.db" "SELECT 姓名 FROM 小组表1 WHERE 学号=99")" = "新同学" ] \
  || fail "the new student is gone"
[ ! -e "$folder/成绩/课堂成绩3.txt" ] || fail "a group file the teacher removed came back"
[ -e "$folder/res/声音/gu.wav" ] || fail "a lost sound was not laid out again"
[ "$(head -c 4 "$folder/pellor")" = $'\x7fELF' ] || fail "the program was not replaced"
[ -f "$launcher" ] || fail "the second installation lost the launcher"

# A folder that holds other files is not made into a program folder.
mkdir "$work/documents"
touch "$work/documents/letter.txt"
if scripts/install.sh "$work/documents" > /dev/null 2>&1; then
  fail "a folder of other files was made into a program folder"
fi
[ ! -e "$work/documents/pellor" ] || fail "a refused folder received the program"
echo "installation check: passed"
