#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a virtual screen with a survey file opened, corrected
# in its table with the keyboard (xdotool), killed with kill -9, started
# again: the offer to reopen the unsaved edits brings back exactly the values
# typed, the last of them only in the steps after the copy, a torn step
# after them dropped; a last edit made after it, reopened once more, leaves
# the copy in the data folder byte for byte as the same edits made without
# interruption.
# Usage: table_kill_resume_test.sh VELMORIN   (needs xvfb-run and xdotool)
set -euo pipefail
program=$1
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$@"
fi
work=$(mktemp -d)
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
# shellcheck source=typing.sh
source "$(dirname "$0")/typing.sh"

survey=$work/survey.csv
printf '桩号,高程H,距离S\n1000,100.125,-12.5\n1000,101.5,0\n1000,100.25,12.5\n1020,99.5,-12\n1020,100,0\n1020,99,12\n' >"$survey"
copy() { echo "$XDG_DATA_HOME/velmorin/未保存的修改.csv"; }
steps() { echo "$XDG_DATA_HOME/velmorin/未保存的修改.steps"; }

# Waits until the point line $1 (桩号,H,S) is on the disk: in the copy (CRLF
# lines), or as the point's H and S in a step after it (each step is on the
# disk before the next key is handled; the wait only covers xdotool's own pace).
on_disk() {
  local h s
  IFS=, read -r _ h s <<<"$1"
  tr -d '\r' 2>/dev/null <"$(copy)" | grep -qx -- "$1" && return
  grep -qF -- " $h $s " "$(steps)" 2>/dev/null
}
wait_for_line() {
  wait_until on_disk "$1" && return
  echo "FAILED: the unsaved copy has no line $1"; cat "$(copy)" "$(steps)" 2>/dev/null || true; exit 1
}

# The table opens on the first point's 高程H: it becomes 77.5, Enter goes
# down, Tab to 距离S, which becomes 4.5.
first_edits() {
  xdotool windowfocus --sync "$main"
  xdotool key ctrl+t
  xdotool type --delay 10 -- 77.5
  xdotool key Return Tab
  xdotool type --delay 10 -- 4.5
  xdotool key Return
  wait_for_line "1000,77.5,-12.5"
  wait_for_line "1000,101.5,4.5"
}

# The third point's 高程H, from the table's first cell.
last_edit() {
  xdotool windowfocus --sync "$main"
  xdotool key ctrl+t ctrl+Home Right Down Down
  xdotool type --delay 10 -- -55
  xdotool key Return
  wait_for_line "1000,-55,12.5"
}

titled() { [ "$(xdotool getwindowname "$main" 2>/dev/null)" = "$1" ]; }

# Started again, the offer answered 是 (its default button): the edits open
# unsaved, as the file they belong to.
reopen() {
  main_title=
  start
  reply ""
  wait_until titled "survey.csv* - Velmorin" && return
  echo "FAILED: the edits were not reopened, the title is: $(xdotool getwindowname "$main")"; exit 1
}

main_title='^survey.csv - Velmorin$'
export XDG_DATA_HOME=$work/straight
start "$survey"; first_edits; last_edit
kill_hard
reopen
cp "$(copy)" "$work/straight.csv"
kill_hard

export XDG_DATA_HOME=$work/killed
main_title='^survey.csv - Velmorin$'
start "$survey"; first_edits
kill_hard
# The second edit is in the steps alone: reopening it is their replay.
if tr -d '\r' <"$(copy)" | grep -qx -- "1000,101.5,4.5"; then
  echo "FAILED: the copy already holds the second edit, the steps go untried"; exit 1
fi
# A step the kill cut off half-way through its record.
printf 'C 2 1 2 1000 0 3 -55 -12.5 101' >>"$(steps)"
reopen
last_edit
kill_hard
reopen
if cmp -s "$work/straight.csv" "$(copy)"; then
  echo "ok: the reopened edits and one more equal the same edits made straight"
else
  echo "FAILED: reopened edits differ:"; diff "$work/straight.csv" "$(copy)" || true
  failed=1
fi
kill_hard
exit "$failed"
