#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two instances of the real program on one data folder (virtual screen,
# xdotool): the second neither offers nor moves the first one's live journal,
# and does not overwrite the last calculation the first one keeps (it says
# so); once the first is killed, a third instance offers its journal, resumes
# it and keeps its calculation. Two instances editing tables keep each one's
# unsaved edits, offered one to each later start once both are killed.
# Usage: two_instances_test.sh VELMORIN   (needs xvfb-run and xdotool)
set -euo pipefail
program=$1
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$@"
fi
work=$(mktemp -d)
others=
trap '[ -n "$pid" ] && kill -9 "$pid" $others 2>/dev/null; rm -rf "$work"' EXIT
# shellcheck source=typing.sh
source "$(dirname "$0")/typing.sh"

type_straight
export XDG_DATA_HOME=$work/shared
saved=$XDG_DATA_HOME/velmorin/最近一次计算.csv

# The first instance: a whole calculation kept, then a second one begun.
start; calculate; type_answers 0 ${#answers[@]}
wait_until test -f "$saved" || { echo "FAILED: the first calculation was not kept"; exit 1; }
calculate_again; type_answers 0 5; next_dialog
first=$pid others=$pid
journal=$(unfinished_journals)
cp "$journal" "$work/first.journal"

# The second: asked no question, types another spacing, is told at the end.
answers[18]=30
start; calculate; type_answers 0 ${#answers[@]}
reply ""  # told the last calculation is the first one's
second=$pid others="$first $second"
cmp -s "$saved" "$work/straight.csv" ||
  { echo "FAILED: the second instance overwrote the last calculation"; failed=1; }
cmp -s "$journal" "$work/first.journal" ||
  { echo "FAILED: the first instance's journal was touched"; failed=1; }
[ "$(unfinished_journals | wc -l)" = 2 ] ||
  { echo "FAILED: the second instance's finished journal was not kept"; failed=1; }

# The first one ends; a third offers its journal and resumes it.
pid=$first; kill_hard
answers[18]=20
start; calculate; reply ""; type_answers 5 ${#answers[@]}
wait_until test ! -e "$journal" ||
  { echo "FAILED: the first instance's journal was not resumed"; failed=1; }
cmp -s "$saved" "$work/straight.csv" ||
  { echo "FAILED: the resumed calculation was not kept"; failed=1; }
[ "$(unfinished_journals | wc -l)" = 1 ] ||
  { echo "FAILED: the second instance's journal went"; failed=1; }
kill "$pid" "$second"; wait || true; pid=

# Two instances correcting a file each in its table: both keep their edits,
# each in files of its own; both killed, the next two starts offer one each
# and reopen it as the file it belongs to.
export XDG_DATA_HOME=$work/edits
edits=$XDG_DATA_HOME/velmorin
for name in a b; do
  printf '桩号,高程H,距离S\n1000,100,-10\n1000,101,0\n1000,100,10\n' >"$work/$name.csv"
done
edit_first_elevation() {  # to $1, waiting until a copy of the edits holds it
  xdotool windowfocus --sync "$main"
  xdotool key ctrl+t
  xdotool type --delay 10 -- "$1"
  xdotool key Return
  for _ in $(seq 100); do
    grep -qs -- "$1" "$edits"/未保存的修改*.csv && return
    sleep 0.05
  done
  echo "FAILED: no copy of the unsaved edits holds $1"; ls -l "$edits"; exit 1
}
titled() {  # waits until the main window's title is $1
  local title=
  for _ in $(seq 100); do
    title=$(xdotool getwindowname "$main" 2>/dev/null || true)
    [ "$title" = "$1" ] && return
    sleep 0.05
  done
  echo "FAILED: expected the title $1, it is: $title"; failed=1
}
main_title='^a.csv - Velmorin$'; start "$work/a.csv"; edit_first_elevation 77.5
first=$pid
# An opened file is no calculation to keep: the second is told nothing.
main_title='^b.csv - Velmorin$'; start "$work/b.csv"; edit_first_elevation 66.5
second=$pid others="$first $second"
grep -qs -- 66.5 "$edits"/未保存的修改-*.csv ||
  { echo "FAILED: the second instance's edits are not in files of its own"; failed=1; }
kill -9 "$first" "$second"; wait "$first" "$second" 2>/dev/null || true
# Each offer answered 是 (its default button).
main_title=; start; reply ""; titled "a.csv* - Velmorin"
third=$pid others=$third
main_title=; start; reply ""; titled "b.csv* - Velmorin"
kill "$pid" "$third"; wait || true; pid=
[ "$failed" = 0 ] && echo "ok: two instances kept each one's journal, last calculation and unsaved edits"
exit "$failed"
