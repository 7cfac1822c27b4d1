# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash disable=SC2154,SC2034
# Sourced by the shell tests that type at the real program on a virtual
# screen with xdotool (see platform-notes: no window manager, chained dialogs
# share one title). Needs $program and $work; sets $pid, $main, $last.

# shellcheck source=wait_until.sh
source "$(dirname "${BASH_SOURCE[0]}")/wait_until.sh"

export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config

# Two sections without stations, 2 and 1 points; point 2's elevation entered
# again; spacing 20; one pause.
answers=(2 n 2 1  100 "" 2 ""  101 0 102 "" -2 ""  99 "" 0 ""  20 ""  "")

pid=
main=
last=
start() {  # arguments go to the program; $main_title, when set, is the main window's title
  "$program" "$@" 2>>"$work/stderr" &
  pid=$!
  main=$(timeout "$wait_seconds" xdotool search --all --sync --onlyvisible --pid "$pid" --name "${main_title:-^Velmorin\$}" | head -1)
  last=$main
}

# Whether a dialog of the program newer than the last one shows; it becomes $last.
new_dialog() {
  local id
  id=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Velmorin$' 2>/dev/null | sort -n | tail -1 || true)
  [ -n "$id" ] && [ "$id" != "$main" ] && [ "$id" != "$last" ] && last=$id
}

# Waits for the next dialog of the program (its newest window) to show.
next_dialog() {
  wait_until new_dialog || { echo "FAILED: no dialog appeared"; exit 1; }
}

reply() {
  next_dialog
  xdotool windowfocus --sync "$last"
  [ -n "$1" ] && xdotool type --delay 10 -- "$1"
  xdotool key Return
}

# The calculate button comes after the five text boxes of the first two
# bands; once pressed, it keeps the focus.
calculate() {
  xdotool windowfocus --sync "$main"
  xdotool key Tab Tab Tab Tab Tab space
}
calculate_again() {
  xdotool windowfocus --sync "$main"
  xdotool key space
}

# Types answers FROM..TO-1.
type_answers() {
  local k
  for ((k = $1; k < $2; ++k)); do reply "${answers[$k]}"; done
}

# The unfinished journals of the data folder.
unfinished_journals() {
  find "$XDG_DATA_HOME/velmorin" -maxdepth 1 \( -name calculation.journal -o -name 'calculation-[0-9]*.journal' \) | sort
}

kill_hard() {
  kill -9 "$pid"; wait "$pid" 2>/dev/null || true; pid=
}

finish_and_keep() {  # waits for the last calculation, copies it to $1
  local saved=$XDG_DATA_HOME/velmorin/最近一次计算.csv
  wait_until test -f "$saved" || { echo "FAILED: no last calculation after $1"; exit 1; }
  cp "$saved" "$work/$1.csv"
  [ -z "$(unfinished_journals)" ] || { echo "FAILED: the journal was left after $1"; exit 1; }
  kill "$pid"; wait "$pid" || true; pid=
}

# Compares the last calculation kept as $1 with the one typed straight.
same_as_straight() {
  if cmp -s "$work/straight.csv" "$work/$1.csv"; then
    echo "ok: $1, the same calculation"
  else
    echo "FAILED: $1:"; diff "$work/straight.csv" "$work/$1.csv" || true
    failed=1
  fi
}

type_straight() {
  export XDG_DATA_HOME=$work/straight
  start; calculate; type_answers 0 ${#answers[@]}; finish_and_keep straight
}
failed=0
